// The one-button searches and the full iterator's presets and phase rules.
#include <gtest/gtest.h>

#include "core/iterator/ProPresets.h"
#include "core/iterator/QuickPresets.h"
#include "core/iterator/TwoPhaseSeries.h"
#include "tests/core/iterator/IteratorTestSupport.h"
#include "tests/support/ScriptedPresenter.h"

namespace brisca {
namespace {

using testing::BuildSimulatedV8;

//! A V8 with a two-lobe cam, simulated.
void BuildSimulatedVvtV8(CVexoDoc& doc) {
  samples::BuildSmallBlockV8(doc);
  doc.Engine().camshaft.LoadCamType(33868);  // a two-lobe type
  doc.Engine().camshaft.SetAutoValveLift(true);
  doc.UpdateDerivedValues();
  ASSERT_TRUE(doc.Engine().camshaft.variableValveTiming);
  ASSERT_TRUE(doc.RunSimulation(false, false));
}

void SetPowerPeak(CVexoDoc& doc, float rpm) {
  ResultSet& r = doc.Results();
  for (int k = 0; k < r.count; ++k) r.power[k] = r.rpm[k] == rpm ? 500.0f : 100.0f;
}

class QuickPresetsTest : public ::testing::Test {
 protected:
  ScriptedPresenter presenter_;
  ScopedPresenter scope_{presenter_};
  CVexoDoc doc_;
  Iterator phase1_, phase2_;
};

TEST_F(QuickPresetsTest, SpeedRangeIsThePeakPlusMinus500WithinTheSweep) {
  BuildSimulatedV8(doc_);
  struct Case {
    float peak, low, high;
  } cases[] = {{1200.0f, 1000.0f, 1700.0f}, {5000.0f, 4500.0f, 5500.0f}, {14500.0f, 14000.0f, 14500.0f}};
  for (const Case& c : cases) {
    doc_.Results().rpm[1] = 1200.0f;  // a peak speed need not lie on the 500 rpm grid
    SetPowerPeak(doc_, c.peak);
    float low = 0, high = 0;
    QuickSpeedRange(doc_, kPeakPower, low, high);
    EXPECT_EQ(low, c.low) << c.peak;
    EXPECT_EQ(high, c.high) << c.peak;
    int code = 0;
    ASSERT_TRUE(ApplyQuickPreset(doc_, QuickPreset::CamPower, phase1_, phase2_, code)) << code;
    EXPECT_EQ(phase1_.LowSpeed(), c.low);
    EXPECT_EQ(phase2_.HighSpeed(), c.high);
  }
}

TEST_F(QuickPresetsTest, CamPresetVariesTheFourEventsCoarseThenFine) {
  BuildSimulatedV8(doc_);
  int code = 0;
  ASSERT_TRUE(ApplyQuickPreset(doc_, QuickPreset::CamTorque, phase1_, phase2_, code)) << code;
  const std::vector<int> cam = {kSlotLowIvo, kSlotLowIvc, kSlotLowEvo, kSlotLowEvc};
  EXPECT_EQ(phase1_.ActiveSlots(), cam);
  EXPECT_EQ(phase1_.TotalTests(), 625);   // 5^4
  EXPECT_EQ(phase2_.TotalTests(), 625);
  EXPECT_EQ(phase2_.Variable(kSlotLowIvo).Step(), 2.0f);
  EXPECT_EQ(phase1_.GetCriterion(), kPeakTorque);
  EXPECT_FALSE(phase1_.IsGroupEnabled(SlotGroup::Manifold));
  EXPECT_FALSE(phase1_.IsGroupEnabled(SlotGroup::BoreStroke));
}

TEST_F(QuickPresetsTest, BoreStrokePresetDerivesTheStroke) {
  BuildSimulatedV8(doc_);
  int code = 0;
  ASSERT_TRUE(ApplyQuickPreset(doc_, QuickPreset::BoreStrokePower, phase1_, phase2_, code)) << code;
  EXPECT_EQ(phase1_.ActiveSlots(), std::vector<int>{kSlotBore});
  EXPECT_TRUE(phase1_.StrokeDerived());
  EXPECT_EQ(phase1_.TotalTests(), 11);
  EXPECT_FLOAT_EQ(phase2_.Variable(kSlotBore).Minimum(), 3.95f);

  doc_.SetUnits(true);
  ASSERT_TRUE(ApplyQuickPreset(doc_, QuickPreset::BoreStrokePower, phase1_, phase2_, code)) << code;
  EXPECT_EQ(phase1_.Variable(kSlotBore).Step(), 1.0f);
  EXPECT_EQ(phase1_.TotalTests(), 11);
  EXPECT_EQ(phase2_.Variable(kSlotBore).Tolerance(), 1.0f);
}

TEST_F(QuickPresetsTest, CamSearchOnATwoLobeEngineLeavesTheLowSpeedLobeAlone) {
  BuildSimulatedVvtV8(doc_);
  int code = 0;
  ASSERT_TRUE(ApplyQuickPreset(doc_, QuickPreset::CamPower, phase1_, phase2_, code)) << code;
  EXPECT_EQ(phase1_.ActiveSlots(),
            (std::vector<int>{kSlotHighIvo, kSlotHighIvc, kSlotHighEvo, kSlotHighEvc}));
  CVexoDoc work(nullptr);
  TestPoint p;
  for (int i = 0; i < 7; ++i) ASSERT_TRUE(phase1_.NextTest(p));
  work.CopyFrom(doc_);
  phase1_.Apply(work, p);
  const CCamProfile& low = work.Engine().camshaft.lowSpeedLobe;
  const CCamProfile& base = doc_.Engine().camshaft.lowSpeedLobe;
  for (CamEvent e : {kIVO, kIVC, kEVO, kEVC}) {
    EXPECT_EQ(low.Event(TimingSet::Primary, e).GetValue(), base.Event(TimingSet::Primary, e).GetValue());
  }
  EXPECT_NE(work.Engine().camshaft.highSpeedLobe.Event(TimingSet::Primary, kEVO).GetValue(),
            doc_.Engine().camshaft.highSpeedLobe.Event(TimingSet::Primary, kEVO).GetValue());
}

TEST_F(QuickPresetsTest, PhaseTwoRecentresOnPhaseOnesBestEngine) {
  BuildSimulatedV8(doc_);
  int code = 0;
  ASSERT_TRUE(ApplyQuickPreset(doc_, QuickPreset::CamPower, phase1_, phase2_, code)) << code;
  EXPECT_FALSE(BeginPhase2(phase1_, phase2_, code));
  EXPECT_EQ(code, kErrNoBaseline);

  CVexoDoc better(nullptr);
  better.CopyFrom(doc_);
  better.Engine().camshaft.lowSpeedLobe.Event(TimingSet::Primary, kIVO).SetValue(30.0f);
  better.Engine().camshaft.lowSpeedLobe.Event(TimingSet::Primary, kEVC).SetValue(26.0f);
  phase1_.OfferResult(1.0f, 1, doc_.Engine());
  phase1_.OfferResult(2.0f, 2, better.Engine());
  ASSERT_TRUE(BeginPhase2(phase1_, phase2_, code)) << code;
  EXPECT_EQ(phase2_.Baseline(), phase1_.BestEngine());
  EXPECT_EQ(phase2_.Variable(kSlotLowIvo).Centre(), 30.0f);
  EXPECT_EQ(phase2_.Variable(kSlotLowIvo).Minimum(), 26.0f);
  EXPECT_EQ(phase2_.Variable(kSlotLowEvc).Maximum(), 30.0f);
  EXPECT_EQ(phase2_.TestsDone(), 0);
}

TEST_F(QuickPresetsTest, ProPresetsAndGroupModes) {
  BuildSimulatedV8(doc_);
  int code = 0;
  ASSERT_TRUE(ProDefaults(doc_, phase1_, phase2_, code)) << code;
  EXPECT_FALSE(IsDualPhase(phase2_));
  ProCamTimingPreset(doc_, phase1_, phase2_);
  SetGroupMode(SlotGroup::LowSpeedCam, GroupMode::Single, phase1_, phase2_);
  EXPECT_FALSE(IsDualPhase(phase2_));
  SetGroupMode(SlotGroup::LowSpeedCam, GroupMode::Dual, phase1_, phase2_);
  EXPECT_TRUE(IsDualPhase(phase2_));
  phase1_.Prepare();
  phase2_.Prepare();
  EXPECT_EQ(phase1_.TotalTests(), 7 * 7 * 7 * 7);
  EXPECT_EQ(phase2_.TotalTests(), 9 * 9 * 9 * 9);

  // "Induction" on manifold type 2: the other 18.
  std::vector<CPartTypeSpec> all;
  for (int item = 1; item <= 19; ++item) {
    CPartTypeSpec m("Manifold Type", 1, 19);
    m.SetSelection(item, "Manifold " + std::to_string(item));
    all.push_back(m);
  }
  ProInductionPreset(doc_, all, phase1_);
  SetGroupMode(SlotGroup::LowSpeedCam, GroupMode::Exclude, phase1_, phase2_);
  phase1_.Prepare();
  EXPECT_EQ(phase1_.TotalTests(), 18);
  EXPECT_FALSE(phase1_.ListContains(kSlotManifold, 2));
}

TEST_F(QuickPresetsTest, TwoPhaseSeriesRunsPhaseTwoAroundPhaseOnesBest) {
  BuildSimulatedV8(doc_);
  int code = 0;
  ASSERT_TRUE(ProDefaults(doc_, phase1_, phase2_, code)) << code;
  // A small bore search: 5 tests, then 5 around the best.
  for (Iterator* it : {&phase1_, &phase2_}) {
    it->SetVariable(kSlotBore, 4.0f, 0.1f, 0.05f);
    it->SetVariable(kSlotStroke, 3.48f, 0.0f, 0.05f);
    it->EnableGroup(SlotGroup::BoreStroke, true);
  }
  phase1_.Prepare();
  TwoPhaseSeries series(phase1_, phase2_, IsDualPhase(phase2_), 2);
  std::int64_t lastDone = 0;
  ASSERT_TRUE(series.Run(code, [&](const TwoPhaseSeries::Progress& p) { lastDone = p.done; })) << code;
  EXPECT_TRUE(series.IsFinished());
  EXPECT_EQ(lastDone, 10);
  EXPECT_EQ(&series.ResultPhase(), &phase2_);
  EXPECT_EQ(phase2_.Variable(kSlotBore).Centre(),
            phase1_.BestEngine()->Engine().bore.GetValue());
  EXPECT_TRUE(presenter_.Shown().empty());
}

}  // namespace
}  // namespace brisca
