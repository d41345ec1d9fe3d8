// Worked numbers of the cycle model's sub-models.
#include <gtest/gtest.h>

#include <cmath>

#include "core/sim/SimInputs.h"
#include "core/sim/submodels/CamCorrection.h"
#include "core/sim/submodels/ExhaustModel.h"
#include "core/sim/submodels/FlowCoefficients.h"
#include "core/sim/submodels/FuelModel.h"
#include "core/sim/submodels/GasProperties.h"
#include "core/sim/submodels/InductionRestriction.h"
#include "core/sim/submodels/PistonKinematics.h"
#include "core/sim/submodels/PowerMath.h"
#include "core/sim/submodels/RamTables.h"
#include "core/sim/submodels/TorqueCorrection.h"
#include "core/sim/submodels/ValveEvents.h"

namespace brisca {
namespace {

TEST(CrankStepTest, FixedTimeStepShortensForShortStrokes) {
  struct Case { float stroke, rpm, step; };
  const Case cases[] = {
      {3.5f, 10000.0f, 3.0f},   // 0.3·rpm/1000
      {3.0f, 1000.0f, 0.3f},
      {2.0f, 10000.0f, 2.0f},   // 0.1·S·rpm/1000
      {1.0f, 5000.0f, 0.5f},
      {0.8f, 10000.0f, 1.0f},   // 0.1·rpm/1000
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stroke);
    EXPECT_FLOAT_EQ(CrankStep(c.stroke, c.rpm), c.step);
  }
}

TEST(ValveEventsTest, NominalTimingMapsToCycleAngles) {
  SimInputs in;
  in.nominalIvo = 20.0f;
  in.nominalIvc = 60.0f;
  in.nominalEvo = 60.0f;
  in.nominalEvc = 20.0f;
  const ValveEvents seat = ValveEvents::FromInputs(in, 0.0f);
  EXPECT_FLOAT_EQ(seat.ivo, 340.0f);
  EXPECT_FLOAT_EQ(seat.ivc, 600.0f);
  EXPECT_FLOAT_EQ(seat.evo, 140.0f);  // 20° later than nominal
  EXPECT_FLOAT_EQ(seat.evc, 380.0f);

  // 0.050-inch timing at ramp rate 3 widens every event by 21°; advances shift them.
  const RampConstants ramp = RampConstants::ForRampRate(3.0f);
  EXPECT_FLOAT_EQ(ramp.widening, 21.0f);
  EXPECT_FLOAT_EQ(ramp.k, 1.54f);
  in.intakeAdvance = 4;
  in.exhaustAdvance = -2;
  const ValveEvents wide = ValveEvents::FromInputs(in, ramp.widening);
  EXPECT_FLOAT_EQ(wide.ivo, 340.0f - 21.0f - 4.0f);
  EXPECT_FLOAT_EQ(wide.ivc, 600.0f + 21.0f - 4.0f);
  EXPECT_FLOAT_EQ(wide.evo, 140.0f - 21.0f + 2.0f);
  EXPECT_FLOAT_EQ(wide.evc, 380.0f + 21.0f + 2.0f);
}

TEST(RampConstantsTest, PiecewiseByRampRate) {
  struct Case { float rate, k, widening; };
  const Case cases[] = {
      {1.0f, 1.46f, 34.0f}, {1.5f, 1.48f, 30.5f}, {2.0f, 1.50f, 27.0f}, {4.0f, 1.58f, 18.0f},
      {4.5f, 1.60f, 17.0f}, {5.0f, 1.62f, 16.0f}, {6.0f, 1.66f, 15.0f}, {0.5f, 1.44f, 20.5f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.rate);
    const RampConstants r = RampConstants::ForRampRate(c.rate);
    EXPECT_NEAR(r.k, c.k, 1e-6);
    EXPECT_NEAR(r.widening, c.widening, 1e-5);
  }
}

TEST(LiftProfileTest, FlankMeetsNoseAtArctangentAngle) {
  LiftProfile profile;
  ASSERT_TRUE(profile.Build(100.0f, 360.0f, 0.45f, 1.54f));  // H = 130 cam degrees
  EXPECT_NEAR(profile.flankEnd, 31.328f, 0.001f);
  EXPECT_NEAR(profile.noseEnd, 130.0f - 31.328f, 0.001f);
  const double atFlankEnd = 100.0 + 2.0 * profile.flankEnd;
  EXPECT_NEAR(profile.Lift(atFlankEnd), 0.21643, 2e-5);
  // Flank and nose agree where they meet, and the nose peaks at the cam's lift.
  EXPECT_NEAR(profile.Lift(atFlankEnd - 1e-4), profile.Lift(atFlankEnd + 1e-4), 1e-5);
  EXPECT_NEAR(profile.Lift(100.0 + 2.0 * profile.noseCentre), 0.45, 1e-5);
  // Symmetric about the nose centre; zero at the seat.
  EXPECT_NEAR(profile.Lift(150.0), profile.Lift(310.0), 1e-6);
  EXPECT_NEAR(profile.Lift(100.0), 1e-6, 1e-6);
}

TEST(LiftProfileTest, NegativeCosineGivesNegativeFlankAngle) {
  // A short duration with a high lift puts w below zero: the arctangent gives a
  // negative angle (the arccosine would give one 180° larger).
  LiftProfile profile;
  ASSERT_TRUE(profile.Build(0.0f, 80.0f, 0.5f, 1.54f));
  EXPECT_LT(profile.flankEnd, 0.0f);
  EXPECT_GT(profile.flankEnd, -90.0f);
}

TEST(LiftProfileTest, EventWithoutDurationHasNoSolution) {
  LiftProfile profile;
  // Zero duration degenerates the construction: w lands just outside −1..1.
  EXPECT_FALSE(profile.Build(340.0f, 340.0f, 0.5f, 1.54f));
}

// Flows chosen so that Cd = 0.6, 0.55, 0.5, 0.45 at 0.1..0.4 in.
FlowCoefficients MakeCoefficients() {
  const double k = std::sqrt(423.943 * 28.0) * (2.0 / 12.0) * 618.26544;
  std::array<float, 10> lifts{0.1f, 0.2f, 0.3f, 0.4f};
  std::array<float, 10> flows{};
  const double cd[] = {0.6, 0.55, 0.5, 0.45};
  for (int j = 0; j < 4; ++j) flows[j] = static_cast<float>(cd[j] * k * lifts[j] / 12.0);
  FlowCoefficients c;
  EXPECT_TRUE(c.Build(2.0f, 28.0f, lifts, flows));
  return c;
}

TEST(FlowCoefficientsTest, InterpolatesBetweenAndExtendsBeyondTestLifts) {
  const FlowCoefficients c = MakeCoefficients();
  struct Case { double lift, cd; };
  const Case cases[] = {
      {0.0, 1.0},     // zero lift
      {0.05, 0.8},    // halfway from 1.0 to Cd[0]
      {0.1, 0.6},     // exactly at a test lift
      {0.25, 0.525},  // between test lifts
      {0.4, 0.45},    // the last test lift
      {0.5, 0.40},    // last segment extended
  };
  for (const Case& cs : cases) {
    SCOPED_TRACE(cs.lift);
    EXPECT_NEAR(c.At(cs.lift), cs.cd, 1e-5);
  }
  EXPECT_FLOAT_EQ(c.coefficient[4], 0.0f);  // unused points
}

TEST(FlowCoefficientsTest, NegativeTestDepressionFails) {
  FlowCoefficients c;
  EXPECT_FALSE(c.Build(2.0f, -1.0f, {}, {}));
}

TEST(EffectiveAreaTest, ClampsAndPressureRatioCorrection) {
  const FlowCoefficients c = MakeCoefficients();
  const double lift = 0.1, diameter = 2.0;
  const double pi = 3.1415927;
  EXPECT_NEAR(ExhaustEffectiveArea(c, lift, diameter), lift * 0.6 * diameter * pi, 1e-6);
  // At equal pressures the intake keeps its bench coefficient.
  EXPECT_NEAR(IntakeEffectiveArea(c, lift, diameter, 1.0), lift * 0.6 * diameter * pi, 1e-6);
  // Below the lower clamp (a strong reverse ratio) the coefficient is 0.43.
  EXPECT_NEAR(IntakeEffectiveArea(c, lift, diameter, -5.0), lift * 0.43 * diameter * pi, 1e-6);
  // Above the critical ratio the second branch applies.
  const double q = 1.8929 / 3.0, cd = 0.6, delta = (1 - cd) * (cd - 0.1);
  const double expected = (1 - q * q) * (0.27 - 0.1 * cd) * (1 - cd) + cd + 0.7 * delta;
  EXPECT_NEAR(IntakeEffectiveArea(c, lift, diameter, 3.0), lift * expected * diameter * pi, 1e-6);
}

TEST(InductionRestrictionTest, RatedFlowDropsByRatingDepression) {
  // An engine of 345.6 in³ at 10000 rpm and 100 % VE draws 1000 cfm.
  const float k15 = InductionRestriction(1000, 4, 1);
  const float k30 = InductionRestriction(1000, 2, 1);
  EXPECT_NEAR(ManifoldPressureDrop(345.6, 10000.0, 100.0, k15), 0.7575, 5e-4);
  EXPECT_NEAR(ManifoldPressureDrop(345.6, 10000.0, 100.0, k30), 1.5145, 5e-4);
  // Stacks and individual runners pass a quarter of the rating.
  EXPECT_FLOAT_EQ(InductionRestriction(1000, 4, 15), k15 * 0.25f);
  EXPECT_FLOAT_EQ(InductionRestriction(1000, 4, 14), k15);
}

TEST(RamTablesTest, SingleValveCorrectionAndExhaustCap) {
  EXPECT_FLOAT_EQ(RamAmplitude(11, 1, 14), 13.9f);  // 7500 rpm: 9.5 + 4.4
  EXPECT_FLOAT_EQ(RamAmplitude(11, 2, 14), 9.5f);
  EXPECT_FLOAT_EQ(RamAmplitude(17, 2, 0), 0.0f);
  EXPECT_FLOAT_EQ(RamAmplitude(17, 1, 14), 10.3f * 1.3f);  // type 17 defines no correction
  EXPECT_FLOAT_EQ(RamAmplitude(1, 1, 28), 2.033f);
  EXPECT_FLOAT_EQ(RamAmplitude(10, 1, 20), 0.233f);
  EXPECT_FLOAT_EQ(RamAmplitude(19, 1, 28), 6.5f * 1.15f);
  EXPECT_FLOAT_EQ(SingleValveRamValue(7, 1), -1.0f);
  EXPECT_FLOAT_EQ(SingleValveRamValue(15, 28), 14.8f);

  ExhaustParameters params;
  float ram = 9.0f;
  ApplyExhaustSystem(1, 6000.0f, params, ram);  // stock manifolds: cap 5, slope 0.25
  EXPECT_FLOAT_EQ(ram, 6.0f);
  EXPECT_FLOAT_EQ(params.basePressure, 37.0f);
  ram = 20.0f;
  ApplyExhaustSystem(9, 6000.0f, params, ram);  // open large-tube headers: no cap
  EXPECT_FLOAT_EQ(ram, 20.0f);
  ApplyExhaustSystem(10, 5000.0f, params, ram);  // stepped headers below 5500 rpm
  EXPECT_NEAR(params.basePressure, 19.2 + 3.0 * 500.0 / 5000.0, 1e-5);
  ApplyExhaustSystem(11, 5000.0f, params, ram);  // unknown system leaves all as they were
  EXPECT_NEAR(params.basePressure, 19.5, 1e-5);
}

TEST(FuelModelTest, HeatingValueAndChargeHeatingByFuel) {
  struct Case { int fuel; float rpm, heatingValue, chargeTemperature; };
  const Case cases[] = {
      {3, 3000.0f, 19000.0f, 600.0f + 70.0f - 38.16f},   // gasoline with 25 HP nitrous
      {3, 5500.0f, 19000.0f, 600.0f},                    // gasoline from 5500 rpm up
      {12, 3000.0f, 19800.0f, 600.0f},                   // methanol with 25 HP nitrous
      {19, 3000.0f, 19100.0f, 600.0f},
      {20, 5500.0f, 18600.0f, 600.0f + 90.0f - 69.96f},  // propane up to and including 5500
      {21, 6000.0f, 18839.0f, 620.0f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fuel);
    EXPECT_FLOAT_EQ(FuelModel::HeatingValue(c.fuel), c.heatingValue);
    EXPECT_NEAR(FuelModel::ChargeTemperature(600.0f, c.fuel, c.rpm), c.chargeTemperature, 1e-3);
  }
  EXPECT_FLOAT_EQ(FuelModel::MixtureRatio(3.0f), 12.2f);
  EXPECT_FLOAT_EQ(FuelModel::MixtureRatio(4.5f), 11.7f);
}

TEST(GasPropertiesTest, InternalEnergyIsIntegralOfCv) {
  for (double t : {500.0, 1000.0, 2000.0, 3000.0}) {
    const double h = 0.01;
    // The two polynomials carry their coefficients to five figures.
    EXPECT_NEAR((gas::U(t + h) - gas::U(t - h)) / (2 * h), gas::Cv(t), 1e-6) << t;
  }
}

TEST(GasPropertiesTest, SinglePrecisionFollowsDouble) {
  // The crank-angle loop's c_v and u, and u − T·c_v, which it forms from them.
  for (float t = 300.0f; t < 5000.0f; t += 17.3f) {
    EXPECT_NEAR(gas::CvSingle(t), gas::Cv(t), 5e-7 * gas::Cv(t)) << t;
    EXPECT_NEAR(gas::USingle(t), gas::U(t), 5e-7 * gas::U(t)) << t;
    EXPECT_NEAR(t * gas::CvSingle(t) - gas::USingle(t), t * gas::Cv(t) - gas::U(t), 1e-6 * gas::U(t)) << t;
  }
}

TEST(PistonKinematicsTest, VolumeSpansClearanceToFullAndRateIsDerivative) {
  const float bore = 4.0f, stroke = 3.48f, rod = 5.7f, clearance = 5.0f;
  const PistonKinematics kin(bore, stroke, rod, clearance);
  const double swept = bore * bore * 0.7853982 * stroke;
  EXPECT_NEAR(kin.Volume(0.0), clearance, 1e-9);
  EXPECT_NEAR(kin.Volume(180.0), clearance + swept, 1e-4);
  EXPECT_NEAR(kin.Volume(720.0), clearance, 1e-9);
  for (double theta : {30.0, 90.0, 200.0, 400.0}) {
    const double numeric = (kin.Volume(theta + 1e-4) - kin.Volume(theta - 1e-4)) / 2e-4;
    EXPECT_NEAR(kin.At(theta).volumeRate, numeric, 1e-5) << theta;
  }
}

TEST(PowerMathTest, NitrousHorsepowerAsMeanPressure) {
  EXPECT_NEAR(MepFromHorsepower(100.0, 122.0, 6000.0), 108.2, 0.05);
  EXPECT_NEAR(HorsepowerFromMep(108.2, 122.0, 6000.0), 100.0, 0.05);
}

TEST(CamCorrectionTest, DurationDifferenceCostsPowerAtSpeed) {
  SimInputs in;  // centrelines 110° and 98°: no centreline correction
  in.nominalIvo = 20.0f;
  in.nominalIvc = 60.0f;
  in.nominalEvo = 48.0f;
  in.nominalEvc = 44.0f;  // 12° longer than the intake: within the threshold
  CamCorrection equal;
  EXPECT_FLOAT_EQ(equal.Apply(in, 14, 100.0f), 100.0f);

  in.nominalEvo = 60.0f;  // 24° longer
  CamCorrection wide;
  EXPECT_NEAR(wide.Apply(in, 14, 100.0f), 95.0f, 1e-4);  // 1 − 0.5·15·0.006666667
  EXPECT_NEAR(wide.Apply(in, 20, 100.0f), 95.0f, 1e-4);  // n stays at 15 above 7500 rpm
  CamCorrection low;
  EXPECT_NEAR(low.Apply(in, 1, 100.0f), 100.0f * (1 - 0.5 * 2 * 0.006666667), 1e-4);

  in.timing050 = 1;  // 0.050-inch figures: threshold 8°
  CamCorrection at050;
  EXPECT_NEAR(at050.Apply(in, 14, 100.0f), 100.0f * (1 - (1 - 8.0 / 24.0) * 15 * 0.0046666665), 1e-4);
}

TEST(CamCorrectionTest, LateCentrelinesCostPower) {
  SimInputs in;  // intake centreline (100 + 900 − 10)/2 − 360 = 135°
  in.nominalIvo = 10.0f;
  in.nominalIvc = 100.0f;
  in.nominalEvo = 100.0f;
  in.nominalEvc = 10.0f;  // exhaust centreline 360 − 225 = 135°; durations equal
  CamCorrection both;
  // Both above 115: Z = Σ − 115 = 155.
  EXPECT_NEAR(both.Apply(in, 14, 100.0f), 100.0f * (1 - (1 - 115.0 / 155.0) * 15 * 0.06666667), 1e-3);
  in.nominalEvo = 60.0f;
  in.nominalEvc = 50.0f;  // exhaust centreline 95°, durations equal: Z = intake centreline
  CamCorrection intakeOnly;
  EXPECT_NEAR(intakeOnly.Apply(in, 14, 100.0f), 100.0f * (1 - (1 - 115.0 / 135.0) * 15 * 0.06666667), 1e-3);
}

TEST(TorqueCorrectionTest, FallingFactorThresholds) {
  struct Case { float ratio, factor; };
  const Case cases[] = {
      {1.0f, 1.0f},   {1.009f, 1.0f},   {1.01f, 1.01f},   {1.045f, 1.02f}, {1.10f, 1.04f},
      {1.115f, 1.045f}, {1.17f, 1.02f}, {1.18f, 1.01f},   {1.1801f, 1.0f}, {2.0f, 1.0f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ratio);
    EXPECT_FLOAT_EQ(TorqueCorrection::FallingFactor(c.ratio), c.factor);
  }
}

TEST(TorqueCorrectionTest, FirstPointRisesThenSmoothsWithPrevious) {
  TorqueCorrection tc;
  // First point: b = (0 + 0.5)/2 = 0.25, F1 = 0.965 + P_f·0.1/b² capped at 1.3,
  // averaged with 1.3; F2 = 1 for manifold type 1, averaged with 1.
  const float hp = tc.Apply(100.0f, 1000.0f, 80.0f, 1, 1);
  EXPECT_NEAR(hp, 130.0f, 1e-4);
  // A negative brake power gives F1 = 1.045.
  TorqueCorrection negative;
  EXPECT_NEAR(negative.Apply(-10.0f, 1000.0f, 80.0f, 1, 1), -10.0f * (1.045f + 1.3f) / 2.0f, 1e-4);
}

}  // namespace
}  // namespace brisca
