#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

#include "core/base/FatalAssert.h"
#include "core/results/ChartItems.h"

namespace brisca {
namespace {

// Every array of the three result sets filled with its own marker, so that a
// value read back names the set and the array it came from.
struct MarkedSets {
  ResultSet displayed, low, high;
  MarkedSets() {
    int marker = 0;
    for (ResultSet* set : {&displayed, &low, &high}) {
      for (ResultArray* array :
           {&set->rpm, &set->power, &set->wheelPower, &set->torque, &set->wheelTorque,
            &set->manifoldPressure, &set->boost, &set->volumetricEfficiency, &set->indicatedPower,
            &set->frictionPower, &set->pumpingPower, &set->mechanicalEfficiency,
            &set->inductionAirflow, &set->pistonForce, &set->pistonSpeed, &set->bmep, &set->imep,
            &set->fmep, &set->pmep})
        array->fill(static_cast<float>(++marker));
    }
  }
  float Read(int item) const { return ChartItemValues(item, displayed, low, high)[5]; }
};

// Regression table: which array of which run each single item plots.
TEST(ChartItemsTest, EachSingleItemPlotsItsOwnQuantity) {
  const MarkedSets sets;
  const struct {
    int item;
    const ResultSet& set;
    const ResultArray& array;
  } cases[] = {
      {1, sets.displayed, sets.displayed.rpm},
      {2, sets.displayed, sets.displayed.power},
      {3, sets.displayed, sets.displayed.torque},
      {4, sets.displayed, sets.displayed.manifoldPressure},
      {5, sets.displayed, sets.displayed.boost},
      {6, sets.displayed, sets.displayed.volumetricEfficiency},
      {8, sets.displayed, sets.displayed.indicatedPower},
      {9, sets.displayed, sets.displayed.frictionPower},
      {10, sets.displayed, sets.displayed.pumpingPower},
      {11, sets.displayed, sets.displayed.mechanicalEfficiency},
      {12, sets.displayed, sets.displayed.inductionAirflow},
      {13, sets.displayed, sets.displayed.pistonForce},
      {14, sets.displayed, sets.displayed.pistonSpeed},
      {15, sets.displayed, sets.displayed.bmep},
      {16, sets.displayed, sets.displayed.imep},
      {17, sets.displayed, sets.displayed.fmep},
      {18, sets.displayed, sets.displayed.pmep},
      {21, sets.displayed, sets.displayed.wheelPower},
      {22, sets.low, sets.low.power},
      {23, sets.high, sets.high.power},
      {24, sets.low, sets.low.torque},
      {25, sets.high, sets.high.torque},
      {28, sets.displayed, sets.displayed.wheelTorque},
  };
  for (const auto& c : cases) EXPECT_EQ(sets.Read(c.item), c.array[5]) << "item " << c.item;
}

TEST(ChartItemsTest, CombinationsPlotSingleItemsOfOneFamily) {
  const struct {
    int item;
    std::vector<int> curves;
  } cases[] = {
      {7, {2, 3}}, {19, {2, 8, 9, 10}}, {20, {15, 16, 17, 18}}, {26, {22, 23}}, {27, {24, 25}},
  };
  std::set<int> combinations;
  for (const auto& c : cases) {
    const ChartItem& row = GetChartItem(c.item);
    combinations.insert(c.item);
    EXPECT_TRUE(row.IsCombination());
    ASSERT_EQ(row.series, static_cast<int>(c.curves.size())) << c.item;
    for (int i = 0; i < row.series; ++i) {
      EXPECT_EQ(row.curves[i], c.curves[i]) << c.item;
      EXPECT_FALSE(GetChartItem(row.curves[i]).IsCombination());
      // The combination's ranges are those of its members, so curves fit the axis.
      EXPECT_EQ(GetChartItem(row.curves[i]).hi.max, row.hi.max) << c.item;
    }
  }
  for (int item = 0; item < kChartItemCount; ++item) {
    if (combinations.count(item)) continue;
    EXPECT_FALSE(GetChartItem(item).IsCombination()) << item;
    EXPECT_EQ(GetChartItem(item).series, 1) << item;
    EXPECT_EQ(GetChartItem(item).curves[0], item) << item;
  }
}

TEST(ChartItemsTest, RangesAndFamiliesOfSampleItems) {
  const struct {
    int item;
    const char* label;
    const char* units;
    AxisRange low, mid, hi;
    bool family;
  } cases[] = {
      {0, "(None)", " ", {0, 0}, {0, 0}, {0, 0}, false},
      {1, "Engine Speed (RPM)", "RPM", {1000, 5000}, {1000, 9000}, {1000, 14500}, false},
      {7, "Power,Torque combo", "HP,lb-ft", {0, 500}, {0, 1000}, {0, 2000}, true},
      {11, "Mechanical Eff.(%)", "%", {0, 50}, {0, 105}, {0, 150}, false},
      {14, "Piston Speed (fpm)", "fpm", {0, 1000}, {0, 3000}, {0, 6000}, false},
      {19, "Power combo", "HP", {0, 500}, {0, 1000}, {0, 2000}, true},
      {21, "Power-Wheel(HP)", "HP", {0, 250}, {0, 500}, {0, 1000}, false},
      {27, "Torque-Low\\Hi-Speed Lobes(lb-ft)", "lb-ft", {0, 500}, {0, 1000}, {0, 2000}, false},
  };
  for (const auto& c : cases) {
    const ChartItem& row = GetChartItem(c.item);
    EXPECT_STREQ(row.label, c.label);
    EXPECT_STREQ(row.units, c.units);
    for (const auto& [mode, expected] : {std::pair{RangeMode::Low, c.low}, std::pair{RangeMode::Mid, c.mid},
                                         std::pair{RangeMode::Hi, c.hi}}) {
      EXPECT_EQ(row.Range(mode).min, expected.min) << c.item;
      EXPECT_EQ(row.Range(mode).max, expected.max) << c.item;
    }
    EXPECT_EQ(row.powerTorqueFamily, c.family) << c.item;
  }
  EXPECT_STREQ(RangeModeName(RangeMode::Custom), "Custom-Range");
  EXPECT_FALSE(IsChartItemNumber(29));
  EXPECT_FALSE(IsRangeModeNumber(5));
}

TEST(ChartItemsDeathTest, LookingUpAnItemOutsideTheTableIsAnInternalError) {
  const auto fatal = testing::ExitedWithCode(kFatalAssertExitStatus % 256);
  EXPECT_EXIT(GetChartItem(29), fatal, "ASSERTION FAILURE");
  EXPECT_EXIT(GetChartItem(1).Range(RangeMode::Auto), fatal, "ASSERTION FAILURE");
  EXPECT_EXIT(ChartItemValues(7, ResultSet{}, ResultSet{}, ResultSet{}), fatal, "ASSERTION FAILURE");
}

}  // namespace
}  // namespace brisca
