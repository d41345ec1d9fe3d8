// The engine form on a real document: what the fields show, the lights and
// lamps, the edit dialog (typing, warnings, menu choices, one at a time), the
// rod buttons and the keyboard's wrap within a group.
#include <QMenu>
#include <QRadioButton>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <functional>
#include <QToolButton>

#include "core/document/CommandIds.h"
#include "core/document/PartCat.h"
#include "core/document/VexoDoc.h"
#include "core/spec/NotesSpec.h"
#include "core/valvetrain/BuiltInHeads.h"
#include "gui/calculators/CompRatioDlg.h"
#include "gui/engine/ClickSound.h"
#include "gui/engine/EngineFormView.h"
#include "gui/engine/LightBar.h"
#include "gui/engine/SimSpecEditCtrl.h"
#include "gui/engine/SimSpecEditDlg.h"
#include "gui/engine/WarningLamp.h"
#include "gui/shell/ChildFrame.h"
#include "gui/shell/MainFrame.h"
#include "gui/valvetrain/AirFlowDlg.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/support/ScriptedPresenter.h"

using brisca::CEngineFormView;
using brisca::CSimSpecEditCtrl;
using brisca::CSimSpecEditDlg;
using brisca::CVexoDoc;
using brisca::WarningLamp;
namespace form = brisca::form;

namespace {

// The first catalogue row of `category` whose cell `cell` (or item, cell 1) is `value`.
int CommandOf(brisca::CatalogueCategory category, int cell, float value) {
  for (const brisca::CatalogueRow& row :
       brisca::ComponentCatalogue::Instance().CategoryRows(category)) {
    const float found = cell == 1 ? static_cast<float>(row.item) : row.Cell(cell);
    if (found == value && brisca::ComponentCatalogue::Category(category).Handles(row.command)) {
      return row.command;
    }
  }
  return 0;
}

}  // namespace

class TestEngineForm : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    brisca::test::ScratchSettings::Clear();
    presenter_.Clear();
    beeps_ = 0;
    CSimSpecEditDlg::SetBeepHook([this] { ++beeps_; });
    app_ = std::make_unique<brisca::CVexoApp>(brisca::test::QuickStart());
    QVERIFY(app_->InitInstance({QStringLiteral("brisca")}));
    frame_ = app_->MainFrame();
    QVERIFY(QTest::qWaitForWindowExposed(frame_));
    QVERIFY(frame_->OpenFile(brisca::test::SampleEngine()));
    doc_ = frame_->ActiveDocument();
    QVERIFY(doc_);
    form_ = qobject_cast<CEngineFormView*>(frame_->ActiveFrame()->LeftTabs()->widget(0));
    QVERIFY(form_);
  }

  void cleanup() {
    CSimSpecEditDlg::SetBeepHook({});
    for (CVexoDoc* doc : frame_->Documents().Documents()) doc->SetModified(false);
    app_.reset();
  }

  void sampleShowsTheDocumentsValuesAndLights() {
    const auto& e = doc_->Engine();
    QCOMPARE(form_->Field(1022)->ShownText(), QString::fromStdString(e.bore.GetTextWithUnits()));
    QCOMPARE(form_->Field(1014)->ShownText(), QString::fromStdString(e.shortBlockType.GetText()));
    // Cam timing is shown bare.
    QCOMPARE(form_->Field(1137)->ShownText(),
             QString::fromStdString(
                 e.camshaft.lowSpeedLobe.Event(brisca::TimingSet::Primary, brisca::kIVO).GetText()));
    for (int g = form::kShortBlockGroup; g <= form::kCamshaftGroup; ++g) {
      QVERIFY2(form_->Light(static_cast<form::GroupIndex>(g))->IsOn(), qPrintable(QString::number(g)));
    }
    QTRY_COMPARE(QApplication::focusWidget(), form_->Field(1014));
    // Display-only fields take no focus and open nothing.
    CSimSpecEditCtrl* volume = form_->Field(1034);
    QTest::mouseClick(volume, Qt::LeftButton);
    QTest::mouseDClick(volume, Qt::LeftButton);
    QCoreApplication::processEvents();
    QVERIFY(!volume->hasFocus());
    QVERIFY(!CSimSpecEditDlg::Open());
  }

  void newDocumentShowsStarsExceptClearedValues() {
    frame_->OnFileNew();
    form_ = qobject_cast<CEngineFormView*>(frame_->ActiveFrame()->LeftTabs()->widget(0));
    for (int id : {1014, 1022, 1026, 1036, 1042, 1048, 1060, 1122}) {
      QVERIFY2(form_->Field(id)->ShownText().startsWith(QStringLiteral("***")), qPrintable(QString::number(id)));
    }
    QCOMPARE(form_->Field(1072)->ShownText(), QStringLiteral("None"));
    QCOMPARE(form_->Field(1074)->ShownText(), QStringLiteral("None"));
    QVERIFY(!form_->Light(form::kShortBlockGroup)->IsOn());
    QCOMPARE(form_->LabelText(1161), QStringLiteral("(Not Defined):"));
  }

  void typedTextIsParsedAndAnAcceptedEditRecalculates() {
    doc_->SetModified(false);
    const QString volumeBefore = form_->Field(1034)->ShownText();
    int openSeen = 0;
    QTimer::singleShot(50, [&] {
      CSimSpecEditDlg* dialog = CSimSpecEditDlg::Open();
      QVERIFY(dialog);
      ++openSeen;
      QVERIFY(dialog->LineEdit() && !dialog->LineEdit()->isReadOnly());
      QVERIFY(!dialog->MenuButton()->isEnabled());  // Bore has no menu
      dialog->SetText(QStringLiteral("abc"));
      dialog->OnOk();
      QCOMPARE(beeps_, 1);
      QCOMPARE(CSimSpecEditDlg::Open(), dialog);  // still open, nothing stored
      QCOMPARE(doc_->Engine().bore.GetValue(), 4.0f);
      dialog->SetText(QStringLiteral(" 4.125 "));
      dialog->OnOk();
    });
    form_->Field(1022)->setFocus();
    QTest::keyClick(form_->Field(1022), Qt::Key_Return);
    QTRY_COMPARE(openSeen, 1);
    QTRY_VERIFY(!CSimSpecEditDlg::Open());
    QCOMPARE(doc_->Engine().bore.GetValue(), 4.125f);
    QVERIFY(doc_->IsModified());
    QCOMPARE(form_->Field(1022)->ShownText(), QStringLiteral("4.125 in"));
    QVERIFY(form_->Field(1034)->ShownText() != volumeBefore);  // derived values recomputed
    QTRY_COMPARE(form_->window()->focusWidget(), form_->Field(1026));  // moved on as Tab does
  }

  // Beyond the beep, a refused text is selected again and the status bar
  // names the allowed range (something else may have taken it meanwhile).
  void aRefusedTextIsSelectedAndTheStatusBarNamesTheRange_data() {
    QTest::addColumn<QString>("typed");
    QTest::newRow("out of range") << QStringLiteral("0");
    QTest::newRow("letters") << QStringLiteral("abc");
  }
  void aRefusedTextIsSelectedAndTheStatusBarNamesTheRange() {
    QFETCH(QString, typed);
    doc_->SetModified(false);
    bool stayed = false;
    QString selected;
    QString status;
    QTimer::singleShot(50, [&] {
      CSimSpecEditDlg* dialog = CSimSpecEditDlg::Open();
      frame_->statusBar()->clearMessage();
      dialog->SetText(typed);
      dialog->LineEdit()->setCursorPosition(0);
      dialog->OnOk();
      stayed = CSimSpecEditDlg::Open() == dialog;
      selected = dialog->LineEdit()->selectedText();
      status = frame_->statusBar()->currentMessage();
      dialog->reject();
    });
    form_->EditField(form_->Field(1022));
    QVERIFY(stayed);
    QCOMPARE(beeps_, 1);
    QCOMPARE(selected, typed);
    QCOMPARE(status, QString::fromStdString(doc_->Engine().bore.GetPrompt()));
    QCOMPARE(doc_->Engine().bore.GetValue(), 4.0f);
    QVERIFY(!doc_->IsModified());
  }

  // OK on the text as it was opened stores nothing, even where the text is a
  // rounded form of the value; Enter still moves on as Tab does.
  void okOnTheShownTextStoresNothing() {
    doc_->Engine().bore.SetValue(4.0625f);  // shown "4.062" (ties to even)
    form_->UpdateView();
    doc_->SetModified(false);
    QTimer::singleShot(50, [] { CSimSpecEditDlg::Open()->OnOk(); });
    form_->EditField(form_->Field(1022));
    QVERIFY(!CSimSpecEditDlg::Open());
    QCOMPARE(doc_->Engine().bore.GetValue(), 4.0625f);
    QVERIFY(!doc_->IsModified());
    QTRY_COMPARE(form_->window()->focusWidget(), form_->Field(1026));
  }

  void cancelAtTheWarningLeavesTheDocumentUnmodified() {
    doc_->Engine().crDataValid = true;
    doc_->SetModified(false);
    presenter_.Answer(brisca::MessageButton::Cancel);
    QTimer::singleShot(50, [&] {
      CSimSpecEditDlg::Open()->SetText(QStringLiteral("4.1"));
      CSimSpecEditDlg::Open()->OnOk();
    });
    form_->EditField(form_->Field(1022));
    QVERIFY(!CSimSpecEditDlg::Open());
    QCOMPARE(presenter_.Shown().size(), size_t(1));
    QCOMPARE(presenter_.Shown().front().code, 203);
    QCOMPARE(doc_->Engine().bore.GetValue(), 4.0f);
    QVERIFY(!doc_->IsModified());
  }

  void aMenuChoiceClosesTheDialogAsAccepted() {
    doc_->SetModified(false);
    const int sixCylinders = CommandOf(brisca::CatalogueCategory::NumberOfCylinders, 3, 6.0f);
    QVERIFY(sixCylinders != 0);
    bool chosen = false;
    QTimer::singleShot(50, [&] {
      CSimSpecEditDlg* dialog = CSimSpecEditDlg::Open();
      QVERIFY(dialog->MenuButton()->isEnabled());
      for (QAction* action : dialog->ComponentMenu()->actions()) {
        if (action->data().toInt() == sixCylinders) {
          chosen = true;
          action->trigger();
        }
      }
      // A second dialog cannot open while this one is up.
      form_->EditField(form_->Field(1022));
      QCOMPARE(CSimSpecEditDlg::Open(), dialog);
    });
    form_->EditField(form_->Field(1017));
    QVERIFY(chosen);
    QVERIFY(!CSimSpecEditDlg::Open());
    QCOMPARE(doc_->Engine().cylinders.GetValue(), 6);
    QVERIFY(doc_->IsModified());
    QVERIFY(form_->Field(1017)->ShownText().startsWith(QStringLiteral("6")));
  }

  // The dialog's menus carry the core's item texts: the cam types with the
  // V-V-T profiles, the compression ratios by their value.
  void componentMenusShowTheCatalogueItemTexts_data() {
    QTest::addColumn<int>("field");
    QTest::addColumn<int>("items");
    QTest::addColumn<QString>("last");
    QTest::addRow("Cam Name") << 1122 << 10 << QStringLiteral("V-V-T Hottest Street/Race Profile");
    QTest::addRow("Compression Ratio") << 1042 << 25 << QStringLiteral("18.0:1");
  }
  void componentMenusShowTheCatalogueItemTexts() {
    QFETCH(int, field);
    QFETCH(int, items);
    QFETCH(QString, last);
    QStringList texts;
    QTimer::singleShot(50, [&texts] {
      CSimSpecEditDlg* dialog = CSimSpecEditDlg::Open();
      QVERIFY(dialog);
      for (QAction* action : dialog->ComponentMenu()->actions()) {
        if (!action->isSeparator()) texts << action->text();
      }
      dialog->reject();
    });
    form_->EditField(form_->Field(field));
    QCOMPARE(texts.size(), items);
    QCOMPARE(texts.back(), last);
  }

  // A component menu ticks the item the engine has now and shows no box on the
  // others: choosing the ticked item leaves the field showing what it showed.
  void componentMenusTickOnlyTheCurrentItem_data() {
    QTest::addColumn<int>("field");
    QTest::addRow("Short Block") << 1014;
    QTest::addRow("No. Cylinders") << 1017;
    QTest::addRow("Cylinder Head Type") << 1036;
    QTest::addRow("Compression Ratio") << 1042;
    QTest::addRow("Manifold Type") << 1048;
    QTest::addRow("Fuel") << 1050;
    QTest::addRow("Blower Type") << 1070;
    QTest::addRow("Exhaust System") << 1060;
    QTest::addRow("Cam Name") << 1122;
    QTest::addRow("Lifters") << 1130;
  }
  void componentMenusTickOnlyTheCurrentItem() {
    QFETCH(int, field);
    const QString before = form_->Field(field)->ShownText();
    std::vector<QAction*> checked;
    int boxes = 0;
    QTimer::singleShot(50, [&] {
      CSimSpecEditDlg* dialog = CSimSpecEditDlg::Open();
      QVERIFY(dialog);
      QMenu* menu = dialog->ComponentMenu();
      emit menu->aboutToShow();
      std::function<void(QMenu*)> visit = [&](QMenu* m) {
        for (QAction* action : m->actions()) {
          if (action->menu()) {
            visit(action->menu());
          } else if (action->isCheckable()) {
            ++boxes;
            if (action->isChecked()) checked.push_back(action);
          }
        }
      };
      visit(menu);
      if (checked.size() == 1) {
        checked.front()->trigger();
      } else {
        dialog->reject();
      }
    });
    form_->EditField(form_->Field(field));
    QCOMPARE(checked.size(), size_t(1));
    QCOMPARE(boxes, 1);
    QCOMPARE(form_->Field(field)->ShownText(), before);
  }

  // The head's name has the row to itself: no built-in head's name is cut.
  void everyHeadNameFitsItsField() {
    CSimSpecEditCtrl* head = form_->Field(1036);
    auto* portFlow = form_->Canvas()->findChild<QPushButton*>(QStringLiteral("button%1").arg(form::kPortFlowButton));
    QVERIFY(!head->geometry().intersects(portFlow->geometry()));
    const QFontMetrics metrics(head->font());
    for (int key = 1; key <= brisca::kBuiltInHeadCount; ++key) {
      const QString name = QString::fromUtf8(brisca::FindBuiltInHead(key)->description);
      QVERIFY2(metrics.horizontalAdvance(name) + 3 <= head->width(), qPrintable(name));
    }
  }

  void automaticValveSizesMakeTheDiameterMenuOnly() {
    doc_->Engine().autoValveSizes = true;
    form_->UpdateView();
    doc_->SetModified(false);
    const int diameter = CommandOf(brisca::CatalogueCategory::IntakeValveDiameter, 3, 2.02f);
    QVERIFY(diameter != 0);
    bool checkedBefore = false;
    QTimer::singleShot(50, [&] {
      CSimSpecEditDlg* dialog = CSimSpecEditDlg::Open();
      QVERIFY(dialog->LineEdit()->isReadOnly());
      QMenu* menu = dialog->ComponentMenu();
      emit menu->aboutToShow();
      // The automatic item heads the menu, checked while the sizes are automatic.
      QCOMPARE(menu->actions().first()->data().toInt(), brisca::command::kAutoValveSizes);
      checkedBefore = menu->actions().first()->isChecked();
      for (QAction* action : menu->actions()) {
        if (action->data().toInt() == diameter) action->trigger();
      }
    });
    form_->EditField(form_->Field(1038));
    QVERIFY(checkedBefore);
    QVERIFY(!CSimSpecEditDlg::Open());
    QVERIFY(!doc_->GetAutoValveSizes());
    QVERIFY(doc_->IsModified());
    QCOMPARE(form_->Field(1038)->EditMode(), int(CSimSpecEditCtrl::kTypeOrMenu));
    QCOMPARE(form_->LabelText(1062), QStringLiteral(" "));
  }

  void okInAMenuOnlyDialogChangesNothing() {
    doc_->SetModified(false);
    const QString head = form_->Field(1036)->ShownText();
    QTimer::singleShot(50, [&] { CSimSpecEditDlg::Open()->OnOk(); });
    form_->EditField(form_->Field(1036));
    QVERIFY(!doc_->IsModified());
    QCOMPARE(form_->Field(1036)->ShownText(), head);
  }

  void theShortBlockMenuNestsMakesCountsAndSizes() {
    QTimer::singleShot(50, [&] {
      CSimSpecEditDlg* dialog = CSimSpecEditDlg::Open();
      // make -> "<n> Cylinder" -> "<size>\t(<bore> bore/<stroke> stroke...)"
      QMenu* make = dialog->ComponentMenu()->actions().first()->menu();
      QVERIFY(make);
      QAction* count = make->actions().first();
      QVERIFY(count->menu());
      QVERIFY(count->text().endsWith(QStringLiteral(" Cylinder")));
      QAction* size = count->menu()->actions().first();
      QVERIFY(!size->menu());
      QVERIFY(size->text().contains(QStringLiteral("\t(")));
      QVERIFY(size->text().contains(QStringLiteral(" bore/")));
      QVERIFY(brisca::ComponentCatalogue::Category(brisca::CatalogueCategory::ShortBlocks)
                  .Handles(size->data().toInt()));
      dialog->reject();
    });
    form_->EditField(form_->Field(1014));
    QVERIFY(!CSimSpecEditDlg::Open());
  }

  void nitrousFollowsTheFuel_data() {
    QTest::addColumn<int>("item");
    QTest::addColumn<bool>("enabled");
    for (int item : {1, 10, 19, 20, 21}) QTest::newRow(qPrintable(QString::number(item))) << item << false;
    for (int item : {3, 12}) QTest::newRow(qPrintable(QString::number(item))) << item << true;
  }
  void nitrousFollowsTheFuel() {
    QFETCH(int, item);
    QFETCH(bool, enabled);
    const int command = CommandOf(brisca::CatalogueCategory::Fuels, 1, static_cast<float>(item));
    QVERIFY(command != 0);
    QVERIFY(doc_->OnComponentCommand(command));
    form_->UpdateView();
    QCOMPARE(form_->Field(1052)->isEnabled(), enabled);
  }

  void rodButtonsRebindWithoutModifying() {
    doc_->SetModified(false);
    QVERIFY(doc_->Engine().rodByRatio);
    QCOMPARE(form_->Field(1027)->EditMode(), int(CSimSpecEditCtrl::kTypeOrMenu));
    QCOMPARE(form_->Field(1032)->EditMode(), int(CSimSpecEditCtrl::kDisplayOnly));
    // Tab on "Rod Ratio" wraps to "Short Block:".
    form_->Field(1027)->setFocus();
    QTest::keyClick(form_->Field(1027), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), form_->Field(1014));
    QTest::mouseClick(form_->RodRadio(false), Qt::LeftButton);
    QVERIFY(!doc_->Engine().rodByRatio);
    QVERIFY(!doc_->IsModified());
    QCOMPARE(form_->Field(1032)->EditMode(), int(CSimSpecEditCtrl::kTypeOrMenu));
    QCOMPARE(form_->Field(1027)->EditMode(), int(CSimSpecEditCtrl::kDisplayOnly));
    form_->Field(1032)->setFocus();
    QTest::keyClick(form_->Field(1032), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), form_->Field(1014));
    QTest::keyClick(form_->Field(1014), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), form_->Field(1032));
  }

  void tabAfterBlowerTypeFollowsTheForcedInduction() {
    form_->Field(1070)->setFocus();
    QTest::keyClick(form_->Field(1070), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), form_->Field(1048));  // none: wraps
    const int turbo = CommandOf(brisca::CatalogueCategory::ForcedInduction, 3, 1.0f);
    QVERIFY(turbo != 0);
    QVERIFY(doc_->OnComponentCommand(turbo));
    form_->UpdateView();
    form_->Field(1070)->setFocus();
    QTest::keyClick(form_->Field(1070), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), form_->Field(1094));
    form_->Field(1074)->setFocus();
    QTest::keyClick(form_->Field(1074), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), form_->Field(1048));
  }

  // The groups, then past the last one the pane's next tab; back from there the
  // form's last group, and before its first group the pane's last tab.
  void ctrlPageKeysStepThroughTheGroups() {
    QTabWidget* tabs = frame_->ActiveFrame()->LeftTabs();
    const std::vector<int> firsts = {1014, 1036, 1042, 1048, 1060, 1122, 1664};
    form_->Field(1014)->setFocus();
    for (std::size_t i = 1; i < firsts.size(); ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown, Qt::ControlModifier);
      QCOMPARE(QApplication::focusWidget(), form_->Field(firsts[i]));
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown, Qt::ControlModifier);
    QCOMPARE(tabs->currentIndex(), 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp, Qt::ControlModifier);
    QCOMPARE(tabs->currentIndex(), 0);
    QCOMPARE(QApplication::focusWidget(), form_->Field(1664));
    form_->Field(1014)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp, Qt::ControlModifier);
    QCOMPARE(tabs->currentIndex(), 3);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown, Qt::ControlModifier);
    QCOMPARE(tabs->currentIndex(), 0);
    QCOMPARE(QApplication::focusWidget(), form_->Field(1014));
  }

  void variableValveTimingBoxModifiesAndEnablesTheHighSpeedColumn() {
    doc_->SetModified(false);
    QVERIFY(!form_->Field(1174)->isEnabled());
    form_->Field(1188)->setFocus();
    QTest::keyClick(form_->Field(1188), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), form_->Field(1122));  // wraps without the column
    form_->VariableValveTimingBox()->click();
    QVERIFY(doc_->Engine().camshaft.variableValveTiming);
    QVERIFY(doc_->IsModified());
    QVERIFY(form_->Field(1174)->isEnabled());
    form_->Field(1188)->setFocus();
    QTest::keyClick(form_->Field(1188), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), form_->Field(1174));
  }

  void pointerOverAGroupMakesItHot() {
    // Over a field of the group, and over the group's own painted body.
    QTest::mouseMove(form_->Field(1042), QPoint(3, 3));
    QTRY_VERIFY(form_->IsGroupHot(form::kCompressionGroup));
    QVERIFY(form_->Light(form::kCompressionGroup)->IsHot());
    QVERIFY(form_->Field(1044)->IsGroupHot());
    QVERIFY(!form_->Field(1022)->IsGroupHot());
    form_->PointerMoved(form_->GroupBox(form::kShortBlockGroup).center() + QPoint(0, 5));
    QVERIFY(!form_->IsGroupHot(form::kCompressionGroup));
    QVERIFY(!form_->Field(1044)->IsGroupHot());
    QVERIFY(form_->IsGroupHot(form::kShortBlockGroup));
    QVERIFY(form_->Field(1022)->IsGroupHot());
  }

  // The pointer gives a field the focus with one click of sound; a field that
  // has the focus, or takes none, stays silent.
  void hoveringAFieldClicksOnce() {
    int clicks = 0;
    brisca::ClickSound::SetPlayHook([&clicks] { ++clicks; });
    CSimSpecEditCtrl* bore = form_->Field(1022);
    QTest::mouseMove(bore, QPoint(4, 4));
    QTRY_COMPARE(QApplication::focusWidget(), bore);
    QCOMPARE(clicks, 1);
    QTest::mouseMove(bore, QPoint(12, 5));
    QTest::mouseMove(form_->Field(1034), QPoint(4, 4));  // "Total Volume:" is display-only
    QCOMPARE(QApplication::focusWidget(), bore);
    QCOMPARE(clicks, 1);
    QTest::mouseMove(form_->Field(1026), QPoint(4, 4));
    QTRY_COMPARE(QApplication::focusWidget(), form_->Field(1026));
    QCOMPARE(clicks, 2);
    brisca::ClickSound::SetPlayHook({});
    // The real sound: with or without an audio output, the hover goes on.
    QTest::mouseMove(bore, QPoint(6, 6));
    QTRY_COMPARE(QApplication::focusWidget(), bore);
    brisca::ClickSound::Play();
  }

  // "Port Flow" opens the flow editor on the head, "CR Calc" the compression-ratio calculator.
  void formButtonsOpenTheirDialogs_data() {
    QTest::addColumn<QString>("button");
    QTest::addRow("Port Flow") << QStringLiteral("button%1").arg(form::kPortFlowButton);
    QTest::addRow("CR Calc") << QStringLiteral("button%1").arg(form::kCrCalcButton);
  }
  void formButtonsOpenTheirDialogs() {
    QFETCH(QString, button);
    auto* push = form_->Canvas()->findChild<QPushButton*>(button);
    QVERIFY(push);
    QVERIFY(push->isEnabled());
    doc_->SetModified(false);
    const std::string head = doc_->Engine().cylinderHeadType.GetText();
    QString opened;
    auto cancel = [&opened](QDialog* dialog) {
      opened = QString::fromLatin1(dialog->metaObject()->className());
      dialog->reject();
    };
    brisca::test::AnswerNextModal<QDialog>(cancel);
    push->click();
    QCOMPARE(opened, button.endsWith(QString::number(form::kPortFlowButton))
                         ? QStringLiteral("brisca::CAirFlowDlg")
                         : QStringLiteral("brisca::CCompRatioDlg"));
    // Cancelled, the dialog leaves the engine as it was.
    QCOMPARE(doc_->Engine().cylinderHeadType.GetText(), head);
    QVERIFY(!doc_->IsModified());
  }

  void clearComponentsDisablesForcedInductionAndTheHighSpeedColumn() {
    doc_->Engine().camshaft.variableValveTiming = true;
    form_->UpdateView();
    QVERIFY(form_->Field(1174)->isEnabled());
    doc_->OnClearComponents();
    QCOMPARE(form_->Field(1072)->ShownText(), QStringLiteral("None"));
    QCOMPARE(form_->Field(1074)->ShownText(), QStringLiteral("None"));
    QVERIFY(form_->Field(1070)->isEnabled());
    for (int id : {1094, 1095, 1096, 1088, 1090, 1086, 1072, 1074, 1174, 1203, 1179}) {
      QVERIFY2(!form_->Field(id)->isEnabled(), qPrintable(QString::number(id)));
    }
  }

  // The engine menus act on the active document and follow it when they drop.
  QAction* MenuAction(const char* menuName, int id) {
    auto* menu = frame_->MainMenuBar()->findChild<QMenu*>(QString::fromLatin1(menuName));
    if (!menu) return nullptr;
    emit menu->aboutToShow();
    for (QAction* action : menu->actions()) {
      if (action->data().toInt() == id && !action->isSeparator()) return action;
    }
    return nullptr;
  }

  void engineMenusRunTheDocumentsCommands() {
    QAction* autoRun = MenuAction("simulationMenu", brisca::command::kAutoRun);
    QVERIFY(autoRun && autoRun->isChecked() == doc_->GetAutoRun());
    const bool wasOn = doc_->GetAutoRun();
    autoRun->trigger();
    QCOMPARE(doc_->GetAutoRun(), !wasOn);
    QCOMPARE(MenuAction("simulationMenu", brisca::command::kAutoRun)->isChecked(), !wasOn);

    // Automatic valve sizes: the diameters become menu-only and show "(Auto)".
    doc_->Engine().autoValveSizes = false;
    form_->UpdateView();
    QAction* sizes = MenuAction("simulationMenu", brisca::command::kAutoValveSizes);
    QVERIFY(sizes->isEnabled() && !sizes->isChecked());
    sizes->trigger();
    QVERIFY(doc_->GetAutoValveSizes());
    QCOMPARE(form_->Field(1038)->EditMode(), int(CSimSpecEditCtrl::kMenuOnly));
    QCOMPARE(form_->LabelText(1062), QStringLiteral("(Auto)"));

    QAction* metric = MenuAction("unitsMenu", brisca::command::kMetricUnits);
    QVERIFY(!metric->isChecked());
    metric->trigger();
    QVERIFY(doc_->IsMetric());
    QVERIFY(form_->Field(1022)->ShownText().endsWith(QStringLiteral(" mm")));
    QVERIFY(MenuAction("unitsMenu", brisca::command::kMetricUnits)->isChecked());

    // The changes above are unsaved: Clear Components asks first, and No clears.
    bool asked = false;
    brisca::test::AnswerNextModal<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::No)->click(); },
                                               &asked);
    MenuAction("simulationMenu", brisca::command::kClearComponents)->trigger();
    QVERIFY(asked);
    QVERIFY(form_->Field(1022)->ShownText().startsWith(QStringLiteral("***")));
    QVERIFY(!doc_->IsModified());
    // The custom port flow cannot be sized automatically.
    doc_->Engine().cylinderHeadType.SetSelection(brisca::kCustomHeadItem, "Custom");
    QVERIFY(!MenuAction("simulationMenu", brisca::command::kAutoValveSizes)->isEnabled());
  }

  void lampsShowTheWarningStates() {
    brisca::ResultSet& results = doc_->Results();
    results.surge = 2;
    results.choke = 2;
    results.overspeed = 1;
    form_->UpdateView();
    QCOMPARE(form_->Lamp(form::kSurgeLamp)->LampColor(), WarningLamp::kRed);
    QCOMPARE(form_->Lamp(form::kChokeLamp)->LampColor(), WarningLamp::kYellow);  // never red
    QCOMPARE(form_->Lamp(form::kOverspeedLamp)->LampColor(), WarningLamp::kYellow);
    results.surge = results.choke = results.overspeed = 0;
    form_->UpdateView();
    QCOMPARE(form_->Lamp(form::kChokeLamp)->LampColor(), WarningLamp::kGreen);
  }

  // Warnings belong to a run's results: once the results are gone (Clear
  // Components, a run that failed) every lamp is as on a new engine.
  void lampsGoOutWithTheResults_data() {
    QTest::addColumn<bool>("clearComponents");
    QTest::newRow("Clear Components") << true;
    QTest::newRow("failed run") << false;
  }
  void lampsGoOutWithTheResults() {
    QFETCH(bool, clearComponents);
    brisca::ResultSet& results = doc_->Results();
    QVERIFY(!results.IsEmpty());
    results.surge = 2;
    results.choke = 1;
    results.overspeed = 1;
    form_->UpdateView();
    QCOMPARE(form_->Lamp(form::kChokeLamp)->LampColor(), WarningLamp::kYellow);
    if (clearComponents) {
      doc_->SetModified(false);
      QVERIFY(doc_->OnClearComponents());
    } else {
      // A failing pass clears the sets and leaves their last states behind.
      for (brisca::ResultSet& set : doc_->Engine().results) set.Clear();
      form_->UpdateView();
    }
    for (int lamp : {form::kSurgeLamp, form::kChokeLamp, form::kOverspeedLamp}) {
      QVERIFY2(form_->Lamp(lamp)->LampColor() == WarningLamp::kGreen, qPrintable(QString::number(lamp)));
    }
  }

  // Stroke 7.0 with ratio 3.0 makes a rod too long (170): the short block stops
  // validating, and the volumes worked out for the old stroke are shown as not
  // known instead of beside the new stroke. What the engine holds stays.
  void volumesOfAnInvalidShortBlockShowAsUnknown() {
    brisca::EngineParameters& e = doc_->Engine();
    e.crDataValid = false;  // the combustion space is worked out from the volume
    e.rodRatio.SetValue(3.0f);
    doc_->UpdateDerivedValues();
    form_->UpdateView();
    const float volume = e.cylinderVolume.GetValue();
    const float block = e.totalBlockVolume.GetValue();
    const float space = e.combustionSpace.GetValue();
    QVERIFY(!form_->Field(1031)->ShownText().startsWith(QStringLiteral("***")));
    QTimer::singleShot(50, [] {
      CSimSpecEditDlg::Open()->SetText(QStringLiteral("7.0"));
      CSimSpecEditDlg::Open()->OnOk();
    });
    form_->EditField(form_->Field(1026));
    QCOMPARE(presenter_.Shown().size(), size_t(1));
    QCOMPARE(presenter_.Shown().front().code, 170);
    QVERIFY(!form_->Light(form::kShortBlockGroup)->IsOn());
    QCOMPARE(form_->Field(1026)->ShownText(), QStringLiteral("7.000 in"));
    QCOMPARE(form_->Field(1034)->ShownText(), QStringLiteral("*** ci"));
    QCOMPARE(form_->Field(1031)->ShownText(), QStringLiteral("*** cc"));
    QCOMPARE(form_->Field(1044)->ShownText(), QStringLiteral("*** cc"));
    QCOMPARE(e.cylinderVolume.GetValue(), volume);
    QCOMPARE(e.totalBlockVolume.GetValue(), block);
    QCOMPARE(e.combustionSpace.GetValue(), space);

    // A valid block again: its own volumes.
    e.rodRatio.SetValue(1.636f);
    e.stroke.SetValue(3.48f);
    doc_->UpdateDerivedValues();
    form_->UpdateView();
    QCOMPARE(form_->Field(1031)->ShownText(), QString::fromStdString(e.cylinderVolume.GetTextWithUnits()));
    QCOMPARE(form_->Field(1034)->ShownText(), QString::fromStdString(e.totalBlockVolume.GetTextWithUnits()));
  }

  // Notes never typed open as an empty box; what is typed is stored as typed,
  // and emptying the box removes the notes again.
  void notesEditorStoresWhatIsTypedAndEmptyRemoves() {
    frame_->OnFileNew();
    doc_ = frame_->ActiveDocument();
    form_ = qobject_cast<CEngineFormView*>(frame_->ActiveFrame()->LeftTabs()->widget(0));
    const brisca::CNotesSpec& notes = doc_->Engine().notes;
    QCOMPARE(form_->Field(1664)->ShownText(), QStringLiteral("***"));
    QString opened;
    QTimer::singleShot(50, [&opened] {
      CSimSpecEditDlg* dialog = CSimSpecEditDlg::Open();
      opened = dialog->Text();
      QTest::keyClicks(dialog->TextEdit(), QStringLiteral("Line one"));
      QTest::keyClick(dialog->TextEdit(), Qt::Key_Return);
      QTest::keyClicks(dialog->TextEdit(), QStringLiteral("Line two"));
      dialog->OnOk();
    });
    form_->EditField(form_->Field(1664));
    QCOMPARE(opened, QString());
    QCOMPARE(QString::fromStdString(notes.GetText()), QStringLiteral("Line one\nLine two"));
    QCOMPARE(form_->Field(1664)->ShownText(), QStringLiteral("Line one\nLine two"));

    doc_->SetModified(false);
    QTimer::singleShot(50, [&opened] {
      CSimSpecEditDlg* dialog = CSimSpecEditDlg::Open();
      opened = dialog->Text();
      dialog->SetText(QString());
      dialog->OnOk();
    });
    form_->EditField(form_->Field(1664));
    QCOMPARE(opened, QStringLiteral("Line one\nLine two"));
    QCOMPARE(beeps_, 0);
    QVERIFY(!notes.IsAssigned());
    QVERIFY(doc_->IsModified());
    QCOMPARE(form_->Field(1664)->ShownText(), QStringLiteral("***"));
  }

 private:
  brisca::test::ScratchSettings settings_;
  brisca::ScriptedPresenter presenter_;
  brisca::ScopedPresenter installed_{presenter_};
  std::unique_ptr<brisca::CVexoApp> app_;
  brisca::CMainFrame* frame_ = nullptr;
  CVexoDoc* doc_ = nullptr;
  CEngineFormView* form_ = nullptr;
  int beeps_ = 0;
};

QTEST_MAIN(TestEngineForm)
#include "tst_engineform.moc"
