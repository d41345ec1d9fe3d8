#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/base/FileError.h"
#include "core/results/ChartState.h"
#include "core/base/TextReader.h"
#include "core/base/TextWriter.h"

namespace brisca {
namespace {

namespace fs = std::filesystem;

const fs::path kFixtures = fs::path(BRISCA_FIXTURES_DIR) / "results";

constexpr const char* kEmptyZoneLine = "0 1 0.000000 0.000000 1 0.000000 0.000000 1\n";

std::string Written(const ChartState& state) {
  std::ostringstream out;
  TextWriter writer(out);
  state.WriteText(writer);
  return out.str();
}

std::string FileText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Reads `text` into `state`; the FileError code thrown, or 0.
int ReadCode(ChartState& state, std::string text) {
  TextReader reader(std::move(text));
  try {
    state.ReadText(reader);
  } catch (const FileError& error) {
    return error.code();
  }
  return 0;
}

std::string Repeat(const char* line, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += line;
  return text;
}

// A state that uses every field: comparison, a custom and an automatic axis,
// and piston-speed zones already converted for drawing.
ChartState Sample() {
  ChartState state = ChartState::Defaults(ChartRole::Second);
  state.comparison = true;
  state.X().SetCustomRange(2000, 7500);
  state.Y2().SelectItem(6);
  state.Y2().SelectRange(RangeMode::Auto);
  state.zones.LoadType(kZoneTypePistonSpeed);
  state.zones.count = 4;
  state.zones.zones[2].showHighLabel = false;
  state.zones.zones[3].SetHigh(4321.5f);
  state.zones.MatchAxes(state.AxisItems());
  state.zones.ConvertPistonSpeed(true, 3.5f);
  return state;
}

TEST(ChartStateTest, EachChartStartsWithItsOwnAxes) {
  const struct {
    ChartRole role;
    int items[3];
    RangeMode modes[3];
    int minima[3];
    int maxima[3];
  } cases[] = {
      // Auto axes hold their item's Mid-Range, offered when the user turns to Custom.
      {ChartRole::First, {1, 5, 6}, {RangeMode::Mid, RangeMode::Auto, RangeMode::Auto}, {1000, 0, 0}, {9000, 25, 100}},
      {ChartRole::Second, {1, 2, 3}, {RangeMode::Mid, RangeMode::Mid, RangeMode::Mid}, {1000, 0, 0}, {9000, 1000, 1000}},
  };
  ASSERT_FALSE(FileText(kFixtures / "chart-truncated.txt").empty());
  for (const auto& c : cases) {
    ChartState state = Sample();
    state.Reset(c.role);
    EXPECT_EQ(state, ChartState::Defaults(c.role));
    for (int axis = 0; axis < 3; ++axis) {
      EXPECT_EQ(state.axes[axis].Item(), c.items[axis]) << axis;
      EXPECT_EQ(state.axes[axis].Mode(), c.modes[axis]) << axis;
      EXPECT_EQ(state.axes[axis].Minimum(), c.minima[axis]) << axis;
      EXPECT_EQ(state.axes[axis].Maximum(), c.maxima[axis]) << axis;
    }
    EXPECT_FALSE(state.comparison);
    EXPECT_EQ(state.zones, DataZoneSet{});
  }
}

TEST(ChartStateTest, AxisChecksNameTheFirstBadAxis) {
  const struct {
    const char* name;
    bool badX, badY1, badY2;
    int code;
  } cases[] = {
      {"all fine", false, false, false, 0},
      {"X", true, false, false, kErrXAxisRange},
      {"Y1 before Y2", false, true, true, kErrY1AxisRange},
      {"Y2", false, false, true, kErrY2AxisRange},
  };
  for (const auto& c : cases) {
    ChartState state = ChartState::Defaults(ChartRole::Second);
    if (c.badX) state.X().SetCustomRange(3000, 3000);
    if (c.badY1) state.Y1().SetCustomRange(10, 5);
    if (c.badY2) state.Y2().SetCustomRange(0, 0);
    int code = -1;
    EXPECT_EQ(state.ValidateAxes(code), c.code == 0) << c.name;
    EXPECT_EQ(code, c.code) << c.name;
  }
}

TEST(ChartStateTest, WritesTheEngineFileLines) {
  EXPECT_EQ(Written(ChartState::Defaults(ChartRole::Second)),
            "0\n1 2 1000 9000\n2 2 0 1000\n3 2 0 1000\n0 0 0 0 0 0 1\n" + Repeat(kEmptyZoneLine, 6));
  const std::string sample = Written(Sample());
  EXPECT_NE(sample.find("1\n1 4 2000 7500\n2 2 0 1000\n6 0 0 100\n0 1 9 4 1 1 0\n"
                        "16777215 1 0.000000 0.000000 1 1000.000000 1714.285767 1\n"),
            std::string::npos)
      << sample;
}

TEST(ChartStateTest, ReadingBackGivesTheStateToDrawAgain) {
  const ChartState saved = Sample();
  ChartState read = ChartState::Defaults(ChartRole::First);
  ASSERT_EQ(ReadCode(read, Written(saved)), 0);

  // Plotted values and labels come from the entered values: the chart converts again.
  ChartState expected = saved;
  for (DataZone& zone : expected.zones.zones) {
    zone.SetLow(zone.lowValue);
    zone.SetHigh(zone.highValue);
  }
  // The Auto-Range Y2 keeps the limits of the state read into (First: Y2 is item 6 too).
  EXPECT_EQ(read, expected);
  EXPECT_EQ(read.zones.zones[3].highLabel, "4321.5");
  EXPECT_EQ(Written(read), Written(expected));

  read.zones.MatchAxes(read.AxisItems());
  read.zones.ConvertPistonSpeed(true, 3.5f);
  EXPECT_EQ(read, saved);
}

TEST(ChartStateTest, AutoRangeAxesKeepTheirLimitsAndFlagsReadAsOnWhenNonZero) {
  ChartState state = ChartState::Defaults(ChartRole::First);
  state.Y1().SetCustomRange(3, 33);
  state.Y1().SelectRange(RangeMode::Auto);
  const std::string text = "1\n1 2 0 0\n5 0 -7 -8\n0 0 1 2\n2 1 4 1 5 -1 0\n" +
                           Repeat("255 7 1.5 2.5 0 10 20 -3\n", 6);
  ASSERT_EQ(ReadCode(state, text), 0);
  EXPECT_EQ(state.X().Maximum(), 9000);
  EXPECT_EQ(state.Y1().Minimum(), 3);
  EXPECT_EQ(state.Y1().Maximum(), 33);
  EXPECT_EQ(state.Y2().Mode(), RangeMode::Auto);
  EXPECT_TRUE(state.zones.shown);
  EXPECT_TRUE(state.zones.compatible);
  EXPECT_FALSE(state.zones.conversionPending);
  const DataZone& zone = state.zones.zones[5];
  EXPECT_EQ(zone.colour, 255u);
  EXPECT_TRUE(zone.enabled);
  EXPECT_EQ(zone.lowPlotted, 1.5f);
  EXPECT_EQ(zone.lowLabel, "1.5");
  EXPECT_FALSE(zone.showLowLabel);
  EXPECT_EQ(zone.highPlotted, 10.0f);
  EXPECT_TRUE(zone.showHighLabel);
}

// Each case replaces one line of a valid text; the state read into must come
// out untouched.
TEST(ChartStateTest, BadValuesAreRefusedAndLeaveTheStateAsItWas) {
  const std::string head = "0\n1 2 1000 9000\n2 2 0 1000\n3 2 0 1000\n";
  const std::string zoneHead = "0 0 0 0 0 0 1\n";
  const std::string zones = Repeat(kEmptyZoneLine, 6);
  const struct {
    const char* name;
    std::string text;
    int code;
  } cases[] = {
      {"comparison 2", "2\n" + head.substr(2) + zoneHead + zones, kErrInvalidValue},
      {"range mode 5", FileText(kFixtures / "chart-range-mode-5.txt"), kErrInvalidValue},
      {"item 29", "0\n29 2 0 0\n" + head.substr(16) + zoneHead + zones, kErrInvalidValue},
      {"zone axis 3", head + "3 0 0 0 0 0 1\n" + zones, kErrInvalidValue},
      {"matched item 29", head + "0 29 0 0 0 0 1\n" + zones, kErrInvalidValue},
      {"zone type 10", head + "0 0 10 0 0 0 1\n" + zones, kErrInvalidValue},
      {"zone count 7", head + "0 0 1 7 0 0 1\n" + zones, kErrInvalidValue},
      {"zone count -1", head + "0 0 1 -1 0 0 1\n" + zones, kErrInvalidValue},
      {"colour 0x1000000", head + zoneHead + "16777216 1 0 0 1 0 0 1\n" + Repeat(kEmptyZoneLine, 5), kErrInvalidValue},
      {"negative colour", head + zoneHead + "-1 1 0 0 1 0 0 1\n" + Repeat(kEmptyZoneLine, 5), kErrInvalidValue},
      {"truncated", FileText(kFixtures / "chart-truncated.txt"), kErrRead},
      {"binary", FileText(kFixtures / "chart-binary.txt"), kErrRead},
      {"not a number", head + zoneHead + "0 1 nan 0 1 0 0 1\n" + Repeat(kEmptyZoneLine, 5), kErrRead},
      {"empty", "", kErrRead},
  };
  ASSERT_FALSE(FileText(kFixtures / "chart-truncated.txt").empty());
  for (const auto& c : cases) {
    ChartState state = Sample();
    EXPECT_EQ(ReadCode(state, c.text), c.code) << c.name;
    EXPECT_EQ(state, Sample()) << c.name;
  }
}

TEST(ChartStateTest, EveryTruncationOfAWrittenStateIsAReadError) {
  const std::string text = Written(Sample());
  std::vector<std::size_t> lineEnds;
  for (std::size_t i = 0; i < text.size(); ++i)
    if (text[i] == '\n') lineEnds.push_back(i + 1);
  ASSERT_EQ(lineEnds.size(), 11u);
  lineEnds.pop_back();  // the whole text reads
  for (const std::size_t end : lineEnds) {
    // Cut after a line, and in the middle of the next one.
    for (const std::size_t cut : {end, end + 3}) {
      ChartState state = ChartState::Defaults(ChartRole::First);
      EXPECT_EQ(ReadCode(state, text.substr(0, cut)), kErrRead) << cut;
      EXPECT_EQ(state, ChartState::Defaults(ChartRole::First)) << cut;
    }
  }
}

}  // namespace
}  // namespace brisca
