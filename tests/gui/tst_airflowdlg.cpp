// The port-flow dialog on its own (a headless host answers its file choosers)
// and through the engine form's "Port Flow" button on a real document: the
// point-count rules, checks on leaving an edit, Calc Others, files, OK's notice
// and what the document takes over.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include "core/document/ComponentHandlers.h"
#include "core/document/DocumentHost.h"
#include "core/document/VexoDoc.h"
#include "gui/engine/EngineFormView.h"
#include "gui/shell/ChildFrame.h"
#include "gui/shell/EditFloatPt.h"
#include "gui/shell/MainFrame.h"
#include "gui/shell/PathText.h"
#include "gui/valvetrain/AirFlowDlg.h"
#include "gui/valvetrain/FlowPlot.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/support/ScriptedPresenter.h"

using brisca::CAirFlowDlg;
using brisca::CCylHeadFlow;
using brisca::CEditFloatPt;
using brisca::FlowSide;
using brisca::MessageButton;

namespace {

constexpr FlowSide kIn = FlowSide::Intake;
constexpr FlowSide kEx = FlowSide::Exhaust;

// Four points: lifts 0.1..0.4 in, flows 100..160 cfm on both sides.
CCylHeadFlow FourPointHead() {
  CCylHeadFlow flow;
  flow.Reset();
  flow.SetDescription("Test head");
  for (FlowSide side : {kIn, kEx}) {
    for (int i = 0; i < 4; ++i) {
      flow.Lift(side, i).SetValue(0.1f * static_cast<float>(i + 1));
      flow.Flow(side, i).SetValue(100.0f + 20.0f * static_cast<float>(i));
    }
  }
  return flow;
}

// Types `text` into `edit` as the user would, then moves the focus to `next`.
void TypeAndLeave(QLineEdit* edit, const QString& text, QWidget* next) {
  edit->setFocus();
  QCoreApplication::processEvents();
  edit->selectAll();
  QTest::keyClicks(edit, text);
  next->setFocus();
  QCoreApplication::processEvents();
}

}  // namespace

class TestAirFlowDlg : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    presenter_.Clear();
    beeps_ = 0;
    CEditFloatPt::SetBeepHook([this] { ++beeps_; });
    host_ = brisca::HeadlessHost();
    host_.startupFolder = brisca::ToPath(dir_.path());
  }
  void cleanup() { CEditFloatPt::SetBeepHook({}); }

  void pointCountGrowsFromTheLastTwoLiftsAndWaitsForARejectedEdit() {
    CAirFlowDlg dialog(host_, FourPointHead(), "");
    Show(dialog);
    QCOMPARE(dialog.PointSpin()->value(), 4);
    QVERIFY(!dialog.LiftEdit(kIn, 4)->isEnabled());
    QCOMPARE(dialog.Plot()->Points(0).size(), 4);

    dialog.PointSpin()->stepUp();
    QCOMPARE(dialog.Flow().GetPointCount(), 5);
    QCOMPARE(dialog.LiftEdit(kIn, 4)->text(), QStringLiteral("0.500"));
    QCOMPARE(dialog.FlowEdit(kEx, 4)->text(), dialog.FlowEdit(kEx, 3)->text());
    QVERIFY(dialog.LiftEdit(kIn, 4)->isEnabled());
    QVERIFY(dialog.Flow().IsModified());

    // A lift above its limit is refused on leaving; the count cannot move until it is mended.
    TypeAndLeave(dialog.LiftEdit(kIn, 1), QStringLiteral("2"), dialog.DescriptionEdit());
    QTRY_VERIFY(dialog.LiftEdit(kIn, 1)->hasFocus());
    QCOMPARE(beeps_, 1);
    QCOMPARE(dialog.Flow().Lift(kIn, 1).GetValue(), 0.2f);
    QCOMPARE(dialog.Plot()->Points(0).at(1).x(), 0.2f);  // the plot never shows an unchecked value
    dialog.PointSpin()->stepUp();
    QCOMPARE(dialog.Flow().GetPointCount(), 5);
    dialog.OnOk();
    QVERIFY(!dialog.Result());

    TypeAndLeave(dialog.LiftEdit(kIn, 1), QStringLiteral("0.25"), dialog.DescriptionEdit());
    QCOMPARE(dialog.Flow().Lift(kIn, 1).GetValue(), 0.25f);
    QCOMPARE(dialog.Plot()->Points(0).at(1).x(), 0.25f);
    dialog.PointSpin()->stepDown();
    QCOMPARE(dialog.Flow().GetPointCount(), 4);
    QVERIFY(!dialog.Flow().Lift(kIn, 4).IsAssigned());
  }

  void promptsAndCalcOthersFollowTheFocus() {
    CAirFlowDlg dialog(host_, FourPointHead(), "");
    Show(dialog);
    dialog.DescriptionEdit()->setFocus();
    QTRY_COMPARE(dialog.HelpLine()->text(),
                 QStringLiteral("Enter a Description for this Cylinder Head Port Flow Data"));
    QVERIFY(!dialog.CalcOthersButton()->isEnabled());
    dialog.LiftEdit(kEx, 0)->setFocus();
    QTRY_VERIFY(dialog.CalcOthersButton()->isEnabled());
    QCOMPARE(dialog.HelpLine()->text(),
             QString::fromStdString(dialog.Flow().Lift(kEx, 0).GetPrompt()));
    dialog.FlowEdit(kEx, 0)->setFocus();
    QTRY_VERIFY(!dialog.CalcOthersButton()->isEnabled());

    // Calc Others on the first row: the first lift is the step.
    TypeAndLeave(dialog.LiftEdit(kEx, 0), QStringLiteral("0.15"), dialog.CalcOthersButton());
    QVERIFY(dialog.CalcOthersButton()->isEnabled());
    QTest::mouseClick(dialog.CalcOthersButton(), Qt::LeftButton);
    QCOMPARE(dialog.Flow().Lift(kEx, 3).GetValue(), 0.6f);
    QCOMPARE(dialog.LiftEdit(kEx, 3)->text(), QStringLiteral("0.600"));
    QTRY_VERIFY(dialog.LiftEdit(kEx, 0)->hasFocus());

    // Lifts that do not rise at the remembered row are refused with 52.
    TypeAndLeave(dialog.LiftEdit(kEx, 2), QStringLiteral("0.3"), dialog.CalcOthersButton());
    QTest::mouseClick(dialog.CalcOthersButton(), Qt::LeftButton);
    QCOMPARE(presenter_.Shown().back().code, 52);
    QCOMPARE(dialog.Flow().Lift(kEx, 3).GetValue(), 0.6f);
  }

  void notesWithLineBreaksAndMetricValuesComeBackFromASavedFile() {
    CCylHeadFlow metric = FourPointHead();
    metric.SetUnits(true);
    CAirFlowDlg dialog(host_, metric, "");
    Show(dialog);
    QCOMPARE(dialog.DiameterEdit(kIn)->text(), QString::fromStdString(metric.TestDiameter(kIn).GetText()));
    dialog.NotesEdit()->setFocus();
    dialog.NotesEdit()->setPlainText(QStringLiteral("first line\nsecond \\ line"));
    const std::filesystem::path file = host_.startupFolder / "saved.qfw";
    host_.savePaths.push_back(file);
    dialog.OnSaveAs();
    QCOMPARE(host_.pathPrompts.back().folder, host_.startupFolder / "FlowFiles (.QFW)");
    QVERIFY(std::filesystem::is_directory(host_.pathPrompts.back().folder));  // made when missing
    QCOMPARE(host_.pathPrompts.back().proposedName, std::string("Test head"));
    QCOMPARE(dialog.FileNameBox()->text(), QStringLiteral("saved.qfw"));
    QVERIFY(!dialog.Flow().IsModified());

    CAirFlowDlg reopened(host_, CCylHeadFlow(), "");
    Show(reopened);
    host_.openPaths.push_back(file);
    reopened.OnOpen();
    QCOMPARE(reopened.NotesEdit()->toPlainText(), QStringLiteral("first line\nsecond \\ line"));
    QCOMPARE(reopened.FileNameBox()->text(), QStringLiteral("saved.qfw"));
    reopened.OnOk();
    QVERIFY(reopened.Result());
    CCylHeadFlow back = reopened.Result()->flow;
    back.SetUnits(true);
    for (FlowSide side : {kIn, kEx}) {
      QCOMPARE(back.TestDiameter(side).GetText(), metric.TestDiameter(side).GetText());
      QCOMPARE(back.PressureDrop(side).GetText(), metric.PressureDrop(side).GetText());
      for (int i = 0; i < 4; ++i) {
        QCOMPARE(back.Lift(side, i).GetText(), metric.Lift(side, i).GetText());
        QCOMPARE(back.Flow(side, i).GetText(), metric.Flow(side, i).GetText());
      }
    }
    QCOMPARE(reopened.Result()->airflowFile, std::string("saved.qfw"));
  }

  void resetAllAsksThenUnassignsTheFile() {
    CCylHeadFlow flow = FourPointHead();
    flow.SetPointCount(5);
    CAirFlowDlg dialog(host_, flow, "head.qfw");
    Show(dialog);
    presenter_.Answer(MessageButton::Cancel);
    dialog.OnResetAll();
    QCOMPARE(presenter_.Shown().back().code, 200);
    QCOMPARE(dialog.FileNameBox()->text(), QStringLiteral("head.qfw"));
    dialog.OnResetAll();
    QCOMPARE(dialog.FileNameBox()->text(), QString());
    QCOMPARE(dialog.Flow().GetPointCount(), 5);
    QCOMPARE(dialog.DescriptionEdit()->text(), QString());
    dialog.OnOk();
    QCOMPARE(presenter_.Shown().back().code, 61);  // no description
    QVERIFY(!dialog.Result());
  }

  // Through the form's button: an edit of data read from a file asks notice 108
  // (Cancel keeps the dialog), and the document then holds no file name; a
  // description equal to a built-in head reads "Custom Airflow".
  void portFlowButtonEditsTheDocument() {
    auto app = brisca::test::StartWithEngine();
    QVERIFY(app);
    brisca::CMainFrame* frame = app->MainFrame();
    brisca::CVexoDoc* doc = frame->ActiveDocument();
    auto* form = qobject_cast<brisca::CEngineFormView*>(frame->ActiveFrame()->LeftTabs()->widget(0));
    QVERIFY(form);
    auto& e = doc->Engine();
    e.flow.SetDescription("Bench head");
    brisca::component::AssignFileName(e.airflowFile, "bench.qfw");
    doc->SetModified(false);

    auto* button = form->findChild<QPushButton*>(QStringLiteral("button1"));
    QVERIFY(button && button->isEnabled());
    bool seen = false;
    int noticesBefore = 0;
    brisca::test::AnswerNextModal<CAirFlowDlg>(
        [&](CAirFlowDlg* dialog) {
          QCOMPARE(dialog->FileNameBox()->text(), QStringLiteral("bench.qfw"));
          TypeAndLeave(dialog->FlowEdit(kIn, 0), QStringLiteral("123"), dialog->DescriptionEdit());
          dialog->DescriptionEdit()->setText(
              QString::fromUtf8(CCylHeadFlow::BuiltInDescription(9)));
          noticesBefore = static_cast<int>(presenter_.Shown().size());
          presenter_.Answer(MessageButton::Cancel);
          dialog->OnOk();
          QVERIFY(dialog->isVisible());
          dialog->OnOk();  // the notice answered OK
        },
        &seen);
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(seen);
    QCOMPARE(presenter_.Shown().at(noticesBefore).code, 108);
    QCOMPARE(presenter_.Shown().at(noticesBefore + 1).code, 108);
    QCOMPARE(e.flow.Flow(kIn, 0).GetValue(), 123.0f);
    QVERIFY(!e.airflowFile.IsAssigned());
    QVERIFY(!e.flow.IsModified());
    QCOMPARE(e.cylinderHeadType.GetText(), std::string("Custom Airflow"));
    QVERIFY(doc->IsModified());

    // Cancel leaves the document alone.
    doc->SetModified(false);
    brisca::test::AnswerNextModal<CAirFlowDlg>([](CAirFlowDlg* dialog) {
      dialog->DescriptionEdit()->setText(QStringLiteral("Other"));
      dialog->reject();
    });
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(e.flow.GetDescription(), std::string(CCylHeadFlow::BuiltInDescription(9)));
    QVERIFY(!doc->IsModified());
    for (brisca::CVexoDoc* d : frame->Documents().Documents()) d->SetModified(false);
  }

 private:
  static void Show(QDialog& dialog) {
    dialog.show();
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
  }

  brisca::test::ScratchSettings settings_;
  QTemporaryDir dir_;
  brisca::HeadlessHost host_;
  int beeps_ = 0;
  brisca::ScriptedPresenter presenter_;
  brisca::ScopedPresenter installed_{presenter_};
};

QTEST_MAIN(TestAirFlowDlg)
#include "tst_airflowdlg.moc"
