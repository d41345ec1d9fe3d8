#include "core/iterator/BarChartScale.h"

#include <algorithm>
#include <cmath>

namespace brisca {
namespace {

constexpr double kNearEnd = 2.0;       //!< closer than this to an end rescales
constexpr double kLeastFill = 0.8;     //!< least part of the span the bars fill
constexpr double kMarginShare = 0.1;   //!< margin as part of hi − lo

}  // namespace

BarAxis InitialBarAxis(float baselineScore) { return {0.0, baselineScore}; }

bool RescaleBarAxis(BarAxis& axis, double lo, double hi) {
  const bool nearMin = lo - axis.min < kNearEnd;
  const bool nearMax = axis.max - hi < kNearEnd;
  const bool small = hi - lo < kLeastFill * (axis.max - axis.min);
  if (!nearMin && !nearMax && !small) return false;
  const double margin = kMarginShare * (hi - lo);
  axis.min = std::max(0.0, std::trunc(lo - margin - 1.0));
  axis.max = std::trunc(hi + margin + 1.0);
  return true;
}

}  // namespace brisca
