// The desktop program's shell starts offscreen, shows its window and closes cleanly.
#include <QMdiArea>
#include <QMenuBar>
#include <QSignalSpy>
#include <QtTest/QtTest>

#include "gui/shell/MainWindow.h"

class TestMainWindow : public QObject {
  Q_OBJECT

 private slots:
  void showsTitledWindowWithTabbedMdi() {
    brisca::MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.windowTitle(), QStringLiteral("Brisca"));
    QCOMPARE(window.mdiArea()->viewMode(), QMdiArea::TabbedView);
  }

  void menusOfferExitAndAbout() {
    brisca::MainWindow window;
    QStringList titles;
    for (QAction* menu : window.menuBar()->actions()) titles << menu->text();
    QCOMPARE(titles, (QStringList{QStringLiteral("&File"), QStringLiteral("&Help")}));
    const QList<QAction*> fileActions = window.menuBar()->actions().at(0)->menu()->actions();
    QVERIFY(std::any_of(fileActions.begin(), fileActions.end(),
                        [](QAction* a) { return a->text() == QStringLiteral("E&xit"); }));
  }

  void closesCleanly() {
    auto* window = new brisca::MainWindow;
    window->setAttribute(Qt::WA_DeleteOnClose);
    QSignalSpy destroyed(window, &QObject::destroyed);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QVERIFY(window->close());
    QTRY_COMPARE(destroyed.count(), 1);
  }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
