// Start-up and shut-down of the application: the scheme from the settings,
// the splash time, the files named on the command line, the low-colour notice,
// the preferences written at exit, scheme changes and the user manual.
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QPdfSearchModel>
#include <QPdfView>
#include <QTreeView>
#include <QLineEdit>
#include <QAction>
#include <QPointer>
#include <QSettings>
#include <QTest>

#include "core/base/Version.h"
#include "core/document/CommandIds.h"
#include "core/document/VexoDoc.h"
#include "gui/shell/AboutDlg.h"
#include "gui/shell/ChildFrame.h"
#include "gui/shell/ColorScheme.h"
#include "gui/shell/LowColorDlg.h"
#include "gui/shell/ManualViewer.h"
#include "gui/shell/MainFrame.h"
#include "gui/shell/WorkbookTabs.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/support/ScriptedPresenter.h"
#include "tests/support/TempDir.h"

using brisca::test::AnswerNextModal;
using brisca::test::QuickStart;

namespace {

void WritePreference(const char* key, const QVariant& value) {
  QSettings().setValue(QStringLiteral("Preferences/%1").arg(QLatin1String(key)), value);
}

QVariant ReadPreference(const char* key) {
  return QSettings().value(QStringLiteral("Preferences/%1").arg(QLatin1String(key)));
}

brisca::DisplayColors FakeDisplay(bool palette, int paletteSize, long long colorCount) {
  brisca::DisplayColors display;
  display.paletteBased = palette;
  display.paletteSize = paletteSize;
  display.colorCount = colorCount;
  return display;
}

}  // namespace

class TestVexoApp : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    brisca::test::ScratchSettings::Clear();
    presenter_.Clear();
  }

  void firstStartUsesBasicBlueAndOneNewDocument() {
    brisca::CVexoApp app(QuickStart());
    QVERIFY(app.InitInstance({QStringLiteral("brisca")}));
    brisca::CMainFrame* frame = app.MainFrame();
    QVERIFY(QTest::qWaitForWindowExposed(frame));
    QCOMPARE(app.SchemeNumber(), 1);
    QCOMPARE(brisca::ActiveScheme(), 1);
    QCOMPARE(frame->windowTitle(), QStringLiteral("Brisca"));
    QVERIFY(frame->isMaximized());
    QVERIFY(frame->IsWorkbook());
    QCOMPARE(frame->Documents().Documents().size(), size_t(1));
    QCOMPARE(frame->ActiveDocument()->GetTitle(), std::string("Brisca1"));
    QVERIFY(frame->ActiveDocument()->Results().IsEmpty());
    QCOMPARE(app.EngineFolder().filename().string(), std::string("EngineFiles (.QEN)"));
    QVERIFY(presenter_.Shown().empty());
  }

  void schemeComesFromTheSettings_data() {
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<int>("scheme");
    QTest::newRow("0") << QVariant(0) << 0;
    QTest::newRow("2") << QVariant(2) << 2;
    QTest::newRow("3") << QVariant(3) << 3;
    QTest::newRow("7 is out of range") << QVariant(7) << 0;
    QTest::newRow("-1 is out of range") << QVariant(-1) << 0;
    QTest::newRow("text is out of range") << QVariant(QStringLiteral("blue")) << 0;
  }
  void schemeComesFromTheSettings() {
    QFETCH(QVariant, stored);
    QFETCH(int, scheme);
    WritePreference("ColorSchemeNumLastUsed", stored);
    brisca::CVexoApp app(QuickStart());
    QVERIFY(app.InitInstance({QStringLiteral("brisca")}));
    QCOMPARE(app.SchemeNumber(), scheme);
    QCOMPARE(brisca::ActiveScheme(), scheme);
    // Coloured schemes carry the logo at the right end of the menu bar; scheme 0 none.
    QCOMPARE(app.MainFrame()->MainMenuBar()->cornerWidget(Qt::TopRightCorner) != nullptr, scheme != 0);
    // The check mark sits on the current scheme only.
    for (int s = 0; s < brisca::kSchemeCount; ++s) {
      QAction* action = app.MainFrame()->Action(brisca::SchemeCommand(s));
      QCOMPARE(action->isChecked(), s == scheme);
    }
  }

  // Each engine named on the command line opens in its own window; a file that
  // cannot be read is reported by number and the program starts all the same,
  // with the empty engine when nothing opened.
  void filesOnTheCommandLineOpenInWindows_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<int>("errors");
    const QString v8 = QString::fromStdString(brisca::test::SampleEngine().string());
    const QString four = QString::fromStdString(brisca::test::SampleEngine("Four 1.6L.qen").string());
    const QString missing = QStringLiteral("/nonexistent/Missing Engine.qen");
    QTest::newRow("two engines") << QStringList{v8, four}
                                 << QStringList{QStringLiteral("Stock Small-Block V8"), QStringLiteral("Four 1.6L")} << 0;
    QTest::newRow("relative to the current folder") << QStringList{QStringLiteral("Four 1.6L.qen")}
                                                    << QStringList{QStringLiteral("Four 1.6L")} << 0;
    QTest::newRow("the same engine twice") << QStringList{four, four} << QStringList{QStringLiteral("Four 1.6L")} << 0;
    QTest::newRow("missing file") << QStringList{missing} << QStringList{QStringLiteral("Brisca1")} << 1;
    QTest::newRow("not an engine") << QStringList{QStringLiteral("GARBAGE")} << QStringList{QStringLiteral("Brisca1")} << 1;
    QTest::newRow("one bad, one good") << QStringList{missing, four} << QStringList{QStringLiteral("Four 1.6L")} << 1;
  }
  void filesOnTheCommandLineOpenInWindows() {
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, titles);
    QFETCH(int, errors);
    brisca::TempDir dir;
    const QString garbage = QString::fromStdString(dir.Write("Garbage.qen", "not an engine\n").string());
    arguments.replaceInStrings(QStringLiteral("GARBAGE"), garbage);
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(QString::fromStdString(brisca::test::SampleEngine().parent_path().string())));
    brisca::CVexoApp app(QuickStart());
    const bool started = app.InitInstance(QStringList{QStringLiteral("brisca")} + arguments);
    QDir::setCurrent(previous);
    QVERIFY(started);
    QStringList windows;
    for (const brisca::CChildFrame* frame : app.MainFrame()->Frames()) {
      windows << QString::fromStdString(frame->Document().GetTitle());
    }
    QCOMPARE(windows, titles);
    QCOMPARE(int(presenter_.Shown().size()), errors);
    for (const brisca::Message& shown : presenter_.Shown()) {
      QCOMPARE(shown.kind, brisca::MessageKind::Error);
      QVERIFY(shown.code > 0);
    }
    QVERIFY(app.MainFrame()->isVisible());
  }

  // Any start-up folder will do, however deep: its engine-files folder lies below it.
  void startsFromAFolderOfAnyLength() {
    brisca::TempDir dir;
    std::filesystem::path deep = dir.Path();
    while (deep.string().size() < 300) deep /= std::string(40, 'd');
    std::filesystem::create_directories(deep);
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(QString::fromStdString(deep.string())));
    brisca::CVexoApp app(QuickStart());
    const bool started = app.InitInstance({QStringLiteral("brisca")});
    QDir::setCurrent(previous);
    QVERIFY(started);
    QCOMPARE(app.EngineFolder(), deep / "EngineFiles (.QEN)");
    QCOMPARE(app.MainFrame()->Documents().Documents().size(), size_t(1));
  }

  void splashStaysUpItsMinimumTime() {
    brisca::AppOptions options = QuickStart();
    options.splashMinimumMs = 400;
    brisca::CVexoApp app(options);
    QElapsedTimer clock;
    clock.start();
    QVERIFY(app.InitInstance({QStringLiteral("brisca")}));
    QVERIFY(clock.elapsed() >= 400);
    QCOMPARE(brisca::AppOptions().splashMinimumMs, 2000);
  }

  // The display counts as low-colour by either half of its test; the notice
  // shows when it was not suppressed OR the last run had a high-colour display.
  void lowColorNotice_data() {
    QTest::addColumn<bool>("palette");
    QTest::addColumn<int>("paletteSize");
    QTest::addColumn<qlonglong>("colorCount");
    QTest::addColumn<int>("suppressed");
    QTest::addColumn<int>("highColorLastRun");
    QTest::addColumn<bool>("lowColor");
    QTest::addColumn<bool>("noticeShown");
    QTest::newRow("true colour") << false << 0 << -1LL << 0 << 0 << false << false;
    QTest::newRow("large palette") << true << 65536 << -1LL << 0 << 0 << false << false;
    QTest::newRow("256-entry palette") << true << 256 << -1LL << 0 << 0 << true << true;
    QTest::newRow("16 colours, no palette") << false << 0 << 16LL << 0 << 0 << true << true;
    QTest::newRow("256 colours reported") << false << 0 << 256LL << 0 << 1 << true << true;
    QTest::newRow("257 colours reported") << false << 0 << 257LL << 0 << 0 << false << false;
    QTest::newRow("suppressed") << true << 16 << 16LL << 1 << 0 << true << false;
    QTest::newRow("suppressed, high colour last run") << true << 16 << 16LL << 1 << 1 << true << true;
  }
  void lowColorNotice() {
    QFETCH(bool, palette);
    QFETCH(int, paletteSize);
    QFETCH(qlonglong, colorCount);
    QFETCH(int, suppressed);
    QFETCH(int, highColorLastRun);
    QFETCH(bool, lowColor);
    QFETCH(bool, noticeShown);
    WritePreference("ColorSchemeNumLastUsed", 2);
    WritePreference("SuppressLowClrInfoMsg", suppressed);
    WritePreference("HighColorModeLastUsed", highColorLastRun);

    brisca::AppOptions options = QuickStart();
    options.displayColors = [=] { return FakeDisplay(palette, paletteSize, colorCount); };
    brisca::CVexoApp app(options);
    bool seen = false;
    QString noticeText;
    AnswerNextModal<brisca::CLowColorDlg>(
        [&](brisca::CLowColorDlg* dialog) {
          noticeText = dialog->findChildren<QLabel*>().last()->text();
          dialog->DontShowAgainBox()->setChecked(true);
          dialog->accept();
        },
        &seen);
    QVERIFY(app.InitInstance({QStringLiteral("brisca")}));
    QTest::qWait(noticeShown ? 0 : 300);  // time enough for a notice that should not come
    QCOMPARE(seen, noticeShown);
    QCOMPARE(app.IsLowColorDisplay(), lowColor);
    QCOMPARE(app.SchemeNumber(), lowColor ? 0 : 2);
    QCOMPARE(brisca::ActiveScheme(), lowColor ? 0 : 2);
    QCOMPARE(app.MainFrame()->MainMenuBar()->cornerWidget(Qt::TopRightCorner) == nullptr, lowColor);
    if (noticeShown) QVERIFY(noticeText.contains(QStringLiteral("low color mode")));

    app.ExitInstance();
    QCOMPARE(ReadPreference("SuppressLowClrInfoMsg").toInt(), (suppressed || noticeShown) ? 1 : 0);
    QCOMPARE(ReadPreference("HighColorModeLastUsed").toInt(), lowColor ? 0 : 1);
    QCOMPARE(ReadPreference("ColorSchemeNumLastUsed").toInt(), lowColor ? 0 : 2);
  }

  void preferencesAreWrittenAtExitAndReadBack() {
    WritePreference("ColorSchemeNumLastUsed", 3);
    {
      brisca::CVexoApp app(QuickStart());
      QVERIFY(app.InitInstance({QStringLiteral("brisca")}));
      app.ExitInstance();
    }
    QCOMPARE(ReadPreference("ColorSchemeNumLastUsed").toInt(), 3);
    QCOMPARE(ReadPreference("HighColorModeLastUsed").toInt(), 1);
    QCOMPARE(ReadPreference("SuppressLowClrInfoMsg").toInt(), 0);
    brisca::CVexoApp again(QuickStart());
    QVERIFY(again.InitInstance({QStringLiteral("brisca")}));
    QCOMPARE(again.SchemeNumber(), 3);
    QCOMPARE(again.Prefs().highColorModeLastUsed, true);
  }

  void choosingTheCurrentSchemeDoesNothing() {
    brisca::CVexoApp app(QuickStart());
    QVERIFY(app.InitInstance({QStringLiteral("brisca")}));
    app.MainFrame()->Action(brisca::command::kSchemeBasicBlue)->trigger();
    QVERIFY(presenter_.Shown().empty());
    QVERIFY(app.MainFrame()->isVisible());
    QCOMPARE(app.SchemeNumber(), 1);
  }

  void cancelledSchemeChangeKeepsRunningWithTheOldScheme() {
    brisca::CVexoApp app(QuickStart());
    QVERIFY(app.InitInstance({QStringLiteral("brisca")}));
    presenter_.Answer(brisca::MessageButton::Cancel);
    app.MainFrame()->Action(brisca::command::kSchemeDeepBlue)->trigger();
    QCOMPARE(presenter_.Shown().size(), size_t(1));
    QCOMPARE(presenter_.Shown().front().code, 113);
    QVERIFY(app.MainFrame()->isVisible());
    QCOMPARE(app.SchemeNumber(), 1);
    QVERIFY(app.MainFrame()->Action(brisca::command::kSchemeBasicBlue)->isChecked());
    app.ExitInstance();
    QCOMPARE(ReadPreference("ColorSchemeNumLastUsed").toInt(), 1);
  }

  void acceptedSchemeChangeClosesAndTakesEffectAtNextStart() {
    brisca::CVexoApp app(QuickStart());
    QVERIFY(app.InitInstance({QStringLiteral("brisca")}));
    QPointer<brisca::CMainFrame> frame = app.MainFrame();
    presenter_.Answer(brisca::MessageButton::Ok);
    frame->Action(brisca::command::kSchemeOrangeOriginal)->trigger();
    QTRY_VERIFY(frame.isNull() || !frame->isVisible());
    QCOMPARE(app.SchemeNumber(), 3);
    QCOMPARE(brisca::ActiveScheme(), 1);  // the colours stay until the program ends
    app.ExitInstance();
    QCOMPARE(ReadPreference("ColorSchemeNumLastUsed").toInt(), 3);
  }

  // F1 shows the manual in the program's own viewer: its pages, its outline, a
  // search that finds the manual's words; the command again brings back the same window.
  void userManualOpensInItsOwnViewer() {
    brisca::CVexoApp app(QuickStart());
    QVERIFY(app.InitInstance({QStringLiteral("brisca")}));
    QVERIFY2(std::filesystem::exists(app.ManualPath()), app.ManualPath().c_str());
    app.MainFrame()->Action(brisca::command::kUserManual)->trigger();
    brisca::CManualViewer* viewer = app.ManualViewer();
    QVERIFY(viewer);
    QVERIFY(QTest::qWaitForWindowExposed(viewer));
    QVERIFY(viewer->IsLoaded());
    QVERIFY(viewer->PageCount() > 1);
    // The outline shows only when the PDF has one.
    QCOMPARE(viewer->Outline()->isVisibleTo(viewer), viewer->Outline()->model()->rowCount() > 0);
    viewer->GoToPage(1);
    QTRY_COMPARE(viewer->CurrentPage(), 1);
    QTest::keyClicks(viewer->SearchField(), QStringLiteral("dynamometer"));
    QTest::keyClick(viewer->SearchField(), Qt::Key_Return);
    QTRY_VERIFY(viewer->SearchModel()->rowCount(QModelIndex()) > 0);
    const double zoom = viewer->PageView()->zoomFactor();
    viewer->ZoomBy(2.0);
    QCOMPARE(viewer->PageView()->zoomFactor(), zoom * 2.0);
    app.MainFrame()->OnCommand(brisca::command::kUserManual);
    QCOMPARE(app.ManualViewer(), viewer);
    QVERIFY(presenter_.Shown().empty());
  }

  // Error 76 only when the manual itself is missing, naming where it was looked for.
  void missingManualShowsError76WithItsPath() {
    brisca::AppOptions options = QuickStart();
    options.manualFile = "/nonexistent/Manuals & Videos/Brisca User Manual.pdf";
    brisca::CVexoApp app(options);
    QVERIFY(app.InitInstance({QStringLiteral("brisca")}));
    app.MainFrame()->Action(brisca::command::kUserManual)->trigger();
    QCOMPARE(presenter_.Shown().size(), size_t(1));
    const brisca::Message& shown = presenter_.Shown().front();
    QCOMPARE(shown.code, 76);
    QCOMPARE(shown.title, std::string("User Manual Error"));
    QVERIFY(shown.text.find("not found") != std::string::npos);
    QVERIFY(shown.text.find(options.manualFile.string()) != std::string::npos);
    QVERIFY(shown.text.find("Acrobat") == std::string::npos);
    QVERIFY(!app.ManualViewer());
  }

  // "Open in External Viewer" hands the manual's path to the outside viewer;
  // a viewer that fails is notice 380, never error 76.
  void externalViewer_data() {
    QTest::addColumn<QString>("opener");
    QTest::addColumn<bool>("notice");
    QTest::newRow("opener exits 1") << QStringLiteral("false") << true;
    QTest::newRow("opener missing") << QStringLiteral("/nonexistent/brisca-opener") << true;
    QTest::newRow("opener succeeds") << QString() << false;
  }
  void externalViewer() {
    QFETCH(QString, opener);
    QFETCH(bool, notice);
    brisca::TempDir dir;
    const auto seenFile = dir / "argument.txt";
    if (opener.isEmpty()) {
      const auto script = dir.Write("opener.sh", "#!/bin/sh\nprintf '%s' \"$1\" > \"" + seenFile.string() + "\"\n");
      std::filesystem::permissions(script, std::filesystem::perms::owner_all);
      opener = QString::fromStdString(script.string());
    }
    brisca::AppOptions options = QuickStart();
    options.manualOpener = opener;
    brisca::CVexoApp app(options);
    QVERIFY(app.InitInstance({QStringLiteral("brisca")}));
    app.MainFrame()->OnCommand(brisca::command::kUserManual);
    QVERIFY(app.ManualViewer());
    QAction* external = nullptr;
    for (QAction* action : app.ManualViewer()->findChildren<QAction*>()) {
      if (action->text() == QStringLiteral("Open in External Viewer")) external = action;
    }
    QVERIFY(external);
    external->trigger();
    if (notice) {
      QTRY_COMPARE(presenter_.Shown().size(), size_t(1));
      QCOMPARE(presenter_.Shown().front().kind, brisca::MessageKind::Notice);
      QCOMPARE(presenter_.Shown().front().code, 380);
    } else {
      QTRY_COMPARE(brisca::TempDir::ReadFile(seenFile), app.ManualPath().string());
      QCOMPARE(app.ManualPath().filename().string(), std::string("Brisca User Manual.pdf"));
      QCOMPARE(app.ManualPath().parent_path().filename().string(), std::string("Manuals & Videos"));
      QVERIFY(presenter_.Shown().empty());
    }
  }

  // The viewer goes with the main window, so that closing the program ends it.
  void manualViewerClosesWithTheMainWindow() {
    brisca::CVexoApp app(QuickStart());
    QVERIFY(app.InitInstance({QStringLiteral("brisca")}));
    app.MainFrame()->OnCommand(brisca::command::kUserManual);
    QPointer<brisca::CManualViewer> viewer = app.ManualViewer();
    QVERIFY(viewer);
    app.MainFrame()->close();
    QTRY_VERIFY(viewer.isNull());
  }

  void aboutBoxNamesProgramVersionAndBuildDate() {
    brisca::CVexoApp app(QuickStart());
    QVERIFY(app.InitInstance({QStringLiteral("brisca")}));
    QStringList texts;
    bool seen = false;
    AnswerNextModal<brisca::CAboutDlg>(
        [&](brisca::CAboutDlg* about) {
          for (QLabel* label : about->findChildren<QLabel*>()) texts << label->text();
          about->accept();
        },
        &seen);
    app.MainFrame()->OnCommand(brisca::command::kAppAbout);
    QVERIFY(seen);
    QVERIFY(texts.join(QLatin1Char('\n')).contains(QStringLiteral("Brisca")));
    QVERIFY(texts.contains(QStringLiteral("Version 4.21.0705")));
    QCOMPARE(QString::fromLatin1(brisca::ProgramVersion()), QStringLiteral("4.21.0705"));
    const QRegularExpression built(QStringLiteral("^Built \\d{4}-\\d{2}-\\d{2}$"));
    QVERIFY(std::any_of(texts.begin(), texts.end(), [&](const QString& t) { return built.match(t).hasMatch(); }));
  }

 private:
  brisca::test::ScratchSettings settings_;
  brisca::ScriptedPresenter presenter_;
  brisca::ScopedPresenter installed_{presenter_};
};

QTEST_MAIN(TestVexoApp)
#include "tst_vexoapp.moc"
