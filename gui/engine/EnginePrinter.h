#pragma once
// The engine's printed report: seven pages (the form in two pages, the port
// flow, both results tables and both charts), each under a header line. A
// page paints into any QPainter, so a printer, a preview or a PDF file take
// the same pages.

#include <QRectF>
#include <QString>

#include <filesystem>

class QPagedPaintDevice;
class QPainter;
class QPdfWriter;
class QPrinter;
class QWidget;

namespace brisca {

class CResultsTableView;
class CVexoDoc;
class ViewRegistry;

//! Where a page lies on its device: the paper and the printable area in
//! painter coordinates (the painter's origin at the printable area's top-left)
//! and the device's dots per inch.
struct PrintPageGeometry {
  QRectF paper;
  QRectF printable;
  double dpiX = 0;
  double dpiY = 0;
};

class EnginePrinter {
 public:
  static constexpr int kPageCount = 7;

  //! Every page needs the document's registered views: a missing one is a FatalAssert.
  EnginePrinter(const CVexoDoc& document, const ViewRegistry& views);

  //! The header's texts of `page` (1-based): title, program and version, page number.
  QString Title() const;
  static QString ProgramText();
  static QString PageText(int page);

  //! Paints page `page` (1..7) with its header.
  void PaintPage(QPainter& painter, int page, const PrintPageGeometry& geometry) const;
  //! Prints every page on `printer` (its page range is ignored: the report is
  //! whole); false when the printer could not be started or finished (a file
  //! that cannot be written, among others).
  bool Print(QPrinter& printer) const;
  //! Saves every page as a PDF file at `target`, laid out as `like` would
  //! print them. Throws FileError 44 when the file could not be saved (the
  //! old file then stays as it was).
  void SavePdf(const QPrinter& like, const std::filesystem::path& target) const;
  //! The geometry of a printer's pages, and of a PDF writer's.
  static PrintPageGeometry GeometryOf(const QPrinter& printer);
  static PrintPageGeometry GeometryOf(const QPdfWriter& writer);

  //! "Print Pre&view": Qt's preview dialog on the report.
  static void Preview(const CVexoDoc& document, const ViewRegistry& views, QWidget* parent);
  //! "&Print...": the print dialog (a PDF file always among its destinations),
  //! then the print; a PDF file is saved as SavePdf saves it.
  static void PrintWithDialog(const CVexoDoc& document, const ViewRegistry& views, QWidget* parent);

 private:
  bool PrintPages(QPagedPaintDevice& device, const PrintPageGeometry& geometry) const;
  void PaintHeader(QPainter& painter, int page, const PrintPageGeometry& geometry) const;
  void PaintFormPage(QPainter& painter, bool secondPage) const;
  void PaintFlowPage(QPainter& painter) const;
  void PaintTable(QPainter& painter, bool extended) const;
  void PaintChart(QPainter& painter, bool second, const PrintPageGeometry& geometry) const;
  QWidget* RegisteredView(int slot) const;
  const CResultsTableView& ExtendedTable() const;

  const CVexoDoc& document_;
  const ViewRegistry& views_;
};

}  // namespace brisca
