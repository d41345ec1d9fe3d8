#include "gui/results/chartlib/ChartLegend.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace brisca {
namespace {

// A stroke, the gap after it, the gap between entries, in text heights.
constexpr qreal kStroke = 1.6;
constexpr qreal kStrokeGap = 0.4;
constexpr qreal kEntryGap = 1.2;
constexpr qreal kSmallestFactor = 0.2;

}  // namespace

ChartLegend::ChartLegend(QGraphicsItem* parent) : QGraphicsItem(parent) {}

qreal ChartLegend::EntryWidth(const Entry& entry) const {
  const QFontMetricsF metrics(font_);
  return metrics.height() * (kStroke + kStrokeGap) + metrics.horizontalAdvance(entry.text);
}

void ChartLegend::SetEntries(std::vector<Entry> entries, const QFont& font, const QColor& textColor, qreal width) {
  prepareGeometryChange();
  entries_ = std::move(entries);
  font_ = font;
  textColor_ = textColor;
  width_ = std::max<qreal>(width, 1.0);
  // One entry wider than the room: a smaller font, never a cut text.
  qreal widest = 0;
  for (const Entry& entry : entries_) widest = std::max(widest, EntryWidth(entry));
  if (widest > width_) {
    const qreal factor = std::max(kSmallestFactor, width_ / widest);
    if (font_.pixelSize() > 0) {
      font_.setPixelSize(std::max(1, static_cast<int>(std::floor(font_.pixelSize() * factor))));
    } else if (font_.pointSizeF() > 0) {
      font_.setPointSizeF(font_.pointSizeF() * factor);
    }
  }
  Layout();
}

void ChartLegend::Layout() {
  placed_.clear();
  height_ = 0;
  if (entries_.empty()) return;
  const QFontMetricsF metrics(font_);
  const qreal line = metrics.height();
  const qreal gap = line * kEntryGap;
  std::vector<std::vector<std::size_t>> rows(1);
  qreal used = 0;
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const qreal w = EntryWidth(entries_[i]);
    if (!rows.back().empty() && used + gap + w > width_) {
      rows.emplace_back();
      used = 0;
    }
    used += (rows.back().empty() ? 0 : gap) + w;
    rows.back().push_back(i);
  }
  for (std::size_t r = 0; r < rows.size(); ++r) {
    qreal rowWidth = 0;
    for (std::size_t k = 0; k < rows[r].size(); ++k) rowWidth += (k ? gap : 0) + EntryWidth(entries_[rows[r][k]]);
    qreal x = (width_ - rowWidth) / 2;
    for (std::size_t i : rows[r]) {
      const qreal w = EntryWidth(entries_[i]);
      placed_.push_back({i, QRectF(x, r * line, w, line)});
      x += w + gap;
    }
  }
  height_ = rows.size() * line;
}

QStringList ChartLegend::RowTexts() const {
  QStringList rows;
  qreal top = -1;
  for (const Placed& p : placed_) {
    if (p.box.top() != top) {
      rows << entries_[p.entry].text;
      top = p.box.top();
    } else {
      rows.last() += QStringLiteral(" | ") + entries_[p.entry].text;
    }
  }
  return rows;
}

QRectF ChartLegend::boundingRect() const { return {0, 0, width_, height_}; }

void ChartLegend::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
  painter->save();
  painter->setFont(font_);
  const qreal line = QFontMetricsF(font_).height();
  for (const Placed& p : placed_) {
    const Entry& entry = entries_[p.entry];
    const qreal y = p.box.center().y();
    QPen stroke(entry.color, std::max<qreal>(2.0, line / 8));
    if (entry.stroke.style() == Qt::CustomDashLine) stroke.setDashPattern(entry.stroke.dashPattern());
    else if (entry.stroke.style() != Qt::NoPen) stroke.setStyle(entry.stroke.style());
    painter->setPen(stroke);
    painter->drawLine(QPointF(p.box.left(), y), QPointF(p.box.left() + line * kStroke, y));
    painter->setPen(Qt::NoPen);
    painter->setBrush(entry.color);
    painter->drawEllipse(QPointF(p.box.left() + line * kStroke / 2, y), line / 6, line / 6);
    painter->setPen(textColor_);
    const QRectF text = p.box.adjusted(line * (kStroke + kStrokeGap), 0, 0, 0);
    painter->drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip, entry.text);
  }
  painter->restore();
}

}  // namespace brisca
