#include "core/results/MeasuredDeviation.h"

#include <gtest/gtest.h>

namespace brisca {
namespace {

// A simulated curve at 2000, 3000 and 4000 rpm: 100, 200, 300 HP; 262.6, 350.1, 393.9 lb-ft.
ResultSet Curve() {
  ResultSet set;
  set.count = 3;
  const float rpm[] = {2000, 3000, 4000};
  const float power[] = {100, 200, 300};
  const float torque[] = {262.6f, 350.1f, 393.9f};
  for (int k = 0; k < 3; ++k) {
    set.rpm[k] = rpm[k];
    set.power[k] = power[k];
    set.torque[k] = torque[k];
  }
  return set;
}

MeasuredRun Pull(std::initializer_list<MeasuredPoint> points) {
  MeasuredRun run;
  run.points = points;
  return run;
}

// Worked by hand: at 2500 rpm the curve gives 150 HP (halfway), the pull 153:
// Δ +3, +2 %; at 3000 exactly 200 against 196: Δ −4, −2 %; at 4000 300 against 303:
// Δ +3, +1 %. RMS √((9+16+9)/3) = 3.3665 HP, √((4+4+1)/3) = 1.7321 %; largest −4 at 3000.
// 1500 and 4500 rpm lie outside the curve and are left out.
TEST(MeasuredDeviationTest, PointsAgainstTheInterpolatedCurveWithRmsAndLargest) {
  const MeasuredRun pull = Pull({{1500, 40, 140}, {2500, 153, 300}, {3000, 196, 350.1},
                                 {4000, 303, 393.9}, {4500, 310, 360}});
  const MeasuredDeviation deviation = CompareMeasured(Curve(), pull, TestConditions{});
  EXPECT_EQ(deviation.pointsCompared, 3);
  EXPECT_EQ(deviation.pointsOutside, 2);
  EXPECT_FALSE(deviation.corrected);
  ASSERT_EQ(deviation.power.points.size(), 3u);
  const double rpm[] = {2500, 3000, 4000};
  const double simulated[] = {150, 200, 300};
  const double delta[] = {3, -4, 3};
  const double percent[] = {2, -2, 1};
  for (int i = 0; i < 3; ++i) {
    const DeviationPoint& p = deviation.power.points[i];
    EXPECT_EQ(p.rpm, rpm[i]);
    EXPECT_NEAR(p.simulated, simulated[i], 1e-9);
    EXPECT_NEAR(p.delta, delta[i], 1e-9);
    EXPECT_NEAR(p.deltaPercent, percent[i], 1e-9);
  }
  EXPECT_NEAR(deviation.power.rms, 3.36650, 1e-5);
  EXPECT_NEAR(deviation.power.rmsPercent, 1.73205, 1e-5);
  EXPECT_NEAR(deviation.power.largest, -4.0, 1e-9);
  EXPECT_NEAR(deviation.power.largestPercent, -2.0, 1e-9);
  EXPECT_EQ(deviation.power.largestRpm, 3000.0);
  // Torque at 2500: halfway between 262.6 and 350.1 is 306.35; the pull's 300 is 6.35 under.
  EXPECT_NEAR(deviation.torque.points[0].delta, -6.35, 1e-4);
  EXPECT_NEAR(deviation.torque.points[1].delta, 0.0, 1e-4);

  // No simulated points or no overlap: nothing compared, nothing divided by zero.
  const MeasuredDeviation none = CompareMeasured(ResultSet{}, pull, TestConditions{});
  EXPECT_EQ(none.pointsCompared, 0);
  EXPECT_EQ(none.power.rms, 0.0);
}

// Without a stated weather the pull meets the curve as displayed; with one,
// both are corrected to the standard (J1349 when none is chosen).
TEST(MeasuredDeviationTest, ComparesBothSidesInOneAir) {
  const MeasuredRun plain = Pull({{3000, 200, 350.1}});
  TestConditions din;
  din.standard = CorrectionStandard::Din70020;
  const MeasuredDeviation displayed = CompareMeasured(Curve(), plain, din);
  EXPECT_NEAR(displayed.power.points[0].simulated, 200 * DisplayScale(din), 1e-9);
  EXPECT_NEAR(displayed.power.points[0].measured, 200, 1e-9);

  MeasuredRun weathered = plain;
  weathered.weather.weatherGiven = true;
  weathered.weather.barometerInHg = 29.52;
  weathered.weather.temperatureF = 75;
  weathered.weather.humidityPercent = 40;
  const MeasuredDeviation corrected = CompareMeasured(Curve(), weathered, TestConditions{});
  EXPECT_TRUE(corrected.corrected);
  EXPECT_EQ(corrected.standard, CorrectionStandard::SaeJ1349);
  // J1349: the model's air 0.97591, the pull's 1.00041 (see the conditions' table).
  EXPECT_NEAR(corrected.power.points[0].simulated, 200 * 0.97591, 1e-2);
  EXPECT_NEAR(corrected.power.points[0].measured, 200 * 1.00041, 1e-2);
}

}  // namespace
}  // namespace brisca
