#include "gui/valvetrain/FlowPlot.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

#include "core/valvetrain/CylHeadFlow.h"

namespace brisca {
namespace {

const QColor kSideColors[2] = {QColor(0x1f, 0x5f, 0xbf), QColor(0xc0, 0x30, 0x20)};
const char* const kSideNames[2] = {"Intake", "Exhaust"};

// A round step of about a fifth of `span` (1, 2 or 5 times a power of ten).
double NiceStep(double span) {
  if (span <= 0) return 1.0;
  const double raw = span / 5.0;
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  for (double m : {1.0, 2.0, 5.0}) {
    if (m * power >= raw) return m * power;
  }
  return 10.0 * power;
}

}  // namespace

FlowPlot::FlowPlot(const CCylHeadFlow& flow, QWidget* parent) : QWidget(parent), flow_(flow) {
  setObjectName(QStringLiteral("flowPlot"));
}

QList<QPointF> FlowPlot::Points(int side) const {
  const FlowSide s = side == 0 ? FlowSide::Intake : FlowSide::Exhaust;
  QList<QPointF> points;
  for (int i = 0; i < flow_.GetPointCount(); ++i) {
    const CFloatPtSpec& lift = flow_.Lift(s, i);
    const CFloatPtSpec& flow = flow_.Flow(s, i);
    if (lift.IsValid() && flow.IsValid()) points.append(QPointF(lift.GetValue(), flow.GetValue()));
  }
  return points;
}

void FlowPlot::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(rect(), palette().base());
  const QFontMetrics fm(font());
  const QList<QPointF> sides[2] = {Points(0), Points(1)};

  double maxLift = 0, maxFlow = 0;
  for (const auto& points : sides) {
    for (const QPointF& pt : points) {
      maxLift = std::max(maxLift, pt.x());
      maxFlow = std::max(maxFlow, pt.y());
    }
  }
  const double liftStep = NiceStep(maxLift > 0 ? maxLift : 0.5);
  const double flowStep = NiceStep(maxFlow > 0 ? maxFlow : 100.0);
  const double liftTop = liftStep * std::max(1.0, std::ceil(maxLift / liftStep));
  const double flowTop = flowStep * std::max(1.0, std::ceil(maxFlow / flowStep));

  const QString flowUnit = QString::fromUtf8(flow_.Flow(FlowSide::Intake, 0).GetUnitLabel());
  const QString liftUnit = QString::fromUtf8(flow_.Lift(FlowSide::Intake, 0).GetUnitLabel());
  const int left = fm.horizontalAdvance(QString::number(flowTop, 'f', 0)) + 12;
  const int top = fm.height() * 2 + 8;
  const QRect area(left, top, width() - left - 14, height() - top - fm.height() * 2 - 12);
  if (area.width() < 40 || area.height() < 40) return;

  // Title and legend.
  p.setPen(palette().text().color());
  p.drawText(QRect(0, 2, width(), fm.height()), Qt::AlignHCenter,
             tr("Flow (%1) against Lift (%2)").arg(flowUnit, liftUnit));
  int legendX = area.left();
  for (int s = 0; s < 2; ++s) {
    p.setPen(QPen(kSideColors[s], 2));
    const int y = fm.height() + 4 + fm.height() / 2;
    p.drawLine(legendX, y, legendX + 18, y);
    p.setPen(palette().text().color());
    p.drawText(legendX + 22, fm.height() + 4 + fm.ascent(), QString::fromLatin1(kSideNames[s]));
    legendX += 22 + fm.horizontalAdvance(QString::fromLatin1(kSideNames[s])) + 16;
  }

  auto toScreen = [&](QPointF pt) {
    return QPointF(area.left() + pt.x() / liftTop * area.width(),
                   area.bottom() - pt.y() / flowTop * area.height());
  };
  // Grid and axis numbers.
  const int liftDecimals = liftStep < 0.1 ? 2 : liftStep < 1 ? 1 : 0;
  for (double v = 0; v <= flowTop + flowStep / 2; v += flowStep) {
    const int y = static_cast<int>(toScreen({0, v}).y());
    p.setPen(QPen(palette().mid().color(), 0, Qt::DotLine));
    p.drawLine(area.left(), y, area.right(), y);
    p.setPen(palette().text().color());
    p.drawText(QRect(0, y - fm.height() / 2, left - 6, fm.height()), Qt::AlignRight | Qt::AlignVCenter,
               QString::number(v, 'f', 0));
  }
  for (double v = 0; v <= liftTop + liftStep / 2; v += liftStep) {
    const int x = static_cast<int>(toScreen({v, 0}).x());
    p.setPen(QPen(palette().mid().color(), 0, Qt::DotLine));
    p.drawLine(x, area.top(), x, area.bottom());
    p.setPen(palette().text().color());
    const QString text = QString::number(v, 'f', liftDecimals);
    const int w = fm.horizontalAdvance(text);
    p.drawText(std::clamp(x - w / 2, 0, width() - w), area.bottom() + 4 + fm.ascent(), text);
  }
  p.setPen(palette().text().color());
  p.drawRect(area);
  p.drawText(QRect(area.left(), height() - fm.height() - 2, area.width(), fm.height()),
             Qt::AlignHCenter, tr("Lift (%1)").arg(liftUnit));

  for (int s = 0; s < 2; ++s) {
    if (sides[s].isEmpty()) continue;
    QPainterPath path(toScreen(sides[s].front()));
    for (const QPointF& pt : sides[s]) path.lineTo(toScreen(pt));
    p.setPen(QPen(kSideColors[s], 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.setBrush(kSideColors[s]);
    for (const QPointF& pt : sides[s]) p.drawEllipse(toScreen(pt), 3, 3);
  }
}

}  // namespace brisca
