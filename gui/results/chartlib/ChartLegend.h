#pragma once
// The legend under a chart's plot: one entry per shown series (a stroke of its
// colour and its text), centred in rows. Entries that do not fit beside each
// other go to the next row; an entry wider than the chart on its own makes
// the text smaller until it fits. No entry is ever cut short.

#include <QColor>
#include <QFont>
#include <QGraphicsItem>
#include <QPen>
#include <QString>

#include <vector>

namespace brisca {

class ChartLegend : public QGraphicsItem {
 public:
  struct Entry {
    QString text;
    QColor color;
    QPen stroke;  //!< the series' line (its dashes); the colour above when none
  };

  explicit ChartLegend(QGraphicsItem* parent);

  //! Lays `entries` out in rows no wider than `width`, in `font` (made smaller
  //! when one entry alone would be wider), in `textColor`.
  void SetEntries(std::vector<Entry> entries, const QFont& font, const QColor& textColor, qreal width);
  //! The height the rows take (0 without entries).
  qreal Height() const { return height_; }
  //! The rows' texts, each row's entries joined by " | " (for tests).
  QStringList RowTexts() const;
  //! The font the entries are drawn in.
  const QFont& Font() const { return font_; }

  QRectF boundingRect() const override;
  void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

 private:
  struct Placed {
    std::size_t entry;
    QRectF box;  //!< stroke and text, in the item's coordinates
  };
  qreal EntryWidth(const Entry& entry) const;
  void Layout();

  std::vector<Entry> entries_;
  std::vector<Placed> placed_;
  QFont font_;
  QColor textColor_ = Qt::black;
  qreal width_ = 0;
  qreal height_ = 0;
};

}  // namespace brisca
