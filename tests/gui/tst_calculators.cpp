// The calculator dialogs through the keyboard and their Tools commands on a real
// document: the worked compression ratios and airflow ratings, mercury units,
// "No Ratings Standard", Apply's checks and what the document takes over.
#include <QLabel>
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
#include "gui/calculators/CalculatorCommands.h"
#include "gui/calculators/CamMathDlg.h"
#include "gui/calculators/CompRatioDlg.h"
#include "gui/calculators/CompRatioPicture.h"
#include "gui/engine/EngineMenus.h"
#include "gui/shell/EditFloatPt.h"
#include "gui/shell/MainFrame.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/support/ScriptedPresenter.h"

using brisca::CAirFlowMathDlg;
using brisca::CCamMathDlg;
using brisca::CCompRatioDlg;
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

// A cleared document with a small-block V8 of bore 4.000 in and stroke 3.480 in.
void PrepareSmallBlock(brisca::CVexoDoc& doc, bool metric) {
  constexpr int kChevy350 = 34104;
  QVERIFY(doc.OnComponentCommand(kChevy350));
  doc.Engine().stroke.SetValue(3.48f);
  doc.UpdateDerivedValues();
  QCOMPARE(doc.Engine().cylinderVolume.GetText(), std::string("716.62"));
  doc.SetUnits(metric);
  doc.SetModified(false);
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

  // Each row runs the Tools command on a small-block document (bore 4.000 in,
  // stroke 3.480 in: 716.62 cc swept) whose calculator data were valid before,
  // types the inputs of one method by marker order, then applies.
  void compressionRatio_data() {
    QTest::addColumn<bool>("metric");
    QTest::addColumn<int>("method");
    QTest::addColumn<QStringList>("inputs");  // by CCompRatioDlg::Input, "" = left empty
    QTest::addColumn<QString>("deck");
    QTest::addColumn<QString>("gasket");
    QTest::addColumn<QString>("total");
    QTest::addColumn<QString>("ratio");
    QTest::addColumn<int>("applyCode");
    // chamber, gasket bore, gasket thickness, dome, reliefs, deck clearance, down bore, measured
    QTest::newRow("specs known")
        << false << 2 << QStringList{"64", "4.100", "0.040", "5", "4", "0.010", "", ""} << "1.06"
        << "8.65" << "73.71 cc" << "10.72" << 0;
    QTest::newRow("burette")
        << false << 1 << QStringList{"64", "4.100", "0.040", "", "", "", "0.500", "110"} << "7.04"
        << "8.65" << "79.69 cc" << "9.99" << 0;
    QTest::newRow("metric specs known")
        << true << 2 << QStringList{"64", "104.14", "1.016", "5", "4", "0.254", "", ""} << "1.06"
        << "8.65" << "73.71 cc" << "10.72" << 0;
    QTest::newRow("zero total volume")
        << false << 2 << QStringList{"0.1", "4.100", "0", "0.1", "0", "0", "", ""} << "-0.10"
        << "0.00" << "0.00 cc" << "Infinity" << 96;
    QTest::newRow("ratio above the range")
        << false << 2 << QStringList{"39.81", "4.100", "0", "0", "0", "0", "", ""} << "0.00"
        << "0.00" << "39.81 cc" << "19.00" << 89;
    QTest::newRow("burette without measured volume")
        << false << 1 << QStringList{"64", "4.100", "0.040", "", "", "", "0.500", ""} << ""
        << "8.65" << "" << "" << 181;
  }

  void compressionRatio() {
    QFETCH(bool, metric);
    QFETCH(int, method);
    QFETCH(QStringList, inputs);
    QFETCH(QString, deck);
    QFETCH(QString, gasket);
    QFETCH(QString, total);
    QFETCH(QString, ratio);
    QFETCH(int, applyCode);
    brisca::CVexoDoc doc;
    PrepareSmallBlock(doc, metric);
    auto& e = doc.Engine();
    // A previous calculator run of the other method left its inputs behind.
    const bool specsKnown = method == 2;
    for (brisca::CFloatPtSpec* other : specsKnown ? std::vector{&e.downBoreDistance, &e.measuredVolume}
                                                  : std::vector{&e.domeVolume, &e.reliefsVolume}) {
      other->SetValue(other->GetMin() + 1.0f);
    }
    e.crDataValid = true;
    const std::string ratioBefore = e.compressionRatio.GetText();

    bool seen = false;
    QString shown[4];
    brisca::test::AnswerNextModal<CCompRatioDlg>(
        [&](CCompRatioDlg* dialog) {
          QVERIFY(dialog->MethodButton(2)->isChecked());
          QCOMPARE(dialog->RatioBox()->text(), QString());
          if (method == 1) dialog->MethodButton(1)->click();
          QVERIFY(dialog->Picture(method)->isVisible() && !dialog->Picture(3 - method)->isVisible());
          QWidget* last = dialog->MethodButton(method);
          for (int i = 0; i < CCompRatioDlg::kInputCount; ++i) {
            auto* edit = dialog->InputEdit(method, static_cast<CCompRatioDlg::Input>(i));
            QCOMPARE(edit != nullptr, i < 3 || (i >= 6) == (method == 1));
            if (!inputs[i].isEmpty()) TypeAndLeave(edit, inputs[i], last);
          }
          shown[0] = dialog->DeckVolumeBox(method)->text();
          shown[1] = dialog->GasketVolumeBox(method)->text();
          shown[2] = dialog->TotalBox()->text();
          shown[3] = dialog->RatioBox()->text();
          dialog->OnApply();
          if (dialog->isVisible()) dialog->reject();
        },
        &seen);
    const bool stored = brisca::RunCompressionRatioMath(doc, nullptr);
    QVERIFY(seen);
    QCOMPARE(shown[0], deck);
    QCOMPARE(shown[1], gasket);
    QCOMPARE(shown[2], total);
    QCOMPARE(shown[3], ratio);
    QCOMPARE(stored, applyCode == 0);
    if (applyCode) {
      // Reported once, and nothing reached the document.
      QCOMPARE(presenter_.Shown().size(), std::size_t{1});
      QCOMPARE(presenter_.Shown().back().code, applyCode);
      QCOMPARE(e.compressionRatio.GetText(), ratioBefore);
      QVERIFY(!doc.IsModified());
      return;
    }
    // No change check (202/203) was asked although the calculator data were valid.
    QVERIFY(presenter_.Shown().empty());
    QVERIFY(doc.IsModified() && e.crDataValid);
    QCOMPARE(e.crMethod, method);
    QCOMPARE(e.compressionRatio.GetText(), ratio.toStdString());
    QCOMPARE(e.combustionSpace.GetTextWithUnits(), total.toStdString());
    QCOMPARE(e.deckVolume.GetText(), deck.toStdString());
    QCOMPARE(e.gasketVolume.GetText(), gasket.toStdString());
    QVERIFY(e.gasketBore.IsValid() && e.gasketThickness.IsValid() && e.chamberVolume.IsValid());
    for (brisca::CFloatPtSpec* used : {&e.domeVolume, &e.reliefsVolume, &e.deckClearance})
      QCOMPARE(used->IsAssigned(), specsKnown);
    for (brisca::CFloatPtSpec* used : {&e.downBoreDistance, &e.measuredVolume})
      QCOMPARE(used->IsAssigned(), !specsKnown);
    // Later recalculations keep the calculator's combustion space.
    doc.UpdateDerivedValues();
    QCOMPARE(e.combustionSpace.GetTextWithUnits(), total.toStdString());
  }

  void compressionRatioNeedsACompleteShortBlock() {
    brisca::CVexoDoc doc;  // cleared: no short block
    bool seen = false;
    brisca::test::AnswerNextModal<CCompRatioDlg>([](CCompRatioDlg* dialog) { dialog->reject(); }, &seen,
                                                 QDeadlineTimer(100));
    QVERIFY(!brisca::RunCompressionRatioMath(doc, nullptr));
    QTest::qWait(200);
    QVERIFY(!seen);
    QCOMPARE(presenter_.Shown().size(), std::size_t{1});
    QCOMPARE(presenter_.Shown().back().code, 88);
  }

  void compressionRatioFromToolsMenuAndEngineForm() {
    auto app = brisca::test::StartWithEngine();
    QVERIFY(app);
    brisca::CMainFrame* frame = app->MainFrame();
    auto* tools = frame->findChild<QMenu*>(QStringLiteral("toolsMenu"));
    QVERIFY(tools);
    QAction* item = nullptr;
    for (QAction* action : tools->actions()) {
      if (action->data().toInt() == brisca::command::kCompressionRatioMath) item = action;
    }
    QVERIFY(item);
    QCOMPARE(item->text(), QStringLiteral("Compression &Ratio Math..."));
    QCOMPARE(item->statusTip(), QStringLiteral("Open the Compression Ratio Math Calculator"));
    emit tools->aboutToShow();
    QVERIFY(item->isEnabled());
    QPushButton* crCalc = nullptr;
    for (QPushButton* button : frame->findChildren<QPushButton*>(QStringLiteral("button2"))) crCalc = button;
    QVERIFY(crCalc && crCalc->isEnabled() && crCalc->text() == QStringLiteral("CR Calc"));
    for (QObject* trigger : {static_cast<QObject*>(item), static_cast<QObject*>(crCalc)}) {
      bool seen = false;
      brisca::test::AnswerNextModal<CCompRatioDlg>(
          [](CCompRatioDlg* dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Compression Ratio Calculator"));
            dialog->reject();
          },
          &seen);
      if (auto* action = qobject_cast<QAction*>(trigger)) {
        action->trigger();
      } else {
        crCalc->click();
      }
      QVERIFY(seen);
    }
    for (brisca::CVexoDoc* d : frame->Documents().Documents()) d->SetModified(false);
  }

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

  void airflowMathStoresTheRatingAndMarksTheDocument() {
    auto app = brisca::test::StartWithEngine();
    QVERIFY(app);
    brisca::CMainFrame* frame = app->MainFrame();
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
    QVERIFY(doc->IsModified());

    // Cancel changes nothing, and the same rating again is no change.
    doc->SetModified(false);
    brisca::test::AnswerNextModal<CAirFlowMathDlg>([](CAirFlowMathDlg* dialog) {
      dialog->RatingButton(1)->click();
      dialog->reject();
    });
    item->trigger();
    QCOMPARE(e.pressureDrop.GetTextWithUnits(), std::string("1.50 inHg"));
    brisca::test::AnswerNextModal<CAirFlowMathDlg>([](CAirFlowMathDlg* dialog) {
      TypeAndLeave(dialog->KnownPressureEdit(), QStringLiteral("28"), dialog->KnownAirflowEdit());
      TypeAndLeave(dialog->KnownAirflowEdit(), QStringLiteral("600"), dialog->RatingButton(2));
      dialog->OnDefault();
    });
    item->trigger();
    QCOMPARE(e.inductionFlow.GetText(), std::string("511.2"));
    QVERIFY(!doc->IsModified());
    for (brisca::CVexoDoc* d : frame->Documents().Documents()) d->SetModified(false);
  }

  // Tab goes from the known pressure to the known airflow, then on to the target's units.
  void airflowMathTabOrder() {
    CAirFlowMathDlg dialog(false);
    Show(dialog);
    dialog.KnownPressureEdit()->setFocus();
    QTest::keyClick(dialog.KnownPressureEdit(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), dialog.KnownAirflowEdit());
    QTest::keyClick(dialog.KnownAirflowEdit(), Qt::Key_Tab);
    QWidget* next = QApplication::focusWidget();
    QVERIFY(next == dialog.UnitButton(true, false) || next == dialog.UnitButton(true, true));
  }

  // A refused value shows more than the beep: its text is selected again and
  // the help line names the allowed range, also where entering the edit
  // shows no prompt (the cam card's angles).
  void aRefusedValueIsSelectedAndItsRangeShown_data() {
    QTest::addColumn<int>("input");
    QTest::addColumn<QString>("typed");
    QTest::newRow("lobe centre out of range") << 0 << QStringLiteral("800");
    QTest::newRow("intake lift out of range") << 4 << QStringLiteral("9");
  }
  void aRefusedValueIsSelectedAndItsRangeShown() {
    QFETCH(int, input);
    QFETCH(QString, typed);
    int beeps = 0;
    brisca::CEditFloatPt::SetBeepHook([&beeps] { ++beeps; });
    brisca::CCamProfile lobe;
    CCamMathDlg dialog(lobe, 0);
    Show(dialog);
    TypeAndLeave(dialog.Input(input), typed, dialog.Input(input + 1));
    QTRY_VERIFY(dialog.Input(input)->hasFocus());
    QTRY_COMPARE(dialog.Input(input)->selectedText(), typed);
    QCOMPARE(beeps, 1);
    const brisca::CFloatPtSpec& spec = input == 0 ? dialog.Copy().LobeCenterAngle() : dialog.Copy().IntakeLift();
    QCOMPARE(dialog.HelpLine()->text(), QString::fromStdString(spec.GetPrompt()));
    QVERIFY(dialog.HelpLine()->text().contains(QStringLiteral("Within Range")));
    brisca::CEditFloatPt::SetBeepHook({});
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

  void camMathMarksTheDocumentAndHighSpeedItemFollowsVariableTiming() {
    auto app = brisca::test::StartWithEngine();
    QVERIFY(app);
    brisca::CMainFrame* frame = app->MainFrame();
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
    QVERIFY(doc->IsModified());
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
