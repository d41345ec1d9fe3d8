#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/base/FileError.h"
#include "core/results/ChartAxisSpec.h"
#include "core/base/TextReader.h"

namespace brisca {
namespace {

struct Axis {
  int item;
  RangeMode mode;
  int min;
  int max;
};

void ExpectAxis(const ChartAxisSpec& axis, const Axis& expected, const std::string& name) {
  EXPECT_EQ(axis.Item(), expected.item) << name;
  EXPECT_EQ(axis.Mode(), expected.mode) << name;
  EXPECT_EQ(axis.Minimum(), expected.min) << name;
  EXPECT_EQ(axis.Maximum(), expected.max) << name;
}

ChartAxisSpec Make(int item, RangeMode mode) { return ChartAxisSpec(item, mode); }

// Worked from the item table: Engine Speed Low 1000..5000, Mid 1000..9000;
// Power Mid 0..1000; Piston Speed Hi 0..6000; Boost Pressure Mid 0..25.
TEST(ChartAxisSpecTest, ChoicesFollowTheAxisRules) {
  const struct {
    const char* name;
    ChartAxisSpec start;
    std::function<void(ChartAxisSpec&)> choose;
    Axis expected;
  } cases[] = {
      {"item under Mid reloads", Make(1, RangeMode::Mid), [](auto& a) { a.SelectItem(2); },
       {2, RangeMode::Mid, 0, 1000}},
      {"item under Hi reloads", Make(2, RangeMode::Hi), [](auto& a) { a.SelectItem(14); },
       {14, RangeMode::Hi, 0, 6000}},
      {"item under Auto keeps limits", Make(5, RangeMode::Auto), [](auto& a) { a.SelectItem(14); },
       {14, RangeMode::Auto, 0, 25}},
      {"item under Custom keeps limits", Make(1, RangeMode::Mid),
       [](auto& a) { a.SetCustomRange(2000, 4000); a.SelectItem(3); },
       {3, RangeMode::Custom, 2000, 4000}},
      {"Low loads the item's range", Make(1, RangeMode::Auto), [](auto& a) { a.SelectRange(RangeMode::Low); },
       {1, RangeMode::Low, 1000, 5000}},
      {"Auto leaves the limits", Make(1, RangeMode::Low), [](auto& a) { a.SelectRange(RangeMode::Auto); },
       {1, RangeMode::Auto, 1000, 5000}},
      {"Mid, Auto, Custom offers Mid's limits", Make(2, RangeMode::Hi),
       [](auto& a) { a.SelectRange(RangeMode::Mid); a.SelectRange(RangeMode::Auto); a.SelectRange(RangeMode::Custom); },
       {2, RangeMode::Custom, 0, 1000}},
      {"Custom takes the limits", Make(2, RangeMode::Mid), [](auto& a) { a.SetCustomRange(-50, 75); },
       {2, RangeMode::Custom, -50, 75}},
      {"item 0 has no range", Make(3, RangeMode::Mid), [](auto& a) { a.SelectItem(0); },
       {0, RangeMode::Mid, 0, 0}},
  };
  for (const auto& c : cases) {
    ChartAxisSpec axis = c.start;
    c.choose(axis);
    ExpectAxis(axis, c.expected, c.name);
    EXPECT_STREQ(axis.Label(), GetChartItem(c.expected.item).label) << c.name;
  }
}

TEST(ChartAxisSpecTest, OnlyAnEmptyOrReversedCustomRangeIsInvalid) {
  ChartAxisSpec axis(1, RangeMode::Mid);
  EXPECT_TRUE(axis.HasValidRange());
  axis.SetCustomRange(3000, 3000);
  EXPECT_FALSE(axis.HasValidRange());
  axis.SetCustomRange(3000, 2999);
  EXPECT_FALSE(axis.HasValidRange());
  axis.SetCustomRange(3000, 3001);
  EXPECT_TRUE(axis.HasValidRange());
}

// Reading into an axis that holds item 5 under Auto with limits 0..25.
TEST(ChartAxisSpecTest, ReadingAppliesTheRulesAndRefusesBadLines) {
  const struct {
    const char* text;
    int code;
    Axis expected;
  } cases[] = {
      {"1 4 2000 4000\n", 0, {1, RangeMode::Custom, 2000, 4000}},
      {"2 2 5 6\n", 0, {2, RangeMode::Mid, 0, 1000}},      // stored limits replaced by the item's
      {"3 0 77 88\n", 0, {3, RangeMode::Auto, 0, 25}},     // stored limits ignored
      {"  28 3 0 0", 0, {28, RangeMode::Hi, 0, 1000}},     // last line, no newline
      {"1 5 0 0\n", kErrInvalidValue, {5, RangeMode::Auto, 0, 25}},
      {"29 2 0 0\n", kErrInvalidValue, {5, RangeMode::Auto, 0, 25}},
      {"-1 2 0 0\n", kErrInvalidValue, {5, RangeMode::Auto, 0, 25}},
      {"1 4 2000\n", kErrRead, {5, RangeMode::Auto, 0, 25}},
      {"1 4 2000 99999999999\n", kErrRead, {5, RangeMode::Auto, 0, 25}},
      {"1 x 0 0\n", kErrRead, {5, RangeMode::Auto, 0, 25}},
  };
  for (const auto& c : cases) {
    ChartAxisSpec axis(5, RangeMode::Auto);
    TextReader reader(c.text);
    int code = 0;
    try {
      axis.ReadText(reader);
    } catch (const FileError& error) {
      code = error.code();
    }
    EXPECT_EQ(code, c.code) << c.text;
    ExpectAxis(axis, c.expected, c.text);
  }
}

}  // namespace
}  // namespace brisca
