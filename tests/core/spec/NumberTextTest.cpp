#include "core/base/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace brisca {
namespace {

// What strtod consumes of each text, and the value it yields (C library behaviour).
struct PrefixCase {
  const char* text;
  std::size_t used;  // 0: nothing converts
  double value;
};

TEST(NumberTextTest, DoublePrefixTakesWhatStrtodTakes) {
  const PrefixCase cases[] = {
      {"3.5", 3, 3.5},        {"  \t\n3.5abc", 7, 3.5}, {"+2", 2, 2.0},
      {"-0.25", 5, -0.25},    {".5", 2, 0.5},           {"5.", 2, 5.0},
      {"1e3", 3, 1000.0},     {"1E-2x", 4, 0.01},       {"1e", 1, 1.0},
      {"1e+", 1, 1.0},        {"2.5e+1 ", 6, 25.0},     {"0x1", 1, 0.0},
      {"000.000", 7, 0.0},    {"", 0, 0.0},             {"-", 0, 0.0},
      {".", 0, 0.0},          {"+-1", 0, 0.0},          {"abc", 0, 0.0},
      {"inf", 0, 0.0},        {"nan", 0, 0.0},          {"1e400", 0, 0.0},
      {" - 1", 0, 0.0},
  };
  for (const PrefixCase& c : cases) {
    SCOPED_TRACE(std::string("text \"") + c.text + "\"");
    double value = -99.0;
    EXPECT_EQ(ParseDoublePrefix(c.text, value), c.used);
    EXPECT_EQ(value, c.used ? c.value : -99.0);
  }
  double negativeZero = 1.0;
  ASSERT_EQ(ParseDoublePrefix("-0", negativeZero), 2u);
  EXPECT_TRUE(std::signbit(negativeZero));
}

TEST(NumberTextTest, FloatPrefixRoundsOnceToFloat) {
  // Parsing through double first would round twice; this text sits just above
  // the midpoint between two floats once the double has rounded it down onto it.
  float value = 0.0f;
  ASSERT_EQ(ParseFloatPrefix("1.00000005960464477550", value), 22u);
  EXPECT_EQ(value, std::nextafter(1.0f, 2.0f));
  EXPECT_EQ(ParseFloatPrefix("1e39", value), 0u);
}

TEST(NumberTextTest, IntPrefixTakesWhatStrtolTakes) {
  const struct {
    const char* text;
    std::size_t used;
    int value;
  } cases[] = {
      {"42", 2, 42},   {"  -7\n", 4, -7}, {"+8x", 2, 8},        {"12.9", 2, 12},
      {"", 0, 0},      {"-", 0, 0},       {"+-3", 0, 0},        {"abc", 0, 0},
      {"2147483647", 10, 2147483647},     {"2147483648", 0, 0}, {"-2147483648", 11, -2147483647 - 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("text \"") + c.text + "\"");
    int value = -99;
    EXPECT_EQ(ParseIntPrefix(c.text, value), c.used);
    EXPECT_EQ(value, c.used ? c.value : -99);
  }
}

TEST(NumberTextTest, FormatFixedMatchesPrintf) {
  const struct {
    double value;
    int decimals;
    const char* text;
  } cases[] = {
      {3.5, 6, "3.500000"},       {76.2f, 2, "76.20"},  {2.0, 3, "2.000"},
      {1000.0, 0, "1000"},        {0.125, 2, "0.12"},   {0.375, 2, "0.38"},  // exact ties: to even
      {2.675, 2, "2.67"},         {-0.0, 6, "-0.000000"}, {-1.5, 1, "-1.5"},
      {1e20, 1, "100000000000000000000.0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(FormatFixed(c.value, c.decimals), c.text);
  }
  EXPECT_EQ(FormatInt(-2147483647 - 1), "-2147483648");
}

}  // namespace
}  // namespace brisca
