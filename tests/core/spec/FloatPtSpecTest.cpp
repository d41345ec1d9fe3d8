#include "core/spec/FloatPtSpec.h"

#include <gtest/gtest.h>

#include <string>

#include "core/base/FatalAssert.h"

namespace brisca {
namespace {

CFloatPtSpec Bore() { return CFloatPtSpec("Bore", UnitInch, 2.0f, 7.0f, UnitMillimeter, kInchToMillimeter); }

// A parameter whose range holds zero and negatives (degrees shown as degrees).
CFloatPtSpec Advance() { return CFloatPtSpec("Cam Advance", UnitDegree, -10.0f, 10.0f, UnitDegree, kSameUnit); }

struct TextCase {
  const char* text;
  bool accepted;
  float value;  // stored when accepted
};

TEST(FloatPtSpecTest, TypedTextForABoreOfTwoToSevenInches) {
  const TextCase cases[] = {
      {"3.5", true, 3.5f},
      {"   3.5", true, 3.5f},          // leading white space skipped
      {"\t7", true, 7.0f},
      {"3.5abc", true, 3.5f},          // trailing characters ignored
      {"7.00001", true, 7.00001f},     // inside the tolerance
      {"7.0001", false, 0},
      {"1.9999", false, 0},
      {"2", true, 2.0f},
      {"", false, 0},
      {"abc", false, 0},
      {"0", false, 0},                 // a zero, but out of range
      {"35e-1", true, 3.5f},
      {"1e400", false, 0},
  };
  for (const TextCase& c : cases) {
    SCOPED_TRACE(std::string("text \"") + c.text + "\"");
    CFloatPtSpec bore = Bore();
    EXPECT_EQ(bore.SetFromText(c.text, /*checkOnly=*/true), c.accepted);
    EXPECT_FALSE(bore.IsAssigned());  // checkOnly stores nothing
    EXPECT_EQ(bore.SetFromText(c.text), c.accepted);
    EXPECT_EQ(bore.IsAssigned(), c.accepted);
    EXPECT_EQ(bore.GetValue(), c.accepted ? c.value : 2.0f);
  }
}

TEST(FloatPtSpecTest, TextThatConvertsToZeroMustLookLikeZero) {
  const std::string hundredZeros(100, '0');
  const TextCase cases[] = {
      {"0", true, 0.0f},
      {"-0", true, 0.0f},
      {"000.000", true, 0.0f},
      {"-0.0", true, 0.0f},
      {hundredZeros.c_str(), true, 0.0f},
      {"0x1", false, 0},               // strtod reads 0 and stops at x
      {"0abc", false, 0},
      {" 0", false, 0},                // a blank is no zero character
      {"0e5", false, 0},
      {"-", false, 0},                 // nothing converts: no value at all
      {".", false, 0},
      {"inf", false, 0},
      {"nan", false, 0},
      {"-2.5", true, -2.5f},
  };
  for (const TextCase& c : cases) {
    SCOPED_TRACE(std::string("text \"") + c.text + "\"");
    CFloatPtSpec advance = Advance();
    advance.SetValue(5.0f);
    EXPECT_EQ(advance.SetFromText(c.text), c.accepted);
    EXPECT_EQ(advance.GetValue(), c.accepted ? c.value : 5.0f);
  }
  CFloatPtSpec advance = Advance();
  EXPECT_FALSE(advance.SetFromText(hundredZeros + "0"));
}

TEST(FloatPtSpecTest, UnassignedShowsStarsAndHoldsTheLowerLimit) {
  const CFloatPtSpec bore = Bore();
  EXPECT_EQ(bore.GetText(), "***");
  EXPECT_EQ(bore.GetTextWithUnits(), "*** in");
  EXPECT_FALSE(bore.IsValid());
  EXPECT_EQ(bore.GetValue(), 2.0f);
  EXPECT_STREQ(bore.GetLabel(), "Bore");
  EXPECT_FALSE(bore.IsMultiLine());
}

TEST(FloatPtSpecTest, ThreeInchesInMillimetresAndBack) {
  CFloatPtSpec bore = Bore();
  EXPECT_EQ(bore.GetPrompt(), "Enter Bore Value Within Range: 2.000 to 7.000 in");
  bore.SetValue(3.0f);
  EXPECT_EQ(bore.GetTextWithUnits(), "3.000 in");

  bore.SetUnitSystem(false);
  EXPECT_TRUE(bore.IsMetric());
  EXPECT_FALSE(bore.IsDomestic());
  EXPECT_FLOAT_EQ(bore.GetValue(), 76.2f);
  EXPECT_EQ(bore.GetText(), "76.20");
  EXPECT_EQ(bore.GetTextWithUnits(), "76.20 mm");
  EXPECT_STREQ(bore.GetUnitLabel(), "mm");
  EXPECT_EQ(bore.GetPrompt(), "Enter Bore Value Within Range: 50.80 to 177.80 mm");

  bore.SetUnitSystem(true);
  EXPECT_EQ(bore.GetUnitCode(), UnitInch);
  EXPECT_FLOAT_EQ(bore.GetValue(), 3.0f);
  EXPECT_EQ(bore.GetText(), "3.000");
}

TEST(FloatPtSpecTest, ConversionsClampWhatTheToleranceLetIn) {
  // 177.80001 mm is inside the metric tolerance; in inches it is just over 7.
  CFloatPtSpec bore = Bore();
  bore.ToMetric();
  ASSERT_TRUE(bore.SetFromText("177.80001"));
  bore.ToDomestic();
  EXPECT_EQ(bore.GetValue(), 7.0f);
  EXPECT_TRUE(bore.IsValid());

  // And the other way: 7.00001 in would be 177.80025 mm, past the metric tolerance.
  ASSERT_TRUE(bore.SetFromText("7.00001"));
  bore.ToMetric();
  EXPECT_TRUE(bore.IsValid());
  EXPECT_EQ(bore.GetValue(), 177.8f);
}

TEST(FloatPtSpecTest, SetValueInSystemStoresInTheNamedSystem) {
  CFloatPtSpec bore = Bore();
  bore.ToMetric();
  bore.SetValueInSystem(4.0f, /*domestic=*/true);
  EXPECT_TRUE(bore.IsDomestic());
  EXPECT_EQ(bore.GetValue(), 4.0f);
  bore.SetValueInSystem(101.6f, /*domestic=*/false);
  EXPECT_EQ(bore.GetValue(), 101.6f);
}

TEST(FloatPtSpecTest, StepValueStopsAtTheLimits) {
  const struct {
    float start;
    float delta;
    float expected;
  } cases[] = {
      {3.0f, 0.5f, 3.5f}, {6.9f, 0.5f, 7.0f}, {2.1f, -0.5f, 2.0f}, {7.0f, 1.0f, 7.0f},
      {2.0f, -1.0f, 2.0f},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.start) + " + " + std::to_string(c.delta));
    CFloatPtSpec bore = Bore();
    bore.SetValue(c.start);
    bore.StepValue(c.delta);
    EXPECT_FLOAT_EQ(bore.GetValue(), c.expected);
  }
  // Stepping an unassigned value assigns it, in the current unit's limits.
  CFloatPtSpec bore = Bore();
  bore.ToMetric();
  bore.StepValue(500.0f);
  EXPECT_TRUE(bore.IsAssigned());
  EXPECT_FLOAT_EQ(bore.GetValue(), 177.8f);
}

TEST(FloatPtSpecTest, SetLimitsResetsAValueLeftOutside) {
  CFloatPtSpec bore = Bore();
  bore.SetValue(4.0f);
  bore.SetLimits(3.0f, 5.0f);
  EXPECT_TRUE(bore.IsValid());
  EXPECT_EQ(bore.GetValue(), 4.0f);

  bore.SetValue(5.0f);
  bore.ToMetric();
  bore.SetLimits(2.0f, 4.0f);  // 127 mm is now past 101.6 mm
  EXPECT_FALSE(bore.IsAssigned());
  EXPECT_FLOAT_EQ(bore.GetValue(), 50.8f);
  EXPECT_EQ(bore.GetPrompt(), "Enter Bore Value Within Range: 50.80 to 101.60 mm");
}

TEST(FloatPtSpecTest, RoundingIsHalfAwayFromZeroBeforeTheRangeCheck) {
  CFloatPtSpec advance = Advance();
  advance.SetValueRounded(-1.25f, 1);
  EXPECT_FLOAT_EQ(advance.GetValue(), -1.3f);
  advance.SetValueRounded(3.14159f, 2);
  EXPECT_FLOAT_EQ(advance.GetValue(), 3.14f);

  CFloatPtSpec bore = Bore();
  EXPECT_TRUE(bore.SetFromTextRounded("7.004", 2));  // over the limit until rounded
  EXPECT_FLOAT_EQ(bore.GetValue(), 7.0f);
  EXPECT_FALSE(bore.SetFromTextRounded("7.006", 2));
  EXPECT_FALSE(bore.SetFromTextRounded("abc", 2));
  EXPECT_FLOAT_EQ(bore.GetValue(), 7.0f);

  float parsed = 0.0f;
  EXPECT_TRUE(CFloatPtSpec::ParseNumber("99", parsed));  // no range check
  EXPECT_EQ(parsed, 99.0f);
}

TEST(FloatPtSpecTest, RedefineKeepsTheFlagAndStartsOver) {
  CFloatPtSpec spec = Bore();
  spec.SetValue(5.0f);
  spec.ToMetric();
  spec.Redefine("Total Block Volume", UnitCubicInch, 10.0f, 1000.0f, UnitCubicCentimeter,
                kCubicInchToCubicCm);
  EXPECT_STREQ(spec.GetLabel(), "Total Block Volume");
  EXPECT_TRUE(spec.IsAssigned());
  EXPECT_TRUE(spec.IsDomestic());
  EXPECT_EQ(spec.GetValue(), 10.0f);
  EXPECT_EQ(spec.GetTextWithUnits(), "10.0 ci");
  spec.ToMetric();
  EXPECT_EQ(spec.GetTextWithUnits(), "163.87 cc");
}

TEST(FloatPtSpecTest, CopiesKeepEveryField) {
  CFloatPtSpec source = Bore();
  source.SetValue(4.0f);
  source.ToMetric();
  const CFloatPtSpec copy(source);
  CFloatPtSpec assigned = Advance();
  assigned = source;
  for (const CFloatPtSpec* spec : {&copy, static_cast<const CFloatPtSpec*>(&assigned)}) {
    EXPECT_STREQ(spec->GetLabel(), "Bore");
    EXPECT_TRUE(spec->IsValid());
    EXPECT_EQ(spec->GetTextWithUnits(), "101.60 mm");
    EXPECT_EQ(spec->GetPrompt(), source.GetPrompt());
  }
  const CFloatPtSpec unassignedCopy(Bore());
  EXPECT_FALSE(unassignedCopy.IsAssigned());
}

TEST(FloatPtSpecDeathTest, InternalErrorsAreFatal) {
  EXPECT_EXIT(Bore().SetValue(9.0f), testing::ExitedWithCode(kFatalAssertExitStatus % 256),
              "ASSERTION FAILURE");
  EXPECT_EXIT(CFloatPtSpec("Bore", UnitInch, 7.0f, 2.0f, UnitMillimeter, kInchToMillimeter),
              testing::ExitedWithCode(kFatalAssertExitStatus % 256), "ASSERTION FAILURE");
  EXPECT_EXIT(CFloatPtSpec("Bore", static_cast<UnitCode>(22), 2.0f, 7.0f, UnitMillimeter, 1.0f),
              testing::ExitedWithCode(kFatalAssertExitStatus % 256), "ASSERTION FAILURE");
  EXPECT_EXIT(CFloatPtSpec(nullptr, UnitInch, 2.0f, 7.0f, UnitMillimeter, kInchToMillimeter),
              testing::ExitedWithCode(kFatalAssertExitStatus % 256), "ASSERTION FAILURE");
}

}  // namespace
}  // namespace brisca
