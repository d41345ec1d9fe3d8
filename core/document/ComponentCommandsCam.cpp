// Component commands of the camshaft: cam type, timing convention, lifter,
// and the values that act on the lobe the open edit dialog shows.

#include <optional>
#include <string>

#include "core/document/ComponentHandlers.h"
#include "core/document/DocumentHost.h"
#include "core/base/ErrCode.h"
#include "core/base/FatalAssert.h"
#include "core/document/VexoDoc.h"

namespace brisca::component {
namespace {

CFloatPtSpec* Edited(const CVexoDoc& doc) {
  return doc.Host() ? dynamic_cast<CFloatPtSpec*>(doc.Host()->EditedSpec()) : nullptr;
}

// The lobe whose ramp rate `spec` is, or nullptr.
CCamProfile* RampRateLobe(CVexoDoc& doc, const CFloatPtSpec* spec) {
  CCamshaft& cam = doc.Engine().camshaft;
  for (CCamProfile* lobe : {&cam.lowSpeedLobe, &cam.highSpeedLobe})
    if (spec == &lobe->RampRate()) return lobe;
  return nullptr;
}

}  // namespace

CFloatPtSpec* EditedLift(const CVexoDoc& doc, bool intake) {
  CFloatPtSpec* spec = Edited(doc);
  const CCamshaft& cam = doc.Engine().camshaft;
  for (const CCamProfile* lobe : {&cam.lowSpeedLobe, &cam.highSpeedLobe})
    if (spec == &(intake ? lobe->IntakeLift() : lobe->ExhaustLift())) return spec;
  return nullptr;
}

CFloatPtSpec* EditedRampRate(const CVexoDoc& doc) {
  CFloatPtSpec* spec = Edited(doc);
  const CCamshaft& cam = doc.Engine().camshaft;
  for (const CCamProfile* lobe : {&cam.lowSpeedLobe, &cam.highSpeedLobe})
    if (spec == &lobe->RampRate()) return spec;
  return nullptr;
}

CFloatPtSpec* EditedAdvance(const CVexoDoc& doc) {
  CFloatPtSpec* spec = Edited(doc);
  const CCamshaft& cam = doc.Engine().camshaft;
  for (const CCamProfile* lobe : {&cam.lowSpeedLobe, &cam.highSpeedLobe})
    if (spec == &lobe->IntakeAdvance() || spec == &lobe->ExhaustAdvance()) return spec;
  return nullptr;
}

bool OnCamType(CVexoDoc& doc, int command) {
  EngineParameters& e = doc.Engine();
  if (!doc.ConfirmSpecChange(e.camshaft.lowSpeedLobe.CamType())) return false;
  if (command == kCustomCamTypeCommand) {
    if (!doc.Host()) return false;
    const std::optional<std::string> name =
        doc.Host()->PromptCamName(e.camshaft.lowSpeedLobe.CamType().GetName());
    if (!name || !e.camshaft.SetCustomCamType(*name)) return false;
  } else {
    e.camshaft.LoadCamType(command);
  }
  e.camDataFile.Unassign();
  return true;
}

bool OnTimingMethod(CVexoDoc& doc, const CatalogueRow& row) {
  CCamshaft& cam = doc.Engine().camshaft;
  if (!doc.ConfirmSpecChange(cam.lowSpeedLobe.Method(TimingSet::Primary))) return false;
  const int notice = cam.SetTimingMethod(row.item);
  if (notice != 0) ReportNoticeCode(notice);
  return true;
}

bool OnLifterType(CVexoDoc& doc, const CatalogueRow& row) {
  CCamshaft& cam = doc.Engine().camshaft;
  if (!doc.ConfirmSpecChange(cam.lowSpeedLobe.LifterType())) return false;
  cam.lowSpeedLobe.LifterType().SetSelection(row.item, row.name);
  cam.highSpeedLobe.LifterType().SetSelection(row.item, row.name);
  return true;
}

bool OnValveLift(CVexoDoc& doc, const CatalogueRow& row, bool intake) {
  CFloatPtSpec* target = EditedLift(doc, intake);
  BRISCA_ASSERT(target != nullptr);
  if (!doc.ConfirmSpecChange(*target)) return false;
  target->SetValueInSystem(row.Cell(3), row.unitsFlag == 0);
  doc.Engine().camshaft.SetAutoValveLift(false);
  return true;
}

bool OnRampRate(CVexoDoc& doc, const CatalogueRow& row) {
  CFloatPtSpec* target = EditedRampRate(doc);
  BRISCA_ASSERT(target != nullptr);
  if (!doc.ConfirmSpecChange(*target)) return false;
  target->SetValue(row.Cell(3));
  RampRateLobe(doc, target)->SetAutoRampRate(false);
  return true;
}

bool OnCamAdvance(CVexoDoc& doc, const CatalogueRow& row) {
  CFloatPtSpec* target = EditedAdvance(doc);
  BRISCA_ASSERT(target != nullptr);
  if (!doc.ConfirmSpecChange(*target)) return false;
  target->SetValue(row.Cell(3));
  return true;
}

bool OnActivationRpm(CVexoDoc& doc, const CatalogueRow& row) {
  CCamshaft& cam = doc.Engine().camshaft;
  if (!doc.ConfirmSpecChange(cam.activationRpm)) return false;
  cam.activationRpm.SetValue(row.Cell(3));
  cam.autoActivationRpm = false;
  return true;
}

}  // namespace brisca::component
