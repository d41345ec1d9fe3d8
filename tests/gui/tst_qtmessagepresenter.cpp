// Numbered messages reach the screen as message boxes with the right caption,
// icon and buttons, and the button the user presses comes back to the caller.
#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QtTest>

#include "core/base/ErrCode.h"
#include "gui/shell/QtMessagePresenter.h"

namespace {

// What the box looked like when it came up.
struct SeenBox {
  bool found = false;
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QMessageBox::StandardButtons buttons;
  QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
  QWidget* owner = nullptr;
};

// Once the modal box runs its own event loop, records it and presses `press`.
// Looks every 20 ms for up to 30 s, in case the box is not up at the first tick.
void AnswerNextBox(QMessageBox::StandardButton press, SeenBox* seen,
                   QDeadlineTimer deadline = QDeadlineTimer(30000)) {
  QTimer::singleShot(20, [press, seen, deadline] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) {
      if (!deadline.hasExpired()) AnswerNextBox(press, seen, deadline);
      return;
    }
    seen->found = true;
    seen->title = box->windowTitle();
    seen->text = box->text();
    seen->icon = box->icon();
    seen->buttons = box->standardButtons();
    seen->owner = box->parentWidget();
    if (QAbstractButton* def = box->defaultButton()) seen->defaultButton = box->standardButton(def);
    QAbstractButton* button = box->button(press);
    if (button) {
      button->click();
    } else {
      box->reject();  // the expected button is missing: close so the test can fail, not hang
    }
  });
}

}  // namespace

class TestQtMessagePresenter : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { previous_ = brisca::InstallPresenter(&presenter_); }
  void cleanupTestCase() { brisca::InstallPresenter(previous_); }

  void errorShowsStopIconAndOkOnly() {
    SeenBox seen;
    AnswerNextBox(QMessageBox::Ok, &seen);
    QCOMPARE(brisca::ReportErrorCode(42), brisca::MessageButton::Ok);
    QVERIFY(seen.found);
    QCOMPARE(seen.title, QStringLiteral("Error 42: Simulation Run Time Error"));
    QVERIFY(seen.text.startsWith(QStringLiteral("The Brisca was unable to complete the simulation.\n")));
    QCOMPARE(seen.icon, QMessageBox::Critical);
    QCOMPARE(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
  }

  void errorAskingOkCancelReturnsCancel() {
    SeenBox seen;
    AnswerNextBox(QMessageBox::Cancel, &seen);
    QCOMPARE(brisca::ReportErrorCode(42, true), brisca::MessageButton::Cancel);
    QVERIFY(seen.found);
    QCOMPARE(seen.icon, QMessageBox::Information);
    QCOMPARE(seen.buttons, QMessageBox::Ok | QMessageBox::Cancel);
    QCOMPARE(seen.defaultButton, QMessageBox::Ok);
  }

  // A plain question: question icon, Yes (the default) and No; Yes is true.
  void questionOffersYesAndNo_data() {
    QTest::addColumn<int>("press");
    QTest::addColumn<bool>("yes");
    QTest::newRow("yes") << int(QMessageBox::Yes) << true;
    QTest::newRow("no") << int(QMessageBox::No) << false;
  }

  void questionOffersYesAndNo() {
    QFETCH(int, press);
    QFETCH(bool, yes);
    SeenBox seen;
    AnswerNextBox(QMessageBox::StandardButton(press), &seen);
    QCOMPARE(brisca::AskYesNo("Kalvex", "Change the defaults?"), yes);
    QVERIFY(seen.found);
    QCOMPARE(seen.title, QStringLiteral("Kalvex"));
    QCOMPARE(seen.text, QStringLiteral("Change the defaults?"));
    QCOMPARE(seen.icon, QMessageBox::Question);
    QCOMPARE(seen.buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(seen.defaultButton, QMessageBox::Yes);
  }

  void warningOffersOkAndCancel_data() {
    QTest::addColumn<int>("press");
    QTest::addColumn<int>("expected");
    QTest::newRow("ok") << int(QMessageBox::Ok) << int(brisca::MessageButton::Ok);
    QTest::newRow("cancel") << int(QMessageBox::Cancel) << int(brisca::MessageButton::Cancel);
  }

  void warningOffersOkAndCancel() {
    QFETCH(int, press);
    QFETCH(int, expected);
    SeenBox seen;
    AnswerNextBox(QMessageBox::StandardButton(press), &seen);
    QCOMPARE(int(brisca::ReportWarningCode(204)), expected);
    QVERIFY(seen.found);
    QCOMPARE(seen.title, QStringLiteral("Warning 204: Warning!"));
    QCOMPARE(seen.icon, QMessageBox::Warning);
    QCOMPARE(seen.buttons, QMessageBox::Ok | QMessageBox::Cancel);
  }

  // Every numbered kind puts its number in the caption, as users are asked to quote it.
  void captionCarriesTheNumber_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("title");
    QTest::newRow("error") << 0 << QStringLiteral("Error 45: File Error");
    QTest::newRow("notice") << 1 << QStringLiteral("Notice 113: Important!");
    QTest::newRow("system error") << 2 << QStringLiteral("System error 2: Error");
  }
  void captionCarriesTheNumber() {
    QFETCH(int, kind);
    QFETCH(QString, title);
    SeenBox seen;
    AnswerNextBox(QMessageBox::Ok, &seen);
    if (kind == 0) brisca::ReportErrorCode(45);
    if (kind == 1) brisca::ReportNoticeCode(113);
    if (kind == 2) brisca::ReportSystemError(2);
    QVERIFY(seen.found);
    QCOMPARE(seen.title, title);
  }

  void boxIsOwnedByTheFocusedWindow() {
    QWidget window;
    auto* edit = new QLineEdit(&window);
    window.show();
    QApplication::setActiveWindow(&window);
    edit->setFocus();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTRY_COMPARE(QApplication::focusWidget(), edit);

    SeenBox seen;
    AnswerNextBox(QMessageBox::Ok, &seen);
    brisca::ReportErrorCode(45);
    QVERIFY(seen.found);
    QCOMPARE(seen.owner, &window);
  }

  // Escape on an OK/Cancel box is a refusal, never a silent OK.
  void escapeOnWarningIsCancel() {
    bool pressed = false;
    QTimer::singleShot(20, [&pressed] {
      if (QWidget* box = QApplication::activeModalWidget()) {
        QTest::keyClick(box, Qt::Key_Escape);
        pressed = true;
      }
    });
    QCOMPARE(brisca::ReportWarningCode(200), brisca::MessageButton::Cancel);
    QVERIFY(pressed);
  }

 private:
  brisca::QtMessagePresenter presenter_;
  brisca::MessagePresenter* previous_ = nullptr;
};

QTEST_MAIN(TestQtMessagePresenter)
#include "tst_qtmessagepresenter.moc"
