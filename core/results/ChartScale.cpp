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
  // Adding 0 turns a negative zero (a limit rounded up from just below 0) into 0.
  return {std::floor(low / step + 1e-9) * step + 0.0, std::ceil(high / step - 1e-9) * step + 0.0, step};
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
