#include <gtest/gtest.h>

#include <array>
#include <clocale>
#include <locale>
#include <stdexcept>
#include <string>

#include "core/results/DataZoneSet.h"

namespace brisca {
namespace {

TEST(DataZoneSetTest, AnEmptySetShowsNothingAndAwaitsConversion) {
  DataZoneSet set;
  set.LoadType(kZoneTypePistonSpeed);
  set.Clear();
  EXPECT_EQ(set.zoneAxis, kAxisX);
  EXPECT_EQ(set.matchedItem, 0);
  EXPECT_EQ(set.type, 0);
  EXPECT_EQ(set.count, 0);
  EXPECT_FALSE(set.shown);
  EXPECT_FALSE(set.compatible);
  EXPECT_TRUE(set.conversionPending);
  for (const DataZone& zone : set.zones) {
    EXPECT_EQ(zone.colour, 0u);
    EXPECT_TRUE(zone.enabled);
    EXPECT_EQ(zone.lowValue, 0.0f);
    EXPECT_EQ(zone.lowPlotted, 0.0f);
    EXPECT_EQ(zone.highValue, 0.0f);
    EXPECT_EQ(zone.highPlotted, 0.0f);
    EXPECT_EQ(zone.lowLabel, "");
    EXPECT_EQ(zone.highLabel, "");
    EXPECT_TRUE(zone.showLowLabel);
    EXPECT_TRUE(zone.showHighLabel);
  }
}

// printf("%g") of the values, as the C library gives them.
TEST(DataZoneSetTest, SettingAnEdgeSetsItsPlottedValueAndGLabel) {
  const struct {
    float value;
    const char* label;
  } cases[] = {
      {0.0f, "0"},           {1000.0f, "1000"},      {0.5f, "0.5"},
      {-2.5f, "-2.5"},       {1714.2857f, "1714.29"}, {123456.0f, "123456"},
      {1234567.0f, "1.23457e+06"}, {1e6f, "1e+06"},  {2147483648.0f, "2.14748e+09"},
      {0.0001f, "0.0001"},   {0.00001f, "1e-05"},
  };
  for (const auto& c : cases) {
    DataZone zone;
    zone.lowPlotted = zone.highPlotted = 99.0f;
    zone.SetLow(c.value);
    zone.SetHigh(c.value);
    EXPECT_EQ(zone.lowValue, c.value);
    EXPECT_EQ(zone.lowPlotted, c.value);
    EXPECT_EQ(zone.lowLabel, c.label);
    EXPECT_EQ(zone.highPlotted, c.value);
    EXPECT_EQ(zone.highLabel, c.label);
  }
}

TEST(DataZoneSetTest, LabelsIgnoreTheProcessLocale) {
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "no German locale";
  try {
    std::locale::global(std::locale("de_DE.UTF-8"));
  } catch (const std::runtime_error&) {
    std::setlocale(LC_ALL, "C");
    GTEST_SKIP() << "no German C++ locale";
  }
  const std::string label = FormatZoneLabel(0.5);
  std::setlocale(LC_ALL, "C");
  std::locale::global(std::locale::classic());
  EXPECT_EQ(label, "0.5");
}

TEST(DataZoneSetTest, ChoosingATypeLoadsItsZonesAndColours) {
  DataZoneSet set;
  set.zones[3].SetLow(77.0f);
  set.LoadType(kZoneTypePistonSpeed);
  EXPECT_EQ(set.type, 9);
  EXPECT_EQ(set.count, 6);
  EXPECT_TRUE(set.shown);
  const std::array<float, 7> edges = {0, 1000, 2000, 3000, 4000, 5000, 10000};
  const std::array<ZoneColour, 6> colours = {0xFFFFFF, 0xD6F7FF, 0xBDF3FF, 0x9CEFFF, 0x84EBFF, 0x6BE7FF};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(set.zones[i].lowValue, edges[i]) << i;
    EXPECT_EQ(set.zones[i].highValue, edges[i + 1]) << i;
    EXPECT_EQ(set.zones[i].highLabel, std::to_string(static_cast<int>(edges[i + 1]))) << i;
    EXPECT_EQ(set.zones[i].colour, colours[i]) << i;
  }

  set.LoadType(3);  // Torque: one zone 0..100, nothing left of the piston-speed zones
  EXPECT_EQ(set.count, 1);
  EXPECT_EQ(set.zones[0].highValue, 100.0f);
  EXPECT_EQ(set.zones[0].colour, MakeZoneColour(0xFF, 0xF3, 0xBD));
  EXPECT_EQ(set.zones[1], DataZone{});

  set.LoadType(kZoneTypeNone);
  EXPECT_EQ(set.count, 0);
  EXPECT_TRUE(set.shown);
}

TEST(DataZoneSetTest, BlendingStepsEachChannelInWholeSteps) {
  DataZoneSet set;
  set.count = 3;
  set.zones[0].colour = MakeZoneColour(0xFF, 0xFF, 0xFF);
  set.zones[2].colour = MakeZoneColour(0, 0, 0);
  set.BlendColours();
  // 255 / 2 = 127 per step, so black is not reached.
  EXPECT_EQ(set.zones[1].colour, MakeZoneColour(0x80, 0x80, 0x80));
  EXPECT_EQ(set.zones[2].colour, MakeZoneColour(0x01, 0x01, 0x01));

  set.count = 4;  // channels rising and falling at once
  set.zones[0].colour = MakeZoneColour(0x10, 0xF0, 0x00);
  set.zones[3].colour = MakeZoneColour(0xF0, 0x10, 0x00);
  set.BlendColours();
  EXPECT_EQ(set.zones[1].colour, MakeZoneColour(0x5A, 0xA6, 0x00));
  EXPECT_EQ(set.zones[3].colour, MakeZoneColour(0xEE, 0x12, 0x00));  // 3 × 74 falls short of the ends
}

TEST(DataZoneSetTest, ZonesMatchTheFirstAxisTheirTypeAppliesTo) {
  const struct {
    int type;
    std::array<int, 3> items;
    bool compatible;
    int axis;
    bool pending;
  } cases[] = {
      {2, {1, 2, 3}, true, kAxisY1, false},
      {3, {1, 7, 3}, true, kAxisY1, false},   // the combination carries torque too
      {4, {1, 6, 20}, true, kAxisY2, false},
      {5, {1, 2, 3}, false, kAxisX, true},    // no axis shows volumetric efficiency
      {9, {1, 2, 3}, true, kAxisX, true},
  };
  for (const auto& c : cases) {
    DataZoneSet set;
    set.LoadType(c.type);
    set.conversionPending = true;
    set.MatchAxes(c.items);
    EXPECT_EQ(set.compatible, c.compatible) << c.type;
    EXPECT_EQ(set.zoneAxis, c.axis) << c.type;
    if (c.compatible) {
      EXPECT_EQ(set.matchedItem, c.items[c.axis]) << c.type;
    }
    EXPECT_EQ(set.NeedsConversion(), c.compatible && c.pending) << c.type;
  }
  DataZoneSet hidden;
  hidden.type = 2;
  hidden.MatchAxes({1, 2, 3});
  EXPECT_FALSE(hidden.compatible);
}

TEST(DataZoneSetTest, PistonSpeedZonesAreDrawnAtEngineSpeed) {
  DataZoneSet set;
  set.LoadType(kZoneTypePistonSpeed);
  set.zones[1].enabled = false;
  set.zones[1].showLowLabel = false;
  set.MatchAxes({1, 2, 3});
  ASSERT_TRUE(set.NeedsConversion());
  set.ConvertPistonSpeed(true, 3.5f);
  EXPECT_FALSE(set.conversionPending);
  EXPECT_NEAR(set.zones[0].highPlotted, 1714.2857f, 0.001f);  // 1000 ft/min on a 3.5 in stroke
  EXPECT_EQ(set.zones[0].highLabel, "1000");
  EXPECT_TRUE(set.zones[1].enabled);
  EXPECT_TRUE(set.zones[1].showLowLabel);

  for (const float stroke : {0.0f, -1.0f}) {
    DataZoneSet bad;
    bad.LoadType(kZoneTypePistonSpeed);
    bad.ConvertPistonSpeed(true, stroke);
    EXPECT_FALSE(bad.zones[0].enabled) << stroke;
    EXPECT_EQ(bad.zones[0].highPlotted, 1000.0f) << stroke;
  }
  set.ConvertPistonSpeed(false, 3.5f);
  for (const DataZone& zone : set.zones) EXPECT_FALSE(zone.enabled);
}

TEST(DataZoneSetTest, ZonesMustRiseAndMayShareAnEdge) {
  const struct {
    const char* name;
    std::array<ZoneRange, 2> ranges;
    int count;
    int code;
  } cases[] = {
      {"shared edge", {{{0, 1000}, {1000, 2000}}}, 2, 0},
      {"overlap", {{{0, 1000}, {900, 2000}}}, 2, kErrZoneOverlap},
      {"empty zone", {{{1000, 1000}, {2000, 3000}}}, 2, kErrZoneRange},
      {"reversed second zone", {{{0, 1000}, {3000, 2000}}}, 2, kErrZoneRange},
      {"zones past the count are not checked", {{{0, 1000}, {5, 1}}}, 1, 0},
  };
  for (const auto& c : cases) {
    DataZoneSet set;
    set.count = c.count;
    for (int i = 0; i < 2; ++i) {
      set.zones[i].SetLow(c.ranges[i].low);
      set.zones[i].SetHigh(c.ranges[i].high);
    }
    int code = -1;
    EXPECT_EQ(set.Validate(code), c.code == 0) << c.name;
    EXPECT_EQ(code, c.code) << c.name;
  }
}

}  // namespace
}  // namespace brisca
