#pragma once
// The cam manager's copies handed to an engine document (its Apply and OK).

namespace brisca {

class CamWorkingCopies;
class CVexoDoc;

//! Validates the copies (the code reported), runs the document's change check,
//! asks notice 109 when the copies no longer match their cam file (Cancel
//! stops), then gives the document the merged camshaft: "Cam Data File" names
//! the file only while nothing changed; lifts edited while the document's
//! lifts were automatic switch automatic lift off. The document is not
//! recalculated. False when nothing was applied.
bool ApplyCamCopies(CVexoDoc& document, const CamWorkingCopies& copies);

}  // namespace brisca
