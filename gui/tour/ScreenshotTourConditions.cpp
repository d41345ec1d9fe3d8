// The test conditions dialog, with a standard chosen and a day's weather
// typed, and a results table showing its figures at that weather.
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>

#include "gui/engine/TestConditionsDlg.h"
#include "gui/shell/ChildFrame.h"
#include "gui/shell/MainFrame.h"
#include "gui/tour/ScreenshotTour.h"

namespace brisca {

void ScreenshotTour::TakeTestConditions(CMainFrame& frame) {
  TestConditions conditions;
  conditions.standard = CorrectionStandard::SaeJ1349;
  CTestConditionsDlg dialog(conditions, &frame);
  dialog.show();
  if (!QTest::qWaitForWindowExposed(&dialog)) Fail(QStringLiteral("the test conditions did not show"));
  dialog.activateWindow();
  dialog.findChild<QGroupBox*>(QStringLiteral("weather"))->setChecked(true);
  for (auto [name, text] : {std::pair{"altitude", "1600"}, std::pair{"temperature", "75"},
                            std::pair{"humidity", "40"}}) {
    auto* edit = dialog.findChild<QLineEdit*>(QString::fromLatin1(name));
    edit->selectAll();
    QTest::keyClicks(edit, QString::fromLatin1(text));
  }
  Save(dialog.grab().toImage(), QStringLiteral("test-conditions.png"), &dialog);
  dialog.reject();

  // The standard table at a day's weather, its note line under the rows; then
  // the model's own air again for the pictures that follow.
  CChildFrame* child = frame.ActiveFrame();
  QWidget* shownTab = child ? child->LeftTabs()->currentWidget() : nullptr;
  TestConditions weather;
  weather.standard = CorrectionStandard::SaeJ1349;
  weather.weatherGiven = true;
  weather.barometerInHg = PressureAtAltitudeInHg(1600);
  weather.temperatureF = 75;
  weather.humidityPercent = 40;
  frame.ShowConditions(weather);
  TakeTable(frame, ViewSlot::ResultsTable, QStringLiteral("results-corrected.png"));
  frame.ShowConditions(TestConditions{});
  if (shownTab) child->LeftTabs()->setCurrentWidget(shownTab);
}

}  // namespace brisca
