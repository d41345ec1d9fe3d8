#include "gui/results/chartlib/Chart2D.h"

#include <QFontMetricsF>
#include <QGraphicsLayout>
#include <QGraphicsLineItem>
#include <QGraphicsRectItem>
#include <QMouseEvent>
#include <QImage>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <memory>

#include "core/base/FatalAssert.h"
#include "gui/results/chartlib/ChartLegend.h"
#include "gui/results/chartlib/ChartTextLabel.h"

namespace brisca {
namespace {

// Decimals a tick value needs to be shown exactly (at most 6).
int DecimalsOf(double value) {
  constexpr int kMostDecimals = 6;
  double scaled = std::abs(value);
  for (int decimals = 0; decimals < kMostDecimals; ++decimals) {
    if (std::abs(scaled - std::round(scaled)) < 1e-6 * std::max(1.0, scaled)) return decimals;
    scaled *= 10.0;
  }
  return kMostDecimals;
}

int Index(ChartAxis axis) { return static_cast<int>(axis); }

// `font` with its point size turned into pixels at `dpi`.
QFont InPixels(QFont font, qreal dpi) {
  if (font.pixelSize() <= 0 && font.pointSizeF() > 0) {
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(font.pointSizeF() * dpi / 72.0))));
  }
  return font;
}

// Labels sit above the plot background and the series.
constexpr qreal kLabelZ = 20.0;

// Dashes long enough to read as dashes between the markers of a line.
QPen LinePen(const SeriesStyle& style) {
  QPen pen(style.color, style.lineWidth);
  if (style.lineStyle == Qt::DashLine) pen.setDashPattern({3.0, 2.0});
  else if (style.lineStyle == Qt::DashDotLine) pen.setDashPattern({3.0, 1.5, 1.0, 1.5});
  else pen.setStyle(style.lineStyle);
  return pen;
}

}  // namespace

CChart2D::CChart2D(QWidget* parent) : QChartView(parent), chart_(new QChart) {
  // The view comes with a chart of its own, which setChart() releases
  // without deleting it.
  const std::unique_ptr<QChart> viewsOwn(chart());
  setChart(chart_);
  setRenderHint(QPainter::Antialiasing);
  setFrameShape(QFrame::NoFrame);
  chart_->setBackgroundRoundness(0);
  chart_->layout()->setContentsMargins(0, 0, 0, 0);  // the background fills the whole chart
  chart_->setMargins(plotMargins_);
  chart_->legend()->setAlignment(Qt::AlignBottom);
  chart_->legend()->setShowToolTips(false);
  // Qt's legend keeps to one row and cuts its texts short: the chart draws its own.
  chart_->legend()->setVisible(false);
  legend_ = new ChartLegend(chart_);
  legend_->setZValue(kLabelZ);

  const Qt::Alignment sides[3] = {Qt::AlignBottom, Qt::AlignLeft, Qt::AlignRight};
  for (int i = 0; i < 3; ++i) {
    axes_[i] = new QValueAxis(chart_);
    axes_[i]->setTickType(QValueAxis::TicksDynamic);
    chart_->addAxis(axes_[i], sides[i]);
  }
  // One set of grid lines: Y1's. Y2's, on a scale of its own, would cross them.
  axes_[Index(ChartAxis::Y2)]->setGridLineVisible(false);
  for (ChartAxis y : {ChartAxis::Y1, ChartAxis::Y2}) {
    Side& side = SideOf(y);
    side.anchor = new QLineSeries(chart_);
    chart_->addSeries(side.anchor);
    side.anchor->attachAxis(axes_[Index(ChartAxis::X)]);
    side.anchor->attachAxis(AxisOf(y));
    for (QLegendMarker* marker : chart_->legend()->markers(side.anchor)) marker->setVisible(false);
  }
  for (ChartAxis axis : {ChartAxis::X, ChartAxis::Y1, ChartAxis::Y2}) {
    ApplyLimits(axis, axisState_[Index(axis)].shown);
  }
  SetColors(colors_);
  connect(chart_, &QChart::plotAreaChanged, this, [this] {
    PlaceLabels();
    emit PlotAreaMoved();
  });
}

CChart2D::~CChart2D() = default;

void CChart2D::SetRepaint(bool on) {
  setUpdatesEnabled(on);
  if (on) viewport()->update();
}

CChart2D::Side& CChart2D::SideOf(ChartAxis yAxis) {
  BRISCA_ASSERT(yAxis != ChartAxis::X);
  return sides_[yAxis == ChartAxis::Y1 ? 0 : 1];
}

const CChart2D::Side& CChart2D::SideOf(ChartAxis yAxis) const {
  BRISCA_ASSERT(yAxis != ChartAxis::X);
  return sides_[yAxis == ChartAxis::Y1 ? 0 : 1];
}

QValueAxis* CChart2D::AxisOf(ChartAxis axis) const { return axes_[Index(axis)]; }

void CChart2D::SetData(ChartAxis yAxis, const ChartData& data, const std::vector<QString>& legends) {
  Side& side = SideOf(yAxis);
  side.data = data;
  side.styles.resize(static_cast<std::size_t>(data.Sets()));
  RebuildSeries(yAxis, legends);
}

const ChartData* CChart2D::Data(ChartAxis yAxis) const {
  const Side& side = SideOf(yAxis);
  return side.data ? &*side.data : nullptr;
}

void CChart2D::RebuildSeries(ChartAxis yAxis, const std::vector<QString>& legends) {
  Side& side = SideOf(yAxis);
  for (QLineSeries* series : side.series) {
    chart_->removeSeries(series);
    delete series;
  }
  side.series.clear();
  const ChartData& data = *side.data;
  for (int set = 0; set < data.Sets(); ++set) {
    auto* series = new QLineSeries;
    QList<QPointF> points;
    for (int p = data.FirstPoint(); p < data.SeriesEnd(set); ++p) {
      points.append(QPointF(data.X(set, p), data.Y(set, p)));
    }
    series->replace(points);
    if (static_cast<std::size_t>(set) < legends.size()) series->setName(legends[set]);
    chart_->addSeries(series);
    series->attachAxis(AxisOf(ChartAxis::X));
    series->attachAxis(AxisOf(yAxis));
    const bool shown = data.IsShown(set);
    series->setVisible(shown);
    for (QLegendMarker* marker : chart_->legend()->markers(series)) marker->setVisible(shown);
    side.series.push_back(series);
    ApplyStyle(yAxis, set);
  }
  FitLegend();
}

void CChart2D::SetSeriesStyle(ChartAxis yAxis, int set, const SeriesStyle& style) {
  Side& side = SideOf(yAxis);
  BRISCA_ASSERT(set >= 0 && static_cast<std::size_t>(set) < side.styles.size());
  side.styles[static_cast<std::size_t>(set)] = style;
  ApplyStyle(yAxis, set);
  FitLegend();
}

void CChart2D::ApplyStyle(ChartAxis yAxis, int set) {
  Side& side = SideOf(yAxis);
  if (static_cast<std::size_t>(set) >= side.series.size()) return;
  const SeriesStyle& style = side.styles[static_cast<std::size_t>(set)];
  QLineSeries* series = side.series[static_cast<std::size_t>(set)];
  series->setPen(LinePen(style));
  series->setColor(style.color);
  series->setPointsVisible(style.markerSize > 0);
  series->setMarkerSize(style.markerSize);
}

void CChart2D::SetOverlays(const std::vector<OverlayLine>& lines) {
  for (auto& [line, series] : overlays_) {
    chart_->removeSeries(series);
    delete series;
  }
  overlays_.clear();
  for (const OverlayLine& line : lines) {
    auto* series = new QLineSeries;
    series->replace(QList<QPointF>(line.points.begin(), line.points.end()));
    series->setName(line.name);
    chart_->addSeries(series);
    series->attachAxis(AxisOf(ChartAxis::X));
    series->attachAxis(AxisOf(line.yAxis));
    series->setPen(LinePen(line.style));
    series->setColor(line.style.color);
    series->setPointsVisible(line.style.markerSize > 0);
    series->setMarkerSize(line.style.markerSize);
    for (QLegendMarker* marker : chart_->legend()->markers(series)) marker->setVisible(false);
    overlays_.emplace_back(line, series);
  }
  FitLegend();
}

QLineSeries* CChart2D::OverlaySeries(int index) const {
  if (index < 0 || index >= OverlayCount()) return nullptr;
  return overlays_[static_cast<std::size_t>(index)].second;
}

QLineSeries* CChart2D::Series(ChartAxis yAxis, int set) const {
  const Side& side = SideOf(yAxis);
  if (set < 0 || static_cast<std::size_t>(set) >= side.series.size()) return nullptr;
  return side.series[static_cast<std::size_t>(set)];
}

void CChart2D::SetAxisFixed(ChartAxis axis, double minimum, double maximum, double step) {
  AxisState& state = axisState_[Index(axis)];
  state.automatic = false;
  const double values[2] = {minimum, maximum};
  state.fixed = {minimum, maximum, step > 0.0 ? step : NiceLimits(values).step};
}

void CChart2D::SetAxisAutomatic(ChartAxis axis) { axisState_[Index(axis)].automatic = true; }

bool CChart2D::IsAxisAutomatic(ChartAxis axis) const { return axisState_[Index(axis)].automatic; }

std::vector<double> CChart2D::DrawnValues(ChartAxis axis) const {
  std::vector<double> values;
  for (ChartAxis y : {ChartAxis::Y1, ChartAxis::Y2}) {
    if (axis != ChartAxis::X && axis != y) continue;
    const Side& side = SideOf(y);
    if (!side.data) continue;
    const ChartData& data = *side.data;
    for (int set = 0; set < data.Sets(); ++set) {
      if (!data.IsShown(set)) continue;
      for (int p = data.FirstPoint(); p < data.SeriesEnd(set); ++p) {
        values.push_back(axis == ChartAxis::X ? data.X(set, p) : data.Y(set, p));
      }
    }
  }
  for (const auto& [line, series] : overlays_) {
    if (axis != ChartAxis::X && axis != line.yAxis) continue;
    for (const QPointF& point : line.points) values.push_back(axis == ChartAxis::X ? point.x() : point.y());
  }
  return values;
}

void CChart2D::Rescale() {
  for (ChartAxis axis : {ChartAxis::X, ChartAxis::Y1, ChartAxis::Y2}) {
    const AxisState& state = axisState_[Index(axis)];
    ApplyLimits(axis, state.automatic ? NiceLimits(DrawnValues(axis)) : state.fixed);
  }
}

void CChart2D::ApplyLimits(ChartAxis axis, const AxisLimits& limits) {
  AxisState& state = axisState_[Index(axis)];
  state.shown = limits;
  QValueAxis* valueAxis = AxisOf(axis);
  double maximum = limits.max > limits.min ? limits.max : limits.min + 1.0;
  // A grid step from the old range over the new one would make thousands of
  // ticks for a moment: widen it first.
  valueAxis->setTickInterval(std::max(valueAxis->max() - valueAxis->min(), maximum - limits.min));
  valueAxis->setRange(limits.min, maximum);
  const double step = limits.step > 0 ? limits.step : (maximum - limits.min) / 5.0;
  // A whole number of steps from a multiple of the step: ticks spread from end
  // to end, exact at both ends. Otherwise the ticks fall on whole multiples of the step and the chart
  // labels them itself, with both ends.
  const double intervals = (maximum - limits.min) / step;
  const bool onStep = std::abs(limits.min / step - std::round(limits.min / step)) < 1e-6;
  const bool whole = std::abs(intervals - std::round(intervals)) < 1e-6 && intervals < 100 && onStep;
  double firstTick = limits.min;
  if (whole) {
    valueAxis->setTickType(QValueAxis::TicksFixed);
    valueAxis->setTickCount(static_cast<int>(std::round(intervals)) + 1);
  } else {
    valueAxis->setTickType(QValueAxis::TicksDynamic);
    valueAxis->setTickInterval(step);
    firstTick = std::ceil(limits.min / step - 1e-9) * step + 0.0;
    valueAxis->setTickAnchor(firstTick);
  }
  // As many decimals as the step has, and as the first tick has (ticks from
  // 0.05 in steps of 0.1 need two): ticks summed from the anchor carry
  // rounding noise that "%g" would show.
  const int stepDecimals = std::max(0, static_cast<int>(std::ceil(-std::log10(step) - 1e-9)));
  const int decimals = std::max({stepDecimals, DecimalsOf(firstTick), whole ? 0 : DecimalsOf(limits.min),
                                 whole ? 0 : DecimalsOf(maximum)});
  valueAxis->setLabelFormat(QStringLiteral("%.%1f").arg(decimals));
  std::vector<double> labelled;
  if (!whole) {
    // An inner tick too near an end gives its place to the end's label.
    constexpr double kNearEnd = 0.45;
    labelled.push_back(limits.min);
    for (double tick = firstTick; tick < maximum - kNearEnd * step; tick += step) {
      if (tick > limits.min + kNearEnd * step) labelled.push_back(tick);
    }
    labelled.push_back(maximum);
  }
  SetTickLabels(axis, labelled, decimals);
  PlaceLabels();
}

void CChart2D::SetTickLabels(ChartAxis axis, const std::vector<double>& values, int decimals) {
  auto& labels = tickLabels_[static_cast<std::size_t>(Index(axis))];
  for (auto& [value, item] : labels) delete item;
  labels.clear();
  const Qt::Alignment align = axis == ChartAxis::X    ? Qt::AlignHCenter | Qt::AlignTop
                              : axis == ChartAxis::Y1 ? Qt::AlignRight | Qt::AlignVCenter
                                                      : Qt::AlignLeft | Qt::AlignVCenter;
  QValueAxis* valueAxis = AxisOf(axis);
  for (double value : values) {
    auto* item = new ChartTextLabel(QString::number(value, 'f', decimals), align, colors_.text, Qt::transparent,
                                    chart_);
    item->SetFont(TextFont(valueAxis->labelsFont()));
    item->setZValue(kLabelZ);
    labels.emplace_back(value, item);
  }
  ApplyAxisColors(valueAxis);
}

AxisLimits CChart2D::Limits(ChartAxis axis) const { return axisState_[Index(axis)].shown; }

void CChart2D::SetY2Shown(bool shown) { AxisOf(ChartAxis::Y2)->setVisible(shown); }

bool CChart2D::IsY2Shown() const { return AxisOf(ChartAxis::Y2)->isVisible(); }

void CChart2D::SetAxisTitle(ChartAxis axis, const QString& title) {
  AxisOf(axis)->setTitleText(title);
}

void CChart2D::ApplyAxisColors(QValueAxis* axis) {
  // The axis's own numbers keep their room but are not seen when the chart draws its own.
  const bool own = !tickLabels_[static_cast<std::size_t>(std::find(axes_.begin(), axes_.end(), axis) - axes_.begin())]
                        .empty();
  axis->setLabelsColor(own ? QColor(Qt::transparent) : colors_.text);
  axis->setTitleBrush(colors_.text);
  axis->setLinePenColor(colors_.grid);
  axis->setGridLineColor(colors_.grid);
  axis->setMinorGridLineColor(colors_.grid);
}

void CChart2D::SetColors(const ChartColors& colors) {
  colors_ = colors;
  chart_->setBackgroundBrush(colors.background);
  chart_->setBackgroundPen(QPen(colors.frame));
  chart_->setPlotAreaBackgroundBrush(colors.plotArea);
  chart_->setPlotAreaBackgroundVisible(true);
  chart_->legend()->setLabelColor(colors.text);
  if (!chart_->title().isEmpty()) chart_->setTitleBrush(colors.text);
  for (QValueAxis* axis : axes_) ApplyAxisColors(axis);
  for (auto& labels : tickLabels_) {
    for (auto& [value, item] : labels) item->SetColor(colors.text);
  }
  setBackgroundBrush(colors.background);
  FitLegend();
}

void CChart2D::SetPlotMargins(const QMargins& margins) {
  plotMargins_ = margins;
  FitLegend();
}

void CChart2D::SetNote(const QString& note) {
  // A chart that never had a note is left without a title item, laid out as ever.
  if (note.isEmpty() && chart_->title().isEmpty()) return;
  chart_->setTitleFont(TextFont(font()));
  chart_->setTitleBrush(colors_.text);
  chart_->setTitle(note);
}

QString CChart2D::Note() const { return chart_->title(); }

int CChart2D::AddLabel(const QString& text, QPointF at, ChartAxis yAxis, Qt::Alignment align,
                       const QColor& textColor, const QColor& background) {
  auto* item = new ChartTextLabel(text, align, textColor, background, chart_);
  item->SetFont(TextFont(item->Font()));
  item->setZValue(kLabelZ);
  labels_.push_back({item, at, yAxis});
  PlaceLabels();
  return static_cast<int>(labels_.size()) - 1;
}

void CChart2D::ClearLabels() {
  for (Label& label : labels_) delete label.item;
  labels_.clear();
}

QString CChart2D::LabelText(int label) const { return labels_.at(static_cast<std::size_t>(label)).item->Text(); }

QRectF CChart2D::LabelRect(int label) const {
  const ChartTextLabel* item = labels_.at(static_cast<std::size_t>(label)).item;
  const QRectF scene = item->mapRectToScene(item->boundingRect());
  return QRectF(ToView(scene.topLeft()), ToView(scene.bottomRight()));
}

void CChart2D::PlaceLabels() {
  for (Label& label : labels_) {
    // Positions are in chart coordinates; the chart item sits at the scene origin.
    const QPointF position = chart_->mapToPosition(label.at, SideOf(label.yAxis).anchor);
    label.item->PlaceAt(position);
  }
  const qreal below = chart_->plotArea().bottom() + 4;
  for (auto& [value, item] : valueLabels_) {
    item->PlaceAt({chart_->mapToPosition({value, 0}, SideOf(ChartAxis::Y1).anchor).x(), below});
  }
  PlaceTickLabels();
  PlaceBars();
}

void CChart2D::PlaceTickLabels() {
  constexpr qreal kTickRoom = 6.0;  // the tick marks outside the plot and a gap
  constexpr qreal kLabelGap = 2.0;
  const QRectF plot = chart_->plotArea();
  for (ChartAxis axis : {ChartAxis::X, ChartAxis::Y1, ChartAxis::Y2}) {
    const bool shown = AxisOf(axis)->isVisible() && AxisOf(axis)->labelsVisible();
    auto& labels = tickLabels_[static_cast<std::size_t>(Index(axis))];
    for (auto& [value, item] : labels) {
      item->setVisible(shown);
      if (axis == ChartAxis::X) {
        item->PlaceAt({ChartPoint({value, 0}, ChartAxis::Y1).x(), plot.bottom() + kTickRoom});
      } else if (axis == ChartAxis::Y1) {
        item->PlaceAt({plot.left() - kTickRoom, ChartPoint({0, value}, axis).y()});
      } else {
        item->PlaceAt({plot.right() + kTickRoom, ChartPoint({0, value}, axis).y()});
      }
    }
    // On a small chart (the printed page's) an inner number too near an end's
    // gives way: numbers stacked closer than a line, or side by side closer
    // than half a line, read as one crowded group.
    if (!shown || labels.size() < 3) continue;
    auto box = [&](const ChartTextLabel* item) {
      const QRectF text = item->mapRectToParent(item->boundingRect());
      const qreal across = std::max(kLabelGap, text.height() / 4);
      return text.adjusted(-across, -text.height() / 2, across, text.height() / 2);
    };
    const QRectF first = box(labels.front().second);
    const QRectF last = box(labels.back().second);
    for (std::size_t i = 1; i + 1 < labels.size(); ++i) {
      const QRectF inner = box(labels[i].second);
      if (inner.intersects(first) || inner.intersects(last)) labels[i].second->setVisible(false);
    }
  }
}

std::vector<double> CChart2D::TickLabelValues(ChartAxis axis) const {
  std::vector<double> values;
  for (const auto& [value, item] : tickLabels_[static_cast<std::size_t>(Index(axis))]) values.push_back(value);
  return values;
}

void CChart2D::SetValueLabels(const std::vector<std::pair<double, QString>>& labels) {
  for (auto& [value, item] : valueLabels_) delete item;
  valueLabels_.clear();
  for (const auto& [value, text] : labels) {
    auto* item = new ChartTextLabel(text, Qt::AlignHCenter | Qt::AlignTop, colors_.text, Qt::transparent, chart_);
    item->SetFont(TextFont(item->Font()));
    item->setZValue(kLabelZ);
    valueLabels_.emplace_back(value, item);
  }
  AxisOf(ChartAxis::X)->setLabelsVisible(labels.empty());
  FitLegend();
  PlaceLabels();
}

QStringList CChart2D::ValueLabelTexts() const {
  QStringList texts;
  for (const auto& [value, item] : valueLabels_) texts << item->Text();
  return texts;
}

void CChart2D::SetBars(ChartAxis yAxis, const std::vector<QPointF>& bars, double width, const QColor& color) {
  for (QGraphicsRectItem* item : barItems_) delete item;
  barItems_.clear();
  bars_.clear();
  barWidth_ = width;
  barColor_ = color;
  for (const QPointF& bar : bars) {
    bars_.push_back({bar, yAxis});
    auto* item = new QGraphicsRectItem(chart_);
    item->setZValue(0.6);  // above the plot background, under grid and lines
    item->setBrush(color);
    item->setPen(QPen(color.darker(140), 1));
    barItems_.push_back(item);
  }
  PlaceBars();
}

void CChart2D::SetBarColor(int bar, const QColor& color) {
  if (bar < 0 || bar >= BarCount()) return;
  barItems_[bar]->setBrush(color);
  barItems_[bar]->setPen(QPen(color.darker(140), 1));
}

QRectF CChart2D::BarRect(int bar) const {
  return bar >= 0 && bar < BarCount() ? barItems_[bar]->rect() : QRectF();
}

void CChart2D::PlaceBars() {
  for (std::size_t i = 0; i < bars_.size(); ++i) {
    const Bar& bar = bars_[i];
    const QPointF left = ChartPoint({bar.top.x() - barWidth_ / 2, bar.top.y()}, bar.yAxis);
    const QPointF right = ChartPoint({bar.top.x() + barWidth_ / 2, 0.0}, bar.yAxis);
    QRectF rect = QRectF(left, right).normalized().intersected(chart_->plotArea());
    barItems_[i]->setRect(rect);
  }
}

void CChart2D::FitLegend() {
  constexpr qreal kSide = 8.0;  // room left and right of the rows
  constexpr qreal kGap = 4.0;   // between the axis captions and the rows
  std::vector<ChartLegend::Entry> entries;
  for (ChartAxis y : {ChartAxis::Y1, ChartAxis::Y2}) {
    if (!legendShown_) break;
    const Side& side = SideOf(y);
    for (std::size_t set = 0; set < side.series.size(); ++set) {
      if (!side.series[set]->isVisible()) continue;
      const QColor color = set < side.styles.size() ? side.styles[set].color : QColor(Qt::black);
      entries.push_back({side.series[set]->name(), color, side.series[set]->pen()});
    }
  }
  for (const auto& [line, series] : overlays_) {
    if (legendShown_) entries.push_back({line.name, line.style.color, series->pen()});
  }
  const qreal width = chart_->size().width() - 2 * kSide;
  legend_->SetEntries(std::move(entries), TextFont(font()), colors_.text, width);
  QMargins margins = plotMargins_;
  if (legend_->Height() > 0) margins.setBottom(margins.bottom() + static_cast<int>(std::ceil(legend_->Height() + kGap)));
  // Texts in place of the X numbers lie under the plot, where the axis keeps no room for them.
  if (!valueLabels_.empty()) {
    margins.setBottom(margins.bottom() + static_cast<int>(std::ceil(QFontMetricsF(TextFont(font())).height() + kGap)));
  }
  if (chart_->margins() != margins) chart_->setMargins(margins);
  legend_->setPos(kSide, chart_->size().height() - plotMargins_.bottom() - legend_->Height());
}

QStringList CChart2D::LegendRows() const { return legend_->RowTexts(); }

void CChart2D::SetLegendShown(bool shown) {
  legendShown_ = shown;
  FitLegend();
}

void CChart2D::UsePixelFonts() {
  pixelFonts_ = true;
  setFont(TextFont(font()));
  for (QValueAxis* axis : axes_) {
    axis->setLabelsFont(TextFont(axis->labelsFont()));
    axis->setTitleFont(TextFont(axis->titleFont()));
  }
  if (!chart_->title().isEmpty()) chart_->setTitleFont(TextFont(font()));
  for (Label& label : labels_) label.item->SetFont(TextFont(label.item->Font()));
  for (auto& [value, item] : valueLabels_) item->SetFont(TextFont(item->Font()));
  for (auto& labels : tickLabels_) {
    for (auto& [value, item] : labels) item->SetFont(TextFont(item->Font()));
  }
  FitLegend();
  PlaceLabels();
}

QFont CChart2D::TextFont(QFont font) const { return pixelFonts_ ? InPixels(font, logicalDpiY()) : font; }

void CChart2D::EnsureLayout() {
  if (chart_->size() != QSizeF(viewport()->size()) && isVisible()) {
    chart_->resize(viewport()->size());
  }
  FitLegend();
  chart_->layout()->activate();
  PlaceLabels();
}

QPointF CChart2D::ToView(QPointF scenePoint) const {
  return QPointF(mapFromScene(scenePoint)) ;
}

QRectF CChart2D::PlotRect() const {
  const QRectF scene = chart_->mapRectToScene(chart_->plotArea());
  return QRectF(ToView(scene.topLeft()), scene.size());
}

std::optional<QPointF> CChart2D::DataToPixel(QPointF at, ChartAxis yAxis) const {
  const QPointF inChart = chart_->mapToPosition(at, SideOf(yAxis).anchor);
  const QRectF plot = chart_->plotArea();
  constexpr qreal kSlack = 0.5;
  if (inChart.x() < plot.left() - kSlack || inChart.x() > plot.right() + kSlack ||
      inChart.y() < plot.top() - kSlack || inChart.y() > plot.bottom() + kSlack) {
    return std::nullopt;
  }
  return ToView(chart_->mapToScene(inChart));
}

QPointF CChart2D::ChartPoint(QPointF at, ChartAxis yAxis) const {
  return chart_->mapToPosition(at, SideOf(yAxis).anchor);
}

QRectF CChart2D::ChartPlotArea() const { return chart_->plotArea(); }

QPointF CChart2D::PixelToData(QPointF pixel, ChartAxis yAxis) const {
  const QPointF inChart = chart_->mapFromScene(mapToScene(pixel.toPoint()));
  return chart_->mapToValue(inChart, SideOf(yAxis).anchor);
}

void CChart2D::Paint(QPainter& painter, const QRectF& target) {
  scene()->render(&painter, target, chart_->sceneBoundingRect(), Qt::IgnoreAspectRatio);
}

QImage CChart2D::RenderImage(QSize size) {
  chart_->resize(size);
  FitLegend();
  chart_->layout()->activate();
  PlaceLabels();
  emit PlotAreaMoved();
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  Paint(painter, QRectF(QPointF(0, 0), QSizeF(size)));
  return image;
}

namespace {

// The value of a polyline at `x` (linear between its points), none outside it.
std::optional<double> ValueAt(const QList<QPointF>& points, double x) {
  for (qsizetype i = 1; i < points.size(); ++i) {
    const QPointF& a = points[i - 1];
    const QPointF& b = points[i];
    if ((x - a.x()) * (x - b.x()) > 0) continue;
    if (b.x() == a.x()) return a.y();
    return a.y() + (b.y() - a.y()) * (x - a.x()) / (b.x() - a.x());
  }
  if (points.size() == 1 && points.front().x() == x) return points.front().y();
  return std::nullopt;
}

}  // namespace

void CChart2D::SetCursorEnabled(bool on) {
  cursorEnabled_ = on;
  setMouseTracking(on);
  viewport()->setMouseTracking(on);
  if (!on) HideCursor();
}

void CChart2D::MoveCursor(QPointF pixel) {
  if (!cursorEnabled_ || !PlotRect().contains(pixel)) {
    HideCursor();
    return;
  }
  const QPointF data = PixelToData(pixel, ChartAxis::Y1);
  QStringList lines{QStringLiteral("X: %1").arg(data.x(), 0, 'f', 0)};
  std::vector<QLineSeries*> shown;
  for (ChartAxis y : {ChartAxis::Y1, ChartAxis::Y2}) {
    for (QLineSeries* series : SideOf(y).series) {
      if (series->isVisible()) shown.push_back(series);
    }
  }
  for (const auto& [line, series] : overlays_) shown.push_back(series);
  for (QLineSeries* series : shown) {
    if (const auto value = ValueAt(series->points(), data.x())) {
      lines << QStringLiteral("%1: %2").arg(series->name()).arg(*value, 0, 'f', 1);
    }
  }
  const QRectF plot = chart_->plotArea();
  const qreal x = chart_->mapFromScene(mapToScene(pixel.toPoint())).x();
  if (!cursorLine_) {
    cursorLine_ = new QGraphicsLineItem(chart_);
    cursorLine_->setZValue(kLabelZ);
    cursorText_ = new ChartTextLabel(QString(), Qt::AlignLeft | Qt::AlignTop, Qt::black,
                                     QColor(255, 255, 225), chart_);
    cursorText_->setZValue(kLabelZ + 1);
  }
  cursorLine_->setPen(QPen(colors_.text, 1, Qt::DashLine));
  cursorLine_->setLine(x, plot.top(), x, plot.bottom());
  cursorText_->SetText(lines.join(QLatin1Char('\n')));
  // Beside the line, on the side with room.
  const qreal width = cursorText_->boundingRect().width();
  const qreal left = x + width + 6 < plot.right() ? x + 4 : x - width - 4;
  cursorText_->PlaceAt({left, plot.top() + 4});
  cursorLine_->show();
  cursorText_->show();
}

void CChart2D::HideCursor() {
  if (cursorLine_) cursorLine_->hide();
  if (cursorText_) cursorText_->hide();
}

bool CChart2D::IsCursorShown() const { return cursorLine_ && cursorLine_->isVisible(); }

QStringList CChart2D::CursorTexts() const {
  return IsCursorShown() ? cursorText_->Text().split(QLatin1Char('\n')) : QStringList();
}

void CChart2D::mouseMoveEvent(QMouseEvent* event) {
  QChartView::mouseMoveEvent(event);
  if (cursorEnabled_) MoveCursor(event->position());
}

void CChart2D::leaveEvent(QEvent* event) {
  QChartView::leaveEvent(event);
  HideCursor();
}

void CChart2D::resizeEvent(QResizeEvent* event) {
  QChartView::resizeEvent(event);
  FitLegend();
  PlaceLabels();
}

}  // namespace brisca
