#pragma once
// The valve-lift curves of the timing diagram: one lobe shape per valve from
// its events, lift and ramp rate, in the convention of the profile, and the
// lift scale that fits them.

#include <optional>
#include <vector>

namespace brisca {

class CCamProfile;

//! Points of one curve, the first and last on the base circle.
inline constexpr int kLobeShapePoints = 41;

struct LobePoint {
  double angle;  //!< crank degrees
  double lift;   //!< valve lift in the profile's lift unit
};

//! The lobe from opening angle `open` to closing angle `close` (crank degrees
//! on the diagram's scale) with maximum lift `lift` (inches, or mm with
//! `metric`) and ramp rate `rampRate`. In the 0.050-inch convention the
//! events are at 0.050 in of lift: the full lobe is longer than close - open.
//! Empty when close is not after open or the lift is too small to reach
//! 0.050 in.
std::vector<LobePoint> LobeShape(double open, double close, double lift, double rampRate,
                                 int method, bool metric);

//! The two curves of a profile's primary set: exhaust from 180 - EVO to
//! 360 + EVC, intake from 360 - IVO to 540 + IVC. A curve whose events, ramp
//! rate or lift is not valid is empty.
struct TimingCurves {
  std::vector<LobePoint> exhaust;
  std::vector<LobePoint> intake;
};
TimingCurves ProfileTimingCurves(const CCamProfile& profile);

//! The lift axis: from 0 (seat-to-seat) or 0.050 in / 1.27 mm (0.050-inch) to
//! a maximum that fits the larger valid lift, with its grid step.
struct LiftScale {
  double min;
  double max;
  double step;
};
LiftScale TimingLiftScale(const CCamProfile& profile);

}  // namespace brisca
