// Running the simulation on a document and recomputing its derived values.
#include "core/document/CompressorMapFile.h"
#include "core/document/DocumentHost.h"
#include "core/base/ErrCode.h"
#include "core/base/FatalAssert.h"
#include "core/document/VexoDoc.h"
#include "core/document/SideBySideRuns.h"
#include "core/sim/EngineMath.h"
#include "core/sim/ResultCopy.h"
#include "core/document/SimInterface.h"
#include "core/base/NumberText.h"

namespace brisca {

bool CVexoDoc::RunSimulation(bool showValidationErrors, bool showRunFailure) {
  int code = 0;
  if (!Validate(code)) {
    if (showValidationErrors) ReportErrorCode(code);
    return false;
  }
  return RunPasses(ReadCompressorMap(), true, showRunFailure, code);
}

bool CVexoDoc::RunSimulation(const CompressorMapSupply& maps, int& failureCode) {
  failureCode = 0;
  if (!Validate(failureCode)) return false;
  return RunPasses(maps, false, false, failureCode);
}

CompressorMapSupply CVexoDoc::ReadCompressorMap() const {
  if (engine_.forcedInductionKind == kNoForcedInduction || engine_.compressorMap == 0) return {};
  const std::filesystem::path folder = host_ ? host_->MapFolder() : DefaultMapFolder();
  return LoadCompressorMap(CompressorMapPath(folder, engine_.compressorMap));
}

bool CVexoDoc::RunPasses(const CompressorMapSupply& maps, bool showMapErrors, bool showRunFailure,
                         int& failureCode) {
  CVexoDoc* const self = this;
  bool ok = false;
  RunPassesTogether({&self, 1}, maps, showMapErrors, showRunFailure, {&failureCode, 1}, {&ok, 1});
  return ok;
}

void CVexoDoc::UpdateRodGeometry() {
  EngineParameters& e = engine_;
  if (e.rodByRatio) {
    if (!e.stroke.IsValid() || !e.rodRatio.IsValid()) return;
    const float length = e.rodRatio.GetValue() * e.stroke.GetValue();
    if (e.rodLength.InRange(length)) {
      e.rodLength.SetValue(length);
      return;
    }
    const std::string detail = FormatFixed(length, 3) + " " + e.rodLength.GetUnitLabel();
    e.rodLength.Unassign();
    e.rodRatio.Unassign();
    ReportErrorCode(170, false, detail.c_str());
  } else {
    if (!e.stroke.IsValid() || !e.rodLength.IsValid()) return;
    const float ratio = e.rodLength.GetValue() / e.stroke.GetValue();
    if (e.rodRatio.InRange(ratio)) {
      e.rodRatio.SetValue(ratio);
      return;
    }
    const std::string detail = FormatFixed(ratio, 3);
    e.rodLength.Unassign();
    e.rodRatio.Unassign();
    ReportErrorCode(169, false, detail.c_str());
  }
}

void CVexoDoc::UpdateVolumes() {
  EngineParameters& e = engine_;
  int code = 0;
  if (!ValidateShortBlock(code)) return;
  const float cc = EngineMath::CylinderVolumeCc(e.bore.GetValue(), e.stroke.GetValue());
  e.cylinderVolume.SetValueRounded(cc, 2);
  e.totalBlockVolume.SetValue(static_cast<float>(e.cylinders.GetValue()) * (cc / 16.38706f));
  if (!e.crDataValid && e.compressionRatio.IsValid()) {
    e.combustionSpace.SetValueRounded(
        e.cylinderVolume.GetValue() / (e.compressionRatio.GetValue() - 1.0f), 2);
  }
}

void CVexoDoc::UpdateAutomaticValues() {
  EngineParameters& e = engine_;
  if (e.autoValveSizes && e.cylinderHeadType.IsValid() &&
      e.cylinderHeadType.GetValue() != kCustomHeadItem && e.bore.IsValid()) {
    const SimInterface::ValveDiameters d =
        SimInterface::AutoValveSizes(e.cylinderHeadType.GetValue(), e.bore.GetValue());
    e.intakeValveDiameter.SetValue(d.intake);
    e.exhaustValveDiameter.SetValue(d.exhaust);
  }
  // Automatic lifts, both lobes' derived values and automatic ramp rates.
  e.camshaft.UpdateDerived(e.intakeValveDiameter);
}

void CVexoDoc::UpdateActivationSpeed() {
  CCamshaft& cam = engine_.camshaft;
  if (!cam.variableValveTiming || !cam.autoActivationRpm) return;
  const float speed = SimInterface::AutomaticActivationSpeed(
      Results(ResultSetId::Displayed), Results(ResultSetId::LowSpeedLobe),
      Results(ResultSetId::HighSpeedLobe));
  if (cam.activationRpm.IsValid() && speed == cam.activationRpm.GetValue()) return;
  cam.activationRpm.SetValue(speed);
  RunSimulation(false, true);
}

void CVexoDoc::UpdateDerivedValues() {
  // Derived values are computed in domestic units.
  const bool metric = engine_.metricUnits;
  SetUnits(false);
  UpdateRodGeometry();
  UpdateVolumes();
  UpdateAutomaticValues();
  if (engine_.autoRun) RunSimulation(false, true);
  UpdateActivationSpeed();
  SetUnits(metric);
}

}  // namespace brisca
