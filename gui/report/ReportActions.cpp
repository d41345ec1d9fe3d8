#include "gui/report/ReportActions.h"

#include <QCoreApplication>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QTextDocument>

#include "core/base/ErrCode.h"
#include "gui/report/ReportLayout.h"
#include "gui/shell/PathText.h"
#include "gui/shell/PdfFile.h"

namespace brisca {
namespace {

constexpr int kErrReportViewer = 130;

}  // namespace

ReportActions& CurrentReportActions() {
  static ReportActions actions{QStringLiteral("xdg-open"), PrintWithDialog};
  return actions;
}

void OpenReportFile(const std::filesystem::path& file, const std::filesystem::path& folder) {
  auto* opener = new QProcess(QCoreApplication::instance());
  QObject::connect(opener, &QProcess::finished, opener, [opener](int exitCode, QProcess::ExitStatus status) {
    if (status != QProcess::NormalExit || exitCode != 0) ReportErrorCode(kErrReportViewer);
    opener->deleteLater();
  });
  QObject::connect(opener, &QProcess::errorOccurred, opener, [opener](QProcess::ProcessError error) {
    if (error != QProcess::FailedToStart) return;  // a crash is reported by finished()
    ReportErrorCode(kErrReportViewer);
    opener->deleteLater();
  });
  opener->setWorkingDirectory(ToQString(folder));
  opener->start(CurrentReportActions().opener, {ToQString(file)});
}

bool PrintWithDialog(QTextDocument& report, QWidget* parent) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(report.metaInformation(QTextDocument::DocumentTitle));
  QPrintDialog dialog(&printer, parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  if (const QString file = PdfFileOf(printer); !file.isEmpty()) {
    return SaveReportPdf(report, ToPath(file), printer.pageLayout().pageSize());
  }
  return PrintReport(report, printer);
}

}  // namespace brisca
