#include "gui/report/ReportLayout.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>
#include <QUrl>

#include <string>

#include "core/base/FileError.h"
#include "core/base/TextFile.h"
#include "gui/shell/PathText.h"
#include "gui/shell/PdfFile.h"

namespace brisca {

std::unique_ptr<QTextDocument> LayOutReport(const std::filesystem::path& reportFile,
                                            const std::filesystem::path& reportFolder) {
  // Read as every file is: a pipe or device given as the report is refused.
  std::string html;
  try {
    html = ReadTextFile(reportFile, "LayOutReport");
  } catch (const FileError&) {
    return nullptr;
  }
  auto report = std::make_unique<QTextDocument>();
  // A trailing separator makes the folder itself the base, not its parent. The
  // copy that printing lays out keeps the document's URL but not its base, so
  // both name the folder: otherwise the printed pictures would be looked for
  // in the current folder.
  const QUrl folder = QUrl::fromLocalFile(ToQString(reportFolder) + QLatin1Char('/'));
  report->setHtml(QString::fromStdString(html));
  report->setBaseUrl(folder);
  report->setMetaInformation(QTextDocument::DocumentUrl, folder.toString());
  return report;
}

void WriteReportPdf(QTextDocument& report, const std::filesystem::path& pdf, const QPageSize& paper) {
  PdfSetup setup;
  // The rich-text layout keeps a margin of its own (2 cm) on every side.
  setup.layout = QPageLayout(paper, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
  setup.title = report.metaInformation(QTextDocument::DocumentTitle);
  setup.creator = QStringLiteral("Brisca");
  SavePdf(pdf, setup, [&report](QPdfWriter& writer) {
    // The layout paints with a painter of its own; the finished document's
    // end marker, which SavePdf looks for, tells whether it got to the end.
    report.print(&writer);
    return true;
  });
}

}  // namespace brisca
