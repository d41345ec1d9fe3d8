// The contest entry dialog: it says plainly that nothing is sent, refuses an
// entry without contest number or rules acknowledged (staying open), and
// writes the details followed by the engine into the chosen file.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/document/VexoDoc.h"
#include "gui/report/ContestDlg.h"
#include "gui/shell/PathText.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/support/SampleDocuments.h"
#include "tests/support/ScriptedPresenter.h"

using brisca::CContestDlg;

namespace {

std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

template <typename T>
T* Find(QWidget& dialog, const char* name) {
  T* widget = dialog.findChild<T*>(QString::fromLatin1(name));
  if (!widget) qFatal("no widget %s", name);
  return widget;
}

}  // namespace

class TestContestEntry : public QObject {
  Q_OBJECT

 private slots:
  void init() { presenter_.Clear(); }

  void suggestsAFileNamedAfterTheEngine() {
    brisca::CVexoDoc doc;
    doc.SetTitle("Street 350.qen");
    QCOMPARE(brisca::SuggestedEntryFile(doc, "/engines"),
             std::filesystem::path("/engines/Street 350 Contest Entry.txt"));
  }

  void refusesAnIncompleteEntryAndStaysOpen_data() {
    QTest::addColumn<QString>("number");
    QTest::addColumn<bool>("rules");
    QTest::addColumn<int>("code");
    QTest::newRow("no contest number") << QString() << true << 162;
    QTest::newRow("rules not acknowledged") << QStringLiteral("7") << false << 186;
  }

  void refusesAnIncompleteEntryAndStaysOpen() {
    QFETCH(QString, number);
    QFETCH(bool, rules);
    QFETCH(int, code);
    brisca::CVexoDoc doc;
    brisca::samples::BuildSmallBlockV8(doc);
    QTemporaryDir folder;
    const std::filesystem::path file = brisca::ToPath(folder.filePath(QStringLiteral("entry.txt")));
    CContestDlg dialog(doc, file);
    dialog.show();
    QTest::keyClicks(Find<QLineEdit>(dialog, "contestNumberEdit"), number);
    Find<QCheckBox>(dialog, "rulesCheck")->setChecked(rules);
    Find<QPushButton>(dialog, "writeEntryButton")->click();
    QCOMPARE(presenter_.Shown().size(), std::size_t{1});
    QCOMPARE(presenter_.Shown().front().code, code);
    QVERIFY(dialog.isVisible());
    QVERIFY(!std::filesystem::exists(file));
  }

  void writesTheDetailsAndTheEngine() {
    brisca::CVexoDoc doc;
    brisca::samples::BuildSmallBlockV8(doc);
    QTemporaryDir folder;
    const std::filesystem::path file = brisca::ToPath(folder.filePath(QStringLiteral("entry.txt")));
    CContestDlg dialog(doc, file);
    dialog.show();
    QVERIFY(Find<QLabel>(dialog, "noServerNote")->text().contains(QStringLiteral("no contest server")));
    QTest::keyClicks(Find<QLineEdit>(dialog, "contestNumberEdit"), QStringLiteral("7x2"));  // digits only
    QCOMPARE(Find<QLineEdit>(dialog, "contestNumberEdit")->text(), QStringLiteral("72"));
    QTest::keyClicks(Find<QLineEdit>(dialog, "nameEdit"), QStringLiteral("  Rosa Marsh "));
    QTest::keyClicks(Find<QLineEdit>(dialog, "emailEdit"), QStringLiteral("rosa@example.org"));
    Find<QCheckBox>(dialog, "rulesCheck")->setChecked(true);
    Find<QPushButton>(dialog, "writeEntryButton")->click();
    QVERIFY(presenter_.Shown().empty());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));

    QVERIFY(doc.WriteEngineFile(brisca::ToPath(folder.filePath(QStringLiteral("engine.qen")))));
    const std::string engine = ReadAll(brisca::ToPath(folder.filePath(QStringLiteral("engine.qen"))));
    QCOMPARE(ReadAll(file),
             "Contest Entry\nContest Number: 72\nName: Rosa Marsh\nAddress: \nEmail: rosa@example.org\n"
             "Phone: \nRules Read And Acknowledged: Yes\n" + engine);
  }

 private:
  brisca::ScriptedPresenter presenter_;
  brisca::ScopedPresenter installed_{presenter_};
};

QTEST_MAIN(TestContestEntry)
#include "tst_contestentry.moc"
