#pragma once
// How far a measured run lies from the simulated curve: each measured point
// against the simulated value interpolated (linearly, between the two nearest
// simulated speeds) at its speed. Points outside the simulated speed range are
// left out: the curve says nothing there.
//
// Both sides are compared in one air (the frame):
//   the measured file states its weather   both corrected to the chosen
//                                          standard (SAE J1349 when none):
//                                          measured × CF(weather),
//                                          simulated × CF(model air)
//   it states none                         measured as it is, simulated as
//                                          displayed (× DisplayScale)

#include <optional>
#include <vector>

#include "core/results/MeasuredRun.h"
#include "core/results/TestConditions.h"
#include "core/sim/ResultSet.h"

namespace brisca {

//! One measured point against the curve; Δ = measured − simulated.
struct DeviationPoint {
  double rpm = 0.0;           //!< [rpm]
  double measured = 0.0;      //!< in the frame's air [HP] or [lb-ft]
  double simulated = 0.0;     //!< the curve at rpm, same air and unit
  double delta = 0.0;         //!< measured − simulated
  double deltaPercent = 0.0;  //!< 100 · delta / simulated; 0 where simulated is 0
};

//! The deviations of one quantity over the run.
struct DeviationSeries {
  std::vector<DeviationPoint> points;  //!< in ascending speed
  double rms = 0.0;                    //!< √(mean delta²) [HP] or [lb-ft]
  double rmsPercent = 0.0;             //!< √(mean deltaPercent²) [%]
  double largest = 0.0;                //!< the delta of largest size, with its sign
  double largestPercent = 0.0;         //!< that point's deltaPercent
  double largestRpm = 0.0;             //!< that point's speed
};

struct MeasuredDeviation {
  DeviationSeries power;    //!< flywheel power [HP]
  DeviationSeries torque;   //!< flywheel torque [lb-ft]
  int pointsCompared = 0;   //!< measured points within the simulated range
  int pointsOutside = 0;    //!< measured points left out
  bool corrected = false;   //!< true: both sides corrected to `standard`
  CorrectionStandard standard = CorrectionStandard::Uncorrected;  //!< the frame's standard
  double simulatedScale = 1.0;  //!< factor applied to the simulated figures
  double measuredScale = 1.0;   //!< factor applied to the measured figures
};

//! The simulated value of `values` at `rpm`, linear between the points of
//! `simulated` (whose speeds ascend); nothing outside its speed range.
std::optional<double> InterpolateAt(const ResultSet& simulated, const ResultArray& values, double rpm);

//! The deviation of `measured` from `simulated` (the model's own figures) in
//! the frame `conditions` gives (see the top of this file).
MeasuredDeviation CompareMeasured(const ResultSet& simulated, const MeasuredRun& measured,
                                  const TestConditions& conditions);

}  // namespace brisca
