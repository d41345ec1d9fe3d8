// The tour's paper: every page of the sample's engine print, printed at 600
// dots per inch into a PDF file, and every page of its report as PDF, each
// page pictured at 96 dots per inch (poppler's pdftoppm) as a reader sees it.
#include <QDir>
#include <QImage>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include <algorithm>

#include "core/document/VexoDoc.h"
#include "gui/engine/EnginePrinter.h"
#include "gui/shell/DocumentManager.h"
#include "gui/shell/MainFrame.h"
#include "gui/tour/ScreenshotTour.h"

namespace brisca {
namespace {

constexpr int kPrintDpi = 600;
constexpr int kPictureDpi = 96;

}  // namespace

void ScreenshotTour::TakePrintPages(CMainFrame& frame) {
  CVexoDoc* doc = frame.ActiveDocument();
  if (!doc) {
    Fail(QStringLiteral("print-page-1.png: no engine"));
    return;
  }
  const QString pdf = QDir(settingsDir_).filePath(QStringLiteral("engine-print.pdf"));
  {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setResolution(kPrintDpi);
    printer.setPageSize(QPageSize(QPageSize::Letter));
    const EnginePrinter report(*doc, frame.Documents().Views(*doc));
    if (!report.Print(printer)) Fail(QStringLiteral("print-page-1.png: the engine did not print"));
  }
  SavePdfPages(pdf, QStringLiteral("print-page"), EnginePrinter::kPageCount);
}

void ScreenshotTour::SavePdfPages(const QString& pdf, const QString& prefix, int expected) {
  const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
  if (pdftoppm.isEmpty()) {
    Fail(QStringLiteral("%1-1.png: pdftoppm (poppler-utils) is needed").arg(prefix));
    return;
  }
  const QDir scratch(settingsDir_);
  const QString stem = scratch.filePath(prefix + QStringLiteral("-raw"));
  QProcess process;
  process.start(pdftoppm, {QStringLiteral("-r"), QString::number(kPictureDpi), QStringLiteral("-png"), pdf, stem});
  if (!process.waitForFinished(120000) || process.exitCode() != 0) {
    Fail(QStringLiteral("%1-1.png: pdftoppm failed on %2").arg(prefix, pdf));
    return;
  }
  // pdftoppm numbers the pages with as many digits as the last one needs.
  QStringList pages = scratch.entryList({prefix + QStringLiteral("-raw-*.png")}, QDir::Files);
  static const QRegularExpression number(QStringLiteral("-(\\d+)\\.png$"));
  auto pageOf = [](const QString& name) { return number.match(name).captured(1).toInt(); };
  std::sort(pages.begin(), pages.end(), [&](const QString& a, const QString& b) { return pageOf(a) < pageOf(b); });
  if (expected > 0 && pages.size() != expected) {
    Fail(QStringLiteral("%1: %2 pages, not %3").arg(prefix).arg(pages.size()).arg(expected));
  }
  for (const QString& page : pages) {
    const QImage image(scratch.filePath(page));
    SavePicture(image, QStringLiteral("%1-%2.png").arg(prefix).arg(pageOf(page)));
    QFile::remove(scratch.filePath(page));
  }
}

bool ScreenshotTour::SavePicture(const QImage& image, const QString& name) {
  if (image.isNull() || IsBlank(image)) {
    Fail(QStringLiteral("%1: the picture is blank").arg(name));
    return false;
  }
  const QString path = out_.filePath(name);
  if (!image.save(path, "PNG")) {
    Fail(QStringLiteral("%1: cannot write %2").arg(name, path));
    return false;
  }
  written_ << path;
  return true;
}

}  // namespace brisca
