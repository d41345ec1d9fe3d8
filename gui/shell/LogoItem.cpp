#include "gui/shell/LogoItem.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

#include "gui/shell/ColorScheme.h"

namespace brisca {
namespace {

constexpr int kLogoBackground = 65;
constexpr int kLogoText = 66;
constexpr int kLogoAccent = 67;

// A rev-counter dial with its needle near the red line.
void PaintMark(QPainter& p, const QRectF& box) {
  p.setRenderHint(QPainter::Antialiasing);
  const double w = box.width();
  p.setPen(QPen(SchemeColor(kLogoText), w * 0.08));
  p.setBrush(Qt::NoBrush);
  const QRectF dial = box.adjusted(w * 0.1, w * 0.1, -w * 0.1, -w * 0.1);
  p.drawArc(dial, -30 * 16, 240 * 16);
  p.setPen(QPen(SchemeColor(kLogoAccent), w * 0.08));
  p.drawArc(dial, -30 * 16, 50 * 16);
  const QPointF centre = dial.center();
  QPainterPath needle;
  needle.moveTo(centre + QPointF(-w * 0.05, w * 0.05));
  needle.lineTo(centre + QPointF(w * 0.30, -w * 0.12));
  needle.lineTo(centre + QPointF(w * 0.05, w * 0.06));
  needle.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(SchemeColor(kLogoAccent));
  p.drawPath(needle);
  p.drawEllipse(centre, w * 0.07, w * 0.07);
}

}  // namespace

QPixmap LogoPixmap(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(SchemeColor(kLogoBackground));
  p.drawRoundedRect(QRectF(0, 0, size, size), size * 0.18, size * 0.18);
  PaintMark(p, QRectF(0, size * 0.08, size, size));
  return pixmap;
}

LogoItem::LogoItem(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("logoItem"));
  setToolTip(QStringLiteral("Brisca"));
}

QSize LogoItem::sizeHint() const {
  QFont bold = font();
  bold.setBold(true);
  bold.setItalic(true);
  const QFontMetrics fm(bold);
  const int h = fm.height() + 4;
  return {h + 6 + fm.horizontalAdvance(QStringLiteral("Brisca")) + 10, h};
}

void LogoItem::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), SchemeColor(kLogoBackground));
  const int h = height();
  PaintMark(p, QRectF(2, 1, h - 2, h - 2));
  QFont bold = font();
  bold.setBold(true);
  bold.setItalic(true);
  p.setFont(bold);
  p.setPen(SchemeColor(kLogoText));
  p.drawText(QRect(h + 4, 0, width() - h - 8, h), Qt::AlignVCenter | Qt::AlignLeft,
             QStringLiteral("Brisca"));
}

}  // namespace brisca
