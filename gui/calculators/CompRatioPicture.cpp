#include "gui/calculators/CompRatioPicture.h"

#include <QPainter>
#include <QPainterPath>

#include <utility>

namespace brisca {
namespace {

// The drawing lives in a 260 x 220 box and is scaled into the widget.
constexpr qreal kWidth = 260.0;
constexpr qreal kHeight = 220.0;

// Section geometry, in drawing units.
constexpr qreal kBoreLeft = 60.0;
constexpr qreal kBoreRight = 200.0;
constexpr qreal kDeckY = 110.0;         // top face of the block
constexpr qreal kGasketTop = 102.0;     // underside of the head
constexpr qreal kWallLeft = 30.0;
constexpr qreal kWallRight = 230.0;

const QColor kMetal(0xc8, 0xcc, 0xd2);
const QColor kPiston(0xe2, 0xe4, 0xe8);
const QColor kGasket(0x55, 0x5f, 0x6e);
const QColor kLiquid(0x7f, 0xb8, 0xe6);
const QColor kInk(0x20, 0x24, 0x2a);
const QColor kCallout(0xb0, 0x30, 0x20);

void Hatch(QPainter& p, const QPainterPath& shape, const QColor& fill) {
  p.fillPath(shape, fill);
  p.save();
  p.setClipPath(shape);
  p.setPen(QPen(fill.darker(125), 0.6));
  for (qreal x = -kHeight; x < kWidth; x += 7.0) p.drawLine(QPointF(x, kHeight), QPointF(x + kHeight, 0));
  p.restore();
  p.setPen(QPen(kInk, 1.2));
  p.drawPath(shape);
}

// The head with its chamber recess; `lift` raises it off the gasket.
void DrawHead(QPainter& p, qreal lift) {
  const qreal under = kGasketTop - lift;
  QPainterPath head;
  head.moveTo(kWallLeft, under - 62);
  head.lineTo(kWallRight, under - 62);
  head.lineTo(kWallRight, under);
  head.lineTo(kBoreRight - 8, under);
  head.cubicTo(kBoreRight - 20, under - 34, kBoreLeft + 30, under - 40, kBoreLeft + 6, under);
  head.lineTo(kWallLeft, under);
  head.closeSubpath();
  Hatch(p, head, kMetal);
  // Valve heads seated in the chamber roof.
  p.setPen(QPen(kInk, 1.2));
  p.setBrush(kPiston);
  for (qreal cx : {kBoreLeft + 42, kBoreRight - 46}) {
    const qreal y = under - 24;
    p.drawRect(QRectF(cx - 3, under - 62, 6, y - (under - 62)));
    QPainterPath valve;
    valve.moveTo(cx - 16, y + 3);
    valve.lineTo(cx + 16, y + 3);
    valve.lineTo(cx + 4, y - 3);
    valve.lineTo(cx - 4, y - 3);
    valve.closeSubpath();
    p.drawPath(valve);
  }
  p.setBrush(Qt::NoBrush);
}

void DrawGasket(QPainter& p, qreal lift) {
  const qreal top = kGasketTop - lift;
  p.setPen(QPen(kInk, 1.0));
  p.setBrush(kGasket);
  p.drawRect(QRectF(kWallLeft, top, kBoreLeft - 6 - kWallLeft, kDeckY - kGasketTop));
  p.drawRect(QRectF(kBoreRight + 6, top, kWallRight - kBoreRight - 6, kDeckY - kGasketTop));
  p.setBrush(Qt::NoBrush);
}

void DrawBlock(QPainter& p) {
  for (auto [x0, x1] : {std::pair{kWallLeft, kBoreLeft}, std::pair{kBoreRight, kWallRight}}) {
    QPainterPath wall;
    wall.addRect(QRectF(x0, kDeckY, x1 - x0, kHeight - 8 - kDeckY));
    Hatch(p, wall, kMetal);
  }
}

// The piston with its crown `crownY`; `dome` adds the raised dome and the reliefs.
void DrawPiston(QPainter& p, qreal crownY, bool dome) {
  QPainterPath piston;
  piston.moveTo(kBoreLeft + 2, kHeight - 8);
  piston.lineTo(kBoreLeft + 2, crownY);
  if (dome) {
    piston.lineTo(kBoreLeft + 22, crownY);
    // valve relief: a shallow notch under the intake valve
    piston.lineTo(kBoreLeft + 26, crownY + 4);
    piston.lineTo(kBoreLeft + 44, crownY + 4);
    piston.lineTo(kBoreLeft + 48, crownY);
    piston.lineTo(kBoreLeft + 52, crownY);
    piston.cubicTo(kBoreLeft + 60, crownY - 16, kBoreRight - 60, crownY - 16, kBoreRight - 52, crownY);
  }
  piston.lineTo(kBoreRight - 2, crownY);
  piston.lineTo(kBoreRight - 2, kHeight - 8);
  p.setPen(QPen(kInk, 1.2));
  p.fillPath(piston, kPiston);
  p.drawPath(piston);
  p.setPen(QPen(kInk, 0.8));
  for (qreal y : {crownY + 10, crownY + 16}) p.drawLine(QPointF(kBoreLeft + 2, y), QPointF(kBoreLeft + 10, y));
  for (qreal y : {crownY + 10, crownY + 16}) p.drawLine(QPointF(kBoreRight - 10, y), QPointF(kBoreRight - 2, y));
}

void Arrow(QPainter& p, QPointF from, QPointF to) {
  p.drawLine(from, to);
  const QLineF line(to, from);
  for (qreal turn : {25.0, -25.0}) {
    QLineF head = line;
    head.setLength(4.0);
    head.setAngle(line.angle() + turn);
    p.drawLine(head);
  }
}

// A two-headed dimension between a and b.
void Dimension(QPainter& p, QPointF a, QPointF b) {
  p.setPen(QPen(kCallout, 0.9));
  const QPointF mid = (a + b) / 2;
  Arrow(p, mid, a);
  Arrow(p, mid, b);
}

// A numbered callout at `at` with a leader to `target`.
void Callout(QPainter& p, int number, QPointF at, QPointF target) {
  constexpr qreal kRadius = 8.0;
  p.setPen(QPen(kCallout, 0.9));
  QLineF leader(at, target);
  if (leader.length() > kRadius) {
    leader.setP1(leader.pointAt(kRadius / leader.length()));
    p.drawLine(leader);
    p.setBrush(kCallout);
    p.drawEllipse(target, 1.6, 1.6);
  }
  p.setBrush(Qt::white);
  p.setPen(QPen(kCallout, 1.2));
  p.drawEllipse(at, kRadius, kRadius);
  QFont font = p.font();
  font.setPixelSize(10);
  font.setBold(true);
  p.setFont(font);
  p.drawText(QRectF(at.x() - kRadius, at.y() - kRadius, 2 * kRadius, 2 * kRadius), Qt::AlignCenter,
             QString::number(number));
  p.setBrush(Qt::NoBrush);
}

void DrawSpecsKnown(QPainter& p) {
  const qreal crown = kDeckY + 6;  // piston a little below the deck at TDC
  DrawBlock(p);
  DrawPiston(p, crown, true);
  DrawGasket(p, 0);
  DrawHead(p, 0);
  // 1 chamber, 2 dome, 3 relief, 4 deck clearance, 5 gasket bore, 6 gasket thickness
  Callout(p, 1, QPointF(130, 22), QPointF(130, 82));
  Callout(p, 2, QPointF(130, 152), QPointF(130, crown - 9));
  Callout(p, 3, QPointF(18, 150), QPointF(kBoreLeft + 35, crown + 3));
  Dimension(p, QPointF(kBoreRight - 30, kDeckY), QPointF(kBoreRight - 30, crown));
  Callout(p, 4, QPointF(243, 150), QPointF(kBoreRight - 30, crown - 2));
  Dimension(p, QPointF(kBoreLeft - 6, kGasketTop + 4), QPointF(kBoreRight + 6, kGasketTop + 4));
  Callout(p, 5, QPointF(18, 22), QPointF(kBoreLeft - 2, kGasketTop + 4));
  Callout(p, 6, QPointF(243, 84), QPointF(kWallRight - 6, kGasketTop + 4));
}

void DrawBurette(QPainter& p) {
  const qreal lift = 48.0;  // head off for the measurement
  const qreal crown = kDeckY + 34;
  DrawBlock(p);
  DrawPiston(p, crown, false);
  p.fillRect(QRectF(kBoreLeft + 2, kDeckY, kBoreRight - kBoreLeft - 4, crown - kDeckY), kLiquid);
  p.setPen(QPen(kInk, 1.0));
  p.drawLine(QPointF(kBoreLeft + 2, kDeckY), QPointF(kBoreRight - 2, kDeckY));
  // The burette pouring into the bore.
  p.setPen(QPen(kInk, 1.0));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(96, 4, 10, 70));
  p.fillRect(QRectF(97, 30, 8, 43), kLiquid);
  for (qreal y = 12; y < 72; y += 6) p.drawLine(QPointF(96, y), QPointF(100, y));
  p.drawLine(QPointF(101, 74), QPointF(101, 86));
  p.setBrush(Qt::NoBrush);
  // The head and gasket drawn lifted, to the right, half width.
  p.save();
  p.translate(118, 60 - kGasketTop + lift);
  p.scale(0.5, 0.5);
  p.translate(kWallLeft, 0);
  DrawGasket(p, 0);
  DrawHead(p, 0);
  p.restore();
  // 1 chamber, 2 down-bore distance, 3 gasket bore, 4 gasket thickness
  Callout(p, 1, QPointF(243, 16), QPointF(198, 38));
  Dimension(p, QPointF(kBoreRight - 28, kDeckY), QPointF(kBoreRight - 28, crown));
  Callout(p, 2, QPointF(243, 150), QPointF(kBoreRight - 28, kDeckY + 20));
  // The lifted gasket: its bore edge and its right-hand land.
  Callout(p, 3, QPointF(132, 88), QPointF(160, 59));
  Callout(p, 4, QPointF(238, 88), QPointF(240, 60));
}

}  // namespace

CCompRatioPicture::CCompRatioPicture(int method, QWidget* parent) : QWidget(parent), method_(method) {
  setObjectName(QStringLiteral("compRatioPicture%1").arg(method));
}

void CCompRatioPicture::Draw(QPainter& painter, const QRectF& area, int method) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  const qreal scale = qMin(area.width() / kWidth, area.height() / kHeight);
  painter.translate(area.center().x() - kWidth * scale / 2, area.center().y() - kHeight * scale / 2);
  painter.scale(scale, scale);
  painter.fillRect(QRectF(0, 0, kWidth, kHeight), Qt::white);
  if (method == 1) {
    DrawBurette(painter);
  } else {
    DrawSpecsKnown(painter);
  }
  painter.restore();
}

void CCompRatioPicture::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  Draw(painter, rect(), method_);
}

}  // namespace brisca
