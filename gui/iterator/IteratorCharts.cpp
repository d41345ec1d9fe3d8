#include "gui/iterator/IteratorCharts.h"

#include <QLineSeries>

#include <algorithm>
#include <vector>

#include "core/results/ChartItems.h"
#include "core/results/ChartScale.h"
#include "core/sim/SimResults.h"
#include "gui/results/chartlib/Chart2D.h"
#include "gui/results/chartlib/Surface3D.h"

namespace brisca {
namespace {

constexpr double kBaselineBarX = 0.85;
constexpr double kBestBarX = 1.15;
constexpr double kBarWidth = 0.2;
constexpr qreal kLineWidth = 1.0;
constexpr qreal kMarkerSize = 5.0;
constexpr double kSweepStep = 500.0;

const ResultArray& Quantity(const TestCurve& curve, int quantity) {
  return quantity == 3 ? curve.torque : curve.power;
}

}  // namespace

int CriterionQuantity(int criterion) {
  return criterion == kPeakTorque || criterion == kTorqueArea ? 3 : 2;
}

const char* CriterionUnits(int criterion) {
  static constexpr const char* kUnits[] = {"lb-ft", "lb-ft-rpm x 1000", "hp", "hp-rpm x 1000"};
  return kUnits[std::clamp(criterion, 0, 3)];
}

void ShowCurrentTest(CChart2D& chart, const RunSnapshot& s) {
  const int quantity = CriterionQuantity(s.criterion);
  const int points = s.baseline.count;
  // Best, baseline, last tested.
  const TestCurve* curves[3] = {&s.best, &s.baseline, &s.last};
  ChartData data(3, std::max(points, 1));
  for (int set = 0; set < 3; ++set) {
    const ResultArray& y = Quantity(*curves[set], quantity);
    for (int k = 0; k < points; ++k) {
      data.SetX(set, k, s.baseline.rpm[k]);
      data.SetY(set, k, k < curves[set]->count ? y[k] : 0.0);
    }
    data.SetSeriesEnd(set, std::min(points, set == 1 ? points : curves[set]->count));
  }
  data.SetLastPoint(points);
  const bool tested = s.tested;
  data.SetDisplay(0, tested && s.best.count > 0 ? SeriesDisplay::Shown : SeriesDisplay::Excluded);
  data.SetDisplay(1, points > 0 ? SeriesDisplay::Shown : SeriesDisplay::Excluded);
  data.SetDisplay(2, tested && s.last.count > 0 ? SeriesDisplay::Shown : SeriesDisplay::Excluded);
  chart.SetRepaint(false);
  chart.SetData(ChartAxis::Y1, data,
                {QObject::tr("Best"), QObject::tr("Baseline"), QObject::tr("Last Tested")});
  const QColor colors[3] = {kBestColor, kBaselineColor, kLastColor};
  for (int set = 0; set < 3; ++set) {
    chart.SetSeriesStyle(ChartAxis::Y1, set, {colors[set], kLineWidth, kMarkerSize});
  }
  std::vector<double> values{0.0};
  for (int set = 0; set < 3; ++set) {
    if (!data.IsShown(set)) continue;
    for (int k = 0; k < data.SeriesEnd(set); ++k) values.push_back(data.Y(set, k));
  }
  chart.SetAxisFixed(ChartAxis::X, kSweepMinRpm, kSweepMaxRpm);
  chart.SetAxisFixed(ChartAxis::Y1, 0.0, NiceLimits(values).max);
  chart.SetAxisTitle(ChartAxis::X, QStringLiteral("RPM"));
  chart.SetAxisTitle(ChartAxis::Y1, QString::fromLatin1(GetChartItem(quantity).units));
  chart.SetY2Shown(false);
  chart.Rescale();
  chart.SetRepaint(true);
}

void InitResultBars(CChart2D& chart) {
  ChartData none(1, 1);
  none.SetX(0, 0, 1.0);
  none.SetDisplay(0, SeriesDisplay::Excluded);
  chart.SetData(ChartAxis::Y1, none, {QString()});
  chart.SetAxisFixed(ChartAxis::X, 0.5, 1.5);
  chart.SetValueLabels({{kBaselineBarX, QObject::tr("Baseline")}, {kBestBarX, QObject::tr("Best")}});
  chart.SetY2Shown(false);
}

void ShowResultBars(CChart2D& chart, const RunSnapshot& s, BarAxis& axis) {
  if (s.keptCount == 0) {
    axis = InitialBarAxis(s.baselineScore);
  } else {
    const double lo = std::min(s.worstScore, s.baselineScore);
    const double hi = std::max(s.bestScore, s.baselineScore);
    RescaleBarAxis(axis, lo, hi);
  }
  chart.SetRepaint(false);
  chart.SetBars(ChartAxis::Y1, {{kBaselineBarX, s.baselineScore}, {kBestBarX, s.bestScore}},
                kBarWidth, kBestColor);
  chart.SetBarColor(0, kBaselineColor);
  chart.SetAxisFixed(ChartAxis::Y1, axis.min, axis.max > axis.min ? axis.max : axis.min + 1.0);
  chart.SetAxisTitle(ChartAxis::Y1, QString::fromLatin1(CriterionUnits(s.criterion)));
  chart.Rescale();
  chart.SetRepaint(true);
}

void ShowCriterionRange(CChart2D& chart, const TestCurve& baseline, int criterion, float low,
                        float high) {
  const int quantity = CriterionQuantity(criterion);
  const int points = std::max(baseline.count, 1);
  // The curve, then the two markers as vertical two-point series.
  ChartData data(3, points);
  const ResultArray& y = Quantity(baseline, quantity);
  double top = 0.0;
  for (int k = 0; k < baseline.count; ++k) top = std::max<double>(top, y[k]);
  const double limit = NiceLimits(std::vector<double>{0.0, top}).max;
  for (int k = 0; k < points; ++k) {
    data.SetX(0, k, baseline.count > 0 ? baseline.rpm[k] : kSweepMinRpm);
    data.SetY(0, k, k < baseline.count ? y[k] : 0.0);
    const bool upper = k > 0;
    data.SetX(1, k, low);
    data.SetY(1, k, upper ? limit : 0.0);
    data.SetX(2, k, high);
    data.SetY(2, k, upper ? limit : 0.0);
  }
  data.SetSeriesEnd(1, std::min(points, 2));
  data.SetSeriesEnd(2, std::min(points, 2));
  chart.SetRepaint(false);
  chart.SetData(ChartAxis::Y1, data,
                {QString::fromLatin1(GetChartItem(quantity).label), QObject::tr("From"),
                 QObject::tr("To")});
  chart.SetSeriesStyle(ChartAxis::Y1, 0, {kBaselineColor.darker(150), 1.0, 5.0});
  chart.SetSeriesStyle(ChartAxis::Y1, 1, {kLastColor, 1.0, 0.0});
  chart.SetSeriesStyle(ChartAxis::Y1, 2, {kBestColor, 1.0, 0.0});
  chart.SetAxisFixed(ChartAxis::X, kSweepMinRpm, kSweepMaxRpm);
  chart.SetAxisFixed(ChartAxis::Y1, 0.0, limit);
  chart.SetAxisTitle(ChartAxis::X, QStringLiteral("RPM"));
  chart.SetAxisTitle(ChartAxis::Y1, QString::fromLatin1(GetChartItem(quantity).units));
  chart.SetY2Shown(false);
  chart.Rescale();
  chart.SetRepaint(true);
}

void ShowResultSurface(CSurface3D& surface, const RunSnapshot& s) {
  const int quantity = CriterionQuantity(s.criterion);
  std::vector<double>& z = surface.MakeGridData(kIteratorResults, kResultPoints, 1.0, kIteratorResults,
                                                kSweepMinRpm / 1000.0, kSweepMaxRpm / 1000.0);
  for (int i = 0; i < kIteratorResults; ++i) {
    const TestCurve& curve = s.kept[i];
    const ResultArray& y = Quantity(curve, quantity);
    for (int k = 0; k < kResultPoints; ++k) {
      z[static_cast<std::size_t>(k) * kIteratorResults + i] = i < s.keptCount && k < curve.count ? y[k] : 0.0;
    }
  }
  surface.SetAxisTitles(QObject::tr("Best Result#(X)"), QObject::tr("RPMx1000(Y)"),
                        quantity == 3 ? QObject::tr("Torque(Z)") : QObject::tr("HP(Z)"));
  surface.update();
}

}  // namespace brisca
