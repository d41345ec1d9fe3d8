#include "gui/report/ReportCommands.h"

#include <QTextDocument>

#include "core/base/ErrCode.h"
#include "core/document/ProgramPaths.h"
#include "core/document/VexoDoc.h"
#include "core/report/ReportFolder.h"
#include "core/report/VexoReport.h"
#include "gui/report/KalvexDlg.h"
#include "gui/report/ReportActions.h"
#include "gui/report/ReportLayout.h"
#include "gui/results/ViewChartImages.h"

namespace brisca {
namespace {

constexpr int kErrReportViewer = 130;

}  // namespace

std::filesystem::path MakeReport(CVexoDoc& document, const ViewRegistry& views, const ProgramPaths& paths) {
  // A folder that cannot be filled shows as the pieces the report lacks.
  FillReportFolder(paths.reportFolder, InstalledReportFolder(paths));
  ViewChartImages charts(document, views);
  CVexoReport report(document, document.Report(), paths.reportFolder, &charts);
  report.Generate();
  return report.OutputPath();
}

void RunReportPrint(CVexoDoc& document, const ViewRegistry& views, const ProgramPaths& paths, QWidget* parent) {
  const std::filesystem::path output = MakeReport(document, views, paths);
  const std::unique_ptr<QTextDocument> laidOut = LayOutReport(output, paths.reportFolder);
  if (!laidOut) {
    ReportErrorCode(kErrReportViewer);
    return;
  }
  CurrentReportActions().print(*laidOut, parent);
}

void RunReportPreview(CVexoDoc& document, const ViewRegistry& views, const ProgramPaths& paths) {
  OpenReportFile(MakeReport(document, views, paths), paths.reportFolder);
}

bool RunReportSetup(CVexoDoc& document, const std::filesystem::path& reportFolder, QWidget* parent) {
  CKalvexDlg dialog(document.GetTitle(), document.Report(), reportFolder, parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  document.SetModified(true);
  return true;
}

}  // namespace brisca
