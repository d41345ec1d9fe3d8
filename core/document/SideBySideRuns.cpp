#include "core/document/SideBySideRuns.h"

#include <array>
#include <optional>

#include "core/base/ErrCode.h"
#include "core/base/FatalAssert.h"
#include "core/document/SimInterface.h"
#include "core/document/VexoDoc.h"
#include "core/sim/EngVexo.h"
#include "core/sim/ResultCopy.h"

namespace brisca {
namespace {

constexpr int kRunFailure = 42;

//! Converts a document to domestic units for a computation and back afterwards.
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

void RunSimulationsTogether(std::span<CVexoDoc* const> docs, const CompressorMapSupply& maps,
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

void RunPassesTogether(std::span<CVexoDoc* const> docs, const CompressorMapSupply& maps,
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
    for (ResultSet& set : docs[j]->Engine().results) set.Clear();
    ok[j] = false;
  };

  std::array<const EngineParameters*, kMax> engines{};
  std::array<SimResults, kMax> results;
  std::array<SimInterface::PassResult, kMax> passes;
  for (std::size_t j = 0; j < n; ++j) engines[j] = &docs[j]->Engine();
  SimInterface::RunPasses({engines.data(), n}, false, maps, {results.data(), n}, {passes.data(), n});

  // The documents with a high-speed lobe run it in a second pass.
  std::array<std::size_t, kMax> lobeOf{};
  std::size_t lobes = 0;
  for (std::size_t j = 0; j < n; ++j) {
    if (!passes[j].ok) {
      fail(j, passes[j]);
      continue;
    }
    EngineParameters& e = docs[j]->Engine();
    for (ResultSet& set : e.results) set.Clear();
    BRISCA_ASSERT(FillResultSet(results[j], e.results[static_cast<int>(ResultSetId::Displayed)]) ==
                  kResultPoints);
    ok[j] = true;
    if (e.camshaft.variableValveTiming) lobeOf[lobes++] = j;
  }
  if (lobes == 0) return;

  for (std::size_t r = 0; r < lobes; ++r) engines[r] = &docs[lobeOf[r]]->Engine();
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
    SimInterface::MergeLobes(displayed, high, doc.Engine().camshaft.activationRpm.GetValue());
  }
}

}  // namespace brisca
