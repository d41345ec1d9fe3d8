#include <gtest/gtest.h>

#include <string>

#include "core/spec/FloatPtSpec.h"
#include "tests/core/spec/SpecTestSupport.h"

namespace brisca {
namespace {

using testing_support::ReadCode;
using testing_support::WrittenText;

CFloatPtSpec Bore() { return CFloatPtSpec("Bore", UnitInch, 2.0f, 7.0f, UnitMillimeter, kInchToMillimeter); }

TEST(FloatPtSpecFileTest, WritesFlagAndValueWithSixDecimals) {
  CFloatPtSpec bore = Bore();
  EXPECT_EQ(WrittenText(bore), "0 2.000000\n");
  bore.SetValue(3.5f);
  EXPECT_EQ(WrittenText(bore), "1 3.500000\n");

  CFloatPtSpec copy = Bore();
  ASSERT_EQ(ReadCode(copy, WrittenText(bore)), 0);
  EXPECT_TRUE(copy.IsValid());
  EXPECT_EQ(copy.GetValue(), 3.5f);
}

TEST(FloatPtSpecFileTest, FlagZeroKeepsTheValueUnassigned) {
  CFloatPtSpec bore = Bore();
  bore.SetValue(6.0f);
  ASSERT_EQ(ReadCode(bore, "0 3.500000\n"), 0);
  EXPECT_EQ(bore.GetValue(), 3.5f);
  EXPECT_FALSE(bore.IsAssigned());
}

TEST(FloatPtSpecFileTest, BadLinesFailAndLeaveTheSpecAsItWas) {
  const struct {
    const char* text;
    int code;
  } cases[] = {
      {"1 9.000000\n", kErrInvalidValue},  // bore limited to 7
      {"1 1.000000\n", kErrInvalidValue},
      {"", kErrRead},
      {"1", kErrRead},                      // truncated after the flag
      {"1 \n", kErrRead},
      {"1 abc\n", kErrRead},                // the flag alone is not a line
      {"x 3.5\n", kErrRead},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("text \"") + c.text + "\"");
    CFloatPtSpec bore = Bore();
    bore.SetValue(4.0f);
    EXPECT_EQ(ReadCode(bore, c.text), c.code);
    EXPECT_EQ(bore.GetValue(), 4.0f);
    EXPECT_TRUE(bore.IsAssigned());
  }
}

}  // namespace
}  // namespace brisca
