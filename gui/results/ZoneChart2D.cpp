#include "gui/results/ZoneChart2D.h"

#include <QFontMetricsF>
#include <QGraphicsItem>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace brisca {

// Paints the chart's zone overlay just above the plot background, under the
// grid and the series.
class ZoneOverlayItem : public QGraphicsItem {
 public:
  ZoneOverlayItem(CZoneChart2D& owner, QGraphicsItem* parent)
      : QGraphicsItem(parent), owner_(owner) {
    setZValue(0.5);
  }
  void Changed() {
    prepareGeometryChange();
    update();
  }
  QRectF boundingRect() const override {
    return parentItem() ? parentItem()->boundingRect() : QRectF();
  }
  void paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) override {
    owner_.PaintOverlay(*painter);
  }

 private:
  CZoneChart2D& owner_;
};

namespace {

const char* const kIncompatible = "Data Zones Incompatible with Graph settings!";
const QMargins kPlainMargins(6, 10, 8, 4);
constexpr qreal kGap = 3.0;

QColor ZoneColor(ZoneColour colour) {
  return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                static_cast<int>((colour >> 16) & 0xFF));
}

qreal TextHeight(const QFont& font) { return QFontMetricsF(font).height(); }

}  // namespace

CZoneChart2D::CZoneChart2D(QWidget* parent)
    : CChart2D(parent), overlay_(new ZoneOverlayItem(*this, chart())) {
  connect(this, &CChart2D::PlotAreaMoved, this, [this] { overlay_->Changed(); });
}

void CZoneChart2D::SetZones(const DataZoneSet& zones, const QColor& labelColor) {
  zones_ = zones;
  labelColor_ = labelColor;
  UpdateMargins();
  overlay_->Changed();
}

ChartAxis CZoneChart2D::ZoneScale() const {
  if (zones_.zoneAxis == kAxisY2) return ChartAxis::Y2;
  return zones_.zoneAxis == kAxisY1 ? ChartAxis::Y1 : ChartAxis::X;
}

void CZoneChart2D::UpdateMargins() {
  QMargins margins = kPlainMargins;
  if (zones_.shown) {
    const qreal text = TextHeight(font());
    const qreal strip = text + 2;
    if (!zones_.compatible || OnX()) {
      // The strip and, above it, the caption with a quarter line to spare.
      margins.setTop(static_cast<int>(kPlainMargins.top() + strip + text * 1.25 + kGap));
    } else {
      qreal widest = 0;
      const QFontMetricsF metrics(font());
      for (int i = 0; i < zones_.count; ++i) {
        widest = std::max({widest, metrics.horizontalAdvance(QString::fromStdString(zones_.zones[i].lowLabel)),
                           metrics.horizontalAdvance(QString::fromStdString(zones_.zones[i].highLabel))});
      }
      margins.setRight(static_cast<int>(kPlainMargins.right() + strip + widest + 2 * text + 2 * kGap));
    }
  }
  SetPlotMargins(margins);
}

QRectF CZoneChart2D::StripInChart() const {
  if (!zones_.shown) return {};
  const QRectF plot = ChartPlotArea();
  const qreal strip = TextHeight(font()) + 2;
  if (!zones_.compatible || OnX()) return {plot.left(), plot.top() - strip, plot.width(), strip};
  const qreal right = chart()->size().width() - chart()->margins().right() + kGap;
  return {right, plot.top(), strip, plot.height()};
}

QRectF CZoneChart2D::StripRect() const {
  const QRectF strip = chart()->mapRectToScene(StripInChart());
  return QRectF(mapFromScene(strip.topLeft()), strip.size());
}

void CZoneChart2D::PaintBands(QPainter& painter, const QRectF& strip) {
  const QRectF plot = ChartPlotArea();
  const ChartAxis scale = ZoneScale();
  const AxisLimits limits = Limits(scale);
  painter.setPen(Qt::NoPen);
  for (int i = 0; i < zones_.count; ++i) {
    const DataZone& zone = zones_.zones[static_cast<std::size_t>(i)];
    if (!zone.enabled) continue;
    const double low = std::clamp<double>(zone.lowPlotted, limits.min, limits.max);
    const double high = std::clamp<double>(zone.highPlotted, limits.min, limits.max);
    painter.setBrush(ZoneColor(zone.colour));
    if (OnX()) {
      const qreal x0 = ChartPoint({low, 0}, ChartAxis::Y1).x();
      const qreal x1 = ChartPoint({high, 0}, ChartAxis::Y1).x();
      painter.drawRect(QRectF(x0, plot.top(), x1 - x0, plot.height()));
      painter.drawRect(QRectF(x0, strip.top(), x1 - x0, strip.height()));
    } else {
      const qreal y0 = ChartPoint({0, low}, scale).y();
      const qreal y1 = ChartPoint({0, high}, scale).y();
      painter.drawRect(QRectF(plot.left(), y1, plot.width(), y0 - y1));
      painter.drawRect(QRectF(strip.left(), y1, strip.width(), y0 - y1));
    }
  }
}

std::vector<CZoneChart2D::ZoneLabel> CZoneChart2D::Labels() const {
  std::vector<ZoneLabel> labels;
  const QRectF strip = StripInChart();
  const ChartAxis scale = ZoneScale();
  const AxisLimits limits = Limits(scale);
  double lastValue = 0.0;
  auto place = [&](double value, const std::string& text, bool first) {
    if (value < limits.min || value > limits.max) return;  // clamped: no label
    const QString shown = QString::fromStdString(text);
    // An edge two zones share carries one label.
    if (!labels.empty() && value == lastValue && labels.back().text == shown) return;
    lastValue = value;
    if (OnX()) {
      const qreal x = ChartPoint({value, 0}, ChartAxis::Y1).x();
      if (first && value == limits.min) {
        labels.push_back({shown, {strip.left() - kGap, strip.center().y()}, Qt::AlignRight | Qt::AlignVCenter});
      } else {
        labels.push_back({shown, {x, strip.center().y()}, Qt::AlignCenter});
      }
    } else {
      const qreal y = ChartPoint({0, value}, scale).y();
      if (first && value == limits.min) {
        labels.push_back({shown, {strip.right() + kGap, strip.bottom() + kGap}, Qt::AlignLeft | Qt::AlignTop});
      } else {
        labels.push_back({shown, {strip.right() + kGap, y}, Qt::AlignLeft | Qt::AlignVCenter});
      }
    }
  };
  bool first = true;
  for (int i = 0; i < zones_.count; ++i) {
    const DataZone& zone = zones_.zones[static_cast<std::size_t>(i)];
    if (!zone.enabled) continue;
    if (zone.showLowLabel) place(zone.lowPlotted, zone.lowLabel, first);
    if (zone.showHighLabel) place(zone.highPlotted, zone.highLabel, false);
    first = false;
  }
  return labels;
}

QStringList CZoneChart2D::OverlayTexts() const {
  if (!zones_.shown) return {};
  QStringList texts{QString::fromUtf8(GetZoneType(zones_.type).name)};
  if (!zones_.compatible) return texts << QString::fromUtf8(kIncompatible);
  for (const ZoneLabel& label : Labels()) texts << label.text;
  return texts;
}

void CZoneChart2D::PaintOverlay(QPainter& painter) {
  if (!zones_.shown) return;
  painter.save();
  const QRectF strip = StripInChart();
  const qreal text = TextHeight(font());
  const QString caption = QString::fromUtf8(GetZoneType(zones_.type).name);
  painter.setFont(font());
  if (zones_.compatible) PaintBands(painter, strip);

  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(labelColor_, 1));
  painter.drawRect(strip);
  if (!zones_.compatible || OnX()) {
    painter.drawText(QRectF(strip.left(), strip.top() - text * 1.25, strip.width(), text),
                     Qt::AlignCenter, caption);
  } else {
    // One point smaller, in the unit the chart's font is given in.
    QFont vertical(QStringLiteral("Arial"));
    if (font().pixelSize() > 0) {
      vertical.setPixelSize(std::max(1, font().pixelSize() - static_cast<int>(std::lround(logicalDpiY() / 72.0))));
    } else {
      vertical.setPointSizeF(std::max(1.0, font().pointSizeF() - 1));
    }
    // The painter's own transform (a page's scaling) stays under the rotation.
    painter.save();
    painter.setFont(vertical);
    const qreal x = chart()->size().width() - text / 2 - kGap;
    painter.translate(x, strip.center().y());
    painter.rotate(90);
    painter.drawText(QRectF(-strip.height() / 2, -text / 2, strip.height(), text), Qt::AlignCenter, caption);
    painter.restore();
  }
  if (!zones_.compatible) {
    painter.drawText(strip, Qt::AlignCenter, QString::fromUtf8(kIncompatible));
    painter.restore();
    return;
  }
  const QFontMetricsF metrics(font());
  for (const ZoneLabel& label : Labels()) {
    const qreal width = metrics.horizontalAdvance(label.text);
    QRectF box(0, 0, width, text);
    if (label.align & Qt::AlignRight) box.moveRight(label.anchor.x());
    else if (label.align & Qt::AlignLeft) box.moveLeft(label.anchor.x());
    else box.moveLeft(label.anchor.x() - width / 2);
    if (label.align & Qt::AlignTop) box.moveTop(label.anchor.y());
    else box.moveTop(label.anchor.y() - text / 2);
    painter.drawText(box, Qt::AlignCenter, label.text);
  }
  painter.restore();
}

}  // namespace brisca
