// Running the simulation on a document and recomputing its derived values.
#include <array>
#include <optional>

#include "core/document/CompressorMapFile.h"
#include "core/document/DocumentHost.h"
#include "core/base/ErrCode.h"
#include "core/base/FatalAssert.h"
#include "core/document/VexoDoc.h"
#include "core/sim/EngVexo.h"
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

void CVexoDoc::RunSimulations(std::span<CVexoDoc* const> docs, const CompressorMapSupply& maps,
                              std::span<int> failureCodes, std::span<bool> ok) {
  constexpr std::size_t kMax = EngVexo::kMaxTogether;
  BRISCA_ASSERT(docs.size() <= kMax && failureCodes.size() == docs.size() &&
                ok.size() == docs.size());
  std::array<CVexoDoc*, kMax> valid{};
  std::array<std::size_t, kMax> validOf{};
  std::size_t n = 0;
  for (std::size_t j = 0; j < docs.size(); ++j) {
    failureCodes[j] = 0;
    ok[j] = false;
    if (!docs[j]->Validate(failureCodes[j])) continue;
    valid[n] = docs[j];
    validOf[n++] = j;
  }
  if (n == 0) return;
  std::array<int, kMax> codes{};
  std::array<bool, kMax> passed{};
  RunPassesTogether({valid.data(), n}, maps, false, false, {codes.data(), n}, {passed.data(), n});
  for (std::size_t r = 0; r < n; ++r) {
    failureCodes[validOf[r]] = codes[r];
    ok[validOf[r]] = passed[r];
  }
}

bool CVexoDoc::RunPasses(const CompressorMapSupply& maps, bool showMapErrors, bool showRunFailure,
                         int& failureCode) {
  CVexoDoc* const self = this;
  bool ok = false;
  RunPassesTogether({&self, 1}, maps, showMapErrors, showRunFailure, {&failureCode, 1}, {&ok, 1});
  return ok;
}

void CVexoDoc::RunPassesTogether(std::span<CVexoDoc* const> docs, const CompressorMapSupply& maps,
                                 bool showMapErrors, bool showRunFailure,
                                 std::span<int> failureCodes, std::span<bool> ok) {
  constexpr std::size_t kMax = EngVexo::kMaxTogether;
  const std::size_t n = docs.size();
  std::array<std::optional<DomesticScope>, kMax> domestic;
  for (std::size_t j = 0; j < n; ++j) domestic[j].emplace(*docs[j]);

  auto fail = [&](std::size_t j, const SimInterface::PassResult& pass) {
    failureCodes[j] = pass.mapFailures > 0 ? maps.errorCode : kRunFailure;
    if (showMapErrors) {
      for (int i = 0; i < pass.mapFailures; ++i) ReportErrorCode(maps.errorCode);
    }
    if (showRunFailure) ReportErrorCode(kRunFailure);
    for (ResultSet& set : docs[j]->engine_.results) set.Clear();
    ok[j] = false;
  };

  std::array<const EngineParameters*, kMax> engines{};
  std::array<SimResults, kMax> results;
  std::array<SimInterface::PassResult, kMax> passes;
  for (std::size_t j = 0; j < n; ++j) engines[j] = &docs[j]->engine_;
  SimInterface::RunPasses({engines.data(), n}, false, maps, {results.data(), n}, {passes.data(), n});

  // The documents with a high-speed lobe run it in a second pass.
  std::array<std::size_t, kMax> lobeOf{};
  std::size_t lobes = 0;
  for (std::size_t j = 0; j < n; ++j) {
    if (!passes[j].ok) {
      fail(j, passes[j]);
      continue;
    }
    EngineParameters& e = docs[j]->engine_;
    for (ResultSet& set : e.results) set.Clear();
    BRISCA_ASSERT(FillResultSet(results[j], e.results[static_cast<int>(ResultSetId::Displayed)]) ==
                  kResultPoints);
    ok[j] = true;
    if (e.camshaft.variableValveTiming) lobeOf[lobes++] = j;
  }
  if (lobes == 0) return;

  for (std::size_t r = 0; r < lobes; ++r) engines[r] = &docs[lobeOf[r]]->engine_;
  SimInterface::RunPasses({engines.data(), lobes}, true, maps, {results.data(), lobes},
                          {passes.data(), lobes});
  for (std::size_t r = 0; r < lobes; ++r) {
    const std::size_t j = lobeOf[r];
    if (!passes[r].ok) {
      fail(j, passes[r]);
      continue;
    }
    CVexoDoc& doc = *docs[j];
    ResultSet& displayed = doc.Results(ResultSetId::Displayed);
    ResultSet& low = doc.Results(ResultSetId::LowSpeedLobe);
    ResultSet& high = doc.Results(ResultSetId::HighSpeedLobe);
    low = displayed;
    BRISCA_ASSERT(FillResultSet(results[r], high) == low.count);
    SimInterface::MergeLobes(displayed, high, doc.engine_.camshaft.activationRpm.GetValue());
  }
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
