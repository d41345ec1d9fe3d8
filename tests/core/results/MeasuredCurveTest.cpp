#include "core/results/MeasuredCurve.h"

#include <gtest/gtest.h>

#include "core/results/ChartItems.h"

namespace brisca {
namespace {

MeasuredRun Pull() {
  MeasuredRun run;
  run.name = "pull.csv";
  run.points = {{2000, 100, 262.6}, {3000, 200, 350.1}, {4000, 300, 393.9}};
  return run;
}

// Which curves a chart gets: one per power or torque curve of the Y item, on
// an X item the run measured; wheel, lobe and other items get none.
TEST(MeasuredCurveTest, CurvesForTheChartItems) {
  struct Case {
    const char* name;
    int x;
    int y;
    std::vector<int> items;
  };
  const Case cases[] = {
      {"power over speed", kItemEngineSpeed, kItemPower, {kItemPower}},
      {"torque over speed", kItemEngineSpeed, kItemTorque, {kItemTorque}},
      {"power and torque combo", kItemEngineSpeed, kItemPowerTorqueCombo, {kItemPower, kItemTorque}},
      {"power combo keeps its power member", kItemEngineSpeed, 19, {kItemPower}},
      {"wheel power is not measured", kItemEngineSpeed, kItemWheelPower, {}},
      {"wheel torque is not measured", kItemEngineSpeed, kItemWheelTorque, {}},
      {"lobe combination", kItemEngineSpeed, 26, {}},
      {"volumetric efficiency", kItemEngineSpeed, kItemVolumetricEfficiency, {}},
      {"no Y2 item", kItemEngineSpeed, kItemNone, {}},
      {"torque over power", kItemPower, kItemTorque, {kItemTorque}},
      {"over manifold pressure: no X values", kItemManifoldPressure, kItemPower, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<MeasuredCurve> curves = MeasuredCurves(Pull(), c.x, c.y, 1.0);
    std::vector<int> items;
    for (const MeasuredCurve& curve : curves) {
      items.push_back(curve.item);
      EXPECT_EQ(curve.points.size(), 3u);
    }
    EXPECT_EQ(items, c.items);
  }
}

// The points: X from the X item, Y from the curve's item; power and torque
// scaled, engine speed never.
TEST(MeasuredCurveTest, PointsScalePowerAndTorqueOnly) {
  const auto overSpeed = MeasuredCurves(Pull(), kItemEngineSpeed, kItemPowerTorqueCombo, 0.5);
  ASSERT_EQ(overSpeed.size(), 2u);
  EXPECT_DOUBLE_EQ(overSpeed[0].points[1].x, 3000.0);
  EXPECT_DOUBLE_EQ(overSpeed[0].points[1].y, 100.0);
  EXPECT_DOUBLE_EQ(overSpeed[1].points[2].y, 393.9 * 0.5);
  const auto overPower = MeasuredCurves(Pull(), kItemPower, kItemTorque, 0.5);
  ASSERT_EQ(overPower.size(), 1u);
  EXPECT_DOUBLE_EQ(overPower[0].points[0].x, 50.0);
  EXPECT_DOUBLE_EQ(overPower[0].points[0].y, 262.6 * 0.5);
}

// The air the measured curve is drawn in is the air of the displayed
// simulated curve. Worked from the factors: a run at its own weather is moved
// by the law's CF(weather) / CF(model air), then as the display moves the model.
TEST(MeasuredCurveTest, DisplayScaleMovesTheRunIntoTheDisplayedAir) {
  MeasuredRun run = Pull();
  EXPECT_EQ(MeasuredDisplayScale(run, TestConditions{}), 1.0);  // no weather: as read
  TestConditions j607;
  j607.standard = CorrectionStandard::SaeJ607;
  EXPECT_EQ(MeasuredDisplayScale(run, j607), 1.0);

  run.weather.weatherGiven = true;
  run.weather.barometerInHg = 29.38;
  run.weather.temperatureF = 82.0;
  run.weather.humidityPercent = 45.0;
  const double j1349 = CorrectionFactor(CorrectionStandard::SaeJ1349, run.weather) /
                       CorrectionFactor(CorrectionStandard::SaeJ1349, ModelAir());
  EXPECT_NEAR(MeasuredDisplayScale(run, TestConditions{}), j1349, 1e-12);  // to the model's air
  // Corrected to J607: the run's own J607 factor, whatever the model's air.
  EXPECT_NEAR(MeasuredDisplayScale(run, j607), CorrectionFactor(CorrectionStandard::SaeJ607, run.weather), 1e-12);
  // At the user's weather: from the run's weather to the user's.
  TestConditions day;
  day.weatherGiven = true;
  day.barometerInHg = 28.0;
  day.temperatureF = 95.0;
  EXPECT_NEAR(MeasuredDisplayScale(run, day),
              CorrectionFactor(CorrectionStandard::SaeJ1349, run.weather) /
                  CorrectionFactor(CorrectionStandard::SaeJ1349, day),
              1e-12);
}

}  // namespace
}  // namespace brisca
