#include "core/results/MeasuredCurve.h"

#include "core/results/ChartItems.h"

namespace brisca {

double MeasuredDisplayScale(const MeasuredRun& run, const TestConditions& conditions) {
  if (!run.weather.weatherGiven) return 1.0;
  const CorrectionStandard law = LawOf(conditions);
  return CorrectionFactor(law, run.weather) / CorrectionFactor(law, ModelAir()) * DisplayScale(conditions);
}

std::optional<double> MeasuredItemValue(const MeasuredPoint& point, int item, double scale) {
  switch (item) {
    case kItemEngineSpeed:
      return point.rpm;
    case kItemPower:
      return point.power * scale;
    case kItemTorque:
      return point.torque * scale;
    default:
      return std::nullopt;
  }
}

std::vector<MeasuredCurve> MeasuredCurves(const MeasuredRun& run, int xItem, int yItem, double scale) {
  std::vector<MeasuredCurve> curves;
  if (run.points.empty() || !IsChartItemNumber(xItem) || !IsChartItemNumber(yItem) || yItem == kItemNone) {
    return curves;
  }
  if (!MeasuredItemValue(run.points.front(), xItem, scale)) return curves;
  const ChartItem& y = GetChartItem(yItem);
  for (int c = 0; c < y.series; ++c) {
    const int item = y.curves[static_cast<std::size_t>(c)];
    if (item != kItemPower && item != kItemTorque) continue;
    MeasuredCurve curve;
    curve.item = item;
    for (const MeasuredPoint& point : run.points) {
      curve.points.push_back({*MeasuredItemValue(point, xItem, scale), *MeasuredItemValue(point, item, scale)});
    }
    curves.push_back(std::move(curve));
  }
  return curves;
}

}  // namespace brisca
