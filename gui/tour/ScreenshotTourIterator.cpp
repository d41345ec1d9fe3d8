// The tour's pictures of the two iterator windows.
#include <QApplication>
#include <QElapsedTimer>
#include <QSettings>
#include <QTabWidget>
#include <QTest>

#include "core/document/ProgramPaths.h"
#include "core/document/VexoDoc.h"
#include "gui/iterator/IteratorCommands.h"
#include "gui/iterator/ItrProDlg.h"
#include "gui/iterator/ItrQuickDlg.h"
#include "gui/iterator/ProResultsPage.h"
#include "gui/shell/MainFrame.h"
#include "gui/shell/VexoApp.h"
#include "gui/tour/ScreenshotTour.h"

namespace brisca {
namespace {

constexpr int kRunLimitMs = 300000;

void Settle(int ms = 50) {
  QApplication::processEvents();
  QTest::qWait(ms);
}

//! Waits for `running` to turn false; false when the run did not end in time.
template <typename Running>
bool AwaitRun(Running running) {
  QElapsedTimer clock;
  clock.start();
  while (running()) {
    if (clock.elapsed() > kRunLimitMs) return false;
    QTest::qWait(50);
  }
  return true;
}

}  // namespace

void ScreenshotTour::TakeIterators() {
  QSettings().clear();
  AppOptions options;
  options.splashMinimumMs = 0;
  options.showMaximized = false;
  CVexoApp app(options);
  if (!app.InitInstance({QStringLiteral("brisca")})) {
    Fail(QStringLiteral("iterators: the program did not start"));
    return;
  }
  CMainFrame& frame = *app.MainFrame();
  const std::filesystem::path sample =
      ProgramPaths::Discover().programDataFolder / "EngineFiles (.QEN)" / "Stock Small-Block V8.qen";
  CVexoDoc* doc = frame.OpenFile(sample) ? frame.ActiveDocument() : nullptr;
  if (!doc || !doc->OnRun()) {
    Fail(QStringLiteral("iterators: the sample engine did not run"));
    app.ExitInstance();
    return;
  }

  if (PrepareQuickOpening(*doc)) {
    CItrQuickDlg quick(*doc, 0, &frame);
    quick.show();
    if (!QTest::qWaitForWindowExposed(&quick)) Fail(QStringLiteral("the Quick Iterator did not show"));
    quick.OnPreset(QuickPreset::BoreStrokePower);
    if (!AwaitRun([&] { return quick.IsRunning(); })) Fail(QStringLiteral("quick-iterator.png: the run did not end"));
    Settle(100);
    Save(quick.grab().toImage(), QStringLiteral("quick-iterator.png"), &quick);
    quick.reject();
  }

  if (!PrepareProOpening(*doc)) {
    Fail(QStringLiteral("pro iterator: did not open"));
    app.ExitInstance();
    return;
  }
  CItrProDlg pro(*doc, 0, &frame);
  pro.show();
  if (!QTest::qWaitForWindowExposed(&pro)) Fail(QStringLiteral("the Pro Iterator did not show"));
  const struct {
    ProPreset preset;
    const char* name;
  } pages[] = {{ProPreset::CamTiming, "pro-cam-timing.png"},
               {ProPreset::Induction, "pro-induction.png"},
               {ProPreset::PeakPower, "pro-optimize.png"}};
  for (const auto& page : pages) {
    pro.OnPreset(ProPreset::ResetAll);
    pro.OnPreset(page.preset);
    Settle(100);
    Save(pro.grab().toImage(), QString::fromLatin1(page.name), &pro);
  }
  pro.OnPreset(ProPreset::ResetAll);
  pro.OnPreset(ProPreset::BoreStroke);
  Settle(100);
  Save(pro.grab().toImage(), QStringLiteral("pro-bore-stroke.png"), &pro);
  pro.ShowPage(CItrProDlg::kResultsPage);
  pro.OnRunStop();
  if (!AwaitRun([&] { return pro.IsRunning(); })) Fail(QStringLiteral("pro-results.png: the run did not end"));
  Settle(150);
  Save(pro.grab().toImage(), QStringLiteral("pro-results.png"), &pro);
  // The results page close up: the Save boxes with their scores, the 3D chart's tick values.
  Save(pro.ResultsPage()->grab().toImage(), QStringLiteral("iterator-save-boxes.png"), pro.ResultsPage());
  pro.reject();
  doc->SetModified(false);
  app.ExitInstance();
}

}  // namespace brisca
