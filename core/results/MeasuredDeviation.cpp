#include "core/results/MeasuredDeviation.h"

#include <cmath>

namespace brisca {
namespace {

void Summarise(DeviationSeries& series) {
  if (series.points.empty()) return;
  double sum = 0.0;
  double sumPercent = 0.0;
  const DeviationPoint* largest = &series.points.front();
  for (const DeviationPoint& point : series.points) {
    sum += point.delta * point.delta;
    sumPercent += point.deltaPercent * point.deltaPercent;
    if (std::fabs(point.delta) > std::fabs(largest->delta)) largest = &point;
  }
  const double n = static_cast<double>(series.points.size());
  series.rms = std::sqrt(sum / n);
  series.rmsPercent = std::sqrt(sumPercent / n);
  series.largest = largest->delta;
  series.largestPercent = largest->deltaPercent;
  series.largestRpm = largest->rpm;
}

DeviationPoint PointOf(double rpm, double measured, double simulated) {
  DeviationPoint point;
  point.rpm = rpm;
  point.measured = measured;
  point.simulated = simulated;
  point.delta = measured - simulated;
  point.deltaPercent = simulated != 0.0 ? 100.0 * point.delta / simulated : 0.0;
  return point;
}

}  // namespace

std::optional<double> InterpolateAt(const ResultSet& simulated, const ResultArray& values, double rpm) {
  const int count = simulated.count;
  if (count <= 0 || rpm < simulated.rpm[0] || rpm > simulated.rpm[count - 1]) return std::nullopt;
  for (int k = 0; k < count; ++k) {
    if (rpm == simulated.rpm[k]) return values[k];
    if (k + 1 < count && rpm < simulated.rpm[k + 1]) {
      const double low = simulated.rpm[k];
      const double high = simulated.rpm[k + 1];
      const double share = (rpm - low) / (high - low);
      return values[k] + share * (values[k + 1] - values[k]);
    }
  }
  return std::nullopt;
}

MeasuredDeviation CompareMeasured(const ResultSet& simulated, const MeasuredRun& measured,
                                  const TestConditions& conditions) {
  MeasuredDeviation deviation;
  if (measured.weather.weatherGiven) {
    deviation.corrected = true;
    deviation.standard = LawOf(conditions);
    deviation.simulatedScale = CorrectionFactor(deviation.standard, ModelAir());
    deviation.measuredScale = CorrectionFactor(deviation.standard, measured.weather);
  } else {
    deviation.standard = conditions.standard;
    deviation.simulatedScale = DisplayScale(conditions);
  }
  for (const MeasuredPoint& point : measured.points) {
    const auto power = InterpolateAt(simulated, simulated.power, point.rpm);
    const auto torque = InterpolateAt(simulated, simulated.torque, point.rpm);
    if (!power || !torque) {
      ++deviation.pointsOutside;
      continue;
    }
    ++deviation.pointsCompared;
    deviation.power.points.push_back(PointOf(point.rpm, point.power * deviation.measuredScale,
                                             *power * deviation.simulatedScale));
    deviation.torque.points.push_back(PointOf(point.rpm, point.torque * deviation.measuredScale,
                                              *torque * deviation.simulatedScale));
  }
  Summarise(deviation.power);
  Summarise(deviation.torque);
  return deviation;
}

}  // namespace brisca
