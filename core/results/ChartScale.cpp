#include "core/results/ChartScale.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace brisca {
namespace {

constexpr double kIntervals = 5.0;

// The 1, 2 or 5 × 10^k nearest `raw` (by the usual rounding bounds 1.5, 3, 7).
double NiceStep(double raw) {
  const double decade = std::pow(10.0, std::floor(std::log10(raw)));
  const double fraction = raw / decade;
  if (fraction < 1.5) return decade;
  if (fraction < 3.0) return 2.0 * decade;
  if (fraction < 7.0) return 5.0 * decade;
  return 10.0 * decade;
}

}  // namespace

AxisLimits NiceLimits(std::span<const double> values) {
  if (values.empty()) return {0.0, 1.0, 0.2};
  const auto [lowest, highest] = std::minmax_element(values.begin(), values.end());
  double low = *lowest;
  double high = *highest;
  if (high - low <= 0.0) {
    const double step = NiceStep(std::max(std::fabs(low), 1.0) / kIntervals);
    return {std::floor(low / step) * step - step, std::ceil(high / step) * step + step, step};
  }
  const double step = NiceStep((high - low) / kIntervals);
  // The ends hug the data: rounded to half a step of 1 or 2 × 10^k (a step of
  // 5 × 10^k has no round half), then the top moved up to a whole number of steps.
  const double mantissa = step / std::pow(10.0, std::floor(std::log10(step) + 1e-9));
  const double unit = mantissa > 4.0 ? step : step / 2.0;
  // Adding 0 turns a negative zero (a limit rounded up from just below 0) into 0.
  const double min = std::floor(low / unit + 1e-9) * unit + 0.0;
  double max = std::ceil(high / unit - 1e-9) * unit + 0.0;
  const double steps = (max - min) / step;
  if (std::abs(steps - std::round(steps)) > 1e-6) max += unit;
  return {min, max, step};
}

bool SharesScale(const ChartAxisSpec& y1, const ChartAxisSpec& y2) {
  if (!y1.IsAutoRange() || !y2.IsAutoRange() || y2.Item() == kItemNone) return false;
  if (std::strcmp(y1.Units(), y2.Units()) == 0) return true;
  return y1.ItemInfo().powerTorqueFamily && y2.ItemInfo().powerTorqueFamily;
}

AxisLimits SharedLimits(const AxisLimits& a, const AxisLimits& b) {
  return {std::min(a.min, b.min), std::max(a.max, b.max), std::max(a.step, b.step)};
}

}  // namespace brisca
