#pragma once
// A dimension annotation: a line between two positions with arrowheads,
// optional grey extension lines, and a text ("label: value", the label alone
// or the value alone). When the span holds the text with room to spare the
// text sits in its middle with the arrows pointing outward; otherwise the
// text goes beside the span on its side, and a very short span gets its
// arrows outside, pointing inward.

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QString>

class QFont;
class QPainter;

namespace brisca {

class CDimension {
 public:
  //! 0 and 1 horizontal, 2 and 3 vertical.
  enum Orientation { kHorizontal = 0, kHorizontalBelow = 1, kVertical = 2, kVerticalLeft = 3 };
  //! Where a text that does not fit goes: 0 automatic (after the span), or a side.
  enum TextSide { kAutomatic = 0, kBefore = 1, kAfter = 2 };
  //! Room beyond the text a span needs to hold it [px].
  static constexpr double kHorizontalRoom = 16.0;
  static constexpr double kVerticalRoom = 14.0;
  //! Shorter spans get their arrows outside [px].
  static constexpr double kInwardArrows = 12.0;

  CDimension(int orientation, int textSide, double extension, const QString& label,
             const char* valueFormat);

  void SetLineColor(const QColor& color) { lineColor_ = color; }
  void SetExtensionColor(const QColor& color) { extensionColor_ = color; }
  void SetTextColor(const QColor& color) { textColor_ = color; }
  //! The value shown with the format (none: the label alone).
  void SetValue(double value);

  //! The text drawn: "label: value", the label or the value.
  QString Text() const;
  bool IsVertical() const { return orientation_ >= kVertical; }

  //! Where the text goes for a span from `from` to `to` (pixels).
  QRectF TextRect(QPointF from, QPointF to, const QFont& font) const;
  //! Whether the text sits inside the span.
  bool TextInside(QPointF from, QPointF to, const QFont& font) const;
  //! The extension lines, the dimension line and its arrowheads.
  void DrawLines(QPainter& painter, QPointF from, QPointF to, const QFont& font) const;
  //! The text, on a white patch when `patched`.
  void DrawText(QPainter& painter, QPointF from, QPointF to, const QFont& font, bool patched = false) const;

 private:
  double Span(QPointF from, QPointF to) const;

  int orientation_;
  int textSide_;
  double extension_;
  QString label_;
  const char* format_;
  bool hasValue_ = false;
  double value_ = 0.0;
  QColor lineColor_ = Qt::black;
  QColor extensionColor_ = QColor(128, 128, 128);
  QColor textColor_ = Qt::black;
};

}  // namespace brisca
