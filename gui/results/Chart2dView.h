#pragma once
// A 2D chart view of an engine document: X against Y1 (left axis) and Y2
// (right axis) over the document's test speeds, or the curves of up to four
// documents (quick comparison), with an optional data-zone overlay. Its choices
// come from a right-click menu and are part of the engine file.
//
// Everything plotted comes from the document: the chart state it keeps for
// this view (axes, comparison flag, zones) and its result sets.

#include <QWidget>

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "core/results/ChartState.h"
#include "core/results/SeriesCsv.h"
#include "core/results/TestConditions.h"
#include "gui/results/ChartBuilder.h"
#include "gui/shell/ViewRegistry.h"

class QMenu;
class QPainter;
class QPrinter;

namespace brisca {

class CVexoDoc;
class CZoneChart2D;


class CChart2dView : public QWidget {
  Q_OBJECT

 public:
  //! The view of `role`; enters itself in the registry's chart slot when empty.
  CChart2dView(CVexoDoc& document, ViewRegistry& registry, ChartRole role, QWidget* parent = nullptr);
  ~CChart2dView() override;

  CVexoDoc& Document() const { return document_; }
  ChartRole Role() const { return role_; }
  ChartState& State();
  const ChartState& State() const;
  CZoneChart2D& Chart() const { return *chart_; }

  const ComparisonSlot& Slot(int index) const { return slots_.at(static_cast<std::size_t>(index)); }
  //! Puts `document` into slot 1..3 (null clears it).
  void SetSlot(int index, CVexoDoc* document);

  //! Re-reads the document and redraws.
  Q_INVOKABLE void UpdateView() { Rebuild(); }
  void Rebuild();

  //! The right-click menu as it would open now (rebuilt on every call).
  QMenu* ContextMenu();
  //! Carries out a menu command; false for a command the menu does not have.
  bool OnCommand(int command);

  //! Quick comparison: a "CompareRun" document (the open one, or a new one)
  //! takes the current engine, or the engine file the user picks, and joins
  //! this chart as slot 1 in comparison mode; the window active before stays
  //! active. False when the view is not in a main frame.
  bool MakeComparison(bool fromFile);

  //! A measured run over both charts of the document, for the session only
  //! (never saved, the document not marked modified): the file the user
  //! picks, or `path`. A file that cannot be read gets its numbered message
  //! and changes nothing; a run read goes first in the recent measured runs.
  bool OverlayMeasuredRun();
  bool OverlayMeasuredFile(const std::filesystem::path& path);
  //! A recent measured run (0: the latest); one whose file is gone gets
  //! error 390 and leaves the list.
  bool OverlayRecentMeasuredRun(int index);
  void RemoveMeasuredRun();
  bool HasMeasuredRun() const;
  //! "Measured vs Simulated...": the deviations in a modal window; false
  //! (nothing shown) without a measured run or results.
  bool ShowMeasuredDeviation();
  //! The conditions the figures are shown for: the program's, or none outside a main frame.
  TestConditions Conditions() const;

  //! The open engine documents of the main frame other than this view's.
  std::vector<CVexoDoc*> OtherDocuments() const;
  //! Opens "2D Chart Properties" (modal); with `customAxis` (X, Y1, Y2) on that
  //! axis's custom range. True when it closed with OK.
  bool OpenProperties(int customAxis = -1);
  //! What the properties apply, in this order: comparison flag and slots 1..3,
  //! the three axes, the zone set, each marking the document modified; then
  //! the chart is rebuilt.
  void ApplyProperties(const ChartState& state, const std::array<CVexoDoc*, kComparisonSlots - 1>& chosen);

  //! The chart alone, 600 × 550, on white; the chart on screen is unchanged.
  QImage RenderBitmap() const;
  //! Saves RenderBitmap as a Windows bitmap file, whole or not at all (true);
  //! a file that cannot be written throws FileError 44 naming it and the cause.
  bool SaveAsBitmap(const std::filesystem::path& path) const;

  //! Paints the chart for paper into `painter`, whose page has the printable
  //! rectangle `printable` at `deviceDpi`: a square of the smaller printable
  //! side less two inches, one inch in from the printable corner, laid out at
  //! two thirds of the screen's resolution, in the print colours. The chart
  //! on screen keeps its colours. Returns the square painted (device units).
  QRectF PaintForPrint(QPainter& painter, const QRectF& printable, double deviceDpi) const;
  //! Prints the chart on `printer`.
  void Print(QPrinter& printer) const;
  //! Copies the chart as a picture to the clipboard.
  void CopyToClipboard() const;

  //! The series drawn now (shown ones, drawn points only), Y1 then Y2.
  std::vector<CsvSeries> PlottedSeries() const;
  //! Writes PlottedSeries as CSV to `path`; false (reported) when it failed.
  bool ExportData(const std::filesystem::path& path) const;

  //! Sets up `chart` for the current state: data, limits, colours, captions,
  //! zones; in the print colours when `printing`.
  void Configure(CZoneChart2D& chart, bool printing = false) const;

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void SelectItem(int axis, int item);
  void SelectRange(int axis, RangeMode mode);
  void Changed();
  void RefreshSlots();
  void MatchZones();
  //! The measured part of the Quick Comparison menu.
  void AddMeasuredItems(QMenu* menu);
  //! Every window of the document redraws (only this chart outside a main frame).
  void RedrawDocument();

  CVexoDoc& document_;
  ViewRegistry& registry_;
  ChartRole role_;
  std::array<ComparisonSlot, kComparisonSlots> slots_;
  CZoneChart2D* chart_;
  QMenu* menu_ = nullptr;
};

}  // namespace brisca
