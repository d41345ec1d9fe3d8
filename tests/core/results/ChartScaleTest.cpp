#include "core/results/ChartScale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace brisca {
namespace {

struct NiceCase {
  std::vector<double> values;
  AxisLimits expected;
};

TEST(ChartScaleTest, NiceLimitsHugTheDataOnOneTwoFiveSteps) {
  const std::vector<NiceCase> cases = {
      {{1000, 6500}, {1000, 7000, 1000}},
      {{0.4, 8.7}, {0, 10, 2}},
      {{-3.2, 12.1}, {-5, 15, 5}},
      {{212.5, 347.9}, {210, 350, 20}},    // half steps hug the data
      {{1000, 14500}, {1000, 15000, 2000}},  // a sweep, not 0..16000
      {{1030, 3720}, {1000, 4000, 500}},   // 5 × 10^k: whole steps
      {{100, 200}, {100, 200, 20}},        // already on the grid: no extra step
      {{7, 7}, {6, 8, 1}},                 // flat: one step each side
      {{0, 0}, {-0.2, 0.2, 0.2}},
      {{-0.17, -0.001}, {-0.2, 0, 0.05}},  // a maximum of 0, not -0
      {{}, {0, 1, 0.2}},
  };
  for (const NiceCase& c : cases) {
    const AxisLimits got = NiceLimits(c.values);
    EXPECT_NEAR(got.min, c.expected.min, 1e-9) << c.values.size();
    EXPECT_NEAR(got.max, c.expected.max, 1e-9) << c.values.size();
    EXPECT_NEAR(got.step, c.expected.step, 1e-9) << c.values.size();
    EXPECT_EQ(std::signbit(got.max), std::signbit(c.expected.max)) << c.values.size();
  }
}

TEST(ChartScaleTest, SharedScaleNeedsTwoAutoAxesOfOneUnitOrThePowerTorqueFamily) {
  struct Case {
    int y1, y2;
    RangeMode mode1, mode2;
    bool shares;
  };
  const Case cases[] = {
      {kItemPower, kItemTorque, RangeMode::Auto, RangeMode::Auto, true},      // family
      {kItemManifoldPressure, kItemBoostPressure, RangeMode::Auto, RangeMode::Auto, true},  // psi
      {kItemPower, kItemVolumetricEfficiency, RangeMode::Auto, RangeMode::Auto, false},
      {kItemPower, kItemTorque, RangeMode::Auto, RangeMode::Mid, false},
      {kItemPower, kItemNone, RangeMode::Auto, RangeMode::Auto, false},
      {kItemWheelPower, kItemTorque, RangeMode::Auto, RangeMode::Auto, false},  // HP vs lb-ft
      {kItemWheelPower, kItemPower, RangeMode::Auto, RangeMode::Auto, true},    // both HP
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SharesScale(ChartAxisSpec(c.y1, c.mode1), ChartAxisSpec(c.y2, c.mode2)), c.shares)
        << c.y1 << " " << c.y2;
  }
  EXPECT_EQ(SharedLimits({0, 300, 50}, {100, 450, 100}), (AxisLimits{0, 450, 100}));
}

}  // namespace
}  // namespace brisca
