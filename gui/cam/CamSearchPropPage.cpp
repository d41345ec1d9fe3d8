#include "gui/cam/CamSearchPropPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/base/ErrCode.h"
#include "core/document/DocumentHost.h"
#include "core/document/ProgramPaths.h"
#include "core/document/VexoDoc.h"
#include "gui/cam/CamDlg.h"
#include "gui/cam/CamSearchWorker.h"
#include "gui/shell/EditFloatPt.h"
#include "gui/shell/ValueEditGuard.h"

namespace brisca {
namespace {

constexpr int kMaxSearchTextLength = 255;

QString Shown(const CFloatPtSpec& spec) {
  return spec.IsAssigned() ? QString::fromStdString(spec.GetText()) : QString();
}

}  // namespace

CCamSearchPropPage::CCamSearchPropPage(CCamDlg& dialog) : QWidget(&dialog), dialog_(dialog) {
  setObjectName(QStringLiteral("camSearchPage"));
  auto* layout = new QVBoxLayout(this);
  auto* criteria = new QGridLayout;
  name_ = new QLineEdit(this);
  name_->setMaxLength(kMaxSearchTextLength);
  phrase_ = new QLineEdit(this);
  phrase_->setMaxLength(kMaxSearchTextLength);
  folder_ = new QLineEdit(this);
  browse_ = new QPushButton(tr("B&rowse..."), this);
  browse_->setAutoDefault(false);
  criteria->addWidget(new QLabel(tr("All or parts of the file name:"), this), 0, 0);
  criteria->addWidget(name_, 0, 1, 1, 2);
  criteria->addWidget(new QLabel(tr("A word or phrase in the file:"), this), 1, 0);
  criteria->addWidget(phrase_, 1, 1, 1, 2);
  criteria->addWidget(new QLabel(tr("Look in:"), this), 2, 0);
  criteria->addWidget(folder_, 2, 1);
  criteria->addWidget(browse_, 2, 2);
  criteria->setColumnStretch(1, 1);
  layout->addLayout(criteria);
  connect(browse_, &QPushButton::clicked, this, &CCamSearchPropPage::OnBrowse);

  auto* specs = new QGridLayout;
  useSpecs_ = new QCheckBox(tr("Find the following specs:"), this);
  specs->addWidget(useSpecs_, 0, 0, 1, 5);
  for (int r = 0; r < kCamSpecRowCount; ++r) {
    RowControls& row = rows_[r];
    row.choice = new QComboBox(this);
    for (int choice = 0; choice < kCamSpecChoiceCount; ++choice)
      row.choice->addItem(QString::fromUtf8(CamSpecChoiceName(choice)));
    row.from = new CEditFloatPt(this);
    row.to = new CEditFloatPt(this);
    for (CEditFloatPt* edit : {row.from, row.to})
      edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("-0000.000")) + 16);
    specs->addWidget(row.choice, r + 1, 0);
    specs->addWidget(new QLabel(tr("From"), this), r + 1, 1);
    specs->addWidget(row.from, r + 1, 2);
    specs->addWidget(new QLabel(tr("To"), this), r + 1, 3);
    specs->addWidget(row.to, r + 1, 4);
    connect(row.choice, &QComboBox::activated, this, [this, r](int choice) { OnChoice(r, choice); });
    dialog_.Guard()->AddValueEdit(row.from, [this, r] { return static_cast<CSimSpec*>(&criteria_.rows[r].From()); },
                                  [](bool) {});
    dialog_.Guard()->AddValueEdit(row.to, [this, r] { return static_cast<CSimSpec*>(&criteria_.rows[r].To()); },
                                  [](bool) {});
  }
  specs->setColumnStretch(5, 1);
  layout->addLayout(specs);
  connect(useSpecs_, &QCheckBox::toggled, this, [this] { RefreshRows(); });

  auto* searchRow = new QHBoxLayout;
  highSpeed_ = new QCheckBox(tr("Search High Speed Lobes"), this);
  search_ = new QPushButton(tr("Search"), this);
  search_->setObjectName(QStringLiteral("camSearchButton"));
  search_->setAutoDefault(false);
  searchRow->addWidget(highSpeed_);
  searchRow->addStretch(1);
  searchRow->addWidget(new QLabel(tr("Files Searched:"), this));
  searched_ = new QLabel(QStringLiteral("0"), this);
  searched_->setMinimumWidth(searched_->fontMetrics().horizontalAdvance(QStringLiteral("000000")));
  searchRow->addWidget(searched_);
  searchRow->addWidget(new QLabel(tr("Matches Found:"), this));
  matched_ = new QLabel(QStringLiteral("0"), this);
  matched_->setMinimumWidth(matched_->fontMetrics().horizontalAdvance(QStringLiteral("000000")));
  searchRow->addWidget(matched_);
  searchRow->addWidget(search_);
  layout->addLayout(searchRow);
  connect(search_, &QPushButton::clicked, this, &CCamSearchPropPage::OnSearchStop);

  results_ = new QTreeWidget(this);
  results_->setColumnCount(2);
  results_->setHeaderLabels({tr("Name"), tr("In Folder")});
  results_->setRootIsDecorated(false);
  results_->setMinimumHeight(results_->fontMetrics().lineSpacing() * 8);
  results_->header()->setSectionResizeMode(QHeaderView::Stretch);  // each column half the width
  layout->addWidget(results_, 1);
  connect(results_, &QTreeWidget::itemDoubleClicked, this,
          [this](QTreeWidgetItem* item) { OpenResult(results_->indexOfTopLevelItem(item)); });

  CamSearchWorker::Events events;
  events.match = [this](const QString& name, const QString& folder) {
    results_->addTopLevelItem(new QTreeWidgetItem(QStringList{name, folder}));
  };
  events.progress = [this](const CamSearchProgress& p) { ShowCounts(p); };
  events.unreadable = [](const std::filesystem::path& file) {
    return ReportErrorCode(kErrSearchUnreadable, true, file.filename().string().c_str()) == MessageButton::Ok;
  };
  events.finished = [this](const CamSearchProgress& p) { Finished(p); };
  worker_ = new CamSearchWorker(std::move(events), this);
  Reset();
}

CCamSearchPropPage::~CCamSearchPropPage() { EndSearch(); }

QString CCamSearchPropPage::DefaultFolder() const {
  ProgramPaths paths;
  paths.startupFolder = dialog_.Document().Host() ? dialog_.Document().Host()->StartupFolder()
                                                 : DefaultStartupFolder();
  return QString::fromStdString(paths.CamFolder().string());
}

void CCamSearchPropPage::Reset() {
  EndSearch();
  name_->clear();
  phrase_->clear();
  folder_->setText(DefaultFolder());
  useSpecs_->setChecked(false);
  highSpeed_->setChecked(false);
  for (int r = 0; r < kCamSpecRowCount; ++r) {
    criteria_.rows[r].Choose(0, nullptr);
    rows_[r].choice->setCurrentIndex(0);
  }
  results_->clear();
  ShowCounts({});
  RefreshRows();
}

void CCamSearchPropPage::RefreshRows() {
  const bool on = useSpecs_->isChecked() && useSpecs_->isEnabled();
  for (int r = 0; r < kCamSpecRowCount; ++r) {
    const bool event = criteria_.rows[r].Choice() != 0;
    rows_[r].choice->setEnabled(on);
    rows_[r].from->setEnabled(on && event);
    rows_[r].to->setEnabled(on && event);
    rows_[r].from->setText(Shown(criteria_.rows[r].From()));
    rows_[r].to->setText(Shown(criteria_.rows[r].To()));
  }
}

void CCamSearchPropPage::OnChoice(int row, int choice) {
  const CamWorkingCopies& copies = dialog_.Copies();
  const CCamProfile* copy = choice == 0 ? nullptr : &copies.Copy(copies.Lobe(), CamSpecChoiceMethod(choice));
  criteria_.rows[row].Choose(choice, copy);
  rows_[row].choice->setCurrentIndex(choice);
  RefreshRows();
}

void CCamSearchPropPage::OnBrowse() {
  const QString start = folder_->text();
  const QString chosen = chooser_ ? chooser_(start)
                                  : QFileDialog::getExistingDirectory(this, tr("Choose directory to search"), start);
  if (!chosen.isEmpty()) folder_->setText(chosen);
}

bool CCamSearchPropPage::IsSearching() const { return worker_->IsRunning(); }

void CCamSearchPropPage::OnSearchStop() {
  if (IsSearching()) {
    worker_->Stop();
    return;
  }
  if (!dialog_.Guard()->CommitFocus(search_)) return;
  criteria_.nameWords = name_->text().toStdString();
  criteria_.phrase = phrase_->text().toStdString();
  criteria_.folder = folder_->text().trimmed().toStdString();
  criteria_.useSpecs = useSpecs_->isChecked();
  criteria_.highSpeedLobes = highSpeed_->isChecked();
  if (const int code = criteria_.StartCheck(); code != 0) {
    ReportErrorCode(code);
    return;
  }
  results_->clear();
  ShowCounts({});
  search_->setText(tr("Stop"));
  dialog_.SetSearching(true);
  SetCriteriaEnabled(false);
  worker_->Start(criteria_);
}

void CCamSearchPropPage::EndSearch() {
  if (!worker_ || !worker_->IsRunning()) return;
  worker_->Cancel();
  Finished({searched_->text().toLongLong(), matched_->text().toLongLong()});
}

void CCamSearchPropPage::Finished(const CamSearchProgress& progress) {
  ShowCounts(progress);
  search_->setText(tr("Search"));
  SetCriteriaEnabled(true);
  dialog_.SetSearching(false);
}

void CCamSearchPropPage::ShowCounts(const CamSearchProgress& progress) {
  searched_->setText(QString::number(progress.filesSearched));
  matched_->setText(QString::number(progress.matchesFound));
}

void CCamSearchPropPage::SetCriteriaEnabled(bool on) {
  for (QWidget* w : std::initializer_list<QWidget*>{name_, phrase_, folder_, browse_, useSpecs_, highSpeed_, results_})
    w->setEnabled(on);
  RefreshRows();
}

void CCamSearchPropPage::OpenResult(int row) {
  if (IsSearching() || row < 0 || row >= results_->topLevelItemCount()) return;
  const QTreeWidgetItem* item = results_->topLevelItem(row);
  dialog_.OpenFile(item->text(1).toStdString(), item->text(0).toStdString());
}

}  // namespace brisca
