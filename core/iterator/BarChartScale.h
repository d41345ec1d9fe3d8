#pragma once
// The Y axis of the iterator windows' result bar chart (baseline against
// best): it starts at 0..baseline and moves only when the bars come close to
// its ends or shrink to a small part of it, so it does not jump on every
// kept result.

namespace brisca {

struct BarAxis {
  double min = 0.0;
  double max = 0.0;
};

//! The axis before anything was kept: 0 to the baseline's score.
BarAxis InitialBarAxis(float baselineScore);

//! `lo` and `hi` are the lowest and highest values shown (the worst kept
//! score or the baseline, whichever is lower; the highest bar). When lo comes
//! within 2 of the minimum, hi within 2 of the maximum, or hi − lo falls below
//! 80 % of the span, the axis becomes trunc(lo − m − 1) (not below 0) ..
//! trunc(hi + m + 1) with m = 0.1 × (hi − lo). True when it was rescaled.
bool RescaleBarAxis(BarAxis& axis, double lo, double hi);

}  // namespace brisca
