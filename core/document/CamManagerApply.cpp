#include "core/document/CamManagerApply.h"

#include <sstream>
#include <string>

#include "core/base/ErrCode.h"
#include "core/base/TextWriter.h"
#include "core/document/ComponentHandlers.h"
#include "core/document/VexoDoc.h"
#include "core/valvetrain/CamWorkingCopies.h"

namespace brisca {
namespace {

constexpr int kNoticeCamFileMismatch = 109;

std::string CamshaftText(const CamWorkingCopies& copies) {
  CCamshaft camshaft;
  copies.MergeInto(camshaft);
  std::ostringstream text;
  TextWriter out(text);
  camshaft.WriteText(out);
  return text.str();
}

// The copies give the document nothing new. Compared through a fresh load of
// the document's camshaft: loading and merging rewrites the stored numbers of
// unassigned events, which must not count as a change of the engine.
bool HoldTheDocumentsCamshaft(const CCamshaft& document, const CamWorkingCopies& copies) {
  CamWorkingCopies fresh;
  fresh.Load(document);
  return CamshaftText(fresh) == CamshaftText(copies);
}

// The lifts the user may have typed over automatic ones, as shown.
bool LiftTextsDiffer(const CCamshaft& document, const CamWorkingCopies& copies) {
  const CCamProfile* lobes[2] = {&document.lowSpeedLobe, &document.highSpeedLobe};
  for (int lobe = 0; lobe < 2; ++lobe) {
    const CCamProfile& seat = copies.Copy(lobe, kSeatToSeat);
    if (lobes[lobe]->IntakeLift().GetText() != seat.IntakeLift().GetText() ||
        lobes[lobe]->ExhaustLift().GetText() != seat.ExhaustLift().GetText())
      return true;
  }
  return false;
}

}  // namespace

void LoadCamCopies(const CVexoDoc& document, CamWorkingCopies& copies) {
  const EngineParameters& e = document.Engine();
  const int lobe = copies.Lobe();
  copies.Load(e.camshaft);
  if (lobe == kHighSpeedLobe && copies.VariableValveTiming()) copies.SetLobe(lobe);
  copies.SetUnits(e.metricUnits);
  copies.SetFileName(component::FileName(e.camDataFile));
  copies.ClearModified();
}

bool ApplyCamCopies(CVexoDoc& document, const CamWorkingCopies& copies) {
  int code = 0;
  if (!copies.Validate(code)) {
    ReportErrorCode(code);
    return false;
  }
  EngineParameters& e = document.Engine();
  const NamedChange name(document, "Cam Manager");
  if (!document.ConfirmSpecChange(e.camshaft.lowSpeedLobe.CamType())) return false;
  const bool modified = copies.AnyModified();
  const bool named = !copies.FileName().empty();
  if (named && modified &&
      ReportNoticeCode(kNoticeCamFileMismatch, true) == MessageButton::Cancel)
    return false;
  const bool liftsEdited =
      e.camshaft.lowSpeedLobe.AutoValveLiftOn() && LiftTextsDiffer(e.camshaft, copies);

  if (named && !modified) {
    component::AssignFileName(e.camDataFile, copies.FileName());
  } else {
    e.camDataFile.Unassign();
  }
  if (copies.LoadedFromFile() || modified) document.SetModified(true);
  if (!HoldTheDocumentsCamshaft(e.camshaft, copies)) {
    copies.MergeInto(e.camshaft);
    e.camshaft.SetUnits(e.metricUnits);
  }
  e.camshaft.lowSpeedLobe.SetModified(false);
  e.camshaft.highSpeedLobe.SetModified(false);
  if (liftsEdited) e.camshaft.SetAutoValveLift(false);
  return true;
}

}  // namespace brisca
