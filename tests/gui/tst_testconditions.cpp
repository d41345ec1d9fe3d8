// The test conditions dialog: only typed values change, altitude and dew point
// stay in step with pressure and humidity, bad text is refused, and a choice
// is kept in the settings and shown in the status bar.
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QTest>

#include "core/base/NumberText.h"
#include "core/results/TestConditions.h"
#include "gui/engine/TestConditionsDlg.h"
#include "gui/shell/MainFrame.h"
#include "gui/shell/Preferences.h"
#include "gui/shell/VexoApp.h"
#include "tests/gui/GuiTestSupport.h"

using brisca::CorrectionStandard;
using brisca::CTestConditionsDlg;
using brisca::TestConditions;

namespace {

// Values whose shown text is a rounded form: parsing it back would change them.
TestConditions OddConditions() {
  TestConditions conditions;
  conditions.standard = CorrectionStandard::SaeJ607;
  conditions.weatherGiven = true;
  conditions.barometerInHg = 29.52347;
  conditions.temperatureF = 71.3712;
  conditions.humidityPercent = 37.417;
  return conditions;
}

void Type(CTestConditionsDlg& dialog, const char* field, const QString& text) {
  auto* edit = dialog.findChild<QLineEdit*>(QString::fromLatin1(field));
  QVERIFY(edit);
  edit->selectAll();
  QTest::keyClicks(edit, text);
}

QString Shown(CTestConditionsDlg& dialog, const char* field) {
  return dialog.findChild<QLineEdit*>(QString::fromLatin1(field))->text();
}

}  // namespace

class TestConditionsTest : public QObject {
  Q_OBJECT

 private slots:
  void untouchedFieldsKeepTheirValues() {
    CTestConditionsDlg dialog(OddConditions());
    dialog.show();
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(dialog.Conditions() == OddConditions());
  }

  void onlyTheTypedValueChanges() {
    CTestConditionsDlg dialog(OddConditions());
    dialog.show();
    Type(dialog, "temperature", QStringLiteral("85"));
    dialog.accept();
    TestConditions expected = OddConditions();
    expected.temperatureF = 85.0;
    QVERIFY(dialog.Conditions() == expected);
  }

  void altitudeAndDewPointFollowTheCore() {
    CTestConditionsDlg dialog(OddConditions());
    dialog.show();
    Type(dialog, "altitude", QStringLiteral("1600"));
    QCOMPARE(dialog.Conditions().barometerInHg, brisca::PressureAtAltitudeInHg(1600));
    QCOMPARE(Shown(dialog, "pressure"),
             QString::fromStdString(brisca::FormatFixed(brisca::PressureAtAltitudeInHg(1600), 2)));
    Type(dialog, "pressure", QStringLiteral("99kPa"));
    QCOMPARE(dialog.Conditions().barometerInHg, *brisca::ParsePressureInHg("99kPa"));
    Type(dialog, "dewPoint", QStringLiteral("50"));
    QCOMPARE(dialog.Conditions().humidityPercent, brisca::HumidityFromDewPoint(71.3712, 50));
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
  }

  void badTextKeepsTheDialogOpen() {
    const struct {
      const char* field;
      const char* text;
    } cases[] = {{"pressure", "abc"}, {"pressure", "50"}, {"temperature", "300"}, {"humidity", "120"}};
    for (const auto& c : cases) {
      CTestConditionsDlg dialog(OddConditions());
      dialog.show();
      Type(dialog, c.field, QString::fromLatin1(c.text));
      dialog.accept();
      QVERIFY2(dialog.isVisible(), c.text);
    }
  }

  void choiceIsKeptAndShown() {
    std::unique_ptr<brisca::CVexoApp> app = brisca::test::StartWithEngine();
    QVERIFY(app);
    brisca::CMainFrame* frame = app->MainFrame();
    auto* pane = frame->findChild<QLabel*>(QStringLiteral("conditionsPane"));
    QCOMPARE(pane->text(), QStringLiteral("Uncorrected"));

    brisca::test::AnswerNextModal<CTestConditionsDlg>([](CTestConditionsDlg* dialog) {
      auto* standard = dialog->findChild<QComboBox*>(QStringLiteral("standard"));
      standard->setCurrentIndex(3);
      emit standard->activated(3);
      dialog->findChild<QGroupBox*>(QStringLiteral("weather"))->setChecked(true);
      Type(*dialog, "temperature", QStringLiteral("29C"));
      dialog->accept();
    });
    frame->findChild<QAction*>(QStringLiteral("testConditionsAction"))->trigger();

    QCOMPARE(pane->text(), QStringLiteral("DIN 70020"));
    QSettings settings;
    const TestConditions stored = brisca::Preferences::Read(settings).conditions;
    QCOMPARE(stored.standard, CorrectionStandard::Din70020);
    QVERIFY(stored.weatherGiven);
    QCOMPARE(stored.temperatureF, *brisca::ParseTemperatureF("29C"));
    QCOMPARE(stored.barometerInHg, TestConditions{}.barometerInHg);
  }

  void storedConditionsRoundTrip() {
    brisca::Preferences prefs;
    prefs.conditions = OddConditions();
    QSettings settings;
    prefs.Write(settings);
    QVERIFY(brisca::Preferences::Read(settings).conditions == OddConditions());
  }

 private:
  brisca::test::ScratchSettings settings_;
};

QTEST_MAIN(TestConditionsTest)
#include "tst_testconditions.moc"
