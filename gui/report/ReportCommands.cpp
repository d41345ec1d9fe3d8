#include "gui/report/ReportCommands.h"

#include <QTextDocument>

#include "core/base/ErrCode.h"
#include "core/document/DocumentHost.h"
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

bool RunReportSetup(CVexoDoc& document, const ProgramPaths& paths, QWidget* parent) {
  FillReportFolder(paths.reportFolder, InstalledReportFolder(paths));
  CKalvexDlg dialog(document.GetTitle(), document.Report(), paths.reportFolder, parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  const NamedChange name(document, "Report Settings");
  document.SetModified(true);
  if (DocumentHost* host = document.Host()) host->UpdateAllViews(document);
  return true;
}

}  // namespace brisca
