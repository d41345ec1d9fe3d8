#include "core/valvetrain/calculators/AirflowMathCalculator.h"

#include <cfloat>

#include "core/base/FatalAssert.h"
#include "core/sim/EngineMath.h"

namespace brisca {
namespace {

constexpr float kWaterPerMercury = 13.55f;  // inches of water per inch of mercury
constexpr float kCmPerInch = 2.54f;
constexpr float kMinFlow = 100.0f;          // [cfm] "Known Airflow Rate", "Induction Flow"
constexpr float kMaxFlow = 4000.0f;
constexpr float kMinDrop = 0.1f;            // [inH2O] pressure drops of the calculator
constexpr float kMaxDrop = 100.0f;
constexpr int kFlowDecimals = 1;

constexpr RatingPressure Rating(float inHg) {
  return {inHg * kWaterPerMercury, inHg, kCmPerInch * inHg * kWaterPerMercury, kCmPerInch * inHg};
}

// [rating − 1]: two-barrel at 3.0 inHg, four-barrel at 1.5 inHg.
constexpr RatingPressure kRatings[2] = {Rating(3.0f), Rating(1.5f)};

CFloatPtSpec Pressure(const char* label, bool metric) {
  return metric ? CFloatPtSpec(label, UnitCmH2O, kCmPerInch * kMinDrop, kCmPerInch * kMaxDrop,
                               UnitCmHg, kWaterToMercury)
                : CFloatPtSpec(label, UnitInH2O, kMinDrop, kMaxDrop, UnitInHg, kWaterToMercury);
}

}  // namespace

const RatingPressure& AirflowRatingPressure(int rating) {
  BRISCA_ASSERT(rating == kTwoBarrel || rating == kFourBarrel);
  return kRatings[rating - 1];
}

float AirflowRatingInHg(int rating) { return AirflowRatingPressure(rating).inHg; }

AirflowMathValues::AirflowMathValues(bool metricUnits)
    : metric(metricUnits),
      knownAirflow("Known Airflow Rate", UnitCfm, kMinFlow, kMaxFlow, UnitCfm, kSameUnit),
      knownPressure(Pressure("Known Pressure Drop", metricUnits)),
      targetPressure(Pressure("Pressure Drop", metricUnits)),
      airflowRate("Airflow Rate", UnitCfm, -FLT_MAX, FLT_MAX, UnitCfm, kSameUnit) {
  targetPressure.ToMetric();
}

void ComputeAirflowRate(AirflowMathValues& values) {
  if (!values.knownAirflow.IsValid() || !values.knownPressure.IsValid() ||
      !values.targetPressure.IsValid())
    return;
  BRISCA_ASSERT(values.knownAirflow.GetUnitCode() == UnitCfm &&
                values.airflowRate.GetUnitCode() == UnitCfm);
  CFloatPtSpec known = values.knownPressure;
  CFloatPtSpec target = values.targetPressure;
  known.ToDomestic();
  target.ToDomestic();
  BRISCA_ASSERT(known.GetUnitCode() == target.GetUnitCode());
  const float flow = EngineMath::FlowAtDepression(values.knownAirflow.GetValue(),
                                                  known.GetValue(), target.GetValue());
  values.airflowRate.SetValueRounded(flow, kFlowDecimals);
}

void ChooseAirflowRating(AirflowMathValues& values, int rating) {
  BRISCA_ASSERT(rating == kNoRating || rating == kTwoBarrel || rating == kFourBarrel);
  values.ratingMode = rating;
  if (rating == kNoRating) return;
  const RatingPressure& target = AirflowRatingPressure(rating);
  const bool water = values.targetPressure.IsDomestic();
  const float v = values.metric ? (water ? target.cmH2O : target.cmHg)
                                : (water ? target.inH2O : target.inHg);
  values.targetPressure.SetValueInSystem(v, water);
  ComputeAirflowRate(values);
}

bool CheckAirflowApply(const AirflowMathValues& values, int& code) {
  code = 0;
  if (!values.knownPressure.IsValid()) {
    code = kErrAirflowKnownPressure;
  } else if (!values.knownAirflow.IsValid()) {
    code = kErrAirflowKnownFlow;
  } else if (!values.airflowRate.IsValid() || values.airflowRate.GetValue() < kMinFlow ||
             values.airflowRate.GetValue() > kMaxFlow) {
    code = kErrAirflowRateRange;
  }
  return code == 0;
}

}  // namespace brisca
