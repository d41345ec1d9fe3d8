#pragma once
// The arithmetic of the airflow calculator: an airflow measured at one
// pressure drop, restated at another (flow grows with the square root of the
// drop), and the two carburettor ratings the simulation knows: two-barrel at
// 3.0 inHg and four-barrel at 1.5 inHg.
//
// A pressure value carries water column as its domestic unit and mercury
// column as its metric unit (factor 0.0738 mercury per water), so ToDomestic
// shows it in water and ToMetric in mercury. A domestic calculator works in
// inches (inH2O / inHg), a metric one in centimetres (cmH2O / cmHg).

#include "core/spec/FloatPtSpec.h"

namespace brisca {

enum AirflowRating : int {
  kNoRating = 0,     //!< "No Ratings Standard": the target pressure is typed
  kTwoBarrel = 1,    //!< rated at 3.0 inHg
  kFourBarrel = 2,   //!< rated at 1.5 inHg
};

//! Numbered messages (ReportErrorCode) of "Apply".
enum AirflowErrorCode : int {
  kErrAirflowKnownFlow = 97,
  kErrAirflowKnownPressure = 98,
  kErrAirflowRateRange = 99,
};

//! A rating's target pressure drop in each unit.
struct RatingPressure {
  float inH2O;
  float inHg;
  float cmH2O;
  float cmHg;
};
//! The target of a two- or four-barrel rating (FatalAssert for another).
const RatingPressure& AirflowRatingPressure(int rating);
//! What the document stores as its "Pressure Drop" for the rating [inHg].
float AirflowRatingInHg(int rating);

//! The calculator's values. New values are unassigned; the known pressure
//! starts in water, the target in mercury; the rating mode is four-barrel.
struct AirflowMathValues {
  explicit AirflowMathValues(bool metric);
  bool metric;                   //!< centimetre (true) or inch pressure units
  int ratingMode = kFourBarrel;  //!< AirflowRating
  CFloatPtSpec knownAirflow;     //!< "Known Airflow Rate" [cfm], 100..4000
  CFloatPtSpec knownPressure;    //!< "Known Pressure Drop" [water | mercury]
  CFloatPtSpec targetPressure;   //!< "Pressure Drop", the target [water | mercury]
  CFloatPtSpec airflowRate;      //!< "Airflow Rate", the result [cfm], no limits
};

//! airflowRate = known airflow × √(target / known), both drops in water,
//! rounded to 1 decimal. Only when the three inputs are valid; otherwise the
//! result keeps its value.
void ComputeAirflowRate(AirflowMathValues& values);
//! Chooses a rating mode. For a two- or four-barrel rating the target takes
//! that rating's pressure in its current unit and the result is recomputed;
//! "No Ratings Standard" changes nothing else.
void ChooseAirflowRating(AirflowMathValues& values, int rating);
//! The checks of "Apply": 98 known pressure, 97 known airflow, 99 result
//! missing or outside 100..4000 cfm.
bool CheckAirflowApply(const AirflowMathValues& values, int& code);

}  // namespace brisca
