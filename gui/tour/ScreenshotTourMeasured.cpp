// Tour pictures of a measured run: the sample's matching pull over its power
// and torque chart, and the deviation window.
#include <QApplication>
#include <QTest>

#include "core/document/ProgramPaths.h"
#include "core/document/VexoDoc.h"
#include "gui/results/Chart2dView.h"
#include "gui/results/ChartMenuTable.h"
#include "gui/results/MeasuredDeviationDlg.h"
#include "gui/shell/ChildFrame.h"
#include "gui/shell/DocumentManager.h"
#include "gui/shell/MainFrame.h"
#include "gui/tour/ScreenshotTour.h"

namespace brisca {
namespace {

// The pull made for the sample engine.
const char* const kSamplePull = "Stock Small-Block V8 - pull 1.csv";

void SettleMeasured() {
  QApplication::processEvents();
  QTest::qWait(80);
}

}  // namespace

void ScreenshotTour::TakeMeasuredRun(CMainFrame& frame) {
  CVexoDoc* doc = frame.ActiveDocument();
  CChildFrame* child = frame.ActiveFrame();
  auto* right = doc ? qobject_cast<CChart2dView*>(frame.Documents().Views(*doc).View(ViewSlot::SecondChart))
                    : nullptr;
  if (!child || !right) {
    Fail(QStringLiteral("chart-measured-overlay: no chart"));
    return;
  }
  // The engine alone, power on Y1 and torque on Y2, as a dyno sheet shows them.
  ChartState& state = right->State();
  const ChartState before = state;
  state.comparison = false;
  state.axes[kAxisX].SelectItem(kItemEngineSpeed);
  state.axes[kAxisY1].SelectItem(kItemPower);
  state.axes[kAxisY2].SelectItem(kItemTorque);
  const std::filesystem::path pull = ProgramPaths::Discover().programDataFolder / "Measured" / kSamplePull;
  frame.Host().SetFilePrompter([pull](const FilePrompt&) -> std::optional<std::filesystem::path> { return pull; });
  const bool overlaid = right->OnCommand(kCmdMeasuredOverlay);
  frame.Host().SetFilePrompter(nullptr);
  if (!overlaid) {
    Fail(QStringLiteral("chart-measured-overlay: the sample pull was not laid over"));
  } else {
    child->RightTabs()->setCurrentWidget(right);
    SettleMeasured();
    Save(right->grab().toImage(), QStringLiteral("chart-measured-overlay.png"), right);

    CMeasuredDeviationDlg dialog(QString::fromStdString(doc->GetTitle()), doc->Results(),
                                 *frame.Documents().Views(*doc).Measured(), frame.Conditions(), &frame);
    dialog.show();
    if (!QTest::qWaitForWindowExposed(&dialog)) Fail(QStringLiteral("measured-deviation: the window did not show"));
    dialog.activateWindow();
    SettleMeasured();
    Save(dialog.grab().toImage(), QStringLiteral("measured-deviation.png"), &dialog);
    dialog.reject();
    right->RemoveMeasuredRun();
  }
  state = before;
  right->Rebuild();
}

}  // namespace brisca
