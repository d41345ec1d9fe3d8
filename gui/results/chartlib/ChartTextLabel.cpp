#include "gui/results/chartlib/ChartTextLabel.h"

#include <QFontMetricsF>
#include <QPainter>

namespace brisca {
namespace {
constexpr qreal kPadding = 2.0;
}

ChartTextLabel::ChartTextLabel(const QString& text, Qt::Alignment align, const QColor& textColor,
                               const QColor& background, QGraphicsItem* parent)
    : QGraphicsItem(parent), text_(text), align_(align), textColor_(textColor),
      background_(background) {}

void ChartTextLabel::SetText(const QString& text) {
  prepareGeometryChange();
  text_ = text;
}

void ChartTextLabel::SetFont(const QFont& font) {
  prepareGeometryChange();
  font_ = font;
}

void ChartTextLabel::SetColor(const QColor& color) {
  textColor_ = color;
  update();
}

QRectF ChartTextLabel::TextRect() const {
  const QFontMetricsF metrics(font_);
  const QRectF text = metrics.boundingRect(QRectF(0, 0, 1e6, 1e6), Qt::AlignLeft, text_);
  const qreal width = text.width() + 2 * kPadding;
  const qreal height = text.height() + kPadding;
  qreal left = -width / 2;
  if (align_ & Qt::AlignLeft) left = 0;
  if (align_ & Qt::AlignRight) left = -width;
  qreal top = -height / 2;
  if (align_ & Qt::AlignTop) top = 0;
  if (align_ & Qt::AlignBottom) top = -height;
  return {left, top, width, height};
}

void ChartTextLabel::PlaceAt(QPointF anchor) { setPos(anchor); }

QRectF ChartTextLabel::boundingRect() const { return TextRect(); }

void ChartTextLabel::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
  const QRectF rect = TextRect();
  if (background_.alpha() > 0) painter->fillRect(rect, background_);
  painter->setFont(font_);
  painter->setPen(textColor_);
  const bool lines = text_.contains(QLatin1Char('\n'));
  painter->drawText(rect.adjusted(kPadding, 0, -kPadding, 0),
                    lines ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter, text_);
}

}  // namespace brisca
