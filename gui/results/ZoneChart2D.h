#pragma once
// The chart window of a 2D chart view: the chart plus its data-zone overlay.
// A framed strip along the plot (above it for zones on X, right of it for
// zones on Y1 or Y2) carries the zone type's name, a section per zone and the
// zone edges' labels; each zone's band is painted across the plot under the
// series, so it shows in pictures and on paper as on screen.

#include <QColor>

#include "core/results/DataZoneSet.h"
#include "gui/results/chartlib/Chart2D.h"

namespace brisca {

class ZoneOverlayItem;

class CZoneChart2D : public CChart2D {
  Q_OBJECT

 public:
  explicit CZoneChart2D(QWidget* parent = nullptr);

  //! The zones to draw (drawn only when shown) and the colour of their labels.
  void SetZones(const DataZoneSet& zones, const QColor& labelColor);
  const DataZoneSet& Zones() const { return zones_; }
  bool ZonesDrawn() const { return zones_.shown; }

  //! The strip in chart-window coordinates (empty without zones).
  QRectF StripRect() const;
  //! Texts the overlay wrote, in drawing order (for tests and the tour).
  QStringList OverlayTexts() const;

  //! Paints the overlay in chart coordinates (called by the overlay item).
  void PaintOverlay(QPainter& painter);

 private:
  struct ZoneLabel {
    QString text;
    QPointF anchor;
    Qt::Alignment align;
  };
  bool OnX() const { return zones_.zoneAxis == kAxisX; }
  ChartAxis ZoneScale() const;
  QRectF StripInChart() const;
  void UpdateMargins();
  std::vector<ZoneLabel> Labels() const;
  void PaintBands(QPainter& painter, const QRectF& strip);

  DataZoneSet zones_;
  QColor labelColor_ = Qt::black;
  ZoneOverlayItem* overlay_;
};

}  // namespace brisca
