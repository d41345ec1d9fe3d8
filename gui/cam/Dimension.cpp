#include "gui/cam/Dimension.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

#include "core/base/NumberText.h"
#include "core/spec/UnitTable.h"

namespace brisca {
namespace {

constexpr double kArrowLength = 6.0;
constexpr double kArrowHalfWidth = 2.5;
constexpr double kTextGap = 3.0;   // between a text and its line
constexpr double kOutsideArrowRun = 10.0;

void Arrow(QPainter& painter, QPointF tip, QPointF direction) {
  const QPointF back = tip - direction * kArrowLength;
  const QPointF normal(-direction.y(), direction.x());
  painter.drawPolygon(QPolygonF({tip, back + normal * kArrowHalfWidth, back - normal * kArrowHalfWidth}));
}

QPointF Unit(QPointF from, QPointF to) {
  const QPointF d = to - from;
  const double length = std::hypot(d.x(), d.y());
  return length > 0 ? d / length : QPointF(1, 0);
}

}  // namespace

CDimension::CDimension(int orientation, int textSide, double extension, const QString& label,
                       const char* valueFormat)
    : orientation_(orientation), textSide_(textSide), extension_(extension), label_(label),
      format_(valueFormat) {}

void CDimension::SetValue(double value) {
  hasValue_ = format_ != nullptr;
  value_ = value;
}

QString CDimension::Text() const {
  QString value;
  if (hasValue_) {
    // The value edits' own formatter (ties to even), so the chart and the
    // field beside it read alike: 109.25 is "109.2" in both.
    const int decimals = FormatDecimals(format_);
    value = decimals >= 0 ? QString::fromStdString(FormatFixed(value_, decimals)) : QString::asprintf(format_, value_);
  }
  if (label_.isEmpty()) return value;
  if (value.isEmpty()) return label_;
  return QStringLiteral("%1: %2").arg(label_, value);
}

double CDimension::Span(QPointF from, QPointF to) const {
  return IsVertical() ? std::abs(to.y() - from.y()) : std::abs(to.x() - from.x());
}

bool CDimension::TextInside(QPointF from, QPointF to, const QFont& font) const {
  const QFontMetricsF metrics(font);
  const double need = IsVertical() ? metrics.height() + kVerticalRoom
                                   : metrics.horizontalAdvance(Text()) + kHorizontalRoom;
  return Span(from, to) >= need;
}

QRectF CDimension::TextRect(QPointF from, QPointF to, const QFont& font) const {
  const QFontMetricsF metrics(font);
  const QSizeF size(metrics.horizontalAdvance(Text()), metrics.height());
  const QPointF centre = (from + to) / 2.0;
  const bool after = textSide_ != kBefore;
  if (TextInside(from, to, font)) return QRectF(centre - QPointF(size.width(), size.height()) / 2.0, size);
  if (IsVertical()) {
    // Beside a vertical span: to its right (after) or left, at mid height.
    const double x = after ? centre.x() + kTextGap : centre.x() - kTextGap - size.width();
    return QRectF(QPointF(x, centre.y() - size.height() / 2.0), size);
  }
  const double left = std::min(from.x(), to.x());
  const double right = std::max(from.x(), to.x());
  const double outside = Span(from, to) < kInwardArrows ? kOutsideArrowRun : 0.0;
  const double x = after ? right + outside + kTextGap : left - outside - kTextGap - size.width();
  return QRectF(QPointF(x, centre.y() - size.height() / 2.0), size);
}

void CDimension::DrawLines(QPainter& painter, QPointF from, QPointF to, const QFont& font) const {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  if (extension_ > 0) {
    painter.setPen(QPen(extensionColor_, 1.0, Qt::DotLine));
    const QPointF out = IsVertical() ? QPointF(extension_, 0) : QPointF(0, extension_);
    painter.drawLine(from, from + out);
    painter.drawLine(to, to + out);
  }
  painter.setPen(QPen(lineColor_, 1.0));
  painter.setBrush(lineColor_);
  const QPointF dir = Unit(from, to);
  const QRectF text = TextRect(from, to, font);
  if (TextInside(from, to, font)) {
    // Two half lines from the text out to the ends, arrows outward.
    const double half = (IsVertical() ? text.height() : text.width()) / 2.0 + kTextGap;
    const QPointF centre = (from + to) / 2.0;
    painter.drawLine(from, centre - dir * half);
    painter.drawLine(centre + dir * half, to);
    Arrow(painter, from, -dir);
    Arrow(painter, to, dir);
  } else if (Span(from, to) < kInwardArrows) {
    painter.drawLine(from, to);
    painter.drawLine(from - dir * kOutsideArrowRun, from);
    painter.drawLine(to, to + dir * kOutsideArrowRun);
    Arrow(painter, from, dir);
    Arrow(painter, to, -dir);
  } else {
    painter.drawLine(from, to);
    Arrow(painter, from, -dir);
    Arrow(painter, to, dir);
  }
  painter.restore();
}

void CDimension::DrawText(QPainter& painter, QPointF from, QPointF to, const QFont& font, bool patched) const {
  const QRectF text = TextRect(from, to, font);
  painter.save();
  if (patched) painter.fillRect(text.adjusted(-1, 0, 1, 0), Qt::white);
  painter.setFont(font);
  painter.setPen(textColor_);
  painter.drawText(text, Qt::AlignCenter, Text());
  painter.restore();
}

}  // namespace brisca
