// The cam manager's pictures.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include "core/document/ProgramPaths.h"
#include "core/document/VexoDoc.h"
#include "gui/cam/CamDlg.h"
#include "gui/cam/CamSearchPropPage.h"
#include "gui/cam/CamTypeDlg.h"
#include "gui/shell/MainFrame.h"
#include "gui/tour/ScreenshotTour.h"

namespace brisca {
namespace {

constexpr int kVvtMaxStreetCam = 33870;
constexpr int kStockStreetCam = 32879;
constexpr int kSearchWaitMs = 20000;

void Wait(int ms = 80) {
  QApplication::processEvents();
  QTest::qWait(ms);
}

}  // namespace

void ScreenshotTour::TakeCamManager(CMainFrame& frame) {
  CVexoDoc* doc = frame.ActiveDocument();
  if (!doc) {
    Fail(QStringLiteral("cam-specs.png: no engine"));
    return;
  }
  {
    CCamDlg dialog(*doc, &frame);
    dialog.show();
    if (!QTest::qWaitForWindowExposed(&dialog)) Fail(QStringLiteral("the cam manager did not show"));
    Wait(150);
    Save(dialog.grab().toImage(), QStringLiteral("cam-specs.png"), &dialog);
    dialog.Pages()->setCurrentIndex(1);
    Wait();
    Save(dialog.grab().toImage(), QStringLiteral("cam-timing.png"), &dialog);

    CCamSearchPropPage* search = dialog.SearchPage();
    dialog.Pages()->setCurrentWidget(search);
    const auto folder = ProgramPaths::Discover().programDataFolder / "CamFiles (.QCM)";
    search->FolderEdit()->setText(QString::fromStdString(folder.string()));
    search->PhraseEdit()->setText(QStringLiteral("street"));
    search->OnSearchStop();
    if (!QTest::qWaitFor([search] { return !search->IsSearching(); }, kSearchWaitMs))
      Fail(QStringLiteral("cam-search.png: the search did not finish"));
    Wait();
    if (search->Results()->topLevelItemCount() == 0) Fail(QStringLiteral("cam-search.png: nothing found"));
    Save(dialog.grab().toImage(), QStringLiteral("cam-search.png"), &dialog);
    dialog.reject();
  }
  {
    CVexoDoc twoLobe(doc->Host());
    twoLobe.Engine().autoRun = false;
    twoLobe.OnComponentCommand(kVvtMaxStreetCam);
    twoLobe.UpdateDerivedValues();
    CCamDlg dialog(twoLobe, &frame);
    dialog.show();
    if (!QTest::qWaitForWindowExposed(&dialog)) Fail(QStringLiteral("the two-lobe cam manager did not show"));
    dialog.Copies().SetLobe(kHighSpeedLobe);
    dialog.Refresh();
    Wait(150);
    Save(dialog.grab().toImage(), QStringLiteral("cam-specs-vvt-high.png"), &dialog);
    dialog.reject();
  }
  {
    // The same engine in metric units: the timing chart's lift axes in mm, in
    // both timing conventions.
    CVexoDoc metric(doc->Host());
    metric.Engine().autoRun = false;
    metric.OnComponentCommand(kStockStreetCam);
    metric.UpdateDerivedValues();
    metric.SetUnits(true);
    CCamDlg dialog(metric, &frame);
    dialog.show();
    if (!QTest::qWaitForWindowExposed(&dialog)) Fail(QStringLiteral("the metric cam manager did not show"));
    dialog.Pages()->setCurrentIndex(1);
    Wait(150);
    Save(dialog.grab().toImage(), QStringLiteral("cam-timing-metric.png"), &dialog);
    dialog.OnViewConvention(kFiftyThou);
    Wait();
    Save(dialog.grab().toImage(), QStringLiteral("cam-timing-metric-050.png"), &dialog);
    dialog.reject();
  }
  CCamTypeDlg type(QString::fromStdString(doc->Engine().camshaft.lowSpeedLobe.CamType().GetName()), &frame);
  type.show();
  if (!QTest::qWaitForWindowExposed(&type)) Fail(QStringLiteral("the cam name dialog did not show"));
  Wait();
  Save(type.grab().toImage(), QStringLiteral("cam-type.png"), &type);
  type.reject();
}

}  // namespace brisca
