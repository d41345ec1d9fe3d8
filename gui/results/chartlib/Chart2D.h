#pragma once
// The 2D chart component the result windows draw with: a line chart over Qt
// Charts with an X axis, a left axis (Y1) and a right axis (Y2).
//
// - Data: a primary data object plotted against Y1 and a secondary one against
//   Y2, each 1..4 series with their own X values; only each object's points
//   first..last-1 are drawn, and only the series whose display state is Shown.
//   Every shown series has a legend entry with the text given for it.
// - Limits: per axis fixed, or automatic. Automatic limits are worked out from
//   the drawn points only and rounded to nice numbers (ChartScale), then set,
//   so the limits read back after Rescale are those on screen.
// - The legend sits centred at the bottom, in as many rows as its entries need.
// - Text labels are anchored at data coordinates and follow the plot area.
// - DataToPixel maps a data point to a position in the chart window (valid
//   once the layout is done: EnsureLayout).
// - Paint draws the chart into any painter: screen, printer or image.

#include <QChartView>
#include <QColor>
#include <QMargins>
#include <QPointF>

#include <array>
#include <optional>
#include <utility>
#include <vector>

#include "core/results/ChartScale.h"
#include "gui/results/chartlib/ChartData.h"

class QAbstractAxis;
class QGraphicsItem;
class QGraphicsLineItem;
class QGraphicsRectItem;
class QLineSeries;
class QValueAxis;

namespace brisca {

class ChartLegend;
class ChartTextLabel;

enum class ChartAxis { X = 0, Y1 = 1, Y2 = 2 };

//! Line and marker colour, line width and marker size of one series.
struct SeriesStyle {
  QColor color = Qt::black;
  qreal lineWidth = 2.0;
  qreal markerSize = 5.0;
  Qt::PenStyle lineStyle = Qt::SolidLine;
};

//! A line of its own over the data objects' curves (a measured run): any
//! number of points against `yAxis`, scaled and drawn like a shown series,
//! with its legend entry after theirs.
struct OverlayLine {
  QString name;
  ChartAxis yAxis = ChartAxis::Y1;
  std::vector<QPointF> points;
  SeriesStyle style;
};

//! The chart's own colours (the series have theirs).
struct ChartColors {
  QColor background = Qt::white;   //!< around the plot
  QColor frame = Qt::black;        //!< the chart's border
  QColor plotArea = Qt::white;
  QColor grid = Qt::gray;          //!< grid and axis lines
  QColor text = Qt::black;         //!< axis numbers, titles and legend
};

class CChart2D : public QChartView {
  Q_OBJECT

 public:
  explicit CChart2D(QWidget* parent = nullptr);
  ~CChart2D() override;

  //! Repainting off while a chart is rebuilt, on at its end.
  void SetRepaint(bool on);

  //! Data against Y1 (primary) or Y2 (secondary) with a legend text per series.
  void SetData(ChartAxis yAxis, const ChartData& data, const std::vector<QString>& legends);
  const ChartData* Data(ChartAxis yAxis) const;
  void SetSeriesStyle(ChartAxis yAxis, int set, const SeriesStyle& style);
  //! The Qt series of a data set (for tests and the iterator windows).
  QLineSeries* Series(ChartAxis yAxis, int set) const;

  //! Replaces the overlay lines; they stay through SetData until replaced.
  void SetOverlays(const std::vector<OverlayLine>& lines);
  int OverlayCount() const { return static_cast<int>(overlays_.size()); }
  //! The Qt series of overlay line `index` (null past the last).
  QLineSeries* OverlaySeries(int index) const;

  //! Fixed limits; `step` 0 takes a nice grid step for the range.
  void SetAxisFixed(ChartAxis axis, double minimum, double maximum, double step = 0.0);
  void SetAxisAutomatic(ChartAxis axis);
  bool IsAxisAutomatic(ChartAxis axis) const;
  //! Works out automatic limits from the drawn points and sets every axis.
  void Rescale();
  //! The limits as set by the last Rescale (fixed or worked out).
  AxisLimits Limits(ChartAxis axis) const;
  double AxisMinimum(ChartAxis axis) const { return Limits(axis).min; }
  double AxisMaximum(ChartAxis axis) const { return Limits(axis).max; }

  void SetY2Shown(bool shown);
  bool IsY2Shown() const;
  void SetAxisTitle(ChartAxis axis, const QString& title);

  void SetColors(const ChartColors& colors);
  const ChartColors& Colors() const { return colors_; }
  //! Room kept free around the plot (for overlays drawn beside it); the
  //! legend's rows come on top of the bottom margin.
  void SetPlotMargins(const QMargins& margins);
  //! Without a legend the plot takes its room (on by default).
  void SetLegendShown(bool shown);
  //! The legend's rows, each row's texts joined by " | ".
  QStringList LegendRows() const;

  //! One line of text across the top of the chart, in the axis text's font
  //! and colour; an empty text takes no room.
  void SetNote(const QString& note);
  QString Note() const;

  //! A text at data point `at` on the `yAxis` scale; `align` says which side
  //! of the text sits on the point. Returns the label's number.
  int AddLabel(const QString& text, QPointF at, ChartAxis yAxis, Qt::Alignment align,
               const QColor& textColor, const QColor& background = Qt::transparent);
  void ClearLabels();
  int LabelCount() const { return static_cast<int>(labels_.size()); }
  QString LabelText(int label) const;
  //! Where the label is drawn, in chart-window coordinates.
  QRectF LabelRect(int label) const;

  //! The values the chart labels itself on `axis` (a range that is not a
  //! whole number of steps: its ends and the ticks on multiples of the step);
  //! empty when the axis labels its ticks.
  std::vector<double> TickLabelValues(ChartAxis axis) const;

  //! Texts in place of the numbers of the X axis, each under its X value;
  //! an empty list brings the numbers back.
  void SetValueLabels(const std::vector<std::pair<double, QString>>& labels);
  //! The texts shown under the X axis in place of numbers, left to right.
  QStringList ValueLabelTexts() const;

  //! Bars against `yAxis`: one per X value, from 0 to its height, `width` wide
  //! in X units, drawn under the lines. An empty list removes them.
  void SetBars(ChartAxis yAxis, const std::vector<QPointF>& bars, double width, const QColor& color);
  int BarCount() const { return static_cast<int>(bars_.size()); }
  //! Gives bar `bar` (in the order set) a colour of its own.
  void SetBarColor(int bar, const QColor& color);
  //! Where bar `bar` is drawn, in the chart's own coordinates.
  QRectF BarRect(int bar) const;

  //! Lays the chart out now, so mapping and painting see the final geometry.
  void EnsureLayout();
  //! The plot rectangle in chart-window coordinates.
  QRectF PlotRect() const;
  //! Position of data point `at` on the `yAxis` scale in the chart window;
  //! none when it lies outside the plot.
  std::optional<QPointF> DataToPixel(QPointF at, ChartAxis yAxis) const;
  //! Position of data point `at` in the chart's own coordinates, not clipped
  //! (for items drawn on the chart).
  QPointF ChartPoint(QPointF at, ChartAxis yAxis) const;
  //! The plot rectangle in the chart's own coordinates.
  QRectF ChartPlotArea() const;
  //! The data point under chart-window position `pixel` on the `yAxis` scale.
  QPointF PixelToData(QPointF pixel, ChartAxis yAxis) const;

  //! The cursor: a vertical line that follows the mouse over the plot with the
  //! value of every shown series at that X beside it; gone when the mouse
  //! leaves. Off by default; pictures and paper never show it.
  void SetCursorEnabled(bool on);
  //! Puts the cursor at chart-window position `pixel` (as a mouse move does);
  //! outside the plot it is hidden.
  void MoveCursor(QPointF pixel);
  void HideCursor();
  bool IsCursorShown() const;
  //! The lines of text beside the cursor ("Power (HP): 231.4").
  QStringList CursorTexts() const;

  //! Sizes every text of the chart in pixels of the chart's own coordinates,
  //! as large as its point size makes it on this widget's screen. Painted into
  //! a device of another resolution (a printer), the texts then scale with the
  //! chart instead of being sized again at the device's resolution.
  void UsePixelFonts();

  //! Paints the whole chart into `target` of `painter`.
  void Paint(QPainter& painter, const QRectF& target);
  //! The chart laid out at `size` and painted on white. Resizes this chart:
  //! meant for a chart made for the picture.
  QImage RenderImage(QSize size);

 signals:
  //! The plot rectangle moved or changed size (overlays follow it).
  void PlotAreaMoved();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  struct Side {
    std::optional<ChartData> data;
    std::vector<QLineSeries*> series;
    std::vector<SeriesStyle> styles;
    QLineSeries* anchor = nullptr;  //!< empty series that carries the axis pair for mapping
  };
  struct AxisState {
    bool automatic = true;
    AxisLimits fixed;
    AxisLimits shown{0.0, 1.0, 0.2};
  };
  struct Label {
    ChartTextLabel* item;
    QPointF at;
    ChartAxis yAxis;
  };

  Side& SideOf(ChartAxis yAxis);
  const Side& SideOf(ChartAxis yAxis) const;
  QValueAxis* AxisOf(ChartAxis axis) const;
  void RebuildSeries(ChartAxis yAxis, const std::vector<QString>& legends);
  void ApplyStyle(ChartAxis yAxis, int set);
  void ApplyAxisColors(QValueAxis* axis);
  std::vector<double> DrawnValues(ChartAxis axis) const;
  void ApplyLimits(ChartAxis axis, const AxisLimits& limits);
  void PlaceLabels();
  void SetTickLabels(ChartAxis axis, const std::vector<double>& values, int decimals);
  void PlaceTickLabels();
  //! Lays the legend out for the chart's width and keeps room for it under the plot.
  void FitLegend();
  QPointF ToView(QPointF scenePoint) const;
  //! `font` sized in pixels when this chart's texts are (UsePixelFonts).
  QFont TextFont(QFont font) const;

  QChart* chart_;
  std::vector<std::pair<OverlayLine, QLineSeries*>> overlays_;
  std::array<QValueAxis*, 3> axes_{};
  std::array<AxisState, 3> axisState_{};
  std::array<Side, 2> sides_;
  std::vector<Label> labels_;
  struct Bar {
    QPointF top;  //!< X value and height
    ChartAxis yAxis;
  };
  void PlaceBars();

  ChartColors colors_;
  QMargins plotMargins_{6, 10, 8, 4};  // the end numbers of the axes clear the edge
  ChartLegend* legend_ = nullptr;
  bool legendShown_ = true;
  std::vector<std::pair<double, ChartTextLabel*>> valueLabels_;
  std::array<std::vector<std::pair<double, ChartTextLabel*>>, 3> tickLabels_;
  std::vector<Bar> bars_;
  std::vector<QGraphicsRectItem*> barItems_;
  double barWidth_ = 0.0;
  QColor barColor_;
  bool pixelFonts_ = false;
  bool cursorEnabled_ = false;
  QGraphicsLineItem* cursorLine_ = nullptr;
  ChartTextLabel* cursorText_ = nullptr;
};

}  // namespace brisca
