#include <gtest/gtest.h>

#include "core/results/ChartAxisSpec.h"
#include "core/results/ResultsTableRows.h"

namespace brisca {
namespace {

// The full sweep: 1000..14500 rpm in 500 rpm steps.
ResultArray Sweep() {
  ResultArray speeds{};
  for (int k = 0; k < kResultPoints; ++k) speeds[k] = 1000.0f + 500.0f * static_cast<float>(k);
  return speeds;
}

ChartAxisSpec Custom(int min, int max) {
  ChartAxisSpec axis(kItemEngineSpeed, RangeMode::Mid);
  axis.SetCustomRange(min, max);
  return axis;
}

ChartAxisSpec AutoAfterMid() {
  ChartAxisSpec axis(kItemEngineSpeed, RangeMode::Mid);
  axis.SelectRange(RangeMode::Auto);
  return axis;
}

// Worked from the row rule: step = 25 × trunc((end − start) / n × 0.04) + 25.
TEST(ResultsTableRowsTest, RowsFollowTheSecondChartsEngineSpeedAxis) {
  const struct {
    const char* name;
    ChartAxisSpec x;
    int points;
    float first, step;
    int rowsWithValues;
  } cases[] = {
      {"Low", ChartAxisSpec(kItemEngineSpeed, RangeMode::Low), 28, 1000, 150, 28},
      {"Mid", ChartAxisSpec(kItemEngineSpeed, RangeMode::Mid), 28, 1000, 300, 28},
      {"Hi: the sweep points", ChartAxisSpec(kItemEngineSpeed, RangeMode::Hi), 28, 1000, 500, 28},
      {"Auto keeps Mid's limits", AutoAfterMid(), 28, 1000, 300, 28},
      {"custom 2000..4000", Custom(2000, 4000), 28, 2000, 75, 28},
      {"custom 10000..20000", Custom(10000, 20000), 28, 10000, 175, 26},
      {"short sweep to 5500", ChartAxisSpec(kItemEngineSpeed, RangeMode::Mid), 10, 1000, 475, 10},
      {"range above the sweep", Custom(20000, 30000), 28, 20000, 25, 0},
      {"range below the sweep", Custom(0, 500), 28, 1000, 25, 28},
      {"reversed range from a file", Custom(5000, 1000), 28, 5000, 25, 28},
  };
  const ResultArray speeds = Sweep();
  for (const auto& c : cases) {
    const auto rows = MakeResultsTableRows(c.x, speeds, c.points);
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(c.points)) << c.name;
    int withValues = 0;
    for (int k = 0; k < c.points; ++k) {
      EXPECT_EQ(rows[k].rpm, c.first + static_cast<float>(k) * c.step) << c.name << " row " << k;
      withValues += rows[k].hasValues ? 1 : 0;
    }
    EXPECT_EQ(withValues, c.rowsWithValues) << c.name;
  }
}

TEST(ResultsTableRowsTest, RowsBeyondTheSweepShowOnlyTheirSpeed) {
  const auto rows = MakeResultsTableRows(Custom(10000, 20000), Sweep(), 28);
  EXPECT_EQ(rows[25].rpm, 14375.0f);
  EXPECT_TRUE(rows[25].hasValues);
  EXPECT_EQ(rows[26].rpm, 14550.0f);
  EXPECT_FALSE(rows[26].hasValues);
  EXPECT_EQ(rows[27].rpm, 14725.0f);
  EXPECT_FALSE(rows[27].hasValues);
}

TEST(ResultsTableRowsTest, ValuesAreInterpolatedBetweenSweepPoints) {
  const ResultArray speeds = Sweep();
  ResultArray power{};
  for (int k = 0; k < kResultPoints; ++k) power[k] = static_cast<float>(k * k);
  const auto rows = MakeResultsTableRows(ChartAxisSpec(kItemEngineSpeed, RangeMode::Low), speeds, 28);
  const struct {
    int row;
    float value;
  } cases[] = {
      {0, 0.0f},    // 1000 rpm: the first sweep point
      {1, 0.3f},    // 1150: 0 + (1 − 0) × 150 / 500
      {10, 9.0f},   // 2500: a sweep point, reached from the interval below it
      {27, 65.7f},  // 5050: 8² + (9² − 8²) × 50 / 500
  };
  for (const auto& c : cases) EXPECT_FLOAT_EQ(rows[c.row].ValueOf(speeds, power), c.value) << c.row;
}

TEST(ResultsTableRowsTest, OtherXItemsListTheSweepPointsAsStored) {
  ResultArray speeds = Sweep();
  speeds[3] = 2345.0f;  // shown as stored, never recomputed
  ResultArray torque{};
  torque[3] = 321.0f;
  const auto rows = MakeResultsTableRows(ChartAxisSpec(kItemPower, RangeMode::Mid), speeds, 28);
  ASSERT_EQ(rows.size(), 28u);
  EXPECT_EQ(rows[3].rpm, 2345.0f);
  EXPECT_EQ(rows[3].ValueOf(speeds, torque), 321.0f);
  EXPECT_EQ(rows[27].rpm, 14500.0f);
  EXPECT_TRUE(MakeResultsTableRows(ChartAxisSpec(kItemEngineSpeed, RangeMode::Mid), speeds, 0).empty());
}

}  // namespace
}  // namespace brisca
