#include "core/iterator/EvaluateTogether.h"

#include <array>

#include "core/base/FatalAssert.h"
#include "core/document/SideBySideRuns.h"
#include "core/document/VexoDoc.h"
#include "core/sim/EngVexo.h"

namespace brisca {

void EvaluateTogether(const Iterator& series, std::span<CVexoDoc* const> works,
                      std::span<const TestPoint> points, const CompressorMapSupply& maps,
                      std::span<TestOutcome> outcomes) {
  const CVexoDoc* baseline = series.Baseline();
  constexpr std::size_t kMax = EngVexo::kMaxTogether;
  const std::size_t n = works.size();
  BRISCA_ASSERT(baseline && n <= kMax && points.size() == n && outcomes.size() == n);
  for (std::size_t j = 0; j < n; ++j) {
    BRISCA_ASSERT(works[j] != baseline);
    outcomes[j] = TestOutcome{};
    outcomes[j].testNumber = points[j].testNumber;
    // Every test starts from the baseline itself: a working copy that had been
    // through earlier tests (and unit round trips) would make results depend on
    // which copy ran them.
    works[j]->CopyFrom(*baseline);
    series.Apply(*works[j], points[j]);
  }
  std::array<int, kMax> codes{};
  std::array<bool, kMax> ok{};
  RunSimulationsTogether(works, maps, {codes.data(), n}, {ok.data(), n});
  for (std::size_t j = 0; j < n; ++j) {
    if (!ok[j]) {
      outcomes[j].failureCode = codes[j];  // validation, compressor map or 42
      continue;
    }
    outcomes[j].ok = true;
    outcomes[j].score = series.Score(*works[j]);
  }
}

}  // namespace brisca
