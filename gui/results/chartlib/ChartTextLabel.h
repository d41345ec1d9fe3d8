#pragma once
// A text drawn on the chart: one line in the chart's font, on an optional
// background, whose anchor point is placed by the chart.

#include <QColor>
#include <QFont>
#include <QGraphicsItem>
#include <QString>

namespace brisca {

class ChartTextLabel : public QGraphicsItem {
 public:
  ChartTextLabel(const QString& text, Qt::Alignment align, const QColor& textColor,
                 const QColor& background, QGraphicsItem* parent);

  void SetText(const QString& text);
  void SetFont(const QFont& font);
  void SetColor(const QColor& color);
  const QFont& Font() const { return font_; }
  QString Text() const { return text_; }
  //! Places the label so that its aligned side sits on `anchor` (scene coordinates).
  void PlaceAt(QPointF anchor);

  QRectF boundingRect() const override;
  void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

 private:
  QRectF TextRect() const;

  QString text_;
  Qt::Alignment align_;
  QColor textColor_;
  QColor background_;
  QFont font_;
};

}  // namespace brisca
