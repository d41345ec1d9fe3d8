#include "core/spec/UnitTable.h"

#include <gtest/gtest.h>

#include <string>

namespace brisca {
namespace {

TEST(UnitTableTest, EveryRowSitsAtItsCodeWithAFixedFormat) {
  for (int code = 0; code < kUnitCount; ++code) {
    SCOPED_TRACE("code " + std::to_string(code));
    const UnitRow* row = FindUnit(code);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->code, code);
    ASSERT_NE(row->label, nullptr);
    EXPECT_NE(std::string(row->label), "");
    EXPECT_GE(FormatDecimals(row->format), 0) << row->format;
  }
  EXPECT_EQ(FindUnit(-1), nullptr);
  EXPECT_EQ(FindUnit(kUnitCount), nullptr);
}

TEST(UnitTableTest, LabelsAndPrecisionOfTheUnitsInUse) {
  const struct {
    UnitCode code;
    const char* label;
    int decimals;
  } cases[] = {
      {UnitNone, " ", 2},        {UnitPercent, "%", 1},      {UnitInch, "in", 3},
      {UnitMillimeter, "mm", 2}, {UnitCubicInch, "ci", 1},   {UnitCubicCentimeter, "cc", 2},
      {UnitRpm, "rpm", 0},       {UnitCmHg, "cmHg", 3},      {UnitPoundPerMin, "lbs/min", 1},
      {UnitRatio3, " ", 3},      {UnitRatio4, " ", 4},       {UnitHorsepower, "HP", 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_STREQ(FindUnit(c.code)->label, c.label);
    EXPECT_EQ(FormatDecimals(FindUnit(c.code)->format), c.decimals);
  }
}

TEST(UnitTableTest, FormatDecimalsRefusesOtherShapes) {
  for (const char* format : {"%f", "%.2d", "%.xf", ".2f", "%.-1f", "", "%.2fx"}) {
    SCOPED_TRACE(format);
    EXPECT_EQ(FormatDecimals(format), -1);
  }
  EXPECT_EQ(FormatDecimals(nullptr), -1);
  EXPECT_EQ(FormatDecimals("%.12f"), 12);
}

}  // namespace
}  // namespace brisca
