// The parallel runner keeps exactly what a one-thread run keeps, and stops
// and resumes without losing or repeating a combination.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/iterator/IteratorRunner.h"
#include "tests/core/iterator/IteratorTestSupport.h"
#include "tests/support/ScriptedPresenter.h"

namespace brisca {
namespace {

using testing::BuildSimulatedV8;
using testing::KeptResults;
using testing::SetCamSeries;

class IteratorRunnerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    BuildSimulatedV8(doc_);
    int code = 0;
    ASSERT_TRUE(proto_.SetUp(doc_, code)) << code;
    SetCamSeries(proto_, doc_);
    proto_.SetCriterion(kPowerArea);
    proto_.SetSpeedRange(3000.0f, 6000.0f);
    ASSERT_TRUE(proto_.Validate(code)) << code;
    proto_.Prepare();
    ASSERT_EQ(proto_.TotalTests(), 243);
  }

  ScriptedPresenter presenter_;
  ScopedPresenter scope_{presenter_};
  CVexoDoc doc_;
  Iterator proto_;
};

TEST_F(IteratorRunnerTest, TwoThreadsKeepWhatOneThreadAndStepKeep) {
  Iterator stepped(proto_);
  while (stepped.Step()) {
  }
  Iterator one(proto_);
  Iterator two(proto_);
  EXPECT_TRUE(IteratorRunner(one, 1).Run());
  std::int64_t lastDone = 0;
  bool ordered = true;
  EXPECT_TRUE(IteratorRunner(two, 2).Run([&](const IteratorProgress& p) {
    ordered = ordered && p.done == lastDone + 1 && p.total == 243;
    lastDone = p.done;
  }));
  EXPECT_TRUE(ordered);
  EXPECT_EQ(lastDone, 243);
  ASSERT_EQ(one.KeptCount(), 10);
  EXPECT_EQ(KeptResults(one), KeptResults(stepped));
  EXPECT_EQ(KeptResults(two), KeptResults(one));
  EXPECT_EQ(two.BestSlot(), one.BestSlot());
  EXPECT_EQ(two.TestsDone(), 243);
  EXPECT_EQ(two.ProgressPercent(), 100);
  // The kept engine is the one that was scored.
  const ResultSlot& best = two.Result(two.BestSlot());
  EXPECT_EQ(two.Score(*best.engine), best.score);
  EXPECT_TRUE(presenter_.Shown().empty());
}

TEST_F(IteratorRunnerTest, StopTakesEffectAfterTheTestsInFlightAndResumeGoesOn) {
  Iterator whole(proto_);
  IteratorRunner(whole, 2).Run();

  Iterator halted(proto_);
  IteratorRunner runner(halted, 2);
  EXPECT_FALSE(runner.Run([&](const IteratorProgress& p) {
    if (p.done == 20) runner.RequestStop();
  }));
  EXPECT_GE(halted.TestsDone(), 20);
  EXPECT_LE(halted.TestsDone(), 20 + runner.LookAhead());  // at most the tests in flight
  EXPECT_FALSE(halted.IsFinished());

  const std::int64_t stoppedAt = halted.TestsDone();
  std::int64_t firstAfterResume = 0;
  EXPECT_TRUE(runner.Run([&](const IteratorProgress& p) {
    if (firstAfterResume == 0) firstAfterResume = p.done;
  }));
  EXPECT_EQ(firstAfterResume, stoppedAt + 1);
  EXPECT_EQ(halted.TestsDone(), 243);
  EXPECT_EQ(KeptResults(halted), KeptResults(whole));
}

// Eight of every nine tests fail at once (their EVC lies past its limit) and
// the ninth runs the simulation: while one worker simulates, the other would
// race through the failing tests behind it. It may not get further ahead of
// the next commit than the look-ahead allows.
TEST_F(IteratorRunnerTest, WorkersRunNoFurtherAheadThanTheLookAhead) {
  Iterator it;
  int code = 0;
  ASSERT_TRUE(it.SetUp(doc_, code)) << code;
  it.EnableGroup(SlotGroup::Manifold, false);
  const float evcLimit = doc_.Engine().camshaft.lowSpeedLobe.Event(TimingSet::Primary, kEVC).GetMin();
  it.SetVariable(kSlotLowIvo, Iterator::ValueOf(kSlotLowIvo, doc_), 8.0f, 4.0f);  // 5 values
  it.SetVariable(kSlotLowEvc, evcLimit - 4.0f, 4.0f, 1.0f);  // 9 values, only the last within
  ASSERT_TRUE(it.Validate(code)) << code;
  it.Prepare();
  ASSERT_EQ(it.TotalTests(), 45);

  IteratorRunner runner(it, 2);
  ASSERT_EQ(runner.LookAhead(), 4);
  std::int64_t widest = 0;
  EXPECT_TRUE(runner.Run([&](const IteratorProgress& p) {
    widest = std::max(widest, p.issued - p.done);
  }));
  EXPECT_LE(widest, runner.LookAhead());
  EXPECT_EQ(it.TestsDone(), 45);
  EXPECT_EQ(it.FailedTests(), 40);
  EXPECT_EQ(KeptResults(it).size(), 5u);
}

// A window that draws "the last test" from the progress alone gets, for every
// commit, the curve of exactly the test committed - the curve a one-thread
// run leaves in its working engine - and no curve for a failed test.
TEST_F(IteratorRunnerTest, EachProgressCarriesTheCommittedTestsCurve) {
  Iterator it;
  int code = 0;
  ASSERT_TRUE(it.SetUp(doc_, code)) << code;
  it.EnableGroup(SlotGroup::Manifold, false);
  const float evcLimit = doc_.Engine().camshaft.lowSpeedLobe.Event(TimingSet::Primary, kEVC).GetMin();
  it.SetVariable(kSlotLowIvo, Iterator::ValueOf(kSlotLowIvo, doc_), 4.0f, 4.0f);  // 3 values
  it.SetVariable(kSlotLowEvc, evcLimit + 1.0f, 2.0f, 1.0f);  // 5 values, the first below its limit
  ASSERT_TRUE(it.Validate(code)) << code;
  it.Prepare();
  ASSERT_EQ(it.TotalTests(), 15);

  Iterator stepped(it);
  std::vector<TestCurve> expected;
  while (stepped.Step()) {
    const bool failed = stepped.FailedTests() > static_cast<int>(std::count_if(
        expected.begin(), expected.end(), [](const TestCurve& c) { return c.count == 0; }));
    TestCurve curve = failed ? TestCurve{} : CurveOf(stepped.WorkingEngine());
    if (!failed) curve.score = stepped.Score(stepped.WorkingEngine());
    expected.push_back(curve);
  }
  ASSERT_EQ(expected.size(), 15u);
  ASSERT_EQ(stepped.FailedTests(), 3);

  std::vector<TestCurve> seen;
  std::vector<int> numbers;
  EXPECT_TRUE(IteratorRunner(it, 2).Run([&](const IteratorProgress& p) {
    numbers.push_back(p.testNumber);
    seen.push_back(p.last);
  }));
  ASSERT_EQ(seen.size(), 15u);
  for (std::size_t i = 0; i < seen.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(numbers[i], static_cast<int>(i) + 1);
    EXPECT_EQ(seen[i].count, expected[i].count);
    EXPECT_EQ(seen[i].power, expected[i].power);
    EXPECT_EQ(seen[i].torque, expected[i].torque);
    EXPECT_EQ(seen[i].rpm, expected[i].rpm);
    EXPECT_EQ(seen[i].score, expected[i].score);
  }
}

}  // namespace
}  // namespace brisca
