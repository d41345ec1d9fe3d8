// A measured run over the document's charts: overlaid for the session from a
// file or the recent list, removed, and compared with the simulated curve.
#include <QFileInfo>
#include <QMenu>

#include <system_error>

#include "core/base/ErrCode.h"
#include "core/document/DocumentHost.h"
#include "core/document/ProgramPaths.h"
#include "core/document/VexoDoc.h"
#include "gui/results/Chart2dView.h"
#include "gui/results/ChartMenuTable.h"
#include "gui/results/MeasuredDeviationDlg.h"
#include "gui/shell/MainFrame.h"
#include "gui/shell/RecentFiles.h"

namespace brisca {
namespace {

constexpr int kMissingMeasuredRun = 390;

// The recent measured runs, as the settings store has them now.
RecentFiles RecentMeasuredRuns() {
  RecentFiles recent(QStringLiteral("Recent Measured Run List"), kMeasuredRecentCount);
  recent.Load();
  return recent;
}

QString PathText(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }
std::filesystem::path PathOf(const QString& text) { return std::filesystem::path(text.toStdString()); }

}  // namespace

TestConditions CChart2dView::Conditions() const {
  const auto* frame = qobject_cast<const CMainFrame*>(window());
  return frame ? frame->Conditions() : TestConditions{};
}

bool CChart2dView::HasMeasuredRun() const { return registry_.Measured().has_value(); }

bool CChart2dView::OverlayMeasuredRun() {
  DocumentHost* host = document_.Host();
  if (!host) return false;
  // The folder of the latest measured run, else the shipped samples.
  const RecentFiles recent = RecentMeasuredRuns();
  std::filesystem::path folder = ProgramPaths::Discover().programDataFolder / "Measured";
  if (!recent.Files().isEmpty()) folder = PathOf(recent.Files().constFirst()).parent_path();
  const auto path = host->PromptOpenPath("measured", folder);
  return path && OverlayMeasuredFile(*path);
}

bool CChart2dView::OverlayMeasuredFile(const std::filesystem::path& path) {
  MeasuredRun run;
  if (!LoadMeasuredRun(path, run)) return false;
  registry_.SetMeasured(std::move(run));
  RecentFiles recent = RecentMeasuredRuns();
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(path, error);
  recent.Add(PathText(error ? path : absolute));
  recent.Save();
  RedrawDocument();
  return true;
}

bool CChart2dView::OverlayRecentMeasuredRun(int index) {
  RecentFiles recent = RecentMeasuredRuns();
  if (index < 0 || index >= recent.Files().size()) return false;
  const QString file = recent.Files().at(index);
  std::error_code error;
  if (!std::filesystem::exists(PathOf(file), error)) {
    recent.Remove(file);
    recent.Save();
    ReportErrorCode(kMissingMeasuredRun, false, file.toStdString().c_str());
    return false;
  }
  return OverlayMeasuredFile(PathOf(file));
}

void CChart2dView::RemoveMeasuredRun() {
  registry_.SetMeasured(std::nullopt);
  RedrawDocument();
}

bool CChart2dView::ShowMeasuredDeviation() {
  const std::optional<MeasuredRun>& measured = registry_.Measured();
  if (!measured || document_.Results().IsEmpty()) return false;
  CMeasuredDeviationDlg dialog(QString::fromStdString(document_.GetTitle()), document_.Results(), *measured,
                               Conditions(), this);
  dialog.exec();
  return true;
}

void CChart2dView::RedrawDocument() {
  if (DocumentHost* host = document_.Host()) host->UpdateAllViews(document_);
  else Rebuild();
}

void CChart2dView::AddMeasuredItems(QMenu* menu) {
  auto add = [this, menu](const QString& text, int command, bool enabled) {
    QAction* action = menu->addAction(text);
    action->setData(command);
    action->setEnabled(enabled);
    connect(action, &QAction::triggered, this, [this, command] { OnCommand(command); });
    return action;
  };
  menu->addSeparator();
  add(tr("Overlay Measured Run..."), kCmdMeasuredOverlay, true);
  const QStringList files = RecentMeasuredRuns().Files();
  for (int i = 0; i < files.size(); ++i) {
    QAction* action = add(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(files.at(i)).fileName()),
                          kCmdMeasuredRecent + i, true);
    action->setToolTip(files.at(i));
    action->setStatusTip(files.at(i));
  }
  add(tr("Remove Measured Run"), kCmdMeasuredRemove, HasMeasuredRun());
  add(tr("Measured vs Simulated..."), kCmdMeasuredDeviation, HasMeasuredRun() && !document_.Results().IsEmpty());
}

}  // namespace brisca
