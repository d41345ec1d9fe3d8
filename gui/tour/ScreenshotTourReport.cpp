// The tour's report pictures: the report setup dialog, every page of the
// sample's report as PDF (with its two charts) and the contest entry dialog.
// The report is made in a scratch report folder beside the tour's settings.
#include <QApplication>
#include <QDir>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTest>
#include <QTextDocument>

#include "core/base/FileError.h"
#include "core/document/ProgramPaths.h"
#include "core/document/VexoDoc.h"
#include "core/reportspecs/ReportSpecs.h"
#include "gui/report/ContestDlg.h"
#include "gui/report/KalvexDlg.h"
#include "gui/report/ReportCommands.h"
#include "gui/report/ReportLayout.h"
#include "gui/shell/DocumentManager.h"
#include "gui/shell/MainFrame.h"
#include "gui/shell/PathText.h"
#include "gui/shell/VexoApp.h"
#include "gui/tour/ScreenshotTour.h"

namespace brisca {
namespace {

void SettleReport(int ms = 50) {
  QApplication::processEvents();
  QTest::qWait(ms);
}

}  // namespace

void ScreenshotTour::TakeReport(CMainFrame& frame, const ProgramPaths& programPaths) {
  CVexoDoc* doc = frame.ActiveDocument();
  if (!doc) {
    Fail(QStringLiteral("report pictures: no engine"));
    return;
  }
  ProgramPaths paths = programPaths;
  paths.reportFolder = ToPath(settingsDir_) / "Reports";

  // The heading texts a shop would fill in; the document keeps its own settings.
  ReportSpecs shown = doc->Report();
  shown.Reset(doc->GetTitle());
  shown.company = "Harwick Engine Works";
  shown.addressLine1 = "12 Mill Lane";
  shown.addressLine2 = "Harwick HW4 2QT";
  shown.phoneFax = "555 0100 / 555 0101";
  shown.emailWeb = "bench@harwick.example";
  shown.tester = "R. Marsh";
  shown.designer = "A. Petrov";
  {
    CKalvexDlg setup(doc->GetTitle(), shown, paths.reportFolder, &frame);
    setup.show();
    if (!QTest::qWaitForWindowExposed(&setup)) Fail(QStringLiteral("the report setup did not show"));
    SettleReport(100);
    Save(setup.grab().toImage(), QStringLiteral("report-setup.png"), &setup);
    setup.reject();
  }

  const ReportSpecs own = doc->Report();
  doc->Report() = shown;
  const std::filesystem::path output = MakeReport(*doc, frame.Documents().Views(*doc), paths);
  doc->Report() = own;
  const std::unique_ptr<QTextDocument> report = LayOutReport(output, output.parent_path());
  const QString pdf = QDir(settingsDir_).filePath(QStringLiteral("report.pdf"));
  bool written = false;
  if (report) {
    try {
      WriteReportPdf(*report, ToPath(pdf));
      written = true;
    } catch (const FileError&) {
    }
  }
  if (!written) {
    Fail(QStringLiteral("report-page-1.png: the report was not made"));
  } else {
    SavePdfPages(pdf, QStringLiteral("report-page"), 0);
  }

  CContestDlg contest(*doc, SuggestedEntryFile(*doc, paths.EngineFolder()), &frame);
  contest.show();
  if (!QTest::qWaitForWindowExposed(&contest)) Fail(QStringLiteral("the contest entry did not show"));
  SettleReport(100);
  Save(contest.grab().toImage(), QStringLiteral("contest-entry.png"), &contest);
  contest.reject();
}

}  // namespace brisca
