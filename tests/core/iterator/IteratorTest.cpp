// The test series: odometer order, applying values, scoring, result slots,
// validation and failed tests.
#include <gtest/gtest.h>

#include <cmath>

#include "core/iterator/Iterator.h"
#include "tests/core/iterator/IteratorTestSupport.h"
#include "tests/support/ScriptedPresenter.h"

namespace brisca {
namespace {

using testing::BuildSimulatedV8;
using testing::KeptResults;
using testing::SetCamSeries;

class IteratorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    BuildSimulatedV8(doc_);
    int code = 0;
    ASSERT_TRUE(it_.SetUp(doc_, code)) << code;
    it_.EnableGroup(SlotGroup::Manifold, false);
  }

  ScriptedPresenter presenter_;
  ScopedPresenter scope_{presenter_};
  CVexoDoc doc_;
  Iterator it_;
};

TEST_F(IteratorTest, OdometerRunsTheHigherSlotFastest) {
  it_.SetVariable(kSlotLowIvo, 20.0f, 8.0f, 8.0f);   // 12, 20, 28
  it_.SetVariable(kSlotLowEvc, 30.0f, 3.0f, 2.0f);   // 27, 29, 31, 33
  it_.Prepare();
  ASSERT_EQ(it_.ActiveSlots(), (std::vector<int>{kSlotLowIvo, kSlotLowEvc}));
  ASSERT_EQ(it_.TotalTests(), 12);
  std::vector<std::pair<float, float>> seen;
  TestPoint p;
  while (it_.NextTest(p)) {
    EXPECT_EQ(p.testNumber, static_cast<int>(seen.size()) + 1);
    seen.emplace_back(p.values[kSlotLowIvo], p.values[kSlotLowEvc]);
  }
  ASSERT_EQ(seen.size(), 12u);
  for (int k = 0; k < 12; ++k) {
    EXPECT_FLOAT_EQ(seen[k].first, 12.0f + 8.0f * static_cast<float>(k / 4)) << k;
    EXPECT_FLOAT_EQ(seen[k].second, 27.0f + 2.0f * static_cast<float>(k % 4)) << k;
  }
  EXPECT_TRUE(it_.IsFinished());
  EXPECT_FALSE(it_.NextTest(p));
}

TEST_F(IteratorTest, SlotsWithoutTwoValuesOrDisabledAreNotActive) {
  it_.SetVariable(kSlotLowIvo, 20.0f, 0.0f, 8.0f);
  it_.SetVariable(kSlotLowIvc, 50.0f, 4.0f, 9.0f);
  it_.SetVariable(kSlotLowEvo, 50.0f, 4.0f, 4.0f);
  it_.SetVariable(kSlotBore, 4.0f, 0.1f, 0.05f);
  it_.EnableGroup(SlotGroup::BoreStroke, false);
  // Without variable valve timing the high-speed slots carry no type at all.
  it_.SetVariable(kSlotHighIvo, 20.0f, 8.0f, 8.0f);
  it_.Prepare();
  EXPECT_EQ(it_.ActiveSlots(), (std::vector<int>{kSlotLowEvo}));
  EXPECT_EQ(it_.TotalTests(), 3);
}

TEST_F(IteratorTest, TenKeptResultsReplaceTheWorstOnlyWhenStrictlyBetter) {
  it_.Prepare();
  const float scores[] = {5, 7, 3, 9, 3, 8, 9, 4, 6, 5};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(it_.OfferResult(scores[i], i + 1, doc_.Engine()), i);
  // Ties go to the first slot holding the value.
  EXPECT_EQ(it_.WorstSlot(), 2);
  EXPECT_EQ(it_.BestSlot(), 3);
  EXPECT_EQ(it_.OfferResult(3.0f, 11, doc_.Engine()), -1);
  EXPECT_EQ(it_.KeptCount(), 10);
  EXPECT_EQ(it_.OfferResult(3.5f, 12, doc_.Engine()), 2);
  EXPECT_EQ(it_.Result(2).testNumber, 12);
  EXPECT_EQ(it_.WorstSlot(), 4);
  EXPECT_EQ(it_.WorstScore(), 3.0f);
  EXPECT_EQ(it_.OfferResult(10.0f, 13, doc_.Engine()), 4);
  EXPECT_EQ(it_.BestSlot(), 4);
  EXPECT_EQ(it_.BestScore(), 10.0f);
  it_.KeepBest();
  EXPECT_TRUE(it_.Result(4).keep);
  EXPECT_EQ(it_.Result(4).engine->GetTitle(), doc_.GetTitle());
}

TEST_F(IteratorTest, ScoresPeaksAndTrapezoidAreasWithinTheSpeedRange) {
  ResultSet& r = doc_.Results();
  for (int k = 0; k < 28; ++k) {
    r.rpm[k] = 1000.0f + 500.0f * static_cast<float>(k);
    r.power[k] = 0.0f;
    r.torque[k] = 0.0f;
  }
  r.count = 28;
  // Power at 1000, 1500, 2000, 2500, 3000 rpm; 3500 rpm must not count.
  const float power[] = {10, 30, 20, 50, 40, 500};
  for (int k = 0; k < 6; ++k) r.power[k] = power[k];
  r.torque[1] = -5.0f;
  r.torque[3] = 80.0f;

  ASSERT_TRUE(it_.SetSpeedRange(1000.0f, 3000.0f));
  ASSERT_TRUE(it_.SetCriterion(kPowerArea));
  // Four segments of 500 rpm: triangle (y1 − y0)·dx/2 plus rectangle y0·dx.
  const double area = ((30 - 10) * 250.0 + 10 * 500.0) + ((20 - 30) * 250.0 + 30 * 500.0) +
                      ((50 - 20) * 250.0 + 20 * 500.0) + ((40 - 50) * 250.0 + 50 * 500.0);
  EXPECT_NEAR(it_.Score(doc_), area * 0.001, 1e-4);
  it_.SetCriterion(kPeakPower);
  EXPECT_EQ(it_.Score(doc_), 50.0f);
  it_.SetCriterion(kPeakTorque);
  EXPECT_EQ(it_.Score(doc_), 80.0f);
  ASSERT_TRUE(it_.SetSpeedRange(1000.0f, 1500.0f));
  EXPECT_EQ(it_.Score(doc_), 0.0f);  // never below 0

  EXPECT_FALSE(it_.SetSpeedRange(3000.0f, 3000.0f));
  EXPECT_FALSE(it_.SetSpeedRange(500.0f, 3000.0f));
  EXPECT_FALSE(it_.SetCriterion(4));
}

TEST_F(IteratorTest, ValidationCodesInOrder) {
  Iterator fresh;
  int code = 0;
  EXPECT_FALSE(fresh.Validate(code));
  EXPECT_EQ(code, kErrNoBaseline);

  EXPECT_FALSE(it_.Validate(code));
  EXPECT_EQ(code, kErrTooFewTests);

  it_.SetVariable(kSlotLowIvo, 20.0f, 8.0f, 8.0f);
  EXPECT_TRUE(it_.Validate(code)) << code;

  // 9^4 × 41 × 41 × ... : far past the limit.
  for (int slot : {kSlotLowIvc, kSlotLowEvo, kSlotLowEvc}) {
    it_.SetVariable(slot, Iterator::ValueOf(slot, doc_), 32.0f, 0.1f);
  }
  it_.SetVariable(kSlotBore, 4.0f, 1.0f, 0.001f);
  EXPECT_FALSE(it_.Validate(code));
  EXPECT_EQ(code, kErrTooManyTests);
  for (int slot : {kSlotLowIvc, kSlotLowEvo, kSlotLowEvc}) it_.EnableSlot(slot, false);

  it_.SetVariable(kSlotBore, 4.0f, 0.0f, 0.05f);
  it_.SetConstantDisplacement(false, true);
  EXPECT_FALSE(it_.Validate(code));
  EXPECT_EQ(code, kErrNoDisplacementRange);
  it_.SetConstantDisplacement(false, false);

  it_.SetListVariable(kSlotManifold, 19);
  it_.EnableGroup(SlotGroup::Manifold, true);
  EXPECT_FALSE(it_.Validate(code));
  EXPECT_EQ(code, kErrTooFewManifolds);
  it_.EnableGroup(SlotGroup::Manifold, false);

  // The baseline's own code comes after 62: an unassigned bore is code 2.
  doc_.Engine().bore.Unassign();
  EXPECT_FALSE(it_.Validate(code));
  EXPECT_EQ(code, 2);
  doc_.Results().Clear();
  EXPECT_FALSE(it_.Validate(code));
  EXPECT_EQ(code, kErrNoBaseline);
}

TEST_F(IteratorTest, BoreWithStrokeDerivedKeepsTheDisplacementAndClearsCalculatorData) {
  doc_.Engine().crDataValid = true;
  it_.SetVariable(kSlotBore, 4.0f, 0.2f, 0.1f);
  it_.SetConstantDisplacement(false, true);
  it_.Prepare();
  ASSERT_EQ(it_.ActiveSlots(), (std::vector<int>{kSlotBore}));
  CVexoDoc work(nullptr);
  TestPoint p;
  ASSERT_TRUE(it_.NextTest(p));
  const TestOutcome outcome = it_.Evaluate(work, p);
  ASSERT_TRUE(outcome.ok) << outcome.failureCode;
  const EngineParameters& e = work.Engine();
  EXPECT_FLOAT_EQ(e.bore.GetValue(), 3.8f);
  const float volume = 3.1415927f / 4.0f * 3.8f * 3.8f * e.stroke.GetValue() * 8.0f;
  EXPECT_NEAR(volume, doc_.Engine().totalBlockVolume.GetValue(), 0.01f);
  EXPECT_FALSE(e.crDataValid);
  EXPECT_TRUE(presenter_.Shown().empty());
}

TEST_F(IteratorTest, IndividualRunnersRaiseTheInductionFlowWhenAsked) {
  CPartTypeSpec dual("Manifold Type", 1, 19), stack("Manifold Type", 1, 19);
  dual.SetSelection(3, "Single-Plane");
  stack.SetSelection(17, "Stack Injection");
  it_.SetListVariable(kSlotManifold, 19);
  it_.AddListEntry(kSlotManifold, dual);
  it_.AddListEntry(kSlotManifold, stack);
  it_.EnableGroup(SlotGroup::Manifold, true);
  it_.SetRaiseInductionFlow(true);
  it_.Prepare();
  CVexoDoc work(nullptr);
  TestPoint p;
  ASSERT_TRUE(it_.NextTest(p));
  work.CopyFrom(doc_);
  it_.Apply(work, p);
  EXPECT_EQ(work.Engine().manifoldType.GetValue(), 3);
  EXPECT_EQ(work.Engine().inductionFlow.GetValue(), 750.0f);
  ASSERT_TRUE(it_.NextTest(p));
  it_.Apply(work, p);
  EXPECT_EQ(work.Engine().manifoldType.GetValue(), 17);
  EXPECT_EQ(work.Engine().manifoldType.GetName(), "Stack Injection");
  EXPECT_EQ(work.Engine().inductionFlow.GetValue(), 3000.0f);  // 8 × 750 × 0.5
  doc_.Engine().inductionFlow.SetValue(1500.0f);
  it_.Apply(work, p);
  EXPECT_EQ(work.Engine().inductionFlow.GetValue(), 4000.0f);  // limited
}

TEST_F(IteratorTest, FailingTestsAreCountedAndSummarisedWithoutMessages) {
  // Bores down to 2 in would need strokes past 7 in to keep 350 ci.
  it_.SetVariable(kSlotBore, 3.0f, 1.0f, 0.5f);
  it_.SetConstantDisplacement(false, true);
  it_.Prepare();
  ASSERT_EQ(it_.TotalTests(), 5);
  while (it_.Step()) {
  }
  EXPECT_EQ(it_.TestsDone(), 5);
  EXPECT_EQ(it_.ProgressPercent(), 100);
  EXPECT_EQ(it_.FailedTests(), 2);        // 2.0 and 2.5 in
  EXPECT_EQ(it_.FirstFailureCode(), 3);   // "Stroke"
  EXPECT_EQ(it_.KeptCount(), 3);
  EXPECT_EQ(it_.Result(0).testNumber, 3);
  EXPECT_TRUE(presenter_.Shown().empty());
}

TEST_F(IteratorTest, GridPastTheLimitsStaysCentredAndItsOuterValuesFailQuietly) {
  // EVC 5° above its lower limit: ±16° by 8° reaches 11° and 3° below it.
  CFloatPtSpec& evc = doc_.Engine().camshaft.lowSpeedLobe.Event(TimingSet::Primary, kEVC);
  const float centre = evc.GetMin() + 5.0f;
  evc.SetValue(centre);
  doc_.Engine().camshaft.lowSpeedLobe.ComputeDerived();
  ASSERT_TRUE(doc_.RunSimulation(false, false));
  int code = 0;
  ASSERT_TRUE(it_.SetUp(doc_, code)) << code;
  it_.SetVariable(kSlotLowEvc, centre, 16.0f, 8.0f);
  ASSERT_TRUE(it_.Validate(code)) << code;
  it_.Prepare();
  ASSERT_EQ(it_.TotalTests(), 5);
  while (it_.Step()) {
  }
  EXPECT_EQ(it_.TestsDone(), 5);
  EXPECT_EQ(it_.FailedTests(), 2);
  EXPECT_EQ(it_.FirstFailureCode(), kErrCamEVC);
  ASSERT_EQ(it_.KeptCount(), 3);
  // Tests keep their odometer numbers; test 3 is the baseline's own value.
  for (int i = 0; i < 3; ++i) {
    const ResultSlot& r = it_.Result(i);
    EXPECT_EQ(r.testNumber, i + 3);
    EXPECT_EQ(Iterator::ValueOf(kSlotLowEvc, *r.engine), centre + 8.0f * static_cast<float>(i));
  }
  EXPECT_EQ(it_.Result(0).score, it_.BaselineScore());
  EXPECT_TRUE(presenter_.Shown().empty());
}

TEST_F(IteratorTest, CopyIsDeepAndClearRestoresTheDefaults) {
  SetCamSeries(it_, doc_);
  it_.SetVariable(kSlotLowIvc, 50.0f, 0.0f, 4.0f);
  it_.SetVariable(kSlotLowEvo, 50.0f, 0.0f, 4.0f);
  it_.Prepare();
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(it_.Step());
  Iterator copy(it_);
  EXPECT_EQ(copy.KeptCount(), 3);
  EXPECT_NE(copy.Result(0).engine.get(), it_.Result(0).engine.get());
  EXPECT_EQ(KeptResults(copy), KeptResults(it_));
  while (copy.Step()) {
  }
  while (it_.Step()) {
  }
  EXPECT_EQ(KeptResults(copy), KeptResults(it_));
  EXPECT_TRUE(it_.HoldsResults());

  it_.Clear();
  EXPECT_FALSE(it_.HoldsResults());
  EXPECT_FALSE(it_.IsSetUp());
  EXPECT_EQ(it_.GetCriterion(), kPeakPower);
  EXPECT_EQ(it_.LowSpeed(), 1000.0f);
  EXPECT_EQ(it_.HighSpeed(), 14500.0f);
  EXPECT_EQ(it_.ProgressPercent(), 0);
}

}  // namespace
}  // namespace brisca
