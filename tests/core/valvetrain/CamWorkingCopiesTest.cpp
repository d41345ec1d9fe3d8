#include <gtest/gtest.h>

#include <cmath>

#include "core/valvetrain/Cam.h"
#include "core/valvetrain/CamLobeShape.h"
#include "core/valvetrain/CamWorkingCopies.h"
#include "tests/core/valvetrain/CamTestSupport.h"
#include "tests/support/ScriptedPresenter.h"
#include "tests/support/TempDir.h"

namespace brisca {
namespace {

using testing_support::BuiltInCam;
using testing_support::kStockStreetCommand;
using testing_support::kVvtStreetCommand;

float Value(const CFloatPtSpec& spec) {
  EXPECT_TRUE(spec.IsValid()) << spec.GetLabel();
  return spec.GetValue();
}

const CFloatPtSpec& Primary(const CCamProfile& p, CamEvent e) { return p.Event(TimingSet::Primary, e); }

class CamWorkingCopiesTest : public testing::Test {
 protected:
  void SetUp() override { copies_.Load(BuiltInCam(kStockStreetCommand)); }

  CCamProfile& Seat() { return copies_.Copy(kLowSpeedLobe, kSeatToSeat); }
  CCamProfile& Fifty() { return copies_.Copy(kLowSpeedLobe, kFiftyThou); }

  CamWorkingCopies copies_;
};

TEST_F(CamWorkingCopiesTest, LoadingGivesEachConventionItsOwnDurations) {
  EXPECT_EQ(copies_.View(), kSeatToSeat);
  EXPECT_FLOAT_EQ(Value(Seat().IntakeDuration()), 252.0f);
  EXPECT_FLOAT_EQ(Value(Seat().ExhaustDuration()), 261.0f);
  EXPECT_FLOAT_EQ(Value(Fifty().IntakeDuration()), 200.0f);
  EXPECT_FLOAT_EQ(Value(Fifty().ExhaustDuration()), 206.0f);
  EXPECT_EQ(Fifty().Method(TimingSet::Primary).GetValue(), kFiftyThou);
  EXPECT_FALSE(copies_.AnyModified());

  // Switching the view only changes which copy is shown, and marks the lobe.
  copies_.SetView(kFiftyThou);
  EXPECT_FLOAT_EQ(Value(copies_.Shown().IntakeDuration()), 200.0f);
  EXPECT_FLOAT_EQ(Value(Seat().IntakeDuration()), 252.0f);
  EXPECT_TRUE(Seat().IsModified() && Fifty().IsModified());
  EXPECT_FALSE(copies_.Copy(kHighSpeedLobe, kSeatToSeat).IsModified());
}

TEST_F(CamWorkingCopiesTest, MergingKeepsBothConventionsOfTheViewedCopy) {
  copies_.SetView(kFiftyThou);
  const CCamProfile merged = copies_.Merged(kLowSpeedLobe);
  EXPECT_EQ(merged.Method(TimingSet::Primary).GetValue(), kFiftyThou);
  EXPECT_EQ(merged.Method(TimingSet::Secondary).GetValue(), kSeatToSeat);
  EXPECT_FLOAT_EQ(Value(Primary(merged, kIVO)), -6.0f);
  EXPECT_FLOAT_EQ(Value(merged.Event(TimingSet::Secondary, kIVO)), 20.0f);
  EXPECT_FLOAT_EQ(Value(merged.Event(TimingSet::Secondary, kEVC)), 18.0f);
}

TEST_F(CamWorkingCopiesTest, CamWithoutTypeLoadsAsCustomInAllFourCopies) {
  CCamshaft bare;
  copies_.Load(bare);
  for (int lobe : {kLowSpeedLobe, kHighSpeedLobe})
    for (int method : {kSeatToSeat, kFiftyThou}) {
      EXPECT_EQ(copies_.Copy(lobe, method).CamType().GetValue(), kCustomCamTypeCode);
      EXPECT_EQ(copies_.Copy(lobe, method).CamType().GetName(), "Custom");
    }
}

TEST_F(CamWorkingCopiesTest, EachLobeKeepsItsOwnCamTypeInBothCopies) {
  // A two-lobe cam: each lobe's type sets its automatic lift factor.
  const CCamshaft twoLobe = BuiltInCam(kVvtStreetCommand);
  // A hand-made camshaft whose high-speed lobe has no type of its own.
  CCamshaft untypedHigh = BuiltInCam(kStockStreetCommand);
  untypedHigh.highSpeedLobe.CamType().Unassign();
  const struct {
    const char* name;
    const CCamshaft& camshaft;
    int lowCode;
    int highCode;
  } cases[] = {
      {"two-lobe", twoLobe, twoLobe.lowSpeedLobe.CamType().GetValue(),
       twoLobe.highSpeedLobe.CamType().GetValue()},
      {"untyped high-speed lobe", untypedHigh, untypedHigh.lowSpeedLobe.CamType().GetValue(),
       untypedHigh.lowSpeedLobe.CamType().GetValue()},
  };
  ASSERT_NE(cases[0].lowCode, cases[0].highCode);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    copies_.Load(c.camshaft);
    for (int method : {kSeatToSeat, kFiftyThou}) {
      EXPECT_EQ(copies_.Copy(kLowSpeedLobe, method).CamType().GetValue(), c.lowCode);
      EXPECT_EQ(copies_.Copy(kHighSpeedLobe, method).CamType().GetValue(), c.highCode);
    }
    CCamshaft merged;
    copies_.MergeInto(merged);
    EXPECT_EQ(merged.highSpeedLobe.CamType().GetValue(), c.highCode);
  }
  // Loaded and merged back unchanged, a two-lobe cam is the same cam.
  copies_.Load(twoLobe);
  CCamshaft merged;
  copies_.MergeInto(merged);
  EXPECT_EQ(testing_support::CamText(merged), testing_support::CamText(twoLobe));
}

TEST_F(CamWorkingCopiesTest, RenamingMakesACustomCamInAllFourCopies) {
  ASSERT_TRUE(copies_.Rename("My Grind"));
  for (int lobe : {kLowSpeedLobe, kHighSpeedLobe})
    for (int method : {kSeatToSeat, kFiftyThou}) {
      const CCamProfile& copy = copies_.Copy(lobe, method);
      EXPECT_EQ(copy.CamType().GetValue(), kCustomCamTypeCode);
      EXPECT_EQ(copy.CamType().GetName(), "My Grind");
      EXPECT_TRUE(copy.IsModified());
    }
  EXPECT_FALSE(copies_.Rename(""));
  EXPECT_EQ(Seat().CamType().GetName(), "My Grind");
}

TEST_F(CamWorkingCopiesTest, AutoCalcGivesBothCopiesTheComputedRate) {
  ASSERT_TRUE(copies_.AutoRampRate());
  EXPECT_NEAR(Value(Seat().RampRate()), 2.83f, 0.005f);
  EXPECT_FLOAT_EQ(Value(Fifty().RampRate()), Value(Seat().RampRate()));
  EXPECT_TRUE(Seat().AutoRampRateOn() && Fifty().AutoRampRateOn());
  EXPECT_TRUE(Seat().IsModified());
}

// Leaving an automatic ramp rate is an edit like choosing one: the copies no
// longer match their cam file and the document must know it changed.
TEST_F(CamWorkingCopiesTest, ManualAfterAutomaticMarksTheLobe) {
  CCamshaft cam = BuiltInCam(kStockStreetCommand);
  cam.lowSpeedLobe.SetAutoRampRate(true);
  copies_.Load(cam);
  ASSERT_TRUE(Seat().AutoRampRateOn());
  ASSERT_FALSE(copies_.AnyModified());
  copies_.ManualRampRate();
  EXPECT_TRUE(Seat().IsModified() && Fifty().IsModified());
  EXPECT_FALSE(copies_.Copy(kHighSpeedLobe, kSeatToSeat).IsModified());
  copies_.ClearModified();
  copies_.ManualRampRate();  // already manual: nothing changes
  EXPECT_FALSE(copies_.AnyModified());
}

TEST_F(CamWorkingCopiesTest, AutoCalcWithoutBothConventionsUnassignsAndManualRestores) {
  // The remembered manual rate lies in 1..6, outside a 0..1 range.
  copies_.SetRampRateFromSlider(SliderPositionOfRampRate(4.5f));
  Fifty().Event(TimingSet::Primary, kIVC).Unassign();
  EXPECT_FALSE(copies_.AutoRampRate());
  EXPECT_FALSE(Seat().RampRate().IsValid());
  EXPECT_FALSE(Fifty().RampRate().IsValid());
  copies_.ManualRampRate();
  EXPECT_FALSE(Seat().AutoRampRateOn() || Fifty().AutoRampRateOn());
  EXPECT_FLOAT_EQ(Value(Seat().RampRate()), 4.5f);
  EXPECT_FLOAT_EQ(Value(Fifty().RampRate()), 4.5f);
}

TEST(CamRampSlider, PositionsMapToRatesTopDown) {
  struct Case {
    int position;
    float rate;
  };
  for (const Case& c : {Case{10, 6.0f}, Case{20, 5.0f}, Case{45, 2.5f}, Case{60, 1.0f}}) {
    EXPECT_FLOAT_EQ(RampRateAtSliderPosition(c.position), c.rate) << c.position;
    EXPECT_EQ(SliderPositionOfRampRate(c.rate), c.position) << c.rate;
  }
  EXPECT_EQ(SliderPositionOfRampRate(2.83f), 42);
}

TEST_F(CamWorkingCopiesTest, OversizeIntakeDurationLosesIntakeEventsWith106) {
  Seat().IntakeDuration().SetValue(400.0f);
  const std::vector<int> errors = copies_.CardAccepted(kSeatToSeat, false);
  EXPECT_EQ(errors, std::vector<int>{106});
  EXPECT_FALSE(Primary(Seat(), kIVC).IsValid());
  EXPECT_TRUE(Primary(Seat(), kEVO).IsValid());
  EXPECT_TRUE(Primary(Seat(), kEVC).IsValid());
}

TEST_F(CamWorkingCopiesTest, SharedCardValueGoesToTheOtherConventionUnchanged) {
  Seat().LobeCenterAngle().SetValue(112.0f);
  Seat().IntakeLift().SetValue(0.55f);
  EXPECT_TRUE(copies_.CardAccepted(kSeatToSeat, true).empty());
  EXPECT_FLOAT_EQ(Value(Fifty().LobeCenterAngle()), 112.0f);
  EXPECT_FLOAT_EQ(Value(Fifty().IntakeLift()), 0.55f);
  // The seat-to-seat events follow the card: 2 x 112 - 106 = 118 exhaust centreline.
  EXPECT_FLOAT_EQ(Value(Primary(Seat(), kEVC)), 261.0f / 2.0f - 118.0f);
}

TEST_F(CamWorkingCopiesTest, VariableValveTimingAndLobeControlsMarkAllCopies) {
  copies_.Load(BuiltInCam(kVvtStreetCommand));
  EXPECT_TRUE(copies_.VariableValveTiming());
  copies_.SetLobe(kHighSpeedLobe);
  EXPECT_TRUE(copies_.Copy(kLowSpeedLobe, kFiftyThou).IsModified());
  EXPECT_FLOAT_EQ(Value(copies_.Shown().IntakeLift()), 0.459f);
  copies_.ClearModified();
  copies_.ChooseActivationRpm(6000.0f);
  EXPECT_FLOAT_EQ(Value(copies_.ActivationRpm()), 6000.0f);
  EXPECT_FALSE(copies_.AutoActivationRpm());
  EXPECT_TRUE(copies_.Copy(kHighSpeedLobe, kSeatToSeat).IsModified());
  copies_.SetVariableValveTiming(false);
  EXPECT_EQ(copies_.Lobe(), kLowSpeedLobe);
}

TEST_F(CamWorkingCopiesTest, ClearResetsToACustomSeatToSeatCam) {
  copies_.SetView(kFiftyThou);
  copies_.Clear();
  EXPECT_EQ(copies_.View(), kSeatToSeat);
  EXPECT_EQ(Seat().CamType().GetName(), "Custom");
  EXPECT_EQ(Seat().Method(TimingSet::Secondary).GetValue(), kFiftyThou);
  EXPECT_EQ(Fifty().Method(TimingSet::Primary).GetValue(), kFiftyThou);
  EXPECT_FALSE(Primary(Seat(), kIVO).IsValid());
  EXPECT_FALSE(copies_.ActivationRpm().IsValid());
  EXPECT_TRUE(copies_.FileName().empty());
  int code = 0;
  EXPECT_FALSE(copies_.Validate(code));
  EXPECT_EQ(code, kErrCamLifterType);
}

TEST_F(CamWorkingCopiesTest, ValidationEndsWithTheActivationSpeed) {
  copies_.Load(BuiltInCam(kVvtStreetCommand));
  int code = 0;
  EXPECT_TRUE(copies_.Validate(code));
  copies_.Load([] {
    CCamshaft cam = BuiltInCam(kVvtStreetCommand);
    cam.activationRpm.Unassign();
    return cam;
  }());
  EXPECT_FALSE(copies_.Validate(code));
  EXPECT_EQ(code, kErrCamActivationRpm);
}

TEST_F(CamWorkingCopiesTest, SaveAndOpenClearTheMarksAndKeepTheFile) {
  TempDir temp("brisca-camcopies");
  copies_.SetText(kCamManufacturer, "Grinder Co");
  ASSERT_TRUE(copies_.AnyModified());
  ASSERT_TRUE(copies_.Save(temp.Path() / "stock.qcm"));
  EXPECT_FALSE(copies_.AnyModified());
  EXPECT_EQ(copies_.FileName(), "stock.qcm");

  CamWorkingCopies opened;
  ASSERT_TRUE(opened.Open(temp.Path(), "stock.qcm", true));
  EXPECT_TRUE(opened.LoadedFromFile());
  EXPECT_EQ(opened.Copy(kLowSpeedLobe, kFiftyThou).Text(kCamManufacturer), "Grinder Co");
  EXPECT_NEAR(Value(opened.Copy(kLowSpeedLobe, kSeatToSeat).IntakeLift()), 0.51f * 25.4f, 0.01f);
  EXPECT_FALSE(opened.AnyModified());
}

TEST(CamLobeShape, FiftyThouCurvePassesThroughFiftyThouAtItsEvents) {
  for (bool metric : {false, true}) {
    const double lift = metric ? 0.51 * 25.4 : 0.51;
    const double atFifty = metric ? 1.27 : 0.05;
    const double open = 354.0;  // 360 - (-6)
    const double close = 566.0;
    const std::vector<LobePoint> curve = LobeShape(open, close, lift, 2.83, kFiftyThou, metric);
    ASSERT_EQ(curve.size(), static_cast<std::size_t>(kLobeShapePoints));
    EXPECT_LT(curve.front().angle, open - 10.0);
    EXPECT_DOUBLE_EQ(curve.front().lift, 0.0);
    EXPECT_DOUBLE_EQ(curve.back().lift, 0.0);
    // The lift at the opening angle, between the two points around it.
    for (double at : {open, close}) {
      for (std::size_t i = 1; i < curve.size(); ++i) {
        if (curve[i].angle < at) continue;
        const LobePoint& a = curve[i - 1];
        const LobePoint& b = curve[i];
        const double y = a.lift + (b.lift - a.lift) * (at - a.angle) / (b.angle - a.angle);
        EXPECT_NEAR(y, atFifty, atFifty * 0.03) << (metric ? "mm " : "in ") << at;
        break;
      }
    }
    const double peak = curve[20].lift;
    EXPECT_NEAR(peak, lift, lift * 0.02);
  }
}

TEST(CamLobeShape, HiddenCurvesAndLiftScale) {
  CCamshaft cam = BuiltInCam(kStockStreetCommand);
  CCamProfile& lobe = cam.lowSpeedLobe;
  TimingCurves curves = ProfileTimingCurves(lobe);
  ASSERT_EQ(curves.intake.size(), static_cast<std::size_t>(kLobeShapePoints));
  EXPECT_DOUBLE_EQ(curves.intake.front().angle, 340.0);
  EXPECT_DOUBLE_EQ(curves.intake.back().angle, 592.0);
  EXPECT_DOUBLE_EQ(curves.exhaust.front().angle, 117.0);
  LiftScale scale = TimingLiftScale(lobe);
  EXPECT_DOUBLE_EQ(scale.min, 0.0);
  EXPECT_DOUBLE_EQ(scale.max, 1.0);

  lobe.RampRate().Unassign();
  curves = ProfileTimingCurves(lobe);
  EXPECT_TRUE(curves.intake.empty() && curves.exhaust.empty());
  lobe.RampRate().SetValue(3.0f);
  lobe.ExhaustLift().Unassign();
  curves = ProfileTimingCurves(lobe);
  EXPECT_FALSE(curves.intake.empty());
  EXPECT_TRUE(curves.exhaust.empty());

  lobe.IntakeLift().SetValue(0.9f);
  lobe.SetUnits(false);
  cam.SetTimingMethod(kFiftyThou);
  scale = TimingLiftScale(lobe);
  EXPECT_DOUBLE_EQ(scale.min, 0.05);
  EXPECT_DOUBLE_EQ(scale.max, 1.6);
  EXPECT_DOUBLE_EQ(scale.step, 0.2);
  lobe.SetUnits(true);  // 22.86 mm
  scale = TimingLiftScale(lobe);
  EXPECT_DOUBLE_EQ(scale.min, 1.27);
  EXPECT_DOUBLE_EQ(scale.max, 40.0);
}

}  // namespace
}  // namespace brisca
