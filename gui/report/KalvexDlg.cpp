#include "gui/report/KalvexDlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <utility>

#include "gui/shell/PathText.h"

namespace brisca {
namespace {

using Text = ReportSetup::Text;
using Flag = ReportSetup::Flag;
using Glossary = ReportSetup::Glossary;

struct TextRow {
  Text text;
  const char* objectName;
  const char* label;  //!< empty for a file edit, which sits beside its check box
};

// In the order of edits_.
constexpr TextRow kTextRows[] = {
    {Text::TestTitle, "testTitleEdit", "Test/Engine Title:"},
    {Text::Company, "companyEdit", "Company/Name:"},
    {Text::AddressLine1, "addressLine1Edit", "Address Line 1:"},
    {Text::AddressLine2, "addressLine2Edit", "Address Line 2:"},
    {Text::PhoneFax, "phoneFaxEdit", "Phone/Fax:"},
    {Text::EmailWeb, "emailWebEdit", "Email/Web:"},
    {Text::Tester, "testerEdit", "Engine Tester:"},
    {Text::Designer, "designerEdit", "Engine Designer:"},
    {Text::LogoFile, "logoFileEdit", ""},
    {Text::PageBottomFile, "pageBottomFileEdit", ""},
};
constexpr int kLogoRow = 8;
constexpr int kPageBottomRow = 9;

struct BrowseFilter {
  const char* suffix;
  const char* filter;
};
constexpr BrowseFilter kLogoFilter = {"bmp", "Bitmap Files (*.bmp)"};
constexpr BrowseFilter kPageBottomFilter = {"txt", "Text Files (*.txt)"};
constexpr const char* kAllFiles = "All Files (*.*)";

QCheckBox* MakeCheck(const char* text, const char* name) {
  auto* check = new QCheckBox(QString::fromUtf8(text));
  check->setObjectName(QString::fromLatin1(name));
  return check;
}

QPushButton* MakeButton(const char* text, const char* name) {
  auto* button = new QPushButton(QString::fromUtf8(text));
  button->setObjectName(QString::fromLatin1(name));
  button->setAutoDefault(false);
  return button;
}

}  // namespace

CKalvexDlg::CKalvexDlg(const std::string& title, ReportSpecs& settings, std::filesystem::path reportFolder,
                       QWidget* parent)
    : QDialog(parent), settings_(settings), setup_(title, settings, std::move(reportFolder)) {
  setWindowTitle(QString::fromUtf8("Kalvexing\u2122 Setup"));
  setObjectName(QStringLiteral("kalvexDialog"));
  BuildControls();
  Refresh();
}

void CKalvexDlg::BuildControls() {
  auto* group = new QGroupBox(tr("Setup"));
  auto* grid = new QGridLayout(group);
  int row = 0;
  for (int i = 0; i < kTextCount; ++i) {
    auto* edit = new QLineEdit;
    edit->setObjectName(QString::fromLatin1(kTextRows[i].objectName));
    edit->setMaxLength(ReportSetup::kMaxTextLength);
    connect(edit, &QLineEdit::editingFinished, this, [this, i] { StoreEdit(i); });
    edits_[i] = edit;
    if (*kTextRows[i].label) {
      grid->addWidget(new QLabel(QString::fromUtf8(kTextRows[i].label)), row, 0);
      grid->addWidget(edit, row++, 1, 1, 2);
    }
  }
  edits_[0]->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('M')) * 26);

  logoCheck_ = MakeCheck("Include Logo Bitmap:", "logoCheck");
  logoBrowse_ = MakeButton("Browse...", "logoBrowseButton");
  grid->addWidget(logoCheck_, row, 0);
  grid->addWidget(edits_[kLogoRow], row, 1);
  grid->addWidget(logoBrowse_, row++, 2);

  pageBottomCheck_ = MakeCheck("Include @ Page Bottom:", "pageBottomCheck");
  pageBottomBrowse_ = MakeButton("Browse...", "pageBottomBrowseButton");
  grid->addWidget(pageBottomCheck_, row, 0);
  grid->addWidget(edits_[kPageBottomRow], row, 1);
  grid->addWidget(pageBottomBrowse_, row++, 2);

  tocCheck_ = MakeCheck("Include Table of Contents", "tocCheck");
  grid->addWidget(tocCheck_, row++, 0, 1, 3);

  glossaryCheck_ = MakeCheck("Include Glossary:", "glossaryCheck");
  fullGlossary_ = new QRadioButton(tr("Full Glossary (5 pages)"));
  fullGlossary_->setObjectName(QStringLiteral("fullGlossaryRadio"));
  miniGlossary_ = new QRadioButton(tr("Mini Glossary (1 page)"));
  miniGlossary_->setObjectName(QStringLiteral("miniGlossaryRadio"));
  // The two are exclusive by hand: "neither" must be showable too.
  fullGlossary_->setAutoExclusive(false);
  miniGlossary_->setAutoExclusive(false);
  auto* choices = new QHBoxLayout;
  choices->addWidget(fullGlossary_);
  choices->addWidget(miniGlossary_);
  choices->addStretch();
  grid->addWidget(glossaryCheck_, row, 0);
  grid->addLayout(choices, row++, 1, 1, 2);
  grid->setColumnStretch(1, 1);

  QPushButton* ok = MakeButton("OK", "okButton");
  ok->setDefault(true);
  QPushButton* cancel = MakeButton("Cancel", "cancelButton");
  QPushButton* save = MakeButton("Save", "saveButton");
  QPushButton* recall = MakeButton("Recall Saved", "recallButton");
  QPushButton* reset = MakeButton("Reset All", "resetButton");
  auto* buttons = new QVBoxLayout;
  for (QPushButton* button : {ok, cancel}) buttons->addWidget(button);
  buttons->addSpacing(12);
  for (QPushButton* button : {save, recall, reset}) buttons->addWidget(button);
  buttons->addStretch();

  auto* layout = new QHBoxLayout(this);
  layout->addWidget(group, 1);
  layout->addLayout(buttons);

  const std::pair<QCheckBox*, Flag> flags[] = {{logoCheck_, Flag::Logo},
                                               {pageBottomCheck_, Flag::PageBottom},
                                               {tocCheck_, Flag::TableOfContents},
                                               {glossaryCheck_, Flag::Glossary}};
  for (const auto& [check, flag] : flags) {
    connect(check, &QCheckBox::clicked, this, [this, flag = flag](bool on) {
      setup_.SetFlag(flag, on);
      Refresh();
    });
  }
  connect(fullGlossary_, &QRadioButton::clicked, this, [this] {
    setup_.SetGlossary(Glossary::Full);
    Refresh();
  });
  connect(miniGlossary_, &QRadioButton::clicked, this, [this] {
    setup_.SetGlossary(Glossary::Mini);
    Refresh();
  });
  connect(logoBrowse_, &QPushButton::clicked, this, [this] { Browse(Text::LogoFile); });
  connect(pageBottomBrowse_, &QPushButton::clicked, this, [this] { Browse(Text::PageBottomFile); });
  connect(ok, &QPushButton::clicked, this, &CKalvexDlg::accept);
  connect(cancel, &QPushButton::clicked, this, &CKalvexDlg::reject);
  connect(save, &QPushButton::clicked, this, &CKalvexDlg::OnSave);
  connect(recall, &QPushButton::clicked, this, &CKalvexDlg::OnRecallSaved);
  connect(reset, &QPushButton::clicked, this, &CKalvexDlg::OnResetAll);
}

void CKalvexDlg::Refresh() {
  for (int i = 0; i < kTextCount; ++i) edits_[i]->setText(QString::fromStdString(setup_.GetText(kTextRows[i].text)));
  logoCheck_->setChecked(setup_.GetFlag(Flag::Logo));
  pageBottomCheck_->setChecked(setup_.GetFlag(Flag::PageBottom));
  tocCheck_->setChecked(setup_.GetFlag(Flag::TableOfContents));
  glossaryCheck_->setChecked(setup_.GetFlag(Flag::Glossary));
  for (QWidget* widget : {static_cast<QWidget*>(edits_[kLogoRow]), static_cast<QWidget*>(logoBrowse_)})
    widget->setEnabled(setup_.LogoFileEnabled());
  for (QWidget* widget : {static_cast<QWidget*>(edits_[kPageBottomRow]), static_cast<QWidget*>(pageBottomBrowse_)})
    widget->setEnabled(setup_.PageBottomFileEnabled());
  fullGlossary_->setEnabled(setup_.GlossaryChoiceEnabled());
  miniGlossary_->setEnabled(setup_.GlossaryChoiceEnabled());
  fullGlossary_->setChecked(setup_.GetGlossary() == Glossary::Full);
  miniGlossary_->setChecked(setup_.GetGlossary() == Glossary::Mini);
}

void CKalvexDlg::StoreEdit(int index) {
  setup_.SetText(kTextRows[index].text, edits_[index]->text().toStdString());
  const QString stored = QString::fromStdString(setup_.GetText(kTextRows[index].text));
  if (edits_[index]->text() != stored) edits_[index]->setText(stored);
}

void CKalvexDlg::StoreEdits() {
  for (int i = 0; i < kTextCount; ++i) StoreEdit(i);
}

void CKalvexDlg::Browse(Text which) {
  StoreEdits();
  const BrowseFilter& kind = which == Text::LogoFile ? kLogoFilter : kPageBottomFilter;
  QFileDialog dialog(this, tr("Open"), ToQString(setup_.ReportFolder()));
  dialog.setObjectName(QStringLiteral("reportBrowseDialog"));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setDefaultSuffix(QString::fromLatin1(kind.suffix));
  dialog.setNameFilters({QString::fromLatin1(kind.filter), QString::fromLatin1(kAllFiles)});
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  setup_.ChooseFile(which, ToPath(dialog.selectedFiles().constFirst()));
  Refresh();
}

void CKalvexDlg::OnSave() {
  StoreEdits();
  setup_.Save();
}

void CKalvexDlg::OnRecallSaved() {
  setup_.RecallSaved();
  Refresh();
}

void CKalvexDlg::OnResetAll() {
  setup_.ResetAll();
  Refresh();
}

void CKalvexDlg::accept() {
  StoreEdits();
  if (!setup_.Accept(settings_)) return;
  QDialog::accept();
}

}  // namespace brisca
