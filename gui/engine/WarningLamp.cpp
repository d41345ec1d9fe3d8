#include "gui/engine/WarningLamp.h"

#include <QPainter>
#include <QRadialGradient>

namespace brisca {

WarningLamp::WarningLamp(QWidget* parent) : QWidget(parent) { setFixedSize(kSize, kSize); }

void WarningLamp::SetLampColor(Color color) {
  if (color == color_) return;
  color_ = color;
  update();
}

void WarningLamp::paintEvent(QPaintEvent*) {
  static const QColor kColors[] = {QColor(0, 176, 0), QColor(240, 208, 0), QColor(224, 0, 0)};
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QColor base = kColors[color_];
  QRadialGradient glow(QPointF(kSize * 0.4, kSize * 0.35), kSize * 0.6);
  glow.setColorAt(0, base.lighter(170));
  glow.setColorAt(1, base);
  painter.setPen(QPen(base.darker(180), 1));
  painter.setBrush(glow);
  painter.drawEllipse(QRectF(0.5, 0.5, kSize - 1.0, kSize - 1.0));
}

}  // namespace brisca
