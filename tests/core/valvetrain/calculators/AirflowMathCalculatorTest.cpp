#include <gtest/gtest.h>

#include "core/valvetrain/calculators/AirflowMathCalculator.h"

namespace brisca {
namespace {

// 600 cfm measured at 28 inH2O, entered in the calculator's units.
AirflowMathValues Known600(bool metric, bool mercury) {
  AirflowMathValues values(metric);
  values.knownAirflow.SetValue(600.0f);
  float drop = 28.0f * (metric ? 2.54f : 1.0f);
  if (mercury) {
    values.knownPressure.ToMetric();
    drop *= kWaterToMercury;
  }
  values.knownPressure.SetValue(drop);
  return values;
}

// Worked examples: 511.2 cfm at the four-barrel rating, 722.9 cfm at the
// two-barrel rating, whatever the pressure units of either pressure.
TEST(AirflowMathCalculatorTest, RatingsOf600CfmAt28InchesOfWater) {
  const struct {
    int rating;
    float cfm;
  } ratings[] = {{kFourBarrel, 511.2f}, {kTwoBarrel, 722.9f}};
  for (const auto& r : ratings) {
    for (const bool metric : {false, true}) {
      for (const bool knownInMercury : {false, true}) {
        for (const bool targetInWater : {false, true}) {
          SCOPED_TRACE(testing::Message() << "rating " << r.rating << " metric " << metric
                                          << " known in mercury " << knownInMercury
                                          << " target in water " << targetInWater);
          AirflowMathValues values = Known600(metric, knownInMercury);
          if (targetInWater) values.targetPressure.ToDomestic();
          ChooseAirflowRating(values, r.rating);
          EXPECT_EQ(values.targetPressure.IsDomestic(), targetInWater);
          EXPECT_NEAR(values.airflowRate.GetValue(), r.cfm, knownInMercury ? 0.15f : 0.01f);
          int code = 0;
          EXPECT_TRUE(CheckAirflowApply(values, code));
        }
      }
    }
  }
}

TEST(AirflowMathCalculatorTest, RatingTargetsInEachUnit) {
  const struct {
    int rating;
    RatingPressure p;
  } cases[] = {{kTwoBarrel, {40.65f, 3.0f, 103.251f, 7.62f}},
               {kFourBarrel, {20.325f, 1.5f, 51.6255f, 3.81f}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.rating);
    const RatingPressure& p = AirflowRatingPressure(c.rating);
    EXPECT_FLOAT_EQ(p.inH2O, c.p.inH2O);
    EXPECT_FLOAT_EQ(p.inHg, c.p.inHg);
    EXPECT_FLOAT_EQ(p.cmH2O, c.p.cmH2O);
    EXPECT_FLOAT_EQ(p.cmHg, c.p.cmHg);
    EXPECT_FLOAT_EQ(AirflowRatingInHg(c.rating), c.p.inHg);
    for (const bool metric : {false, true}) {
      AirflowMathValues values(metric);
      ChooseAirflowRating(values, c.rating);  // nothing known yet: only the target is set
      EXPECT_FLOAT_EQ(values.targetPressure.GetValue(), metric ? c.p.cmHg : c.p.inHg);
      EXPECT_FALSE(values.airflowRate.IsAssigned());
    }
  }
}

TEST(AirflowMathCalculatorTest, NoRatingsStandardKeepsATypedTarget) {
  AirflowMathValues values = Known600(false, false);
  values.targetPressure.ToDomestic();
  values.targetPressure.SetValue(10.0f);
  ChooseAirflowRating(values, kNoRating);
  EXPECT_EQ(values.ratingMode, kNoRating);
  EXPECT_FLOAT_EQ(values.targetPressure.GetValue(), 10.0f);
  ComputeAirflowRate(values);
  EXPECT_FLOAT_EQ(values.airflowRate.GetValue(), 358.6f);  // 600 × √(10/28)
}

TEST(AirflowMathCalculatorTest, ApplyChecksInOrder) {
  const struct {
    const char* name;
    void (*change)(AirflowMathValues&);
    int code;
  } cases[] = {
      {"known pressure missing",
       [](AirflowMathValues& v) {
         v.knownPressure.ResetValue();
         v.knownAirflow.ResetValue();
       },
       98},
      {"known airflow missing", [](AirflowMathValues& v) { v.knownAirflow.ResetValue(); }, 97},
      {"rating below 100 cfm",
       [](AirflowMathValues& v) {
         v.knownAirflow.SetValue(100.0f);  // 85.2 cfm at four-barrel
         ComputeAirflowRate(v);
       },
       99},
      {"rating above 4000 cfm",
       [](AirflowMathValues& v) {
         v.knownAirflow.SetValue(4000.0f);
         v.knownPressure.SetValue(5.0f);  // 8063 cfm
         ComputeAirflowRate(v);
       },
       99},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    AirflowMathValues values = Known600(false, false);
    ChooseAirflowRating(values, kFourBarrel);
    c.change(values);
    int code = 0;
    EXPECT_FALSE(CheckAirflowApply(values, code));
    EXPECT_EQ(code, c.code);
  }
}

}  // namespace
}  // namespace brisca
