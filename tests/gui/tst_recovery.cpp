// The start-up offer of an earlier run's unsaved engines: what is offered (only
// sessions whose program is gone; unreadable files reported and kept aside),
// what each answer does with the files, and autosave's own files: written for
// modified engines, gone when saved, closed or at a clean exit.

#include <QLockFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>

#include "core/document/RecoveryFile.h"
#include "core/document/VexoDoc.h"
#include "gui/shell/AutoSaver.h"
#include "gui/shell/RecoveryDlg.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/support/SampleDocuments.h"
#include "tests/support/ScriptedPresenter.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;
using brisca::test::AnswerNextModal;
using brisca::test::QuickStart;

namespace {

const auto kTime = std::chrono::sys_days(std::chrono::year(2026) / 12 / 11) + std::chrono::hours(5);

std::size_t CountFiles(const fs::path& folder) {
  std::size_t count = 0;
  std::error_code ec;
  for (const auto& entry : fs::recursive_directory_iterator(folder, ec)) {
    if (entry.is_regular_file() && entry.path().extension() == ".brec") ++count;
  }
  return count;
}

}  // namespace

class TestRecovery : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    brisca::test::ScratchSettings::Clear();
    presenter_.Clear();
    root_ = std::make_unique<brisca::TempDir>("brisca-recovery");
    orphan_ = Root() / "session-1-1";  // no lock: its program is gone
    fs::create_directories(orphan_);

    brisca::CVexoDoc complete;
    brisca::samples::BuildSmallBlockV8(complete);
    complete.SetTitle("Test V8");
    brisca::WriteRecoveryFile(orphan_ / "1.brec", complete, "/engines/Test V8.qen", kTime);
    brisca::CVexoDoc halfBuilt;
    halfBuilt.SetTitle("Brisca3");
    QVERIFY(halfBuilt.Engine().bore.SetFromText("4.125"));
    brisca::WriteRecoveryFile(orphan_ / "2.brec", halfBuilt, {}, kTime);
    std::ofstream(orphan_ / "3.brec") << "Brisca Recovery File\n1\ncut off";

    // A program still running: its lock is held, its file is not ours to offer.
    live_ = Root() / "session-2-2";
    fs::create_directories(live_);
    brisca::WriteRecoveryFile(live_ / "1.brec", complete, {}, kTime);
    liveLock_ = std::make_unique<QLockFile>(QString::fromStdString((Root() / "session-2-2.lock").string()));
    liveLock_->setStaleLockTime(0);
    QVERIFY(liveLock_->tryLock(0));
  }
  void cleanup() {
    liveLock_.reset();
    root_.reset();
  }

  void recoverOpensTheCheckedEnginesModifiedAndTitledAsBefore() {
    bool seen = false;
    int rows = 0;
    AnswerNextModal<brisca::RecoveryDlg>([&](brisca::RecoveryDlg* dialog) {
      rows = dialog->List()->topLevelItemCount();
      dialog->RecoverButton()->click();
    }, &seen);
    auto app = Start();
    QVERIFY(seen);
    QCOMPARE(rows, 2);  // the unreadable and the live session's files are not offered

    // The unreadable file: reported by number and moved aside, not deleted.
    QCOMPARE(presenter_.Shown().size(), size_t(1));
    QCOMPARE(presenter_.Shown()[0].code, 318);
    QVERIFY(!fs::exists(orphan_ / "3.brec"));
    QCOMPARE(std::distance(fs::directory_iterator(Root() / "unreadable"), fs::directory_iterator()), 1);

    brisca::DocumentManager& documents = app->MainFrame()->Documents();
    const auto open = documents.Documents();
    QCOMPARE(open.size(), size_t(2));  // no empty engine beside them
    QCOMPARE(open[0]->GetTitle(), std::string("Test V8"));
    QCOMPARE(documents.PathOf(*open[0]).string(), std::string("/engines/Test V8.qen"));
    QCOMPARE(open[1]->GetTitle(), std::string("Brisca3"));
    QVERIFY(documents.PathOf(*open[1]).empty());
    QVERIFY(open[1]->Engine().bore.IsAssigned());
    QVERIFY(!open[1]->Engine().stroke.IsAssigned());
    for (brisca::CVexoDoc* doc : open) QVERIFY(doc->IsModified());
    // A new engine does not take a recovered one's name.
    QCOMPARE(app->MainFrame()->OnFileNew().GetTitle(), std::string("Brisca4"));

    // The old files went once this run had written its own; the live one stays.
    QVERIFY(!fs::exists(orphan_));
    QVERIFY(fs::exists(live_ / "1.brec"));
    QCOMPARE(CountFiles(Root()), size_t(4));  // two of this run, the live one, the one kept aside

    // Closing an engine without saving drops its file; a clean exit the rest.
    AnswerNextModal<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::No)->click(); });
    QVERIFY(app->MainFrame()->CloseDocument(*open[1]));
    QTRY_COMPARE(CountFiles(Root()), size_t(3));  // once its window is gone
    app->ExitInstance();
    QCOMPARE(CountFiles(Root()), size_t(2));
    QCOMPARE(std::distance(fs::directory_iterator(Root()), fs::directory_iterator()), 3);  // live session, its lock, unreadable/
  }

  void discardRemovesOnlyTheCheckedEngines() {
    AnswerNextModal<brisca::RecoveryDlg>([&](brisca::RecoveryDlg* dialog) {
      dialog->List()->topLevelItem(1)->setCheckState(0, Qt::Unchecked);
      dialog->DiscardButton()->click();
    });
    auto app = Start();
    QVERIFY(!fs::exists(orphan_ / "1.brec"));
    QVERIFY(fs::exists(orphan_ / "2.brec"));  // unchecked: offered again next time
    QCOMPARE(app->MainFrame()->Documents().Documents().size(), size_t(1));
    QCOMPARE(app->MainFrame()->Documents().Documents()[0]->GetTitle(), std::string("Brisca1"));
    app->ExitInstance();
    app.reset();

    // The next start offers what was kept.
    int rows = 0;
    AnswerNextModal<brisca::RecoveryDlg>([&](brisca::RecoveryDlg* dialog) {
      rows = dialog->List()->topLevelItemCount();
      dialog->reject();
    });
    app = Start();
    QCOMPARE(rows, 1);
    app->ExitInstance();
  }

  void decideLaterKeepsEverythingAndNothingCheckedDisablesTheActions() {
    bool disabled = false;
    AnswerNextModal<brisca::RecoveryDlg>([&](brisca::RecoveryDlg* dialog) {
      for (int i = 0; i < dialog->List()->topLevelItemCount(); ++i)
        dialog->List()->topLevelItem(i)->setCheckState(0, Qt::Unchecked);
      disabled = !dialog->RecoverButton()->isEnabled() && !dialog->DiscardButton()->isEnabled();
      QTest::keyClick(dialog, Qt::Key_Escape);
    });
    auto app = Start();
    QVERIFY(disabled);
    QVERIFY(fs::exists(orphan_ / "1.brec"));
    QVERIFY(fs::exists(orphan_ / "2.brec"));
    app->ExitInstance();
  }

  void autosaveWritesModifiedEnginesAndSavingRemovesTheFile() {
    fs::remove_all(orphan_);
    auto app = Start();
    brisca::CMainFrame* frame = app->MainFrame();
    QVERIFY(frame->OpenFile(brisca::test::SampleEngine()));
    brisca::CVexoDoc& doc = *frame->ActiveDocument();
    app->Saver()->SaveNow();
    QCOMPARE(CountFiles(Root()), size_t(1));  // the live session's alone: nothing modified
    QVERIFY(doc.Engine().bore.SetFromText("4.125"));
    doc.SetModified(true);
    app->Saver()->SaveNow();
    QCOMPARE(CountFiles(Root()), size_t(2));
    presenter_.Answer(brisca::MessageButton::Ok);  // a save without results asks first
    QVERIFY(frame->Documents().SaveDocument(doc, fs::path(root_->Path()) / "saved.qen"));
    QCOMPARE(CountFiles(Root()), size_t(1));
    app->ExitInstance();
  }

 private:
  fs::path Root() const { return fs::path(root_->Path()) / "recovery"; }

  std::unique_ptr<brisca::CVexoApp> Start() {
    brisca::AppOptions options = QuickStart();
    options.recoveryFolder = Root();
    options.autosaveMs = 3600 * 1000;  // the tests write when they choose
    auto app = std::make_unique<brisca::CVexoApp>(options);
    if (!app->InitInstance({QStringLiteral("brisca")})) return nullptr;
    return app;
  }

  std::unique_ptr<brisca::TempDir> root_;
  fs::path orphan_;
  fs::path live_;
  std::unique_ptr<QLockFile> liveLock_;
  brisca::test::ScratchSettings settings_;
  brisca::ScriptedPresenter presenter_;
  brisca::ScopedPresenter installed_{presenter_};
};

QTEST_MAIN(TestRecovery)
#include "tst_recovery.moc"
