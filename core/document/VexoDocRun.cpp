// Running the simulation on a document and recomputing its derived values.
#include "core/document/CompressorMapFile.h"
#include "core/document/DocumentHost.h"
#include "core/base/ErrCode.h"
#include "core/base/FatalAssert.h"
#include "core/document/VexoDoc.h"
#include "core/sim/EngineMath.h"
#include "core/sim/ResultCopy.h"
#include "core/document/SimInterface.h"
#include "core/base/NumberText.h"

namespace brisca {
namespace {

constexpr int kRunFailure = 42;

//! Converts the document to domestic units for a computation and back afterwards.
class DomesticScope {
 public:
  explicit DomesticScope(CVexoDoc& doc) : doc_(doc), metric_(doc.IsMetric()) { doc_.SetUnits(false); }
  ~DomesticScope() { doc_.SetUnits(metric_); }
  DomesticScope(const DomesticScope&) = delete;
  DomesticScope& operator=(const DomesticScope&) = delete;

 private:
  CVexoDoc& doc_;
  bool metric_;
};

}  // namespace

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
  DomesticScope domestic(*this);
  ResultSet& displayed = Results(ResultSetId::Displayed);
  ResultSet& low = Results(ResultSetId::LowSpeedLobe);
  ResultSet& high = Results(ResultSetId::HighSpeedLobe);

  auto fail = [&](const SimInterface::PassResult& pass) {
    failureCode = pass.mapFailures > 0 ? maps.errorCode : kRunFailure;
    if (showMapErrors) {
      for (int i = 0; i < pass.mapFailures; ++i) ReportErrorCode(maps.errorCode);
    }
    if (showRunFailure) ReportErrorCode(kRunFailure);
    for (ResultSet& set : engine_.results) set.Clear();
    return false;
  };

  SimResults results;
  SimInterface::PassResult pass = SimInterface::RunPass(engine_, false, maps, results);
  if (!pass.ok) return fail(pass);
  for (ResultSet& set : engine_.results) set.Clear();
  BRISCA_ASSERT(FillResultSet(results, displayed) == kResultPoints);
  if (!engine_.camshaft.variableValveTiming) return true;

  pass = SimInterface::RunPass(engine_, true, maps, results);
  if (!pass.ok) return fail(pass);
  low = displayed;
  BRISCA_ASSERT(FillResultSet(results, high) == low.count);
  SimInterface::MergeLobes(displayed, high, engine_.camshaft.activationRpm.GetValue());
  return true;
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
