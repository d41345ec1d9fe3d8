#pragma once
// The results tables of an engine document: one row per test speed, painted
// straight from the document's displayed result set. The rows follow the
// second chart's X axis (ResultsTableRows). The standard table shows power,
// torque and pressures in 8 columns; the extended table (CProResultsTableView)
// the mean effective pressures, power losses, airflow and piston figures in 12.
//
// The same painting serves the screen and a printed page: Paint() with
// `printing` set draws the upper-case title, all in black on white, without
// colour bands, in the painter's current font.

#include <QScrollArea>
#include <QString>

#include <optional>
#include <vector>

#include "core/results/ResultsTableColumns.h"
#include "gui/shell/ViewRegistry.h"

class QFontMetrics;
class QPainter;
class QPaintDevice;

namespace brisca {

class CVexoDoc;

class CResultsTableView : public QScrollArea {
  Q_OBJECT

 public:
  //! Enters itself in the registry's ResultsTable slot when `registered` and the slot is empty.
  CResultsTableView(CVexoDoc& document, ViewRegistry& registry, bool registered,
                    QWidget* parent = nullptr);
  ~CResultsTableView() override;

  CVexoDoc& Document() const { return document_; }
  ResultsTableKind Kind() const { return kind_; }
  QString Title() const;

  //! Repaints from the document.
  Q_INVOKABLE void UpdateView();

  //! Paints the table into `painter` (screen or printer page).
  void Paint(QPainter& painter, bool printing) const;
  //! The right end of the table's rules when painted in a font of `metrics`.
  int RightEdge(const QFontMetrics& metrics) const;
  //! The area the table covers when painted on screen into `device`.
  QRect TableExtent(QPaintDevice* device) const;

  //! The line naming the standard and the air the power and torque hold for;
  //! empty while they are the model's own. Painted under the table.
  QString Note() const;
  //! The table as tab-separated text: the note as a "# " line when there is
  //! one, the engine and title, two header lines, the rows.
  QString CopyText() const;
  //! Puts CopyText() on the clipboard.
  void Copy() const;
  //! What the view took from the document at its last update (its CopyText then).
  const QString& ShownText() const { return shown_; }

 protected:
  CResultsTableView(CVexoDoc& document, ViewRegistry& registry, std::optional<ViewSlot> slot,
                    ResultsTableKind kind, QWidget* parent);
  void contextMenuEvent(QContextMenuEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  struct Metrics {
    int h = 0;               //!< line height
    int cw = 0;              //!< average character width
    std::vector<int> edges;  //!< each column's left edge, then the last one's right edge
  };
  Metrics MetricsOf(const QFontMetrics& metrics) const;
  static int RightEdge(const Metrics& m) { return m.edges.back(); }
  void PaintBands(QPainter& painter, const Metrics& m, int rowCount) const;
  void ResizeCanvas();

  CVexoDoc& document_;
  ViewRegistry& registry_;
  ResultsTableKind kind_;
  QWidget* canvas_;
  QString shown_;
};

class CProResultsTableView : public CResultsTableView {
  Q_OBJECT

 public:
  //! Enters itself in the registry's ProDataTable slot when `registered`, the
  //! slot is empty and a standard table is registered.
  CProResultsTableView(CVexoDoc& document, ViewRegistry& registry, bool registered,
                       QWidget* parent = nullptr);
};

}  // namespace brisca
