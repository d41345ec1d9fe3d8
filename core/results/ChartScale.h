#pragma once
// Axis scaling of the 2D charts: the automatic limits of an axis (the drawn
// points rounded outwards to nice numbers) and the rule that puts Y1 and Y2 on
// one scale.

#include <span>

#include "core/results/ChartAxisSpec.h"

namespace brisca {

//! Limits of one axis in the item's unit.
struct AxisLimits {
  double min = 0.0;
  double max = 0.0;
  double step = 0.0;  //!< distance between grid lines

  friend bool operator==(const AxisLimits&, const AxisLimits&) = default;
};

//! The automatic limits of an axis showing `values` (the drawn points only):
//! a step of 1, 2 or 5 × 10^k nearest a fifth of the range; the data range
//! rounded outwards to half a step (a whole one for 5 × 10^k) and spanning a
//! whole number of steps. A flat range is widened by one step around the
//! value; no values give 0..1.
AxisLimits NiceLimits(std::span<const double> values);

//! True when Y1 and Y2 share one scale: both Auto-Range, Y2 not item 0, and
//! either their unit captions are equal or both belong to the power and torque
//! family.
bool SharesScale(const ChartAxisSpec& y1, const ChartAxisSpec& y2);

//! The shared scale: the lower minimum to the higher maximum, the coarser step.
AxisLimits SharedLimits(const AxisLimits& a, const AxisLimits& b);

}  // namespace brisca
