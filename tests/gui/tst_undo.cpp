// Undo and redo: every kind of change to an engine is one step that takes the
// whole engine back (the file it saves is the file it saved before) and makes
// it again; the Edit menu names the step, the "*" mark follows the saved
// state, each window has its own history, and a history keeps 100 steps.
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include <functional>

#include "core/document/CommandIds.h"
#include "core/document/VexoDoc.h"
#include "gui/calculators/AirFlowMathDlg.h"
#include "gui/calculators/CalculatorCommands.h"
#include "gui/cam/CamDlg.h"
#include "gui/engine/EngineFormView.h"
#include "gui/engine/EngineMenus.h"
#include "gui/engine/SimSpecEditCtrl.h"
#include "gui/engine/SimSpecEditDlg.h"
#include "gui/results/Chart2dView.h"
#include "gui/results/ChartMenuTable.h"
#include "gui/results/ResultsTableView.h"
#include "gui/shell/ChildFrame.h"
#include "gui/shell/EditFloatPt.h"
#include "gui/shell/MainFrame.h"
#include "gui/valvetrain/AirFlowDlg.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/support/ScriptedPresenter.h"

using brisca::CMainFrame;
using brisca::CVexoDoc;
using brisca::test::AnswerNextModal;
namespace command = brisca::command;

namespace {

constexpr int kBoreField = 1022;
constexpr int kExhaustField = 1060;

enum class Edit { Bore, ComponentMenu, PortFlow, CamManager, AirflowMath, AutoToggle, Units, ChartChoice, ClearComponents };

QString Plain(QString text) { return text.remove(QLatin1Char('&')); }

brisca::CEngineFormView* FormOf(CMainFrame& frame) {
  return qobject_cast<brisca::CEngineFormView*>(frame.ActiveFrame()->LeftTabs()->widget(0));
}

brisca::CChart2dView* ChartOf(CMainFrame& frame, CVexoDoc& doc) {
  return qobject_cast<brisca::CChart2dView*>(frame.Documents().Views(doc).View(brisca::ViewSlot::SecondChart));
}

// What the right-hand "Table" page shows of the engine's results.
QString ShownResults(CMainFrame& frame) {
  auto* page = qobject_cast<brisca::CResultsTableView*>(frame.ActiveFrame()->RightTabs()->widget(1));
  return page ? page->ShownText() : QString();
}

void TypeAndLeave(QLineEdit* edit, const QString& text, QWidget* next) {
  edit->setFocus();
  edit->selectAll();
  QTest::keyClicks(edit, text);
  next->setFocus();
  QCoreApplication::processEvents();
}

// Types `text` into field `id`'s edit dialog and presses OK.
void TypeIntoField(CMainFrame& frame, int id, const QString& text) {
  AnswerNextModal<brisca::CSimSpecEditDlg>([text](brisca::CSimSpecEditDlg* dialog) {
    dialog->SetText(text);
    dialog->OnOk();
  });
  brisca::CEngineFormView* form = FormOf(frame);
  form->EditField(form->Field(id));
}

// Chooses the first item of field `id`'s component menu that is not the engine's.
void ChooseFromMenu(CMainFrame& frame, int id) {
  AnswerNextModal<brisca::CSimSpecEditDlg>([](brisca::CSimSpecEditDlg* dialog) {
    for (QAction* action : dialog->ComponentMenu()->actions()) {
      if (!action->isSeparator() && action->isEnabled() && !action->isChecked() && action->menu() == nullptr) {
        action->trigger();
        return;
      }
    }
    dialog->reject();
  });
  brisca::CEngineFormView* form = FormOf(frame);
  form->EditField(form->Field(id));
}

void MakeEdit(Edit edit, CMainFrame& frame, CVexoDoc& doc) {
  switch (edit) {
    case Edit::Bore:
      TypeIntoField(frame, kBoreField, QStringLiteral("4.125"));
      return;
    case Edit::ComponentMenu:
      ChooseFromMenu(frame, kExhaustField);
      return;
    case Edit::PortFlow:
      AnswerNextModal<brisca::CAirFlowDlg>([](brisca::CAirFlowDlg* dialog) {
        TypeAndLeave(dialog->DescriptionEdit(), QStringLiteral("Ported by hand"), dialog->OkButton());
        dialog->OkButton()->click();
      });
      for (QPushButton* button : FormOf(frame)->Canvas()->findChildren<QPushButton*>()) {
        if (Plain(button->text()) == QStringLiteral("Port Flow")) return button->click();
      }
      QFAIL("no Port Flow button");
    case Edit::CamManager:
      AnswerNextModal<brisca::CCamDlg>([](brisca::CCamDlg* dialog) {
        QComboBox* lifter = dialog->LifterList();
        const int other = (lifter->currentIndex() + 1) % lifter->count();
        lifter->setCurrentIndex(other);
        emit lifter->activated(other);
        dialog->OkButton()->click();
      });
      QVERIFY(brisca::RunEngineCommand(doc, command::kCamManager));
      return;
    case Edit::AirflowMath:
      AnswerNextModal<brisca::CAirFlowMathDlg>([](brisca::CAirFlowMathDlg* dialog) {
        TypeAndLeave(dialog->KnownPressureEdit(), QStringLiteral("28.0"), dialog->KnownAirflowEdit());
        TypeAndLeave(dialog->KnownAirflowEdit(), QStringLiteral("600"), dialog->RatingButton(2));
        dialog->OnDefault();
      });
      QVERIFY(brisca::RunEngineCommand(doc, command::kAirflowMath));
      return;
    case Edit::AutoToggle:
      QVERIFY(brisca::RunEngineCommand(doc, command::kAutoValveSizes));
      return;
    case Edit::Units:
      QVERIFY(brisca::RunEngineCommand(doc, command::kMetricUnits));
      return;
    case Edit::ChartChoice: {
      brisca::CChart2dView* chart = ChartOf(frame, doc);
      const int shown = chart->State().axes[brisca::kAxisY1].Item();
      for (const brisca::ChartMenuEntry& entry : brisca::ChartDataMenu(brisca::kAxisY1)) {
        if (entry.item != shown) {
          QVERIFY(chart->OnCommand(entry.command));
          return;
        }
      }
      QFAIL("no other Y1 item");
    }
    case Edit::ClearComponents:
      QVERIFY(brisca::RunEngineCommand(doc, command::kClearComponents));
      return;
  }
}

}  // namespace

Q_DECLARE_METATYPE(Edit)

class TestUndo : public QObject {
  Q_OBJECT

 private slots:
  void init() { presenter_.Clear(); }

  void eachEditIsUndoneAndRedoneWhole_data() {
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<QString>("name");
    QTest::newRow("form field") << Edit::Bore << "Bore";
    QTest::newRow("component menu") << Edit::ComponentMenu << "Exhaust System";
    QTest::newRow("flow dialog") << Edit::PortFlow << "Port Flow";
    QTest::newRow("cam manager") << Edit::CamManager << "Cam Manager";
    QTest::newRow("calculator apply") << Edit::AirflowMath << "Airflow Math";
    QTest::newRow("automatic toggle") << Edit::AutoToggle << "Auto Calculate Valve Sizes";
    QTest::newRow("units") << Edit::Units << "Units";
    QTest::newRow("chart choice") << Edit::ChartChoice << "Chart Settings";
    QTest::newRow("clear components") << Edit::ClearComponents << "Clear Components";
  }

  void eachEditIsUndoneAndRedoneWhole() {
    QFETCH(Edit, edit);
    QFETCH(QString, name);
    auto app = brisca::test::StartWithEngine();
    QVERIFY(app);
    CMainFrame& frame = *app->MainFrame();
    CVexoDoc& doc = *frame.ActiveDocument();
    QAction* undo = frame.Undo().UndoAction();
    QAction* redo = frame.Undo().RedoAction();
    QVERIFY(!doc.IsModified() && !undo->isEnabled() && !redo->isEnabled());
    const QByteArray before = Saved(doc, "before.qen");
    QVERIFY(!before.isEmpty());

    MakeEdit(edit, frame, doc);
    QTRY_VERIFY(undo->isEnabled());
    QCOMPARE(Plain(undo->text()), "Undo " + name);
    QVERIFY(!redo->isEnabled());
    // A cleared engine counts as unchanged; it cannot be saved either.
    const bool cleared = edit == Edit::ClearComponents;
    QCOMPARE(doc.IsModified(), !cleared);
    QCOMPARE(frame.ActiveFrame()->isWindowModified(), !cleared);
    const QByteArray after = cleared ? QByteArray() : Saved(doc, "after.qen");
    QVERIFY(cleared || (!after.isEmpty() && after != before));

    undo->trigger();
    QCOMPARE(Saved(doc, "undone.qen"), before);
    QCOMPARE(doc.IsModified(), cleared);  // back at the saved engine, unless it was cleared since
    QCOMPARE(frame.ActiveFrame()->isWindowModified(), cleared);
    QVERIFY(!undo->isEnabled());
    QVERIFY(redo->isEnabled());
    QCOMPARE(Plain(redo->text()), "Redo " + name);

    redo->trigger();
    if (cleared) {
      QVERIFY(!doc.Engine().bore.IsAssigned() && doc.Results().IsEmpty());
    } else {
      QCOMPARE(Saved(doc, "redone.qen"), after);
    }
    QCOMPARE(doc.IsModified(), !cleared);
    QVERIFY(undo->isEnabled() && !redo->isEnabled());
    QCOMPARE(Plain(undo->text()), "Undo " + name);
    doc.SetModified(false);
  }

  // A command that marks the engine modified but leaves everything as it was
  // is nothing to take back: no step, and the next real change is the only
  // step, back to the start.
  void aCommandThatChangesNothingMakesNoStep() {
    auto app = brisca::test::StartWithEngine();
    QVERIFY(app);
    CMainFrame& frame = *app->MainFrame();
    CVexoDoc& doc = *frame.ActiveDocument();
    QUndoStack* stack = frame.Undo().StackOf(doc);
    QVERIFY(stack && stack->count() == 0);
    const QByteArray before = Saved(doc, "before.qen");
    QVERIFY(!before.isEmpty());

    doc.SetModified(true);  // as a command does that sets what the engine already has
    frame.Undo().Settle();
    QCOMPARE(stack->count(), 0);
    QVERIFY(!frame.Undo().UndoAction()->isEnabled());
    QCOMPARE(Saved(doc, "same.qen"), before);

    MakeEdit(Edit::Bore, frame, doc);
    frame.Undo().Settle();
    QCOMPARE(stack->count(), 1);
    frame.Undo().UndoAction()->trigger();
    QCOMPARE(Saved(doc, "undone.qen"), before);
    QVERIFY(!frame.Undo().UndoAction()->isEnabled());
    doc.SetModified(false);
  }

  // The engine comes back with the results it showed, whether the step ran
  // the engine again or a run came after the step.
  void undoBringsBackTheResultsShown() {
    auto app = brisca::test::StartWithEngine();
    QVERIFY(app);
    CMainFrame& frame = *app->MainFrame();
    CVexoDoc& doc = *frame.ActiveDocument();
    QVERIFY(doc.GetAutoRun());
    const QString shown = ShownResults(frame);
    const float power = doc.PeakInWindow(2, 1000, 14500);
    QVERIFY(power > 0);

    TypeIntoField(frame, kBoreField, QStringLiteral("4.25"));  // runs again at once
    QTRY_VERIFY(frame.Undo().UndoAction()->isEnabled());
    QVERIFY(doc.PeakInWindow(2, 1000, 14500) != power);
    frame.Undo().UndoAction()->trigger();
    QCOMPARE(doc.PeakInWindow(2, 1000, 14500), power);
    QCOMPARE(ShownResults(frame), shown);

    // Manual runs: the step keeps the old results, the run after it is what
    // the engine showed when the step is made again.
    QVERIFY(brisca::RunEngineCommand(doc, command::kAutoRun));
    TypeIntoField(frame, kBoreField, QStringLiteral("4.25"));
    QTRY_COMPARE(Plain(frame.Undo().UndoAction()->text()), QStringLiteral("Undo Bore"));
    QCOMPARE(doc.PeakInWindow(2, 1000, 14500), power);
    QVERIFY(brisca::RunEngineCommand(doc, command::kRun));
    const float bigger = doc.PeakInWindow(2, 1000, 14500);
    QVERIFY(bigger > power);
    const QString biggerShown = ShownResults(frame);
    frame.Undo().Settle();
    frame.Undo().UndoAction()->trigger();
    QCOMPARE(doc.PeakInWindow(2, 1000, 14500), power);
    QCOMPARE(ShownResults(frame), shown);
    frame.Undo().RedoAction()->trigger();
    QCOMPARE(doc.PeakInWindow(2, 1000, 14500), bigger);
    QCOMPARE(ShownResults(frame), biggerShown);
    doc.SetModified(false);
  }

  // The Edit menu sits between File and View with the keys of its two
  // actions; it follows the active window; saving moves the unmodified mark.
  void editMenuFollowsTheActiveWindowAndTheSavedState() {
    auto app = brisca::test::StartWithEngine();
    QVERIFY(app);
    CMainFrame& frame = *app->MainFrame();
    QStringList titles;
    for (QAction* menu : frame.MainMenuBar()->actions()) titles << Plain(menu->text());
    QCOMPARE(titles.mid(0, 3), (QStringList{"File", "Edit", "View"}));
    QAction* undo = frame.Undo().UndoAction();
    QAction* redo = frame.Undo().RedoAction();
    QCOMPARE(undo->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    QCOMPARE(redo->shortcuts(), (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                                                     QKeySequence(Qt::CTRL | Qt::Key_Y)}));
    CVexoDoc& first = *frame.ActiveDocument();
    QMdiSubWindow* firstWindow = frame.MdiArea()->activeSubWindow();

    QVERIFY(brisca::RunEngineCommand(first, command::kMetricUnits));
    QTRY_VERIFY(undo->isEnabled());
    frame.OnFileNew();
    QVERIFY(!undo->isEnabled() && Plain(undo->text()) == QStringLiteral("Undo"));
    frame.MdiArea()->setActiveSubWindow(firstWindow);
    QVERIFY(undo->isEnabled());
    QCOMPARE(Plain(undo->text()), QStringLiteral("Undo Units"));

    // Saved in metric: undoing leaves the saved engine, redoing comes back to it.
    QTemporaryDir dir;
    QVERIFY(frame.Documents().SaveDocument(first, dir.filePath("metric.qen").toStdString()));
    QVERIFY(!first.IsModified());
    undo->trigger();
    QVERIFY(!first.IsMetric() && first.IsModified() && firstWindow->isWindowModified());
    redo->trigger();
    QVERIFY(first.IsMetric() && !first.IsModified() && !firstWindow->isWindowModified());
    // A new step after an undo drops the step undone.
    undo->trigger();
    QVERIFY(brisca::RunEngineCommand(first, command::kAutoRun));
    QTRY_COMPARE(Plain(undo->text()), QStringLiteral("Undo Auto Run"));
    QVERIFY(!redo->isEnabled());
    for (CVexoDoc* doc : frame.Documents().Documents()) doc->SetModified(false);
  }

  void aHistoryKeepsTheLastHundredSteps() {
    auto app = brisca::test::StartWithEngine();
    QVERIFY(app);
    CMainFrame& frame = *app->MainFrame();
    CVexoDoc& doc = *frame.ActiveDocument();
    const bool autoRun = doc.GetAutoRun();
    for (int i = 0; i < 101; ++i) {
      QVERIFY(brisca::RunEngineCommand(doc, command::kAutoRun));
      frame.Undo().Settle();
    }
    QUndoStack* stack = frame.Undo().StackOf(doc);
    QVERIFY(stack);
    QCOMPARE(stack->count(), 100);
    while (frame.Undo().UndoAction()->isEnabled()) frame.Undo().UndoAction()->trigger();
    QCOMPARE(stack->index(), 0);
    // The first toggle is no longer there to take back.
    QCOMPARE(doc.GetAutoRun(), !autoRun);
    QVERIFY(doc.IsModified());
    doc.SetModified(false);
  }

 private:
  QByteArray Saved(CVexoDoc& doc, const char* name) {
    const QString path = dir_.filePath(QString::fromLatin1(name));
    if (!doc.WriteEngineFile(path.toStdString())) return {};
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  brisca::test::ScratchSettings settings_;
  brisca::ScriptedPresenter presenter_;
  brisca::ScopedPresenter installed_{presenter_};
  QTemporaryDir dir_;
};

QTEST_MAIN(TestUndo)
#include "tst_undo.moc"
