// The engine window from the keyboard alone: Tab reaches every control of the
// form, Ctrl+PageUp/PageDown step through the groups and the panes' tabs, F5
// runs; and the hints over the form's values name their ranges.
#include <QCheckBox>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include <set>

#include "core/document/VexoDoc.h"
#include "core/spec/FloatPtSpec.h"
#include "core/spec/IntegerSpec.h"
#include "gui/engine/EngineFormView.h"
#include "gui/engine/SimSpecEditCtrl.h"
#include "gui/shell/ChildFrame.h"
#include "gui/shell/MainFrame.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/support/ScriptedPresenter.h"

using brisca::CEngineFormView;
using brisca::CSimSpecEditCtrl;
using brisca::CVexoDoc;
namespace form = brisca::form;

class TestKeyboard : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    presenter_.Clear();
    app_ = brisca::test::StartWithEngine();
    QVERIFY(app_);
    frame_ = app_->MainFrame();
    QVERIFY(QTest::qWaitForWindowActive(frame_));
    doc_ = frame_->ActiveDocument();
    QVERIFY(doc_);
    child_ = frame_->ActiveFrame();
    form_ = qobject_cast<CEngineFormView*>(child_->LeftTabs()->widget(0));
    QVERIFY(form_);
  }

  void cleanup() {
    for (CVexoDoc* doc : frame_->Documents().Documents()) doc->SetModified(false);
    app_.reset();
  }

  // Tab goes round each group, Ctrl+PageDown on to the next: together they reach
  // every control of the form, the buttons and boxes between the fields included,
  // and then the pane's other tabs.
  void tabAndGroupStepsReachEveryControl() {
    doc_->Engine().camshaft.variableValveTiming = true;
    form_->UpdateView();
    form_->Field(1014)->setFocus(Qt::OtherFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), form_->Field(1014));
    std::set<QString> reached;
    for (int group = 0; group < form::kGroupCount; ++group) {
      QWidget* first = QApplication::focusWidget();
      for (int step = 0; step < 100; ++step) {
        reached.insert(QApplication::focusWidget()->objectName());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        if (QApplication::focusWidget() == first) break;
      }
      QCOMPARE(QApplication::focusWidget(), first);  // the round closed
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown, Qt::ControlModifier);
    }
    // Past the last group the pane's other tabs, and round to the form again.
    QTabWidget* tabs = child_->LeftTabs();
    std::vector<int> pages = {tabs->currentIndex()};
    for (int page = 2; page <= tabs->count(); ++page) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown, Qt::ControlModifier);
      pages.push_back(tabs->currentIndex());
    }
    QCOMPARE(pages, (std::vector<int>{1, 2, 3, 0}));
    QCOMPARE(QApplication::focusWidget(), form_->Field(1014));
    const QStringList expected = {
        "radio2544", "radio2543", "button1", "button2", "button3", "check2556",
        "field1014", "field1027", "field1036", "field1040", "field1042", "field1048",
        "field1070", "field1060", "field1122", "field1130", "field1188", "field1174",
        "field1203", "field1664"};
    for (const QString& name : expected) QVERIFY2(reached.count(name), qPrintable(name));
  }

  // On a button or box, Shift+Tab goes back, and Ctrl+PageUp to the previous group.
  void buttonsAndBoxesGoBackAndStepGroups() {
    auto* crCalc = form_->Button(form::kCrCalcButton);
    crCalc->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(crCalc, Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), form_->Field(1042));
    QTest::keyClick(form_->Field(1042), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), crCalc);  // wraps within "Compression"
    QTest::keyClick(crCalc, Qt::Key_PageUp, Qt::ControlModifier);
    QCOMPARE(QApplication::focusWidget(), form_->Field(1036));
    form_->VariableValveTimingBox()->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(form_->VariableValveTimingBox(), Qt::Key_PageDown, Qt::ControlModifier);
    QCOMPARE(QApplication::focusWidget(), form_->Field(1664));
  }

  // The keys act on what they reach: Space sets a rod button or the V-V-T box,
  // Enter presses a button.
  void keysWorkTheReachedControls() {
    QVERIFY(doc_->Engine().rodByRatio);
    form_->RodRadio(false)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(form_->RodRadio(false), Qt::Key_Space);
    QVERIFY(!doc_->Engine().rodByRatio);
    QCOMPARE(form_->Field(1032)->EditMode(), int(CSimSpecEditCtrl::kTypeOrMenu));

    const bool vvt = doc_->Engine().camshaft.variableValveTiming;
    form_->VariableValveTimingBox()->setFocus(Qt::TabFocusReason);
    QTest::keyClick(form_->VariableValveTimingBox(), Qt::Key_Space);
    QCOMPARE(doc_->Engine().camshaft.variableValveTiming, !vvt);
    QCOMPARE(form_->Field(1174)->isEnabled(), !vvt);

    QString opened;
    brisca::test::AnswerNextModal<QDialog>([&opened](QDialog* dialog) {
      opened = QString::fromLatin1(dialog->metaObject()->className());
      dialog->reject();
    });
    form_->Button(form::kCrCalcButton)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(form_->Button(form::kCrCalcButton), Qt::Key_Return);
    QCOMPARE(opened, QStringLiteral("brisca::CCompRatioDlg"));
  }

  // Ctrl+PageDown/PageUp on a chart or table move through the pane's tabs and
  // wrap at the ends; the focus follows into the tab shown.
  void ctrlPageKeysMoveThroughThePanesTabs_data() {
    QTest::addColumn<bool>("left");
    QTest::addRow("left pane") << true;
    QTest::addRow("right pane") << false;
  }
  void ctrlPageKeysMoveThroughThePanesTabs() {
    QFETCH(bool, left);
    QTabWidget* tabs = left ? child_->LeftTabs() : child_->RightTabs();
    QTabWidget* other = left ? child_->RightTabs() : child_->LeftTabs();
    const int otherIndex = other->currentIndex();
    tabs->setCurrentIndex(left ? 1 : 0);
    tabs->currentWidget()->setFocus(Qt::OtherFocusReason);
    QTRY_VERIFY(tabs->currentWidget()->isAncestorOf(QApplication::focusWidget()) ||
                tabs->currentWidget() == QApplication::focusWidget());
    auto press = [](Qt::Key key) {
      QTest::keyClick(QApplication::focusWidget(), key, Qt::ControlModifier);
    };
    // Past the last tab to the first: on the left that is the form, whose first group takes the focus.
    const std::vector<int> expected = left ? std::vector<int>{2, 3, 0} : std::vector<int>{1, 2, 0};
    std::vector<int> seen;
    for (std::size_t i = 0; i < expected.size(); ++i) {
      press(Qt::Key_PageDown);
      seen.push_back(tabs->currentIndex());
      QWidget* focused = QApplication::focusWidget();
      QVERIFY(focused && tabs->currentWidget()->isAncestorOf(focused));
    }
    QCOMPARE(seen, expected);
    if (left) QCOMPARE(QApplication::focusWidget(), form_->Field(1014));
    // Back: on the form the key would step its groups, so from the last tab.
    tabs->setCurrentIndex(tabs->count() - 1);
    tabs->currentWidget()->setFocus(Qt::OtherFocusReason);
    press(Qt::Key_PageUp);
    QCOMPARE(tabs->currentIndex(), tabs->count() - 2);
    QCOMPARE(other->currentIndex(), otherIndex);
  }

  void f5Runs() {
    doc_->Results().Clear();
    QVERIFY(doc_->Results().IsEmpty());
    form_->Field(1022)->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F5);
    QVERIFY(!doc_->Results().IsEmpty());
    // "&Run!" keeps its menu letter beside the key.
    QMenu* simulation = frame_->MainMenuBar()->findChild<QMenu*>(QStringLiteral("simulationMenu"));
    QVERIFY(simulation);
    QAction* run = simulation->actions().value(0);
    QCOMPARE(run->text(), QStringLiteral("&Run!"));
    QCOMPARE(run->shortcut(), QKeySequence(Qt::Key_F5));
  }

  // Every value field's hint, typed, menu-only or display-only, names its range
  // in the units shown, and follows a change of units.
  void everyValueFieldHintNamesItsRangeInBothUnitSystems() {
    for (bool metric : {false, true}) {
      if (metric) doc_->OnUnits(true);
      QCOMPARE(doc_->IsMetric(), metric);
      for (const form::FieldPlace& place : form::Fields()) {
        const CSimSpecEditCtrl* field = form_->Field(place.id);
        const QString hint = field->toolTip();
        const QString where = QString::number(place.id) + ": " + hint;
        QVERIFY2(!hint.isEmpty(), qPrintable(where));
        QVERIFY2(hint.contains(QString::fromLatin1(field->Spec()->GetLabel())), qPrintable(where));
        if (auto* value = dynamic_cast<const brisca::CFloatPtSpec*>(field->Spec())) {
          QVERIFY2(hint.contains(" to ") && hint.endsWith(QString::fromLatin1(value->GetUnitLabel())),
                   qPrintable(where));
        } else if (dynamic_cast<const brisca::CIntegerSpec*>(field->Spec())) {
          QVERIFY2(hint.contains(" to "), qPrintable(where));
        }
      }
      const QString bore = metric ? "Enter Bore Value Within Range: 50.80 to 177.80 mm"
                                  : "Enter Bore Value Within Range: 2.000 to 7.000 in";
      QCOMPARE(form_->Field(1022)->toolTip(), bore);
      // A value the user cannot type is named, not asked for.
      QVERIFY(form_->Field(1034)->toolTip().startsWith("Total Block Volume: "));
    }
  }

 private:
  brisca::test::ScratchSettings settings_;
  brisca::ScriptedPresenter presenter_;
  brisca::ScopedPresenter installed_{presenter_};
  std::unique_ptr<brisca::CVexoApp> app_;
  brisca::CMainFrame* frame_ = nullptr;
  CVexoDoc* doc_ = nullptr;
  brisca::CChildFrame* child_ = nullptr;
  CEngineFormView* form_ = nullptr;
};

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
