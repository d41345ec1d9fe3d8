#include "gui/results/MeasuredOverlay.h"

#include "core/results/ChartItems.h"
#include "core/results/MeasuredCurve.h"

namespace brisca {
namespace {

constexpr qreal kLineWidth = 2.0;
constexpr qreal kMarkerSize = 5.0;
// A plot lighter than this takes the dark measured colour.
constexpr int kLightPlot = 128;

}  // namespace

QString MeasuredLegend(const MeasuredRun& run) {
  return QStringLiteral("Measured - ") + QString::fromStdString(run.name);
}

QColor MeasuredColor(const ChartPalette& palette, bool zonesShown) {
  const QColor plot = zonesShown ? QColor(Qt::white) : palette.Color(kPlotArea);
  return plot.lightness() >= kLightPlot ? QColor(0x20, 0x20, 0x20) : QColor(0xF2, 0xF2, 0xF2);
}

std::vector<OverlayLine> MeasuredOverlayLines(const MeasuredRun& run, const ChartState& state, double scale,
                                              const ChartPalette& palette) {
  std::vector<OverlayLine> lines;
  const QColor color = MeasuredColor(palette, state.zones.shown);
  for (ChartAxis axis : {ChartAxis::Y1, ChartAxis::Y2}) {
    const int yItem = axis == ChartAxis::Y1 ? state.Y1().Item() : state.Y2().Item();
    for (const MeasuredCurve& curve : MeasuredCurves(run, state.X().Item(), yItem, scale)) {
      OverlayLine line;
      line.name = QString::fromUtf8(GetChartItem(curve.item).label);
      line.yAxis = axis;
      for (const MeasuredCurve::Point& point : curve.points) line.points.emplace_back(point.x, point.y);
      line.style = {color, kLineWidth, kMarkerSize, curve.item == kItemTorque ? Qt::DashDotLine : Qt::DashLine};
      lines.push_back(std::move(line));
    }
  }
  const QString legend = MeasuredLegend(run);
  for (OverlayLine& line : lines) line.name = lines.size() == 1 ? legend : line.name + QLatin1Char('-') + legend;
  return lines;
}

}  // namespace brisca
