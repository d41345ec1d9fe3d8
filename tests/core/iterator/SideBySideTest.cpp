// Tests run side by side in one worker (their crank loops interleaved) give
// exactly the bits they give alone: outcome, score and every result set, for
// plain, boosted and two-lobe engines, and for a run that fails validation.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <filesystem>
#include <vector>

#include "core/document/SideBySideRuns.h"
#include "core/document/VexoDoc.h"
#include "core/iterator/EvaluateTogether.h"
#include "core/sim/induction/CompressorMap.h"
#include "tests/support/ScriptedPresenter.h"

namespace brisca {
namespace {

namespace fs = std::filesystem;

const fs::path kEngineFolder =
    fs::path(BRISCA_FIXTURES_DIR) / ".." / ".." / "data" / "EngineFiles (.QEN)";

constexpr std::array kSets = {ResultSetId::Displayed, ResultSetId::LowSpeedLobe,
                              ResultSetId::HighSpeedLobe};

bool SameSets(const CVexoDoc& a, const CVexoDoc& b) {
  for (ResultSetId id : kSets) {
    if (std::memcmp(&a.Results(id), &b.Results(id), sizeof(ResultSet)) != 0) return false;
  }
  return true;
}

bool SameOutcome(const TestOutcome& a, const TestOutcome& b) {
  return a.testNumber == b.testNumber && a.ok == b.ok && a.failureCode == b.failureCode &&
         std::memcmp(&a.score, &b.score, sizeof a.score) == 0;
}

class SideBySideTest : public ::testing::Test {
 protected:
  ScriptedPresenter presenter_;
  ScopedPresenter scope_{presenter_};
};

TEST_F(SideBySideTest, EverySeriesTestGivesTheBitsItGivesAlone) {
  struct Series {
    const char* file;
    int second;  //!< the slot varied beside the low-speed lobe's IVO
  };
  for (const auto& [file, second] : {Series{"Stock Small-Block V8.qen", kSlotLowIvc},
                                     Series{"Two-Lobe Cam Four.qen", kSlotHighIvc},
                                     Series{"Turbo Four Intercooled.qen", kSlotLowIvc}}) {
    SCOPED_TRACE(file);
    CVexoDoc baseline;
    ASSERT_TRUE(baseline.OnOpenDocument(kEngineFolder / file));
    ASSERT_TRUE(baseline.RunSimulation(false, false));
    Iterator series;
    int code = 0;
    ASSERT_TRUE(series.SetUp(baseline, code)) << code;
    series.EnableGroup(SlotGroup::Manifold, false);
    series.SetVariable(kSlotLowIvo, Iterator::ValueOf(kSlotLowIvo, baseline), 8.0f, 4.0f);
    series.SetVariable(second, Iterator::ValueOf(second, baseline), 8.0f, 8.0f);
    series.Prepare();
    std::vector<TestPoint> points;
    for (TestPoint p; series.NextTest(p);) points.push_back(p);
    ASSERT_EQ(points.size(), 15u);
    const CompressorMapSupply maps = baseline.ReadCompressorMap();

    // Test k beside test k + 1, and the last beside the first.
    for (std::size_t k = 0; k < points.size(); k += 2) {
      const std::array<TestPoint, 2> pair = {points[k], points[(k + 1) % points.size()]};
      std::array<CVexoDoc, 2> alone;
      std::array<TestOutcome, 2> aloneOutcome;
      for (int j = 0; j < 2; ++j) aloneOutcome[j] = series.Evaluate(alone[j], pair[j], maps);
      std::array<CVexoDoc, 2> together;
      std::array<CVexoDoc*, 2> works = {&together[0], &together[1]};
      std::array<TestOutcome, 2> togetherOutcome;
      EvaluateTogether(series, works, pair, maps, togetherOutcome);
      for (int j = 0; j < 2; ++j) {
        SCOPED_TRACE(pair[j].testNumber);
        EXPECT_TRUE(aloneOutcome[j].ok);
        EXPECT_TRUE(SameOutcome(togetherOutcome[j], aloneOutcome[j]));
        EXPECT_TRUE(SameSets(together[j], alone[j]));
      }
    }
  }
  EXPECT_TRUE(presenter_.Shown().empty());
}

TEST_F(SideBySideTest, AnEngineThatFailsValidationLeavesItsNeighbourAsAlone) {
  CVexoDoc good;
  ASSERT_TRUE(good.OnOpenDocument(kEngineFolder / "Two-Lobe Cam Four.qen"));
  CVexoDoc bad;
  ASSERT_TRUE(bad.OnOpenDocument(kEngineFolder / "Stock Small-Block V8.qen"));
  bad.Engine().bore.Unassign();
  const CompressorMapSupply none;

  CVexoDoc goodAlone;
  goodAlone.CopyFrom(good);
  int goodCode = -1, badCode = -1;
  const bool goodOk = goodAlone.RunSimulation(none, goodCode);
  CVexoDoc badAlone;
  badAlone.CopyFrom(bad);
  EXPECT_FALSE(badAlone.RunSimulation(none, badCode));
  ASSERT_TRUE(goodOk);

  for (bool badFirst : {true, false}) {
    SCOPED_TRACE(badFirst);
    CVexoDoc first, second;
    first.CopyFrom(badFirst ? bad : good);
    second.CopyFrom(badFirst ? good : bad);
    std::array<CVexoDoc*, 2> docs = {&first, &second};
    std::array<int, 2> codes{-1, -1};
    std::array<bool, 2> ok{true, true};
    RunSimulationsTogether(docs, none, codes, ok);
    const int b = badFirst ? 0 : 1;
    EXPECT_FALSE(ok[b]);
    EXPECT_EQ(codes[b], badCode);
    EXPECT_TRUE(ok[1 - b]);
    EXPECT_EQ(codes[1 - b], goodCode);
    EXPECT_TRUE(SameSets(*docs[1 - b], goodAlone));
  }
  EXPECT_TRUE(presenter_.Shown().empty());
}

}  // namespace
}  // namespace brisca
