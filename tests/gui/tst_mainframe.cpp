// The main frame and its engine windows: the two tabbed panes, New Window,
// the workbook tabs, opening, the modified mark and prompts, saving, damaged
// files, recent files, the timers and the queued refresh.
#include <QFileDialog>
#include <QRegularExpression>
#include <QInputDialog>
#include <QLineEdit>
#include <QSettings>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <sys/stat.h>

#include "core/document/CommandIds.h"
#include "core/document/VexoDoc.h"
#include "gui/engine/EngineMenus.h"
#include "gui/results/ChartMenuTable.h"
#include "gui/shell/EditFloatPt.h"
#include "gui/valvetrain/AirFlowDlg.h"
#include "gui/engine/EngineFormView.h"
#include "gui/shell/ChildFrame.h"
#include "gui/shell/ColorScheme.h"
#include "gui/shell/MainFrame.h"
#include "gui/results/Chart2dView.h"
#include "gui/results/ResultsTableView.h"
#include "gui/shell/WorkbookTabs.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/support/ScriptedPresenter.h"
#include "tests/support/TempDir.h"

using brisca::CChildFrame;
using brisca::CMainFrame;
using brisca::CVexoDoc;
using brisca::test::AnswerNextModal;
namespace command = brisca::command;
namespace fs = std::filesystem;

namespace {

QStringList TabTexts(const QTabWidget* tabs) {
  QStringList texts;
  for (int i = 0; i < tabs->count(); ++i) texts << tabs->tabText(i);
  return texts;
}

QMdiSubWindow* WindowOf(const CChildFrame* frame) {
  return qobject_cast<QMdiSubWindow*>(frame->parentWidget());
}

// Presses `button` on the next message box and records its text.
void AnswerQuestion(QMessageBox::StandardButton button, QString* text = nullptr, bool* seen = nullptr) {
  AnswerNextModal<QMessageBox>(
      [button, text](QMessageBox* box) {
        if (text) *text = box->text();
        box->button(button)->click();
      },
      seen);
}

ino_t Inode(const fs::path& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
}

// What a page that follows the document shows of it: the right-hand "Table"
// page, as it took the document at its last update (engine name, title, rows).
QString SummaryOf(const CChildFrame* frame) {
  auto* page = qobject_cast<brisca::CResultsTableView*>(frame->RightTabs()->widget(1));
  return page ? page->ShownText() : QString();
}

}  // namespace

class TestMainFrame : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    brisca::test::ScratchSettings::Clear();
    presenter_.Clear();
    prompts_.clear();
    app_ = std::make_unique<brisca::CVexoApp>(brisca::test::QuickStart());
    QVERIFY(app_->InitInstance({QStringLiteral("brisca")}));
    frame_ = app_->MainFrame();
    QVERIFY(QTest::qWaitForWindowExposed(frame_));
  }
  // The file prompts answer from the script (empty path: Cancel) and remember what they were asked.
  void AnswerFilePrompt(const fs::path& path) {
    frame_->Host().SetFilePrompter([this, path](const brisca::FilePrompt& prompt) -> std::optional<fs::path> {
      prompts_.push_back(prompt);
      if (path.empty()) return std::nullopt;
      return path;
    });
  }

  void cleanup() {
    // Leave without prompts: nothing the tests changed is worth keeping.
    for (CVexoDoc* doc : frame_->Documents().Documents()) doc->SetModified(false);
    app_.reset();
  }

  void childFrameHasTwoTabbedPanesOnOneDocument() {
    CChildFrame* child = frame_->ActiveFrame();
    QVERIFY(child);
    QCOMPARE(TabTexts(child->LeftTabs()),
             (QStringList{"Engine", "Graph", "Table", "ProData"}));
    QCOMPARE(TabTexts(child->RightTabs()), (QStringList{"Graph", "Table", "ProData"}));
    QTRY_COMPARE(child->Splitter()->sizes().value(0), 450);
    QVERIFY(child->Splitter()->sizes().value(1) > 0);
    for (QTabWidget* tabs : {child->LeftTabs(), child->RightTabs()}) {
      for (int i = 0; i < tabs->count(); ++i) {
        if (auto* form = qobject_cast<brisca::CEngineFormView*>(tabs->widget(i))) {
          QCOMPARE(tabs, child->LeftTabs());
          QCOMPARE(&form->Document(), &child->Document());
          continue;
        }
        const bool graph = tabs->tabText(i) == QStringLiteral("Graph");
        brisca::CVexoDoc* shown = nullptr;
        if (auto* chart = qobject_cast<brisca::CChart2dView*>(tabs->widget(i))) shown = &chart->Document();
        if (auto* view = qobject_cast<brisca::CResultsTableView*>(tabs->widget(i))) shown = &view->Document();
        QCOMPARE(graph, qobject_cast<brisca::CChart2dView*>(tabs->widget(i)) != nullptr);
        QCOMPARE(shown, &child->Document());
      }
    }
  }

  void tabWindowsTakeTheirSchemeColours_data() {
    QTest::addColumn<int>("scheme");
    QTest::newRow("Basic Blue") << 1;
    QTest::newRow("Deep Blue") << 2;
    QTest::newRow("Orange Original") << 3;
  }
  void tabWindowsTakeTheirSchemeColours() {
    QFETCH(int, scheme);
    app_.reset();
    QSettings().setValue(QStringLiteral("Preferences/ColorSchemeNumLastUsed"), scheme);
    app_ = std::make_unique<brisca::CVexoApp>(brisca::test::QuickStart());
    QVERIFY(app_->InitInstance({QStringLiteral("brisca")}));
    frame_ = app_->MainFrame();
    QVERIFY(QTest::qWaitForWindowExposed(frame_));
    CChildFrame* child = frame_->ActiveFrame();
    // The engine form paints its own background (entry 1); the other pages show the tab window's.
    auto* form = qobject_cast<brisca::CEngineFormView*>(child->LeftTabs()->widget(0));
    const QImage formPicture = form->Canvas()->grab().toImage();
    QCOMPARE(QColor(formPicture.pixel(formPicture.width() - 2, 1)), brisca::SchemeColor(scheme, 1));
    child->LeftTabs()->setCurrentIndex(1);
    const QImage left = child->LeftTabs()->currentWidget()->grab().toImage();
    const QImage right = child->RightTabs()->currentWidget()->grab().toImage();
    QCOMPARE(QColor(left.pixel(3, 3)), brisca::SchemeColor(scheme, 69));
    QCOMPARE(QColor(right.pixel(3, 3)), brisca::SchemeColor(scheme, 77));
  }

  void newWindowShowsTheDocumentWithoutRegisteringMoreViews() {
    CChildFrame* first = frame_->ActiveFrame();
    CVexoDoc& doc = first->Document();
    brisca::ViewRegistry& views = frame_->Documents().Views(doc);
    QCOMPARE(views.View(brisca::ViewSlot::EngineForm), first->LeftTabs()->widget(0));
    QCOMPARE(views.View(brisca::ViewSlot::SecondChart), first->RightTabs()->widget(0));

    frame_->OnCommand(command::kWindowNew);
    QCOMPARE(frame_->FramesOf(doc).size(), size_t(2));
    CChildFrame* second = frame_->FramesOf(doc).back();
    QCOMPARE(views.View(brisca::ViewSlot::EngineForm), first->LeftTabs()->widget(0));
    QCOMPARE(views.View(brisca::ViewSlot::FirstChart), first->LeftTabs()->widget(1));
    QCOMPARE(WindowOf(first)->windowTitle(), QStringLiteral("Brisca1:1[*]"));
    QCOMPARE(WindowOf(second)->windowTitle(), QStringLiteral("Brisca1:2[*]"));

    // Closing one of two windows asks nothing, even with changes.
    doc.SetModified(true);
    QVERIFY(WindowOf(second)->close());
    QTRY_COMPARE(frame_->FramesOf(doc).size(), size_t(1));
    QCOMPARE(frame_->Documents().Documents().size(), size_t(1));
    QCOMPARE(WindowOf(first)->windowTitle(), QStringLiteral("Brisca1[*]"));
    QVERIFY(presenter_.Shown().empty());
  }

  void workbookTabsFollowTheWindows() {
    frame_->OnCommand(command::kFileNew);
    brisca::WorkbookTabs* tabs = frame_->Workbook();
    QMdiArea* area = frame_->MdiArea();
    QCOMPARE(tabs->count(), 2);
    QCOMPARE(tabs->tabText(1), QStringLiteral("Brisca2"));
    QCOMPARE(tabs->currentIndex(), 1);

    area->setActiveSubWindow(area->subWindowList().at(0));
    QCOMPARE(tabs->currentIndex(), 0);
    tabs->setCurrentIndex(1);
    QCOMPARE(area->activeSubWindow(), area->subWindowList().at(1));

    for (int id : {command::kWindowTile, command::kWindowCascade}) {
      frame_->OnCommand(id);
      QCOMPARE(tabs->count(), 2);
      tabs->setCurrentIndex(0);
      QCOMPARE(area->activeSubWindow(), area->subWindowList().at(0));
    }

    QVERIFY(frame_->Action(command::kWorkbook)->isChecked());
    frame_->Action(command::kWorkbook)->trigger();
    QVERIFY(tabs->isHidden());
    QVERIFY(!frame_->Action(command::kWorkbook)->isChecked());
    frame_->Action(command::kWorkbook)->trigger();
    QVERIFY(!tabs->isHidden());

    frame_->CloseDocument(*frame_->ActiveDocument());
    QTRY_COMPARE(tabs->count(), 1);
  }

  void openingASampleReadsAndRunsIt() {
    const fs::path sample = brisca::test::SampleEngine();
    QVERIFY(frame_->OpenFile(sample));
    CVexoDoc* doc = frame_->ActiveDocument();
    QCOMPARE(doc->GetTitle(), std::string("Stock Small-Block V8"));
    QVERIFY(!doc->Results().IsEmpty());
    QVERIFY(doc->PeakInWindow(2, 1000, 14500) > 0);
    QVERIFY(!doc->IsModified());
    QCOMPARE(frame_->Documents().Documents().size(), size_t(2));
    QCOMPARE(frame_->Mru().Files().value(0), QString::fromStdString(fs::canonical(sample).string()));
    QStringList panes;
    for (QLabel* pane : frame_->IndicatorPanes()) panes << pane->text();
    QCOMPARE(panes, (QStringList{"Domestic", "Auto Run", "Results", "Uncorrected"}));
    QVERIFY(SummaryOf(frame_->ActiveFrame()).contains(QRegularExpression(QStringLiteral("\\n1000\\t[0-9]+\\t"))));

    // The same file again brings its window forward instead of a second copy.
    frame_->setFocus();
    frame_->MdiArea()->setActiveSubWindow(frame_->MdiArea()->subWindowList().at(0));
    QVERIFY(frame_->OpenFile(sample));
    QCOMPARE(frame_->Documents().Documents().size(), size_t(2));
    QCOMPARE(frame_->ActiveDocument(), doc);
    QVERIFY(presenter_.Shown().empty());
  }

  // Open starts in the engine-files folder below the start-up folder; a
  // start-up folder without one offers the shipped sample engines instead.
  void openCommandStartsInTheEngineFolderWithTheEngineFilter_data() {
    QTest::addColumn<bool>("hasEngineFolder");
    QTest::newRow("start-up folder with engine files") << true;
    QTest::newRow("start-up folder without") << false;
  }
  void openCommandStartsInTheEngineFolderWithTheEngineFilter() {
    QFETCH(bool, hasEngineFolder);
    brisca::TempDir startup;
    if (hasEngineFolder) fs::create_directory(startup / "EngineFiles (.QEN)");
    RestartIn(startup.Path());

    QString folder;
    QStringList filters;
    bool seen = false;
    AnswerNextModal<QFileDialog>(
        [&](QFileDialog* dialog) {
          folder = dialog->directory().absolutePath();
          filters = dialog->nameFilters();
          dialog->reject();
        },
        &seen);
    frame_->OnCommand(command::kFileOpen);
    QVERIFY(seen);
    const fs::path expected = hasEngineFolder ? startup / "EngineFiles (.QEN)"
                                              : brisca::test::SampleEngine().parent_path();
    QCOMPARE(app_->EngineFolder(), startup.Path() / "EngineFiles (.QEN)");
    QCOMPARE(folder, QDir(QString::fromStdString(expected.string())).absolutePath());
    QCOMPARE(filters.value(0), QStringLiteral("Brisca Engine Files (*.qen)"));
    QCOMPARE(frame_->Documents().Documents().size(), size_t(1));
  }

  // Whatever modifies the engine, its window and tab show "*" at once, not at
  // some later redraw.
  void modifiedDocumentMarksItsTitle_data() {
    QTest::addColumn<QString>("change");
    QTest::newRow("flag") << QStringLiteral("flag");
    QTest::newRow("chart menu choice") << QStringLiteral("chart");
    QTest::newRow("flow dialog OK") << QStringLiteral("flow");
  }
  void modifiedDocumentMarksItsTitle() {
    QFETCH(QString, change);
    QVERIFY(frame_->OpenFile(brisca::test::SampleEngine()));
    CVexoDoc* doc = frame_->ActiveDocument();
    CChildFrame* child = frame_->ActiveFrame();
    QMdiSubWindow* window = WindowOf(child);
    QVERIFY(!window->isWindowModified());
    if (change == QStringLiteral("flag")) {
      doc->SetModified(true);
    } else if (change == QStringLiteral("chart")) {
      auto* chart = qobject_cast<brisca::CChart2dView*>(child->RightTabs()->widget(0));
      QVERIFY(chart);
      QVERIFY(chart->OnCommand(brisca::ChartRangeCommand(brisca::kAxisX, brisca::RangeMode::Low)));
    } else {
      AnswerNextModal<brisca::CAirFlowDlg>([](brisca::CAirFlowDlg* dialog) {
        // A typed flow figure: OK on an untouched dialog changes nothing.
        auto* flow = dialog->FlowEdit(brisca::FlowSide::Intake, 0);
        flow->setFocus();
        flow->selectAll();
        QTest::keyClicks(flow, QStringLiteral("123"));
        for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
          if (button->text() == QStringLiteral("OK")) button->click();
        }
      });
      auto* form = qobject_cast<brisca::CEngineFormView*>(child->LeftTabs()->widget(0));
      form->Canvas()->findChild<QPushButton*>(QStringLiteral("button%1").arg(brisca::form::kPortFlowButton))->click();
    }
    QVERIFY(doc->IsModified());
    QVERIFY(window->isWindowModified());
    QCOMPARE(brisca::ShownTitle(window), QStringLiteral("Stock Small-Block V8*"));
    QCOMPARE(frame_->Workbook()->tabText(1), QStringLiteral("Stock Small-Block V8*"));
    QCOMPARE(frame_->windowTitle(), QStringLiteral("Brisca"));
    doc->SetModified(false);
    QVERIFY(!window->isWindowModified());
    QCOMPARE(frame_->Workbook()->tabText(1), QStringLiteral("Stock Small-Block V8"));
  }

  // A cleared engine counts as unchanged, so Clear Components first asks the
  // Close question about unsaved work: Yes saves, No clears, Cancel keeps all.
  void clearComponentsAsksAboutUnsavedWork_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("cleared");
    QTest::addColumn<bool>("saved");
    QTest::newRow("Cancel keeps everything") << int(QMessageBox::Cancel) << false << false;
    QTest::newRow("No clears") << int(QMessageBox::No) << true << false;
    QTest::newRow("Yes saves, then clears") << int(QMessageBox::Yes) << true << true;
  }
  void clearComponentsAsksAboutUnsavedWork() {
    QFETCH(int, answer);
    QFETCH(bool, cleared);
    QFETCH(bool, saved);
    brisca::TempDir dir;
    const fs::path path = dir / "Mine.qen";
    fs::copy_file(brisca::test::SampleEngine(), path);
    QVERIFY(frame_->OpenFile(path));
    CVexoDoc* doc = frame_->ActiveDocument();
    QVERIFY(doc->Engine().bore.SetFromText("4.125"));
    doc->SetModified(true);
    bool asked = false;
    AnswerQuestion(QMessageBox::StandardButton(answer), nullptr, &asked);
    QVERIFY(brisca::RunEngineCommand(*doc, command::kClearComponents));
    QVERIFY(asked);
    QCOMPARE(!doc->Engine().bore.IsAssigned(), cleared);
    QCOMPARE(doc->IsModified(), !cleared);
    CVexoDoc onDisk;
    QVERIFY(onDisk.ReadEngineFile(path));
    QCOMPARE(onDisk.Engine().bore.GetValue(), saved ? 4.125f : 4.0f);
  }

  // "Make From File..." starts where File > Open starts: here the samples, as the
  // start-up folder has no engine folder; nothing is typed into the name box.
  void makeFromFileStartsWhereOpenStarts() {
    brisca::TempDir startup;
    RestartIn(startup.Path());
    QString folder;
    QString name = QStringLiteral("unread");
    bool seen = false;
    AnswerNextModal<QFileDialog>(
        [&](QFileDialog* dialog) {
          folder = dialog->directory().absolutePath();
          if (auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) name = edit->text();
          dialog->reject();
        },
        &seen);
    auto* chart = qobject_cast<brisca::CChart2dView*>(frame_->ActiveFrame()->RightTabs()->widget(0));
    QVERIFY(chart);
    chart->OnCommand(brisca::kCmdCompareFromFile);
    QVERIFY(seen);
    const fs::path samples = brisca::test::SampleEngine().parent_path();
    QCOMPARE(folder, QDir(QString::fromStdString(samples.string())).absolutePath());
    QCOMPARE(name, QString());
  }

  // At tool-bar size the User Manual button reads as a book with a question
  // mark, not as a red cross (a cancel or close sign).
  void userManualIconReadsAsAManualAtSixteenPixels() {
    const QImage icon = frame_->Action(command::kUserManual)->icon().pixmap(16, 16).toImage();
    QVERIFY(!icon.isNull());
    int opaque = 0, reddish = 0, light = 0;
    for (int y = 0; y < icon.height(); ++y) {
      for (int x = 0; x < icon.width(); ++x) {
        const QColor c = icon.pixelColor(x, y);
        if (c.alpha() < 128) continue;
        ++opaque;
        if (c.red() > c.green() + 60 && c.red() > c.blue() + 60) ++reddish;
        if (c.lightness() > 200) ++light;
      }
    }
    QCOMPARE(reddish, 0);
    QVERIFY2(opaque > icon.width() * icon.height() / 3, qPrintable(QString::number(opaque)));
    QVERIFY(light > 0 && light < opaque / 2);  // a light mark on a dark cover
  }

  // A window opened among tiled ones comes up large enough to work in, inside the area.
  void newWindowAmongTiledOnesOpensAtAUsableSize() {
    frame_->OnCommand(command::kFileNew);
    frame_->OnCommand(command::kWindowTile);
    CChildFrame* added = frame_->OnWindowNew();
    QVERIFY(added);
    QMdiSubWindow* window = WindowOf(added);
    QVERIFY(!window->isMaximized());
    const QSize area = frame_->MdiArea()->viewport()->size();
    QVERIFY2(window->width() >= area.width() * 2 / 3 && window->height() >= area.height() * 2 / 3,
             qPrintable(QStringLiteral("%1x%2 in %3x%4").arg(window->width()).arg(window->height())
                            .arg(area.width()).arg(area.height())));
    QVERIFY(QRect(QPoint(0, 0), area).contains(window->geometry()));
  }

  void closePromptDecidesTheWindow_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closed");
    QTest::newRow("Cancel keeps it") << int(QMessageBox::Cancel) << false;
    QTest::newRow("No closes without saving") << int(QMessageBox::No) << true;
    QTest::newRow("Yes, then Save As cancelled, keeps it") << int(QMessageBox::Yes) << false;
  }
  void closePromptDecidesTheWindow() {
    QFETCH(int, answer);
    QFETCH(bool, closed);
    CVexoDoc* doc = frame_->ActiveDocument();
    doc->SetModified(true);
    QString question;
    bool asked = false;
    AnswerQuestion(QMessageBox::StandardButton(answer), &question, &asked);
    AnswerFilePrompt({});
    frame_->OnCommand(command::kFileClose);
    QVERIFY(asked);
    QCOMPARE(question, QStringLiteral("Save changes to Brisca1?"));
    QCOMPARE(prompts_.size(), size_t(answer == QMessageBox::Yes ? 1 : 0));
    QTRY_COMPARE(frame_->Documents().Documents().empty(), closed);
    QCOMPARE(frame_->Frames().empty(), closed);
  }

  void closingTheLastWindowOfAChangedEngineAsks() {
    CVexoDoc* doc = frame_->ActiveDocument();
    doc->SetModified(true);
    bool asked = false;
    AnswerQuestion(QMessageBox::Cancel, nullptr, &asked);
    QVERIFY(!WindowOf(frame_->ActiveFrame())->close());
    QVERIFY(asked);
    QCOMPARE(frame_->Documents().Documents(), std::vector<CVexoDoc*>{doc});
  }

  void hostAnswersForTheDesktop() {
    brisca::DesktopHost& host = frame_->Host();
    CVexoDoc* doc = frame_->ActiveDocument();
    QVERIFY(doc->IsDocumentOpen(doc));
    QCOMPARE(host.OpenDocuments(), std::vector<CVexoDoc*>{doc});

    // The value edit dialog announces itself and is closed through the host.
    brisca::CSimSpec* spec = &doc->Engine().bore;
    int closed = 0;
    host.SetEditDialog(spec, [&] { ++closed; });
    QCOMPARE(host.EditedSpec(), spec);
    host.CloseEditDialog();
    QCOMPARE(closed, 1);
    QCOMPARE(host.EditedSpec(), nullptr);
    host.CloseEditDialog();
    QCOMPARE(closed, 1);

    AnswerNextModal<QInputDialog>([](QInputDialog* dialog) {
      dialog->setTextValue(QStringLiteral("Ported Heads"));
      dialog->accept();
    });
    QCOMPARE(host.PromptText("Custom Port Flow", "Description:", "old"), std::optional<std::string>("Ported Heads"));
    AnswerNextModal<QInputDialog>([](QInputDialog* dialog) { dialog->reject(); });
    QCOMPARE(host.PromptText("Custom Port Flow", "Description:", "old"), std::nullopt);

    QCOMPARE(brisca::FileFilter("qcm").section(QStringLiteral(";;"), 0, 0), QStringLiteral("Cam Data Files (*.qcm)"));
    QCOMPARE(brisca::FileFilter("qfw").section(QStringLiteral(";;"), 0, 0), QStringLiteral("Airflow Files (*.qfw)"));
    frame_->CloseDocument(*doc);
    QTRY_VERIFY(host.OpenDocuments().empty());
  }

  void exitWithChangesCancelledKeepsTheProgram() {
    frame_->OnCommand(command::kFileNew);
    for (CVexoDoc* doc : frame_->Documents().Documents()) doc->SetModified(true);
    AnswerQuestion(QMessageBox::Cancel);
    frame_->OnCommand(command::kAppExit);
    QTest::qWait(50);
    QVERIFY(frame_->isVisible());
    QCOMPARE(frame_->Documents().Documents().size(), size_t(2));
  }

  void saveIsRefusedByAValidationCode() {
    brisca::TempDir dir;
    const fs::path target = dir / "empty.qen";
    AnswerFilePrompt(target);
    frame_->OnCommand(command::kSaveAs);
    QCOMPARE(prompts_.size(), size_t(1));
    QVERIFY(prompts_.front().save);
    QCOMPARE(prompts_.front().extension, std::string("qen"));
    QCOMPARE(prompts_.front().proposedName, std::string("Brisca1.qen"));
    QCOMPARE(presenter_.Shown().size(), size_t(1));
    QCOMPARE(presenter_.Shown().front().kind, brisca::MessageKind::Error);
    int code = 0;
    QVERIFY(!frame_->ActiveDocument()->Validate(code));
    QCOMPARE(presenter_.Shown().front().code, code);
    QVERIFY(!fs::exists(target));
    QCOMPARE(frame_->ActiveDocument()->GetTitle(), std::string("Brisca1"));
  }

  void saveWithoutResultsAsksWarning204() {
    brisca::TempDir dir;
    const fs::path file = dir / "engine.qen";
    fs::copy_file(brisca::test::SampleEngine(), file);
    const std::string before = brisca::TempDir::ReadFile(file);
    QVERIFY(frame_->OpenFile(file));
    CVexoDoc* doc = frame_->ActiveDocument();
    doc->Results().Clear();
    doc->SetModified(true);

    presenter_.Answer(brisca::MessageButton::Cancel);
    frame_->OnCommand(command::kFileSave);
    QCOMPARE(presenter_.Shown().size(), size_t(1));
    QCOMPARE(presenter_.Shown().front().code, 204);
    QCOMPARE(brisca::TempDir::ReadFile(file), before);
    QVERIFY(doc->IsModified());

    presenter_.Answer(brisca::MessageButton::Ok);
    frame_->OnCommand(command::kFileSave);
    QCOMPARE(presenter_.Shown().size(), size_t(2));
    QVERIFY(!doc->IsModified());
    QVERIFY(brisca::TempDir::ReadFile(file) != before);
  }

  void saveReplacesTheFileWhole() {
    brisca::TempDir dir;
    const fs::path file = dir / "engine.qen";
    fs::copy_file(brisca::test::SampleEngine(), file);
    QVERIFY(frame_->OpenFile(file));
    CVexoDoc* doc = frame_->ActiveDocument();
    doc->SetModified(true);
    frame_->Host().UpdateAllViews(*doc);
    const ino_t before = Inode(file);

    frame_->OnCommand(command::kFileSave);
    QVERIFY(presenter_.Shown().empty());
    QVERIFY(!doc->IsModified());
    QVERIFY(!WindowOf(frame_->ActiveFrame())->isWindowModified());
    // Written beside the old file and renamed over it: a new file, nothing left over.
    QVERIFY(Inode(file) != before);
    QCOMPARE(dir.Names(), std::vector<std::string>{"engine.qen"});
    QVERIFY(brisca::TempDir::ReadFile(file).rfind("4.2\n", 0) == 0);
  }

  void saveAsRenamesAndRedrawsEveryView() {
    brisca::TempDir dir;
    QVERIFY(frame_->OpenFile(brisca::test::SampleEngine()));
    CVexoDoc* doc = frame_->ActiveDocument();
    frame_->OnCommand(command::kWindowNew);
    AnswerFilePrompt(dir / "Renamed");
    frame_->OnCommand(command::kSaveAs);
    QCOMPARE(prompts_.size(), size_t(1));
    QCOMPARE(prompts_.front().folder, fs::canonical(brisca::test::SampleEngine()).parent_path());
    QVERIFY(presenter_.Shown().empty());
    QVERIFY(fs::exists(dir / "Renamed.qen"));
    QCOMPARE(doc->GetTitle(), std::string("Renamed"));
    for (CChildFrame* child : frame_->FramesOf(*doc)) {
      QVERIFY(SummaryOf(child).startsWith(QStringLiteral("Renamed\t")));
    }
    QCOMPARE(frame_->Mru().Files().value(0),
             QString::fromStdString(fs::canonical(dir / "Renamed.qen").string()));
  }

  void damagedFileShowsItsErrorAndChangesNothing_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("code");
    QTest::newRow("unknown version") << QByteArray("4.3\n0\n1\n1\n") << 48;
    QTest::newRow("unit system 2") << QByteArray("4.2\n2\n1\n1\n") << 47;
    QTest::newRow("truncated") << QByteArray("4.2\n0\n1\n1\n") << 45;
    QTest::newRow("binary") << QByteArray("\x00\x01\xff\xfe garbage", 12) << 48;
  }
  void damagedFileShowsItsErrorAndChangesNothing() {
    QFETCH(QByteArray, content);
    QFETCH(int, code);
    brisca::TempDir dir;
    const fs::path file = dir.Write("damaged.qen", std::string(content.constData(), content.size()));
    CVexoDoc* open = frame_->ActiveDocument();
    open->SetModified(true);
    const QStringList mru = frame_->Mru().Files();

    QVERIFY(!frame_->OpenFile(file));
    QCOMPARE(presenter_.Shown().size(), size_t(1));
    QCOMPARE(presenter_.Shown().front().code, code);
    QCOMPARE(frame_->Documents().Documents(), std::vector<CVexoDoc*>{open});
    QCOMPARE(frame_->ActiveDocument(), open);
    QCOMPARE(open->GetTitle(), std::string("Brisca1"));
    QVERIFY(open->IsModified());
    QCOMPARE(frame_->Mru().Files(), mru);
    QCOMPARE(frame_->Frames().size(), size_t(1));
  }

  void recentFilesKeepFourAcrossRuns() {
    brisca::TempDir dir;
    const char* names[] = {"a.qen", "b.qen", "c.qen", "d.qen", "e.qen"};
    for (const char* name : names) {
      fs::copy_file(brisca::test::SampleEngine(), dir / name);
      QVERIFY(frame_->OpenFile(dir / name));
    }
    const QStringList expected = {
        QString::fromStdString((dir / "e.qen").string()), QString::fromStdString((dir / "d.qen").string()),
        QString::fromStdString((dir / "c.qen").string()), QString::fromStdString((dir / "b.qen").string())};
    QCOMPARE(frame_->Mru().Files(), expected);
    app_->ExitInstance();
    cleanup();

    app_ = std::make_unique<brisca::CVexoApp>(brisca::test::QuickStart());
    QVERIFY(app_->InitInstance({QStringLiteral("brisca")}));
    frame_ = app_->MainFrame();
    QCOMPARE(frame_->Mru().Files(), expected);
    QStringList menuTexts;
    for (QAction* action : frame_->FileMenu()->actions()) {
      if (action->isVisible()) menuTexts << action->text();
    }
    QVERIFY(menuTexts.contains(QStringLiteral("&1 e.qen")));
    QVERIFY(menuTexts.contains(QStringLiteral("&4 b.qen")));
    QVERIFY(!menuTexts.contains(QStringLiteral("&5 a.qen")));
  }

  void timersFireOnceAndPostTheirCommands() {
    int fired1 = 0;
    int fired2 = 0;
    frame_->SetCommandHandler(command::kTimer1Command, [&] { ++fired1; });
    frame_->SetCommandHandler(command::kTimer2Command, [&] { ++fired2; });
    frame_->SetTimer(1, 10);
    frame_->SetTimer(2, 30);
    QVERIFY(frame_->IsTimerActive(1));
    QTRY_COMPARE(fired2, 1);
    QCOMPARE(fired1, 1);
    QTest::qWait(100);
    QCOMPARE(fired1, 1);
    QCOMPARE(fired2, 1);
    QVERIFY(!frame_->IsTimerActive(1));
    QVERIFY(!frame_->IsTimerActive(2));
  }

  void refreshMessageRedrawsTheActiveDocumentLater() {
    CVexoDoc* doc = frame_->ActiveDocument();
    doc->SetTitle("Renamed Elsewhere");
    frame_->PostRefreshActiveDocument();
    QVERIFY(!SummaryOf(frame_->ActiveFrame()).contains(QStringLiteral("Renamed Elsewhere")));
    QTRY_VERIFY(SummaryOf(frame_->ActiveFrame()).contains(QStringLiteral("Renamed Elsewhere")));
  }

 private:
  // Starts the program afresh as if launched from `startup`.
  void RestartIn(const std::filesystem::path& startup) {
    const QString previous = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(startup.string()));
    cleanup();
    init();
    QDir::setCurrent(previous);
  }
  brisca::test::ScratchSettings settings_;
  brisca::ScriptedPresenter presenter_;
  brisca::ScopedPresenter installed_{presenter_};
  std::vector<brisca::FilePrompt> prompts_;
  std::unique_ptr<brisca::CVexoApp> app_;
  CMainFrame* frame_ = nullptr;
};

QTEST_MAIN(TestMainFrame)
#include "tst_mainframe.moc"
