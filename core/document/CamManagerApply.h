#pragma once
// The cam manager's copies handed to an engine document (its Apply and OK).

namespace brisca {

class CamWorkingCopies;
class CVexoDoc;

//! The copies of the document's camshaft, in its units and unmodified, named
//! after its "Cam Data File" so that OK with nothing changed keeps the link.
//! The manager starts from them and takes them again after Apply, so that a
//! later OK compares with what the document holds now. The lobe shown stays
//! while the camshaft has two.
void LoadCamCopies(const CVexoDoc& document, CamWorkingCopies& copies);

//! Validates the copies (the code reported), runs the document's change check,
//! asks notice 109 when the copies no longer match their cam file (Cancel
//! stops), then gives the document the merged camshaft: "Cam Data File" names
//! the file only while nothing changed; lifts edited while the document's
//! lifts were automatic switch automatic lift off. Copies that hold what the
//! document's camshaft holds leave it untouched. The document is not
//! recalculated. False when nothing was applied.
bool ApplyCamCopies(CVexoDoc& document, const CamWorkingCopies& copies);

}  // namespace brisca
