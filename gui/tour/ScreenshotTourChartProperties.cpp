// Tour pictures of the chart properties: its three pages on the sample's charts.
#include <QApplication>
#include <QTabWidget>
#include <QTest>

#include "core/document/VexoDoc.h"
#include "gui/results/Chart2dView.h"
#include "gui/results/ChartAxisPage.h"
#include "gui/results/ChartPropertiesSheet.h"
#include "gui/shell/DocumentManager.h"
#include "gui/shell/EditFloatPt.h"
#include "gui/shell/MainFrame.h"
#include "gui/tour/ScreenshotTour.h"

namespace brisca {
namespace {

void SettleSheet() {
  QApplication::processEvents();
  QTest::qWait(80);
}

}  // namespace

void ScreenshotTour::TakeChartProperties(CMainFrame& frame) {
  CVexoDoc* doc = frame.ActiveDocument();
  if (!doc) {
    Fail(QStringLiteral("chart-properties: no engine window"));
    return;
  }
  ViewRegistry& views = frame.Documents().Views(*doc);
  auto* left = qobject_cast<CChart2dView*>(views.View(ViewSlot::FirstChart));
  auto* right = qobject_cast<CChart2dView*>(views.View(ViewSlot::SecondChart));
  if (!left || !right) {
    Fail(QStringLiteral("chart-properties: no charts"));
    return;
  }
  auto shoot = [this](CChartPropertiesSheet& sheet, const QString& name) {
    sheet.show();
    if (!QTest::qWaitForWindowExposed(&sheet)) Fail(name + QStringLiteral(": the sheet did not show"));
    sheet.activateWindow();
    SettleSheet();
    Save(sheet.grab().toImage(), name, &sheet);
    sheet.reject();
  };
  {
    // The comparison the chart pictures made: the sample and "CompareRun".
    CChartPropertiesSheet sheet(*right, right->OtherDocuments(), &frame);
    shoot(sheet, QStringLiteral("chart-properties-graph-data.png"));
  }
  {
    // As the chart menu's X Custom-Range opens it.
    CChartPropertiesSheet sheet(*left, left->OtherDocuments(), &frame);
    sheet.StartOnCustomRange(kAxisX);
    shoot(sheet, QStringLiteral("chart-properties-axis.png"));
  }
  {
    // The piston-speed zones of the first chart.
    CChartPropertiesSheet sheet(*left, left->OtherDocuments(), &frame);
    sheet.Tabs()->setCurrentIndex(CChartPropertiesSheet::kZonesPage);
    shoot(sheet, QStringLiteral("chart-properties-zones.png"));
  }
}

}  // namespace brisca
