// "Kalvexing™ Setup" driven through its widgets: what it opens with, the
// enabling by the check boxes, Browse, Save and Recall Saved, OK's checks and
// what the document takes over from OK and Cancel.
#include <QCheckBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <fstream>

#include "core/document/ProgramPaths.h"
#include "core/document/VexoDoc.h"
#include "core/reportspecs/ReportSpecs.h"
#include "gui/report/KalvexDlg.h"
#include "gui/report/ReportCommands.h"
#include "gui/shell/PathText.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/support/ScriptedPresenter.h"

using brisca::CKalvexDlg;
using brisca::MessageButton;
using brisca::MessageKind;
using brisca::ReportSpecs;

namespace {

template <typename T>
T* Find(QWidget& dialog, const char* name) {
  T* widget = dialog.findChild<T*>(QString::fromLatin1(name));
  if (!widget) qFatal("no widget %s", name);
  return widget;
}

QLineEdit* Edit(QWidget& dialog, const char* name) { return Find<QLineEdit>(dialog, name); }
QPushButton* Button(QWidget& dialog, const char* name) { return Find<QPushButton>(dialog, name); }
QCheckBox* Check(QWidget& dialog, const char* name) { return Find<QCheckBox>(dialog, name); }

void TypeAndLeave(QLineEdit* edit, const QString& text) {
  edit->setFocus();
  edit->selectAll();
  if (text.isEmpty()) QTest::keyClick(edit, Qt::Key_Delete);
  QTest::keyClicks(edit, text);
  emit edit->editingFinished();
}

ReportSpecs BuiltIn(const char* title) {
  ReportSpecs specs;
  specs.Reset(title);
  return specs;
}

}  // namespace

class TestReportSetup : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    presenter_.Clear();
    folder_ = std::make_unique<QTemporaryDir>();
  }

  void neverSetUpOpensWithDefaultsAndTitle() {
    ReportSpecs settings;
    CKalvexDlg dialog("Engine7", settings, Folder());
    QCOMPARE(dialog.windowTitle(), QString::fromUtf8("Kalvexing\u2122 Setup"));
    QCOMPARE(Edit(dialog, "testTitleEdit")->text(), QStringLiteral("Engine7"));
    QCOMPARE(Edit(dialog, "logoFileEdit")->text(), QStringLiteral("DefaultLogo.bmp"));
    QCOMPARE(Edit(dialog, "pageBottomFileEdit")->text(), QStringLiteral("DefaultCopyright.txt"));
    for (const char* name : {"logoCheck", "pageBottomCheck", "tocCheck", "glossaryCheck"})
      QVERIFY2(Check(dialog, name)->isChecked(), name);
    QVERIFY(Find<QRadioButton>(dialog, "fullGlossaryRadio")->isChecked());
    QVERIFY(!Find<QRadioButton>(dialog, "miniGlossaryRadio")->isChecked());
    QCOMPARE(Edit(dialog, "companyEdit")->maxLength(), 100);
    QVERIFY(!settings.specified);  // nothing reaches the document before OK
  }

  void checkBoxesEnableTheirControls() {
    ReportSpecs settings = BuiltIn("Engine1");
    CKalvexDlg dialog("Engine1", settings, Folder());
    struct Row {
      const char* check;
      std::vector<const char*> controls;
    };
    const Row rows[] = {{"logoCheck", {"logoFileEdit", "logoBrowseButton"}},
                        {"pageBottomCheck", {"pageBottomFileEdit", "pageBottomBrowseButton"}},
                        {"glossaryCheck", {"fullGlossaryRadio", "miniGlossaryRadio"}}};
    for (const Row& row : rows) {
      for (bool on : {false, true}) {
        Check(dialog, row.check)->click();
        QCOMPARE(Check(dialog, row.check)->isChecked(), on);
        for (const char* control : row.controls)
          QVERIFY2(Find<QWidget>(dialog, control)->isEnabled() == on, control);
      }
    }
    Find<QRadioButton>(dialog, "miniGlossaryRadio")->click();
    QVERIFY(!Find<QRadioButton>(dialog, "fullGlossaryRadio")->isChecked());
    QVERIFY(dialog.Setup().Settings().miniGlossary && !dialog.Setup().Settings().fullGlossary);
  }

  void okChecksWhatIsIncluded() {
    ReportSpecs settings = BuiltIn("Engine1");
    const ReportSpecs before = settings;
    CKalvexDlg dialog("Engine1", settings, Folder());
    dialog.show();
    TypeAndLeave(Edit(dialog, "logoFileEdit"), QString());
    TypeAndLeave(Edit(dialog, "companyEdit"), QStringLiteral("   Quarry Engines  "));
    Button(dialog, "okButton")->click();
    QCOMPARE(Codes(), std::vector<int>{133});
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(settings == before);

    Check(dialog, "logoCheck")->click();  // excluded: an empty name is fine
    Button(dialog, "okButton")->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!settings.includeLogo);
    QCOMPARE(settings.logoFile, std::string());
    QCOMPARE(settings.company, std::string("Quarry Engines"));
    QCOMPARE(Edit(dialog, "companyEdit")->text(), QStringLiteral("Quarry Engines"));
  }

  void saveWithInvalidSettingsAsksNothing() {
    ReportSpecs settings = BuiltIn("Engine1");
    CKalvexDlg dialog("Engine1", settings, Folder());
    dialog.show();
    TypeAndLeave(Edit(dialog, "pageBottomFileEdit"), QStringLiteral("  "));
    Button(dialog, "saveButton")->click();
    QCOMPARE(Codes(), std::vector<int>{134});
    QCOMPARE(presenter_.Shown().size(), std::size_t{1});
    QVERIFY(!std::filesystem::exists(Folder() / "Kalvex.INI"));
    QVERIFY(dialog.isVisible());
  }

  void saveThenRecallInAnotherDocument() {
    ReportSpecs first = BuiltIn("Engine1");
    CKalvexDlg saving("Engine1", first, Folder());
    saving.show();
    TypeAndLeave(Edit(saving, "companyEdit"), QStringLiteral("Quarry Engines"));
    TypeAndLeave(Edit(saving, "testerEdit"), QStringLiteral("R. Marsh"));
    Check(saving, "tocCheck")->click();
    Button(saving, "saveButton")->click();  // the question is answered Yes
    QCOMPARE(presenter_.Shown().size(), std::size_t{1});
    QCOMPARE(presenter_.Shown().front().kind, MessageKind::Question);
    QVERIFY(saving.isVisible());  // Save leaves the dialog open
    QVERIFY(std::filesystem::exists(Folder() / "Kalvex.INI"));
    QVERIFY(first == BuiltIn("Engine1"));  // the document's own settings wait for OK

    ReportSpecs second = BuiltIn("Engine2");
    second.company = "Other";
    CKalvexDlg recalling("Engine2", second, Folder());
    Button(recalling, "recallButton")->click();
    QCOMPARE(Edit(recalling, "companyEdit")->text(), QStringLiteral("Quarry Engines"));
    QCOMPARE(Edit(recalling, "testerEdit")->text(), QStringLiteral("R. Marsh"));
    QCOMPARE(Edit(recalling, "testTitleEdit")->text(), QStringLiteral("Engine2"));
    QVERIFY(!Check(recalling, "tocCheck")->isChecked());

    Button(recalling, "resetButton")->click();
    QCOMPARE(Edit(recalling, "companyEdit")->text(), QString());
    QVERIFY(Check(recalling, "tocCheck")->isChecked());
    QCOMPARE(Edit(recalling, "testTitleEdit")->text(), QStringLiteral("Engine2"));
  }

  void browseStoresTheFileNameOnly() {
    QTemporaryDir elsewhere;
    const QString logo = elsewhere.filePath(QStringLiteral("Shop Logo.bmp"));
    std::ofstream(brisca::ToPath(logo)) << "BM";
    ReportSpecs settings = BuiltIn("Engine1");
    CKalvexDlg dialog("Engine1", settings, Folder());
    dialog.show();
    bool seen = false;
    QString startFolder;
    QStringList filters;
    brisca::test::AnswerNextModal<QFileDialog>(
        [&](QFileDialog* browse) {
          startFolder = browse->directory().absolutePath();
          filters = browse->nameFilters();
          // Typed as the user would: selectFile leaves the name box alone while
          // it has focus, and the folder's listing arrives later.
          auto* name = browse->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
          if (!name) return browse->reject();  // the comparisons below then fail
          name->setText(logo);
          static_cast<QDialog*>(browse)->accept();  // QFileDialog keeps its accept protected
        },
        &seen);
    Button(dialog, "logoBrowseButton")->click();
    QVERIFY(seen);
    QCOMPARE(startFolder, QDir(brisca::ToQString(Folder())).absolutePath());
    QCOMPARE(filters, (QStringList{QStringLiteral("Bitmap Files (*.bmp)"), QStringLiteral("All Files (*.*)")}));
    QCOMPARE(Edit(dialog, "logoFileEdit")->text(), QStringLiteral("Shop Logo.bmp"));
    Button(dialog, "okButton")->click();
    QCOMPARE(settings.logoFile, std::string("Shop Logo.bmp"));
  }

  void okMarksTheDocumentModifiedCancelChangesNothing() {
    for (bool ok : {true, false}) {
      brisca::CVexoDoc doc;
      doc.SetTitle("Engine9");
      doc.SetModified(false);
      brisca::test::AnswerNextModal<CKalvexDlg>([&](CKalvexDlg* dialog) {
        TypeAndLeave(Edit(*dialog, "designerEdit"), QStringLiteral("A. Designer"));
        Button(*dialog, ok ? "okButton" : "cancelButton")->click();
      });
      brisca::ProgramPaths paths = brisca::ProgramPaths::Discover();
      paths.reportFolder = Folder() / "Reports";
      QCOMPARE(brisca::RunReportSetup(doc, paths, nullptr), ok);
      // Browse finds the installed pieces in the report folder.
      QVERIFY(std::filesystem::exists(paths.reportFolder / "DefaultLogo.bmp"));
      QCOMPARE(doc.IsModified(), ok);
      QCOMPARE(doc.Report().specified, ok);
      QCOMPARE(doc.Report().designer, std::string(ok ? "A. Designer" : ""));
      if (ok) QCOMPARE(doc.Report().testTitle, std::string("Engine9"));
    }
  }

 private:
  std::filesystem::path Folder() const { return brisca::ToPath(folder_->path()); }
  std::vector<int> Codes() const {
    std::vector<int> codes;
    for (const brisca::Message& message : presenter_.Shown())
      if (message.kind == MessageKind::Error) codes.push_back(message.code);
    return codes;
  }

  brisca::ScriptedPresenter presenter_;
  brisca::ScopedPresenter installed_{presenter_};
  std::unique_ptr<QTemporaryDir> folder_;
};

QTEST_MAIN(TestReportSetup)
#include "tst_reportsetup.moc"
