#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "core/results/ChartLimitSpec.h"
#include "core/results/ChartSettings.h"

namespace brisca {
namespace {

ChartSettings SecondChart() { return ChartSettings(ChartState::Defaults(ChartRole::Second), ChartRole::Second); }

TEST(ChartSettingsTest, DataTypeListsLeaveOutCombinationsWhereTheyCannotBeDrawn) {
  const std::vector<int> combinations = {7, 19, 20, 26, 27};
  auto without = [&](int first) {
    std::vector<int> items;
    for (int item = first; item <= 28; ++item) {
      if (std::find(combinations.begin(), combinations.end(), item) == combinations.end()) items.push_back(item);
    }
    return items;
  };
  std::vector<int> y1All;
  for (int item = 1; item <= 28; ++item) y1All.push_back(item);
  std::vector<int> y2All = {0};
  y2All.insert(y2All.end(), y1All.begin(), y1All.end());

  EXPECT_EQ(ChartSettings::DataTypeItems(kAxisX, false), without(1));
  EXPECT_EQ(ChartSettings::DataTypeItems(kAxisX, true), without(1));
  EXPECT_EQ(ChartSettings::DataTypeItems(kAxisY1, false), y1All);
  EXPECT_EQ(ChartSettings::DataTypeItems(kAxisY2, false), y2All);
  EXPECT_EQ(ChartSettings::DataTypeItems(kAxisY1, true), without(1));
  EXPECT_EQ(ChartSettings::DataTypeItems(kAxisY2, true), without(0));
}

TEST(ChartSettingsTest, SeveralDocumentsReplaceACombinationWithPowerAndNothing) {
  for (int axis : {kAxisY1, kAxisY2}) {
    ChartSettings settings = SecondChart();
    settings.SelectItem(axis, kItemPowerTorqueCombo);
    ASSERT_TRUE(settings.NeedsComboNotice());
    settings.UseMultipleDocuments();
    EXPECT_TRUE(settings.State().comparison);
    EXPECT_EQ(settings.Axis(kAxisY1).Item(), kItemPower);
    EXPECT_EQ(settings.Axis(kAxisY1).Mode(), RangeMode::Auto);
    EXPECT_EQ(settings.Axis(kAxisY2).Item(), kItemNone);
    EXPECT_EQ(settings.Axis(kAxisY2).Mode(), RangeMode::Auto);
    EXPECT_EQ(settings.Axis(kAxisX), ChartState::Defaults(ChartRole::Second).X());
  }
  // Without a combination the axes stay as they are.
  ChartSettings plain = SecondChart();
  EXPECT_FALSE(plain.NeedsComboNotice());
  plain.UseMultipleDocuments();
  EXPECT_TRUE(plain.State().comparison);
  EXPECT_EQ(plain.State().axes, ChartState::Defaults(ChartRole::Second).axes);
  plain.UseCurrentDocumentOnly();
  EXPECT_FALSE(plain.State().comparison);
}

TEST(ChartSettingsTest, RangePairShowsStarUnderAutoAndTakesTypedLimitsOnlyUnderCustom) {
  ChartSettings settings = SecondChart();
  EXPECT_EQ(settings.RangeText(kAxisY1, false), "0");
  EXPECT_EQ(settings.RangeText(kAxisY1, true), "1000");
  EXPECT_FALSE(settings.RangeEditable(kAxisY1));
  EXPECT_EQ(settings.RangeHint(kAxisY1), "");
  settings.SetMaximum(kAxisY1, 5);  // not editable: ignored
  EXPECT_EQ(settings.Axis(kAxisY1).Maximum(), 1000);

  settings.SelectRange(kAxisY1, RangeMode::Auto);
  EXPECT_EQ(settings.RangeText(kAxisY1, false), "*");
  EXPECT_EQ(settings.RangeText(kAxisY1, true), "*");
  // Back to Custom the Mid-Range limits are offered.
  settings.SelectRange(kAxisY1, RangeMode::Custom);
  EXPECT_EQ(settings.RangeText(kAxisY1, true), "1000");
  EXPECT_EQ(settings.RangeHint(kAxisY1), " Enter Power (HP) Range: 0 to 2000");
  settings.SetMinimum(kAxisY1, 100);
  settings.SetMaximum(kAxisY1, 700);
  EXPECT_EQ(settings.Axis(kAxisY1).Minimum(), 100);
  EXPECT_EQ(settings.Axis(kAxisY1).Maximum(), 700);
  EXPECT_EQ(settings.Axis(kAxisY1).Mode(), RangeMode::Custom);
  settings.SelectRange(kAxisX, RangeMode::Custom);
  EXPECT_EQ(settings.RangeHint(kAxisX), " Enter Engine Speed (RPM) Range: 1000 to 14500");
}

TEST(ChartSettingsTest, ValidationNamesTheFirstFailingPage) {
  struct Case {
    const char* name;
    int xMin, xMax;
    std::vector<std::pair<float, float>> zones;
    int code;
  };
  const std::vector<Case> cases = {
      {"all good, zones share an edge", 1000, 6000, {{0, 1000}, {1000, 2000}}, 0},
      {"empty X range", 3000, 3000, {}, 174},
      {"reversed X range before zones", 5000, 3000, {{0, 1000}, {900, 2000}}, 174},
      {"overlapping zones", 1000, 6000, {{0, 1000}, {900, 2000}}, 101},
      {"empty zone", 1000, 6000, {{0, 1000}, {1500, 1500}}, 100},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ChartSettings settings = SecondChart();
    settings.SelectRange(kAxisX, RangeMode::Custom);
    settings.SetMinimum(kAxisX, c.xMin);
    settings.SetMaximum(kAxisX, c.xMax);
    if (!c.zones.empty()) {
      settings.ChooseZoneType(2);
      settings.SetZoneCount(static_cast<int>(c.zones.size()));
      for (std::size_t i = 0; i < c.zones.size(); ++i) {
        settings.SetZoneLow(static_cast<int>(i), c.zones[i].first);
        settings.SetZoneHigh(static_cast<int>(i), c.zones[i].second);
      }
    }
    int code = -1;
    EXPECT_EQ(settings.Validate(code), c.code == 0);
    EXPECT_EQ(code, c.code);
  }
  ChartSettings y2 = SecondChart();
  y2.SelectRange(kAxisY2, RangeMode::Custom);
  y2.SetMaximum(kAxisY2, -1);
  int code = 0;
  EXPECT_FALSE(y2.Validate(code));
  EXPECT_EQ(code, 176);
}

TEST(ChartSettingsTest, SpinAddedZoneFollowsThePreviousOneAndLoweringEmptiesRows) {
  ChartSettings settings = SecondChart();
  settings.ChooseZoneType(2);  // Power: one zone 0..100
  ASSERT_EQ(settings.Zones().count, 1);
  settings.SetZoneHigh(0, 150);
  settings.SetZoneColour(0, MakeZoneColour(1, 2, 3));
  settings.SetZoneCount(3);
  const DataZone& second = settings.Zones().zones[1];
  const DataZone& third = settings.Zones().zones[2];
  EXPECT_EQ(second.lowValue, 150.0f);
  EXPECT_EQ(second.highValue, 300.0f);
  EXPECT_EQ(second.highLabel, "300");
  EXPECT_EQ(second.colour, MakeZoneColour(1, 2, 3));
  EXPECT_EQ(third.lowValue, 300.0f);
  EXPECT_EQ(third.highValue, 450.0f);
  EXPECT_TRUE(settings.ZoneRowEnabled(2));
  EXPECT_FALSE(settings.ZoneRowEnabled(3));
  int code = -1;
  EXPECT_TRUE(settings.Validate(code));

  settings.SetZoneCount(1);
  EXPECT_EQ(settings.Zones().count, 1);
  EXPECT_EQ(settings.Zones().zones[1], DataZone());
  EXPECT_EQ(settings.Zones().zones[0].highValue, 150.0f);
}

TEST(ChartSettingsTest, SpinAddedZoneKeepsAnEdgeBeyondTheLargestValue) {
  ChartSettings settings = SecondChart();
  settings.ChooseZoneType(2);
  settings.SetZoneLow(0, 1.0e9f);
  settings.SetZoneHigh(0, 2.0e9f);
  settings.SetZoneCount(2);
  const DataZone& added = settings.Zones().zones[1];
  EXPECT_EQ(added.lowValue, 2.0e9f);   // within 0..2147483648
  EXPECT_EQ(added.highValue, 0.0f);    // 3e9 is not: left as it was
}

TEST(ChartSettingsTest, TypeNoneLeavesNoZonesToCountAndBlendNeedsThree) {
  ChartSettings settings = SecondChart();
  settings.ChooseZoneType(kZoneTypeNone);
  EXPECT_EQ(settings.MinimumZoneCount(), 0);
  EXPECT_EQ(settings.MaximumZoneCount(), 0);
  EXPECT_FALSE(settings.ZoneRowEnabled(0));
  settings.ChooseZoneType(kZoneTypePistonSpeed);
  EXPECT_EQ(settings.MinimumZoneCount(), 1);
  EXPECT_EQ(settings.MaximumZoneCount(), 6);
  EXPECT_TRUE(settings.CanBlend());
  settings.SetZoneCount(2);
  EXPECT_FALSE(settings.CanBlend());
  // White to black over three zones stops short of black.
  settings.SetZoneCount(3);
  settings.SetZoneColour(0, MakeZoneColour(0xFF, 0xFF, 0xFF));
  settings.SetZoneColour(2, MakeZoneColour(0, 0, 0));
  settings.BlendColours();
  EXPECT_EQ(settings.Zones().zones[1].colour, MakeZoneColour(0x80, 0x80, 0x80));
  EXPECT_EQ(settings.Zones().zones[2].colour, MakeZoneColour(1, 1, 1));
}

TEST(ChartSettingsTest, ResetAllRestoresTheChartsDefaults) {
  ChartSettings settings = SecondChart();
  settings.SelectItem(kAxisY1, 7);
  settings.UseMultipleDocuments();
  settings.ChooseZoneType(3);
  settings.ResetAll();
  EXPECT_EQ(settings.State(), ChartState::Defaults(ChartRole::Second));
  EXPECT_EQ(settings.Axis(kAxisY1).Item(), kItemPower);
  EXPECT_EQ(settings.Axis(kAxisY2).Item(), kItemTorque);
  EXPECT_EQ(settings.Axis(kAxisY2).Mode(), RangeMode::Mid);
}

TEST(ChartLimitSpecTest, TypedLimitsAreCheckedForTheirKind) {
  struct Case {
    CChartLimitSpec::Kind kind;
    const char* text;
    bool accepted;
    const char* shown;
  };
  using Kind = CChartLimitSpec::Kind;
  const Case cases[] = {
      {Kind::AxisLimit, " 3000", true, "3000"},
      {Kind::AxisLimit, "-250", true, "-250"},
      {Kind::AxisLimit, "12.5", false, ""},
      {Kind::AxisLimit, "2147483647", true, "2147483647"},
      {Kind::AxisLimit, "2147483648", false, ""},
      {Kind::AxisLimit, "abc", false, ""},
      {Kind::ZoneEdge, "2147483648", true, "2147483648"},
      {Kind::ZoneEdge, "2147483649", false, ""},
      {Kind::ZoneEdge, "-1", false, ""},
      {Kind::ZoneEdge, "12.5", true, "12.5"},
      {Kind::ZoneEdge, "1000xyz", true, "1000"},
      {Kind::ZoneEdge, "", false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    CChartLimitSpec spec("Limit", c.kind);
    EXPECT_EQ(spec.SetFromText(c.text), c.accepted);
    EXPECT_EQ(spec.IsValid(), c.accepted);
    if (c.accepted) EXPECT_EQ(spec.GetText(), c.shown);
    else EXPECT_EQ(spec.GetText(), "***");
  }
}

}  // namespace
}  // namespace brisca
