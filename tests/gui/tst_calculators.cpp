// The calculator dialogs through the keyboard and their Tools commands on a real
// document: the worked airflow ratings, mercury units, "No Ratings Standard",
// Apply's checks and what the document takes over.
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "core/document/CommandIds.h"
#include "core/document/ComponentHandlers.h"
#include "core/document/VexoDoc.h"
#include "gui/calculators/AirFlowMathDlg.h"
#include "gui/calculators/CamMathDlg.h"
#include "gui/engine/EngineMenus.h"
#include "gui/shell/EditFloatPt.h"
#include "gui/shell/MainFrame.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/support/ScriptedPresenter.h"

using brisca::CAirFlowMathDlg;
using brisca::CCamMathDlg;
using brisca::MessageButton;

namespace {

void TypeAndLeave(QLineEdit* edit, const QString& text, QWidget* next) {
  edit->setFocus();
  QCoreApplication::processEvents();
  edit->selectAll();
  QTest::keyClicks(edit, text);
  next->setFocus();
  QCoreApplication::processEvents();
}

void Show(QDialog& dialog) {
  dialog.show();
  dialog.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&dialog));
}

}  // namespace

class TestCalculators : public QObject {
  Q_OBJECT

 private slots:
  void init() { presenter_.Clear(); }

  void airflowRatings_data() {
    QTest::addColumn<bool>("metric");
    QTest::addColumn<bool>("knownInMercury");
    QTest::addColumn<QString>("knownPressure");
    QTest::addColumn<QString>("knownFlow");
    QTest::addColumn<int>("rating");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("applyCode");
    QTest::newRow("four-barrel") << false << false << "28.0" << "600" << 2 << "1.50" << "511.2" << 0;
    QTest::newRow("two-barrel") << false << false << "28.0" << "600" << 1 << "3.00" << "722.9" << 0;
    QTest::newRow("known drop in mercury") << false << true << "2.0664" << "600" << 2 << "1.50" << "511.2" << 0;
    QTest::newRow("metric four-barrel") << true << false << "71.12" << "600" << 2 << "3.810" << "511.2" << 0;
    QTest::newRow("rating below 100 cfm") << false << false << "28.0" << "100" << 2 << "1.50" << "85.2" << 99;
  }

  void airflowRatings() {
    QFETCH(bool, metric);
    QFETCH(bool, knownInMercury);
    QFETCH(QString, knownPressure);
    QFETCH(QString, knownFlow);
    QFETCH(int, rating);
    QFETCH(QString, target);
    QFETCH(QString, result);
    QFETCH(int, applyCode);
    CAirFlowMathDlg dialog(metric);
    Show(dialog);
    QVERIFY(dialog.RatingButton(2)->isChecked());
    QVERIFY(dialog.UnitButton(false, false)->isChecked() && dialog.UnitButton(true, true)->isChecked());
    if (knownInMercury) dialog.UnitButton(false, true)->click();
    dialog.RatingButton(rating)->click();
    TypeAndLeave(dialog.KnownPressureEdit(), knownPressure, dialog.KnownAirflowEdit());
    QCOMPARE(dialog.ResultBox()->text(), QString());  // no known airflow yet
    TypeAndLeave(dialog.KnownAirflowEdit(), knownFlow, dialog.RatingButton(rating));
    QCOMPARE(dialog.TargetPressureEdit()->text(), target);
    QVERIFY(!dialog.TargetPressureEdit()->isEnabled());
    QCOMPARE(dialog.ResultBox()->text(), result);
    QCOMPARE(dialog.DefaultButton()->text(), QStringLiteral("Apply"));
    dialog.OnDefault();
    QCOMPARE(dialog.Applied(), applyCode == 0);
    if (applyCode) QCOMPARE(presenter_.Shown().back().code, applyCode);
  }

  void noRatingsStandardTakesATypedTargetAndStoresNothing() {
    CAirFlowMathDlg dialog(false);
    Show(dialog);
    dialog.RatingButton(0)->click();
    QVERIFY(dialog.TargetPressureEdit()->isEnabled());
    QCOMPARE(dialog.DefaultButton()->text(), QStringLiteral("OK"));
    QVERIFY(dialog.CancelButton()->isHidden());
    TypeAndLeave(dialog.KnownPressureEdit(), QStringLiteral("28"), dialog.KnownAirflowEdit());
    TypeAndLeave(dialog.KnownAirflowEdit(), QStringLiteral("600"), dialog.TargetPressureEdit());
    dialog.UnitButton(true, false)->click();  // target in water
    TypeAndLeave(dialog.TargetPressureEdit(), QStringLiteral("10"), dialog.KnownAirflowEdit());
    QCOMPARE(dialog.ResultBox()->text(), QStringLiteral("358.6"));
    // A rejected entry keeps the dialog open.
    TypeAndLeave(dialog.KnownAirflowEdit(), QStringLiteral("5000"), dialog.KnownPressureEdit());
    dialog.OnDefault();
    QVERIFY(dialog.isVisible());
    dialog.KnownAirflowEdit()->setText(QStringLiteral("600"));
    dialog.OnDefault();
    QVERIFY(!dialog.isVisible());
    QVERIFY(!dialog.Applied());
  }

  void airflowMathStoresTheRatingWithoutMarkingTheDocument() {
    brisca::test::ScratchSettings::Clear();
    auto app = std::make_unique<brisca::CVexoApp>(brisca::test::QuickStart());
    QVERIFY(app->InitInstance({QStringLiteral("brisca")}));
    brisca::CMainFrame* frame = app->MainFrame();
    QVERIFY(frame->OpenFile(brisca::test::SampleEngine()));
    brisca::CVexoDoc* doc = frame->ActiveDocument();
    doc->SetModified(false);
    auto* tools = frame->findChild<QMenu*>(QStringLiteral("toolsMenu"));
    QVERIFY(tools);
    QAction* item = nullptr;
    for (QAction* action : tools->actions()) {
      if (action->data().toInt() == brisca::command::kAirflowMath) item = action;
    }
    QVERIFY(item);
    QCOMPARE(item->text(), QStringLiteral("&Airflow Math..."));
    brisca::test::AnswerNextModal<CAirFlowMathDlg>([](CAirFlowMathDlg* dialog) {
      TypeAndLeave(dialog->KnownPressureEdit(), QStringLiteral("28"), dialog->KnownAirflowEdit());
      TypeAndLeave(dialog->KnownAirflowEdit(), QStringLiteral("600"), dialog->RatingButton(2));
      dialog->OnDefault();
    });
    item->trigger();
    const auto& e = doc->Engine();
    QCOMPARE(e.inductionFlow.GetText(), std::string("511.2"));
    QCOMPARE(e.pressureDrop.GetTextWithUnits(), std::string("1.50 inHg"));
    QVERIFY(!doc->IsModified());

    // Cancel changes nothing.
    brisca::test::AnswerNextModal<CAirFlowMathDlg>([](CAirFlowMathDlg* dialog) {
      dialog->RatingButton(1)->click();
      dialog->reject();
    });
    item->trigger();
    QCOMPARE(e.pressureDrop.GetTextWithUnits(), std::string("1.50 inHg"));
    for (brisca::CVexoDoc* d : frame->Documents().Documents()) d->SetModified(false);
  }

  void camCardToEvents_data() {
    QTest::addColumn<int>("method");
    QTest::addColumn<QStringList>("card");  // lobe centre, intake centreline, durations, lifts
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<int>("applyCode");
    QTest::newRow("seat to seat") << 1 << QStringList{"110", "106", "270", "280", "0.5", "0.5"}
                                  << QStringList{"29.0", "61.0", "74.0", "26.0"} << 0;
    QTest::newRow("0.050-inch IVO out of range")
        << 2 << QStringList{"110", "100", "330", "280", "0.5", "0.5"}
        << QStringList{"", "", "", ""} << 34;
    QTest::newRow("no lifts") << 1 << QStringList{"110", "106", "270", "280", "", ""}
                              << QStringList{"29.0", "61.0", "74.0", "26.0"} << 32;
  }

  void camCardToEvents() {
    QFETCH(int, method);
    QFETCH(QStringList, card);
    QFETCH(QStringList, events);
    QFETCH(int, applyCode);
    brisca::CCamProfile lobe;
    lobe.SetPrimaryMethod(method);
    brisca::CCamProfile before(lobe);
    CCamMathDlg dialog(lobe, 0);
    Show(dialog);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Cam Math Calculator (Low Speed Lobe)"));
    for (int i = 0; i < 6; ++i) {
      if (!card[i].isEmpty()) TypeAndLeave(dialog.Input(i), card[i], dialog.Input((i + 1) % 6));
    }
    for (int i = 0; i < 4; ++i) {
      if (!events[i].isEmpty()) QCOMPARE(dialog.EventBox(i)->text().toDouble(), events[i].toDouble());
    }
    if (applyCode == 34) QCOMPARE(dialog.EventBox(0)->text(), QString());  // IVO 65 is outside -25..50
    dialog.OnApply();
    QCOMPARE(dialog.result() == QDialog::Accepted, applyCode == 0);
    if (applyCode) {
      QCOMPARE(presenter_.Shown().back().code, applyCode);
      QCOMPARE(lobe.LobeCenterAngle().IsAssigned(), before.LobeCenterAngle().IsAssigned());
    } else {
      QCOMPARE(lobe.Event(brisca::TimingSet::Primary, brisca::kIVO).GetValue(), 29.0f);
    }
  }

  void camMathLeavesModifiedFlagAndHighSpeedItemFollowsVariableTiming() {
    brisca::test::ScratchSettings::Clear();
    auto app = std::make_unique<brisca::CVexoApp>(brisca::test::QuickStart());
    QVERIFY(app->InitInstance({QStringLiteral("brisca")}));
    brisca::CMainFrame* frame = app->MainFrame();
    QVERIFY(frame->OpenFile(brisca::test::SampleEngine()));
    brisca::CVexoDoc* doc = frame->ActiveDocument();
    auto& cam = doc->Engine().camshaft;
    cam.variableValveTiming = false;
    doc->SetModified(false);
    auto* tools = frame->findChild<QMenu*>(QStringLiteral("toolsMenu"));
    QVERIFY(tools);
    QAction* high = nullptr;
    for (QAction* action : tools->actions()) {
      if (action->data().toInt() == brisca::command::kCamMathHighSpeedLobe) high = action;
    }
    QVERIFY(high);
    emit tools->aboutToShow();
    QVERIFY(!high->isEnabled());
    cam.variableValveTiming = true;
    emit tools->aboutToShow();
    QVERIFY(high->isEnabled());

    brisca::component::AssignFileName(doc->Engine().camDataFile, "card.qcm");
    brisca::test::AnswerNextModal<CCamMathDlg>([](CCamMathDlg* dialog) {
      TypeAndLeave(dialog->Input(3), QStringLiteral("300"), dialog->Input(0));
      dialog->OnApply();
      if (dialog->isVisible()) dialog->reject();
    });
    QVERIFY(brisca::RunEngineCommand(*doc, brisca::command::kCamMathLowSpeedLobe));
    QCOMPARE(cam.lowSpeedLobe.ExhaustDuration().GetText(), std::string("300.0"));
    QVERIFY(!doc->IsModified());
    QCOMPARE(brisca::component::FileName(doc->Engine().camDataFile), std::string("card.qcm"));
    for (brisca::CVexoDoc* d : frame->Documents().Documents()) d->SetModified(false);
  }

 private:
  brisca::test::ScratchSettings settings_;
  brisca::ScriptedPresenter presenter_;
  brisca::ScopedPresenter installed_{presenter_};
};

QTEST_MAIN(TestCalculators)
#include "tst_calculators.moc"
