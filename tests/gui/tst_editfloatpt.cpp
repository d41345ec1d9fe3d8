// The numeric text box's key filter, and the shared focus pattern of value
// edits: prompt on entry, check on leaving, refusal taking the focus back, and
// OK doing nothing while the edit being left holds a rejected text.
#include <QDialog>
#include <QFocusEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include "core/spec/FloatPtSpec.h"
#include "gui/shell/EditFloatPt.h"
#include "gui/shell/ValueEditGuard.h"

using brisca::CEditFloatPt;
using brisca::CFloatPtSpec;
using brisca::ValueEditGuard;

class TestEditFloatPt : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    beeps_ = 0;
    CEditFloatPt::SetBeepHook([this] { ++beeps_; });
  }
  void cleanup() { CEditFloatPt::SetBeepHook({}); }

  void keysPassOrBeep_data() {
    QTest::addColumn<QString>("start");
    QTest::addColumn<bool>("selectAll");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("beeps");
    QTest::newRow("digits") << "" << false << "0123456789" << "0123456789" << 0;
    QTest::newRow("comma is a point") << "" << false << "3,5" << "3.5" << 0;
    QTest::newRow("second point") << "1.2" << false << ".3" << "1.23" << 1;
    QTest::newRow("comma after point") << "1.2" << false << "," << "1.2" << 1;
    QTest::newRow("second minus") << "-1" << false << "-" << "-1" << 1;
    QTest::newRow("letters, blank, plus, e") << "" << false << "a 1+e" << "1" << 4;
    QTest::newRow("point over whole selection") << "1.5" << true << "." << "." << 0;
    QTest::newRow("minus over whole selection") << "-2" << true << "-" << "-" << 0;
    QTest::newRow("comma over whole selection") << "0.5" << true << "," << "." << 0;
    QTest::newRow("letter over whole selection") << "0.5" << true << "x" << "0.5" << 1;
  }

  void keysPassOrBeep() {
    QFETCH(QString, start);
    QFETCH(bool, selectAll);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(int, beeps);
    CEditFloatPt edit;
    edit.setText(start);
    if (selectAll) edit.selectAll();
    QTest::keyClicks(&edit, typed);
    QCOMPARE(edit.text(), shown);
    QCOMPARE(beeps_, beeps);
  }

  void backspaceAndPartSelectionFollowTheText() {
    CEditFloatPt edit;
    edit.setText(QStringLiteral("1.5"));
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QTest::keyClicks(&edit, QStringLiteral(".25"));  // the point left with the backspace
    QCOMPARE(edit.text(), QStringLiteral("1.25"));
    edit.setSelection(1, 2);  // part of the text: the point is still there
    QTest::keyClicks(&edit, QStringLiteral("."));
    QCOMPARE(edit.text(), QStringLiteral("1.25"));
    QCOMPARE(beeps_, 1);
  }

  void guardShowsPromptsChecksOnLeavingAndHoldsOk() {
    CFloatPtSpec bore("Bore", brisca::UnitInch, 2.0f, 7.0f, brisca::UnitMillimeter, 25.4f);
    QDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    auto* edit = new CEditFloatPt(&dialog);
    auto* other = new QLineEdit(&dialog);
    auto* help = new QLabel(&dialog);
    auto* ok = new QPushButton(QStringLiteral("OK"), &dialog);
    for (QWidget* w : {static_cast<QWidget*>(edit), static_cast<QWidget*>(other),
                       static_cast<QWidget*>(help), static_cast<QWidget*>(ok)}) {
      layout->addWidget(w);
    }
    ValueEditGuard guard(&dialog, help);
    std::vector<bool> accepted;
    guard.AddValueEdit(edit, [&bore] { return &bore; }, [&accepted](bool changed) { accepted.push_back(changed); });
    QString notes;
    guard.AddTextEdit(other, QStringLiteral("Enter Notes"), [&notes](const QString& t) { notes = t; });
    dialog.show();
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));

    edit->setText(QStringLiteral("4.0"));
    edit->setFocus();
    QTRY_COMPARE(edit->selectedText(), QStringLiteral("4.0"));
    QCOMPARE(help->text(), QString::fromStdString(bore.GetPrompt()));

    // Leaving with a value out of range: beep, focus back, OK refused, value untouched.
    edit->setText(QStringLiteral("9"));
    other->setFocus();
    QTRY_VERIFY(edit->hasFocus());
    QCOMPARE(beeps_, 1);
    QVERIFY(guard.LastEditRejected());
    QVERIFY(!bore.IsAssigned());
    QVERIFY(!guard.CommitFocus(ok));
    QVERIFY(!ok->hasFocus());
    QVERIFY(accepted.empty());

    // An accepted text is stored and shown reformatted; OK then takes the focus.
    edit->setText(QStringLiteral("  4 "));
    QVERIFY(guard.CommitFocus(ok));
    QVERIFY(ok->hasFocus());
    QCOMPARE(bore.GetValue(), 4.0f);
    QCOMPARE(edit->text(), QString::fromStdString(bore.GetText()));
    QCOMPARE(accepted.front(), true);  // unassigned before
    QVERIFY(!guard.LastEditRejected());

    // The same value typed again is not a change; an empty text changes nothing.
    edit->setFocus();
    edit->setText(QStringLiteral("4"));
    other->setFocus();
    QTRY_VERIFY(other->hasFocus());
    QCOMPARE(accepted.back(), false);
    const size_t calls = accepted.size();
    edit->setFocus();
    edit->clear();
    other->setFocus();
    QCOMPARE(accepted.size(), calls);
    QCOMPARE(bore.GetValue(), 4.0f);
    QCOMPARE(help->text(), QStringLiteral("Enter Notes"));

    // A plain-text edit reports its trimmed text on leaving.
    other->setText(QStringLiteral("  head notes "));
    ok->setFocus();
    QCOMPARE(notes, QStringLiteral("head notes"));
    QCOMPARE(beeps_, 1);
  }

  // A value shown rounded keeps its value when its edit is passed through
  // without typing, also when the focus returns from another window, and
  // OK passes; typing the same text over it changes nothing either.
  void untouchedTextLeavesTheValue() {
    CFloatPtSpec bore("Bore", brisca::UnitInch, 2.0f, 7.0f, brisca::UnitMillimeter, 25.4f);
    bore.SetValue(4.0625f);
    QDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    auto* edit = new CEditFloatPt(&dialog);
    auto* other = new CEditFloatPt(&dialog);
    auto* ok = new QPushButton(QStringLiteral("OK"), &dialog);
    layout->addWidget(edit);
    layout->addWidget(other);
    layout->addWidget(ok);
    ValueEditGuard guard(&dialog, nullptr);
    int accepted = 0;
    guard.AddValueEdit(edit, [&bore] { return &bore; }, [&accepted](bool) { ++accepted; });
    edit->setText(QString::fromStdString(bore.GetText()));
    QVERIFY(edit->text() != QStringLiteral("4.0625"));
    dialog.show();
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));

    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Tab);
    QVERIFY(other->hasFocus());
    edit->setFocus();
    QVERIFY(guard.CommitFocus(ok));
    edit->setFocus();
    QTRY_COMPARE(edit->selectedText(), edit->text());
    QTest::keyClicks(edit, edit->text());  // the selected text typed over with itself
    other->setFocus();
    QCOMPARE(bore.GetValue(), 4.0625f);
    QCOMPARE(accepted, 0);
    QVERIFY(!guard.ValuesChanged());

    // A half-typed text survives a trip to another window.
    edit->setFocus();
    QTRY_COMPARE(edit->selectedText(), edit->text());
    QTest::keyClicks(edit, QStringLiteral("5"));
    QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QFocusEvent in(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
    QCoreApplication::sendEvent(edit, &out);
    QCoreApplication::sendEvent(edit, &in);
    other->setFocus();
    QCOMPARE(bore.GetValue(), 5.0f);
    QCOMPARE(accepted, 1);
    QVERIFY(guard.ValuesChanged());
  }

 private:
  int beeps_ = 0;
};

QTEST_MAIN(TestEditFloatPt)
#include "tst_editfloatpt.moc"
