#include "gui/shell/ManualIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace brisca {
namespace {

const QColor kCover(30, 80, 170);
const QColor kSpine(15, 45, 110);
const QColor kPages(245, 245, 235);

QPixmap ManualPixmap(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  const qreal s = size;
  // Pages showing under the cover's lower and right edges, then the cover and its spine.
  const QRectF cover(s * 0.14, s * 0.04, s * 0.72, s * 0.84);
  p.setPen(Qt::NoPen);
  p.setBrush(kPages);
  p.drawRect(cover.translated(s * 0.06, s * 0.08));
  p.setBrush(kCover);
  p.drawRoundedRect(cover, s * 0.06, s * 0.06);
  p.setBrush(kSpine);
  p.drawRect(QRectF(cover.left(), cover.top(), s * 0.14, cover.height()));
  // The question mark, as large as the cover allows.
  QFont font(QStringLiteral("Sans Serif"));
  font.setBold(true);
  font.setPixelSize(qMax(8, qRound(s * 0.72)));
  p.setFont(font);
  p.setPen(Qt::white);
  p.drawText(cover.adjusted(s * 0.14, 0, 0, 0), Qt::AlignCenter, QStringLiteral("?"));
  return pixmap;
}

}  // namespace

QIcon ManualIcon() {
  QIcon icon;
  for (int size : {16, 20, 24, 32, 48}) icon.addPixmap(ManualPixmap(size));
  return icon;
}

}  // namespace brisca
