// The colour-scheme table: valid scheme numbers, readable text in every
// coloured scheme, the platform palette in scheme 0, and an entry number
// beyond the table as an internal error.
#include <QApplication>
#include <QPalette>
#include <QTest>

#include <sys/wait.h>
#include <unistd.h>

#include "core/base/FatalAssert.h"
#include "core/document/CommandIds.h"
#include "gui/shell/ColorScheme.h"

class TestColorScheme : public QObject {
  Q_OBJECT

 private slots:
  void schemeNumbersOutsideTheTableSelectSchemeZero_data() {
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("selected");
    QTest::newRow("0") << 0 << 0;
    QTest::newRow("1") << 1 << 1;
    QTest::newRow("3") << 3 << 3;
    QTest::newRow("4") << 4 << 0;
    QTest::newRow("7") << 7 << 0;
    QTest::newRow("-1") << -1 << 0;
  }
  void schemeNumbersOutsideTheTableSelectSchemeZero() {
    QFETCH(int, stored);
    QFETCH(int, selected);
    brisca::SetActiveScheme(stored);
    QCOMPARE(brisca::ActiveScheme(), selected);
  }

  // Every text drawn on a scheme background keeps a contrast of 4.5:1 or more.
  void textIsReadableInEveryColouredScheme_data() {
    QTest::addColumn<int>("scheme");
    QTest::newRow("Basic Blue") << 1;
    QTest::newRow("Deep Blue") << 2;
    QTest::newRow("Orange Original") << 3;
  }
  void textIsReadableInEveryColouredScheme() {
    QFETCH(int, scheme);
    for (const brisca::SchemeTextPair& pair : brisca::SchemeTextPairs()) {
      const double ratio = brisca::ContrastRatio(brisca::SchemeColor(scheme, pair.text),
                                                 brisca::SchemeColor(scheme, pair.background));
      QVERIFY2(ratio >= 4.5, qPrintable(QStringLiteral("%1 on %2: %3:1")
                                            .arg(QString::fromLatin1(brisca::SchemeEntryUse(pair.text)),
                                                 QString::fromLatin1(brisca::SchemeEntryUse(pair.background)))
                                            .arg(ratio, 0, 'f', 2)));
    }
  }

  void contrastRatioOfKnownColours() {
    QCOMPARE(brisca::ContrastRatio(Qt::black, Qt::white), 21.0);
    QCOMPARE(brisca::ContrastRatio(Qt::white, Qt::white), 1.0);
    QVERIFY(qAbs(brisca::ContrastRatio(QColor(0x77, 0x77, 0x77), Qt::white) - 4.48) < 0.01);
  }

  void schemeZeroFollowsThePlatformPalette() {
    const QPalette palette = QApplication::palette();
    QCOMPARE(brisca::SchemeColor(0, 1), palette.color(QPalette::Active, QPalette::Window));
    QCOMPARE(brisca::SchemeColor(0, 43), palette.color(QPalette::Active, QPalette::Base));
    QCOMPARE(brisca::SchemeColor(0, 59), palette.color(QPalette::Active, QPalette::Highlight));
  }

  void colouredSchemesAreTheirOwn() {
    int differing12 = 0;
    int differing13 = 0;
    for (int entry = 0; entry < brisca::kSchemeEntryCount; ++entry) {
      differing12 += brisca::SchemeColor(1, entry) != brisca::SchemeColor(2, entry);
      differing13 += brisca::SchemeColor(1, entry) != brisca::SchemeColor(3, entry);
    }
    QVERIFY(differing12 > 80);
    QVERIFY(differing13 > 80);
  }

  void commandsNameTheirSchemes() {
    using namespace brisca::command;
    const int commands[] = {kSchemeWindowsStandard, kSchemeBasicBlue, kSchemeDeepBlue,
                            kSchemeOrangeOriginal};
    for (int scheme = 0; scheme < brisca::kSchemeCount; ++scheme) {
      QCOMPARE(brisca::SchemeCommand(scheme), commands[scheme]);
      QCOMPARE(brisca::SchemeOfCommand(commands[scheme]), scheme);
    }
    QCOMPARE(brisca::SchemeOfCommand(kFileNew), -1);
    QCOMPARE(brisca::SchemeMenuText(0), QStringLiteral("Windows Standard &Colors"));
    QCOMPARE(brisca::SchemeMenuText(3), QStringLiteral("Orange Original Colors"));
  }

  // Entry 105 is the last; 106 ends the process as a broken precondition.
  void entryAboveTheTableIsFatal_data() {
    QTest::addColumn<int>("entry");
    QTest::addColumn<bool>("fatal");
    QTest::newRow("105") << 105 << false;
    QTest::newRow("106") << 106 << true;
  }
  void entryAboveTheTableIsFatal() {
    QFETCH(int, entry);
    QFETCH(bool, fatal);
    const pid_t child = fork();
    QVERIFY(child >= 0);
    if (child == 0) {
      brisca::SetFatalAssertHook(nullptr);
      (void)brisca::SchemeColor(1, entry);
      _exit(0);
    }
    int status = 0;
    QCOMPARE(waitpid(child, &status, 0), child);
    QVERIFY(WIFEXITED(status));
    QCOMPARE(WEXITSTATUS(status), fatal ? (brisca::kFatalAssertExitStatus & 0xFF) : 0);
  }
};

QTEST_MAIN(TestColorScheme)
#include "tst_colorscheme.moc"
