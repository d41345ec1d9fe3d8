#include "core/valvetrain/CamLobeShape.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/valvetrain/CamProfile.h"

namespace brisca {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kCheckLiftInches = 0.1;        // lift term of the 0.050-inch widening [in]
constexpr double kCheckLiftMillimetres = 2.54;  // the same [mm]
constexpr double kFiftyLiftInches = 0.05;
constexpr double kFiftyLiftMillimetres = 1.27;

struct ScaleStep {
  double upTo;  // largest lift of the row
  double max;
  double step;
};
constexpr ScaleStep kInchScale[] = {{0.7, 1.0, 0.1}, {0.85, 1.2, 0.1}, {1.1, 1.6, 0.2}, {1e9, 2.2, 0.2}};
constexpr ScaleStep kMillimetreScale[] = {{17, 25, 2}, {21, 30, 2}, {28, 40, 5}, {1e9, 55, 5}};

std::vector<LobePoint> Curve(const CCamProfile& p, CamEvent openEvent, CamEvent closeEvent,
                             double openBase, double closeBase, const CFloatPtSpec& lift) {
  const CFloatPtSpec& open = p.Event(TimingSet::Primary, openEvent);
  const CFloatPtSpec& close = p.Event(TimingSet::Primary, closeEvent);
  const CPartTypeSpec& method = p.Method(TimingSet::Primary);
  if (!open.IsValid() || !close.IsValid() || !p.RampRate().IsValid() || !lift.IsValid() ||
      !method.IsValid())
    return {};
  return LobeShape(openBase - open.GetValue(), closeBase + close.GetValue(), lift.GetValue(),
                   p.RampRate().GetValue(), method.GetValue(), lift.IsMetric());
}

}  // namespace

std::vector<LobePoint> LobeShape(double open, double close, double lift, double rampRate,
                                 int method, bool metric) {
  const double d = close - open;
  if (d <= 0.0 || lift <= 0.0) return {};
  double full = d;
  double start = open;
  double e = 0.0;
  if (method == kFiftyThou) {
    const double c = metric ? kCheckLiftMillimetres : kCheckLiftInches;
    const double arg = 1.0 - c / lift;
    if (arg <= -1.0) return {};
    full = kPi * d / (kPi - std::acos(arg));
    e = (full - d) / 2.0;
    start = open - e;
  }
  const double k = 0.1 * ((2.0 * lift / 5.0) * (rampRate - 1.0) - lift);
  std::vector<LobePoint> points;
  points.reserve(kLobeShapePoints);
  const int last = kLobeShapePoints - 1;
  for (int i = 0; i <= last; ++i) {
    const double x = i * full / last;
    double y = 0.0;
    if (i != 0 && i != last) {
      y = (1.0 - std::cos(2.0 * kPi * x / full)) * lift / 2.0;
      if (method == kFiftyThou) {
        if (e < x && x < full - e) y += (1.0 - std::cos(4.0 * kPi * (x - e) / d)) * k / 2.0;
      } else {
        y += (1.0 - std::cos(4.0 * kPi * x / full)) * k / 2.0;
      }
    }
    points.push_back({start + x, y});
  }
  return points;
}

TimingCurves ProfileTimingCurves(const CCamProfile& p) {
  TimingCurves curves;
  curves.exhaust = Curve(p, kEVO, kEVC, 180.0, 360.0, p.ExhaustLift());
  curves.intake = Curve(p, kIVO, kIVC, 360.0, 540.0, p.IntakeLift());
  return curves;
}

LiftScale TimingLiftScale(const CCamProfile& p) {
  const bool metric = p.IsMetric();
  double largest = 0.0;
  for (const CFloatPtSpec* lift : {&p.IntakeLift(), &p.ExhaustLift()})
    if (lift->IsValid()) largest = std::max(largest, static_cast<double>(lift->GetValue()));
  const auto& table = metric ? kMillimetreScale : kInchScale;
  const ScaleStep* row = &table[0];
  for (const ScaleStep& s : table) {
    row = &s;
    if (largest <= s.upTo) break;
  }
  const CPartTypeSpec& method = p.Method(TimingSet::Primary);
  const bool fifty = method.IsValid() && method.GetValue() == kFiftyThou;
  const double min = fifty ? (metric ? kFiftyLiftMillimetres : kFiftyLiftInches) : 0.0;
  return {min, row->max, row->step};
}

}  // namespace brisca
