#include "gui/report/ContestDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include <string>

#include "core/document/VexoDoc.h"
#include "gui/shell/PathText.h"

namespace brisca {
namespace {

constexpr const char* kNoServer =
    "Brisca has no contest server to send entries to. \"Write Entry\" saves your details and "
    "this engine in one text file; send that file to the contest's organiser yourself.";

constexpr const char* kRules =
    "1. One entry file holds one engine; send at most three entries to one contest.\n"
    "2. The engine must run in Brisca without errors, built only from its component menus "
    "and your own flow and cam files.\n"
    "3. Entries are judged on the peak flywheel power the engine reaches; ties go to the "
    "entry with the higher average torque.\n"
    "4. The organiser may publish the winning engines together with the entrants' names.";

QLineEdit* MakeEdit(const char* name, int maxLength = 100) {
  auto* edit = new QLineEdit;
  edit->setObjectName(QString::fromLatin1(name));
  edit->setMaxLength(maxLength);
  return edit;
}

}  // namespace

CContestDlg::CContestDlg(CVexoDoc& document, const std::filesystem::path& entryFile, QWidget* parent)
    : QDialog(parent), document_(document) {
  setWindowTitle(tr("Contest Entry"));
  setObjectName(QStringLiteral("contestDialog"));

  auto* note = new QLabel(QString::fromUtf8(kNoServer));
  note->setObjectName(QStringLiteral("noServerNote"));
  note->setWordWrap(true);

  number_ = MakeEdit("contestNumberEdit", 9);
  number_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), number_));
  name_ = MakeEdit("nameEdit");
  address_ = MakeEdit("addressEdit");
  email_ = MakeEdit("emailEdit");
  phone_ = MakeEdit("phoneEdit");
  auto* details = new QFormLayout;
  details->addRow(tr("Contest Number:"), number_);
  details->addRow(tr("Name:"), name_);
  details->addRow(tr("Address:"), address_);
  details->addRow(tr("Email:"), email_);
  details->addRow(tr("Phone:"), phone_);

  auto* rulesText = new QPlainTextEdit(QString::fromUtf8(kRules));
  rulesText->setObjectName(QStringLiteral("rulesText"));
  rulesText->setReadOnly(true);
  rulesText->setFixedHeight(rulesText->fontMetrics().lineSpacing() * 9);
  rules_ = new QCheckBox(tr("I have read the contest rules and accept them"));
  rules_->setObjectName(QStringLiteral("rulesCheck"));

  file_ = MakeEdit("entryFileEdit", 32767);
  file_->setText(ToQString(entryFile));
  file_->setCursorPosition(0);  // the folder first; the name follows on scrolling
  auto* browse = new QPushButton(tr("Browse..."));
  browse->setObjectName(QStringLiteral("entryFileBrowseButton"));
  browse->setAutoDefault(false);
  connect(browse, &QPushButton::clicked, this, &CContestDlg::BrowseEntryFile);
  auto* fileRow = new QHBoxLayout;
  fileRow->addWidget(file_, 1);
  fileRow->addWidget(browse);
  details->addRow(tr("Entry File:"), fileRow);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel);
  QPushButton* write = buttons->addButton(tr("Write Entry"), QDialogButtonBox::AcceptRole);
  write->setObjectName(QStringLiteral("writeEntryButton"));
  write->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &CContestDlg::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &CContestDlg::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(note);
  layout->addLayout(details);
  layout->addWidget(new QLabel(tr("Contest Rules:")));
  layout->addWidget(rulesText);
  layout->addWidget(rules_);
  layout->addWidget(buttons);
  setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('M')) * 52);
}

ContestEntry CContestDlg::Entry() const {
  ContestEntry entry;
  entry.contestNumber = number_->text().trimmed().toStdString();
  entry.name = name_->text().trimmed().toStdString();
  entry.address = address_->text().trimmed().toStdString();
  entry.email = email_->text().trimmed().toStdString();
  entry.phone = phone_->text().trimmed().toStdString();
  entry.rulesAcknowledged = rules_->isChecked();
  return entry;
}

std::filesystem::path CContestDlg::EntryFile() const { return ToPath(file_->text().trimmed()); }

void CContestDlg::BrowseEntryFile() {
  QFileDialog dialog(this, tr("Save Contest Entry"), file_->text());
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QStringLiteral("txt"));
  dialog.setNameFilters({tr("Text Files (*.txt)"), tr("All Files (*.*)")});
  if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
    file_->setText(dialog.selectedFiles().constFirst());
}

void CContestDlg::accept() {
  if (!WriteContestEntry(document_, Entry(), EntryFile())) return;
  QDialog::accept();
}

std::filesystem::path SuggestedEntryFile(const CVexoDoc& document, const std::filesystem::path& engineFolder) {
  std::string stem = std::filesystem::path(document.GetTitle()).stem().string();
  if (stem.empty()) stem = "Engine";
  return engineFolder / (stem + " Contest Entry.txt");
}

bool RunContestEntry(CVexoDoc& document, const std::filesystem::path& engineFolder, QWidget* parent) {
  CContestDlg dialog(document, SuggestedEntryFile(document, engineFolder), parent);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace brisca
