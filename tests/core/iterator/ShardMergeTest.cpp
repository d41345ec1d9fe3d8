// A series cut into shards and merged keeps exactly what one machine keeps:
// slots, best and worst included, under heavy ties and whatever tests each
// shard ran; a shard stopped and resumed from its saved state ends with the
// same log; the scores' texts read back bit for bit.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "core/iterator/ShardMerge.h"
#include "core/iterator/ShardRunner.h"
#include "tests/core/iterator/IteratorTestSupport.h"
#include "tests/support/SampleShardRecord.h"
#include "tests/support/ScriptedPresenter.h"
#include "tests/support/TempDir.h"

namespace brisca {
namespace {

namespace fs = std::filesystem;
using testing::KeptResults;

std::vector<std::tuple<int, float>> Slots(const KeepTen& k) {
  std::vector<std::tuple<int, float>> out;
  for (int i = 0; i < k.Count(); ++i) out.emplace_back(k.At(i).testNumber, k.At(i).score);
  return out;
}

//! How the tests of a series are dealt to shards.
enum class Split { Blocks, Contiguous, Random };

TEST(ShardMergeTest, MergeEqualsTheSequentialKeeperUnderTiesForAnySplit) {
  std::mt19937 random(20261210);
  for (int round = 0; round < 40; ++round) {
    const int tests = 50 + static_cast<int>(random() % 3000);
    // Few distinct scores, rising slowly: ties everywhere, evictions all along.
    std::vector<TestOutcome> outcomes;
    for (int t = 1; t <= tests; ++t) {
      TestOutcome o{t, random() % 17 != 0, 0, 0.0f};
      o.failureCode = o.ok ? 0 : 42 + static_cast<int>(random() % 3);
      o.score = static_cast<float>(random() % 6) + static_cast<float>(t / 400);
      outcomes.push_back(o);
    }
    ShardKeeper whole;
    for (const TestOutcome& o : outcomes) whole.Commit(o);

    const int shards = 1 + round % 7;
    const Split split = static_cast<Split>(round % 3);
    std::vector<ShardKeeper> parts(shards);
    for (const TestOutcome& o : outcomes) {
      const int k = split == Split::Blocks       ? ShardOfTest(o.testNumber, shards) - 1
                    : split == Split::Contiguous ? (o.testNumber - 1) * shards / tests
                                                 : static_cast<int>(random() % shards);
      parts[k].Commit(o);
    }
    std::vector<const ShardState*> logs;
    for (const ShardKeeper& p : parts) logs.push_back(&p.State());
    MergedPhase merged;
    std::string error;
    ASSERT_TRUE(MergeLogs(logs, merged, error)) << error;

    SCOPED_TRACE("round " + std::to_string(round));
    EXPECT_EQ(Slots(merged.keeper), Slots(whole.Keeper()));
    EXPECT_EQ(merged.keeper.BestSlot(), whole.Keeper().BestSlot());
    EXPECT_EQ(merged.keeper.WorstSlot(), whole.Keeper().WorstSlot());
    EXPECT_EQ(merged.state.admissions, whole.State().admissions);
    EXPECT_EQ(merged.state.testsRun, tests);
    EXPECT_EQ(merged.state.failures, whole.State().failures);
    EXPECT_EQ(merged.state.firstFailedTest, whole.State().firstFailedTest);
    EXPECT_EQ(merged.state.firstFailureCode, whole.State().firstFailureCode);
    EXPECT_EQ(merged.state.failureCounts, whole.State().failureCounts);
    EXPECT_EQ(UncountedFailures(merged.state), 0);
  }
}

TEST(ShardMergeTest, ATestInTwoLogsIsRefused) {
  ShardKeeper a, b;
  a.Commit(TestOutcome{3, true, 0, 1.0f});
  b.Commit(TestOutcome{3, true, 0, 1.0f});
  MergedPhase merged;
  std::string error;
  EXPECT_FALSE(MergeLogs({&a.State(), &b.State()}, merged, error));
  EXPECT_NE(error.find("test 3"), std::string::npos) << error;
}

// A log of an older version holds its failures but no reasons: merged with
// one that has them, the known reasons add up and the rest stay uncounted.
TEST(ShardMergeTest, FailureReasonsAddUpAndAnOlderLogsFailuresStayUncounted) {
  ShardKeeper a, b;
  for (const TestOutcome& o : {TestOutcome{1, false, 53, 0.0f}, TestOutcome{2, false, 42, 0.0f},
                               TestOutcome{3, true, 0, 1.0f}})
    a.Commit(o);
  for (const TestOutcome& o : {TestOutcome{17, false, 53, 0.0f}, TestOutcome{18, false, 53, 0.0f}})
    b.Commit(o);
  ShardState older = b.State();
  older.failureCounts.clear();
  const struct {
    const char* name;
    const ShardState* second;
    std::map<int, int> counts;
    int uncounted;
  } cases[] = {
      {"both counted", &b.State(), {{42, 1}, {53, 3}}, 0},
      {"one older", &older, {{42, 1}, {53, 1}}, 2},
  };
  for (const auto& c : cases) {
    MergedPhase merged;
    std::string error;
    ASSERT_TRUE(MergeLogs({&a.State(), c.second}, merged, error)) << error;
    EXPECT_EQ(merged.state.failures, 4) << c.name;
    EXPECT_EQ(merged.state.failureCounts, c.counts) << c.name;
    EXPECT_EQ(UncountedFailures(merged.state), c.uncounted) << c.name;
  }
}

TEST(ShardMergeTest, ShardTestCountsAddUpToTheSeries) {
  for (std::int64_t total : {1, 15, 16, 17, 95, 96, 1000, 1234567}) {
    for (int shards : {1, 2, 3, 6}) {
      std::int64_t sum = 0;
      for (int k = 1; k <= shards; ++k) {
        std::int64_t counted = 0;
        if (total < 2000) {
          for (std::int64_t t = 1; t <= total; ++t) counted += ShardOfTest(t, shards) == k;
          EXPECT_EQ(ShardTestCount(total, k, shards), counted)
              << total << " " << k << "/" << shards;
        }
        sum += ShardTestCount(total, k, shards);
      }
      EXPECT_EQ(sum, total);
    }
  }
}

//! A two-lobe engine whose low-speed lobe varies while the speed window
//! straddles the activation speed: every variant scores the same above it, so
//! scores tie for real.
class ShardedSeriesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const fs::path engine = fs::path(BRISCA_FIXTURES_DIR) / ".." / ".." / "data" /
                            "EngineFiles (.QEN)" / "Two-Lobe Cam Four.qen";
    ASSERT_TRUE(doc_.ReadEngineFile(engine));
    ASSERT_TRUE(doc_.Engine().camshaft.variableValveTiming);
    ASSERT_TRUE(doc_.RunSimulation(false, false));
    int code = 0;
    ASSERT_TRUE(proto_.SetUp(doc_, code)) << code;
    proto_.EnableGroup(SlotGroup::Manifold, false);
    for (int slot : {kSlotLowIvo, kSlotLowIvc, kSlotLowEvo}) {
      proto_.SetVariable(slot, Iterator::ValueOf(slot, doc_), 8.0f, 4.0f);
    }
    const float activation = Iterator::ValueOf(kSlotActivationRpm, doc_);
    proto_.SetCriterion(kPeakPower);
    ASSERT_TRUE(proto_.SetSpeedRange(activation - 1000.0f, activation + 1500.0f));
    ASSERT_TRUE(proto_.Validate(code)) << code;
    proto_.Prepare();
    ASSERT_EQ(proto_.TotalTests(), 125);
  }

  //! Shard k of n, run to the end.
  ShardState RunShard(int k, int n, int threads) {
    Iterator series(proto_);
    ShardRunner runner(series, threads);
    EXPECT_TRUE(runner.RunThrough(series.TotalTests(),
                                  [&](std::int64_t t) { return ShardOfTest(t, n) == k; }));
    return runner.State();
  }

  ScriptedPresenter presenter_;
  ScopedPresenter scope_{presenter_};
  CVexoDoc doc_;
  Iterator proto_;
};

TEST_F(ShardedSeriesTest, ThreeShardsMergedKeepWhatOneMachineKeeps) {
  Iterator whole(proto_);
  while (whole.Step()) {
  }
  ASSERT_EQ(whole.KeptCount(), 10);
  // Real ties: fewer distinct scores than tests.
  std::vector<float> scores;
  for (int i = 0; i < whole.KeptCount(); ++i) scores.push_back(whole.Result(i).score);
  std::sort(scores.begin(), scores.end());
  ASSERT_NE(std::unique(scores.begin(), scores.end()), scores.end()) << "the series has no ties";

  std::vector<ShardState> parts;
  for (int k = 1; k <= 3; ++k) parts.push_back(RunShard(k, 3, 2));
  MergedPhase merged;
  std::string error;
  ASSERT_TRUE(MergeLogs({&parts[0], &parts[1], &parts[2]}, merged, error)) << error;
  Iterator rebuilt(proto_);
  ASSERT_TRUE(RebuildKept(rebuilt, merged, error)) << error;

  EXPECT_EQ(KeptResults(rebuilt), KeptResults(whole));
  EXPECT_EQ(rebuilt.BestSlot(), whole.BestSlot());
  EXPECT_EQ(rebuilt.WorstSlot(), whole.WorstSlot());
  for (int i = 0; i < whole.KeptCount(); ++i) {
    for (int slot : {kSlotLowIvo, kSlotLowIvc, kSlotLowEvo, kSlotLowEvc}) {
      EXPECT_EQ(Iterator::ValueOf(slot, *rebuilt.Result(i).engine),
                Iterator::ValueOf(slot, *whole.Result(i).engine));
    }
    EXPECT_EQ(rebuilt.Result(i).engine->Results().power, whole.Result(i).engine->Results().power);
  }
  EXPECT_TRUE(presenter_.Shown().empty());
}

TEST_F(ShardedSeriesTest, AStoppedShardResumedFromItsStateEndsWithTheSameLog) {
  const ShardState uninterrupted = RunShard(2, 3, 2);
  auto owns = [](std::int64_t t) { return ShardOfTest(t, 3) == 2; };

  ShardState saved;
  {
    Iterator series(proto_);
    ShardRunner runner(series, 2);
    EXPECT_FALSE(runner.RunThrough(series.TotalTests(), owns, [&](const ShardState& s) {
      if (s.testsRun == 13) {
        saved = s;
        runner.RequestStop();
      }
    }));
  }
  ASSERT_EQ(saved.testsRun, 13);
  Iterator series(proto_);
  ShardRunner resumed(series, 1);
  ASSERT_TRUE(resumed.Resume(saved));
  EXPECT_TRUE(resumed.RunThrough(series.TotalTests(), owns));
  EXPECT_EQ(resumed.State(), uninterrupted);

  // A state that cannot be this series' is refused.
  ShardState foreign = saved;
  foreign.lastTest = proto_.TotalTests() + 1;
  Iterator other(proto_);
  EXPECT_FALSE(ShardRunner(other, 1).Resume(foreign));
}

// --- the files -------------------------------------------------------------------

// The scores' texts in the shard files (cli/json) read back bit for bit.
TEST(ShardFileTest, HexFloatsReadBackBitForBit) {
  for (float v : {0.0f, -0.0f, 1e-45f, -3.5f, 3.4028235e38f, 0.1f}) {
    float back = 7.0f;
    ASSERT_TRUE(ParseHexFloat(HexFloat(v), back)) << HexFloat(v);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(back), std::bit_cast<std::uint32_t>(v));
  }
  float back = 0.0f;
  for (const char* text : {"0.1", "0x1p+200", "0x", "-", ""}) EXPECT_FALSE(ParseHexFloat(text, back)) << text;
}

TEST(ShardFileTest, PartsMustBeOneWholeSeries) {
  auto part = [](int k) {
    ShardRecord r = samples::SampleShardRecord();
    r.shard = k;
    r.state = ShardState{};
    r.state.lastTest = 100;
    r.state.testsRun = ShardTestCount(100, k, 3);
    return r;
  };
  const std::vector<std::string> names = {"a.json", "b.json", "c.json"};
  std::string error;
  EXPECT_TRUE(CheckParts({part(1), part(2), part(3)}, names, error)) << error;

  ShardRecord foreign = part(3);
  foreign.fingerprint.probe = HexFloat(0.2f);
  ShardRecord running = part(3);
  running.complete = false;
  ShardRecord shortRun = part(3);
  shortRun.state.testsRun -= 1;
  ShardRecord strayTest = part(3);
  strayTest.state.admissions = {{1, 5.0f}};  // test 1 is shard 1's
  const struct {
    const char* name;
    std::vector<ShardRecord> parts;
    const char* reason;
  } cases[] = {
      {"missing", {part(1), part(3)}, "shard 2 of 3 is missing"},
      {"duplicate", {part(1), part(2), part(2)}, "c.json is shard 2 again (as b.json)"},
      {"foreign",
       {part(1), part(2), foreign},
       "c.json belongs to another series than a.json (its probe"},
      {"running", {part(1), part(2), running}, "c.json is not finished"},
      {"short", {part(1), part(2), shortRun}, "c.json is damaged"},
      {"stray test", {part(1), part(2), strayTest}, "c.json is damaged: it logs a test of another shard"},
  };
  for (const auto& c : cases) {
    error.clear();
    EXPECT_FALSE(CheckParts(c.parts, names, error)) << c.name;
    EXPECT_NE(error.find(c.reason), std::string::npos) << c.name << ": " << error;
  }
}

}  // namespace
}  // namespace brisca
