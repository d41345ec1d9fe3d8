#include "gui/iterator/ItrQuickDlg.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/base/ErrCode.h"
#include "core/document/VexoDoc.h"
#include "gui/iterator/IteratorCharts.h"
#include "gui/iterator/StatusLight.h"
#include "gui/results/chartlib/Chart2D.h"

namespace brisca {
namespace {

const QColor kRunningColor(0x00, 0xB0, 0x00);
const QColor kStoppedColor(0xD0, 0x20, 0x20);
const QColor kPhaseColor(0xF0, 0xC0, 0x00);
//! "This test series has results. Changing its setup discards them. …"
constexpr int kDiscardResultsQuestion = 330;

QLabel* ValueLabel(QWidget* parent) {
  auto* label = new QLabel(QStringLiteral("0"), parent);
  label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")));
  return label;
}

}  // namespace

CItrQuickDlg::CItrQuickDlg(CVexoDoc& document, int threads, QWidget* parent)
    : QDialog(parent), document_(document), control_(new IteratorRunControl(phases_, threads, this)) {
  setWindowTitle(tr("Quick Iterator"));
  setObjectName(QStringLiteral("quickIterator"));
  int code = 0;
  for (Iterator* it : {phases_.phase1.get(), phases_.phase2.get()}) {
    it->Clear();
    if (it->SetUp(document_, code)) it->Prepare();
  }
  BuildLayout();
  // No button is the default: Return never starts a search nor closes the window.
  for (QPushButton* button : findChildren<QPushButton*>()) button->setAutoDefault(false);
  connect(control_, &IteratorRunControl::Polled, this, &CItrQuickDlg::Show);
  connect(control_, &IteratorRunControl::Ended, this, &CItrQuickDlg::OnRunEnded);
  // Quitting the program ends the nested event loop; the workers stop first.
  connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this,
          &CItrQuickDlg::StopAndJoin);
  InitResultBars(*barChart_);
  ShowIdle();
  UpdateButtons();
}

CItrQuickDlg::~CItrQuickDlg() { StopAndJoin(); }

QWidget* CItrQuickDlg::BuildPresetGroup(const QString& title, const QString& text,
                                        QuickPreset hp, QuickPreset torque) {
  auto* group = new QGroupBox(title, this);
  auto* layout = new QVBoxLayout(group);
  auto* help = new QLabel(text, group);
  help->setWordWrap(true);
  layout->addWidget(help);
  auto* row = new QHBoxLayout;
  for (QuickPreset preset : {hp, torque}) {
    auto* button = new QPushButton(preset == hp ? tr("Best HP") : tr("Best Torque"), group);
    connect(button, &QPushButton::clicked, this, [this, preset] { OnPreset(preset); });
    presets_[static_cast<int>(preset)] = button;
    row->addWidget(button);
  }
  layout->addLayout(row);
  return group;
}

void CItrQuickDlg::BuildLayout() {
  auto* left = new QVBoxLayout;
  left->addWidget(BuildPresetGroup(
      tr("Optimize Cam Timing"),
      tr("Locates the best cam-timing combination that produces the highest horsepower or "
         "torque. Current valve lift is maintained."),
      QuickPreset::CamPower, QuickPreset::CamTorque));
  left->addWidget(BuildPresetGroup(
      tr("Optimize Bore/Stroke"),
      tr("Locates the best bore/stroke combination that produces the highest horsepower or "
         "torque. Current displacement is maintained."),
      QuickPreset::BoreStrokePower, QuickPreset::BoreStrokeTorque));

  auto* status = new QGroupBox(tr("Status"), this);
  auto* grid = new QGridLayout(status);
  running_ = new StatusLight(tr("Running"), kRunningColor, status);
  stopped_ = new StatusLight(tr("Stopped"), kStoppedColor, status);
  phase1_ = new StatusLight(tr("Phase1"), kPhaseColor, status);
  phase2_ = new StatusLight(tr("Phase2"), kPhaseColor, status);
  grid->addWidget(running_, 0, 0);
  grid->addWidget(stopped_, 0, 1);
  grid->addWidget(phase1_, 1, 0);
  grid->addWidget(phase2_, 1, 1);
  total_ = ValueLabel(status);
  completed_ = ValueLabel(status);
  grid->addWidget(new QLabel(tr("Total Simulations:"), status), 2, 0);
  grid->addWidget(total_, 2, 1);
  grid->addWidget(new QLabel(tr("Completed Sims:"), status), 3, 0);
  // "Completed Sims" counts every test done; how many of them failed stands beside it.
  failed_ = new QLabel(status);
  failed_->setObjectName(QStringLiteral("failedSims"));
  auto* completedRow = new QHBoxLayout;
  completedRow->addWidget(completed_);
  completedRow->addWidget(failed_);
  grid->addLayout(completedRow, 3, 1);
  progress_ = new QProgressBar(status);
  progress_->setRange(0, 100);
  progress_->setTextVisible(false);
  percent_ = new QLabel(QStringLiteral("0%"), status);
  percent_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  grid->addWidget(progress_, 4, 0);
  grid->addWidget(percent_, 4, 1);
  increase_ = ValueLabel(status);
  units_ = new QLabel(QStringLiteral("hp"), status);
  auto* increaseRow = new QHBoxLayout;
  increaseRow->addWidget(increase_);
  increaseRow->addWidget(units_);
  grid->addWidget(new QLabel(tr("Increase In:"), status), 5, 0);
  grid->addLayout(increaseRow, 5, 1);
  left->addWidget(status);
  left->addStretch(1);

  currentChart_ = new CChart2D(this);
  currentChart_->setObjectName(QStringLiteral("currentTestChart"));
  currentChart_->setMinimumSize(460, 360);
  barChart_ = new CChart2D(this);
  barChart_->setObjectName(QStringLiteral("resultBarChart"));
  barChart_->setMinimumSize(220, 360);

  auto* buttons = new QHBoxLayout;
  runButton_ = new QPushButton(tr("Run/Stop"), this);
  saveButton_ = new QPushButton(tr("Save"), this);
  closeButton_ = new QPushButton(tr("Close"), this);
  connect(runButton_, &QPushButton::clicked, this, &CItrQuickDlg::OnRunStop);
  connect(saveButton_, &QPushButton::clicked, this, &CItrQuickDlg::OnSave);
  connect(closeButton_, &QPushButton::clicked, this, &CItrQuickDlg::reject);
  buttons->addStretch(1);
  for (QPushButton* b : {runButton_, saveButton_, closeButton_}) buttons->addWidget(b);

  auto* top = new QHBoxLayout;
  top->addLayout(left, 0);
  top->addWidget(currentChart_, 3);
  top->addWidget(barChart_, 1);
  auto* outer = new QVBoxLayout(this);
  outer->addLayout(top, 1);
  outer->addLayout(buttons);
}

void CItrQuickDlg::OnPreset(QuickPreset preset) {
  if (IsRunning()) return;
  // A new search replaces the last one's results: only when the user agrees.
  const bool hasResults = phases_.phase1->TestsDone() > 0 || phases_.phase2->TestsDone() > 0;
  if (hasResults && !AskQuestionCode(kDiscardResultsQuestion)) return;
  int code = 0;
  if (!ApplyQuickPreset(document_, preset, *phases_.phase1, *phases_.phase2, code)) {
    ReportErrorCode(code);
    return;
  }
  presetChosen_ = true;
  control_->Reset();
  state_ = kIdle;
  shown_ = RunSnapshot{};
  ShowIdle();
  OnRunStop();
}

void CItrQuickDlg::OnRunStop() {
  if (IsRunning()) {
    control_->RequestStop();
    return;
  }
  if (!presetChosen_ || state_ == kFinished) return;
  if (!control_->Start(true)) return;
  state_ = kRunning;
  UpdateButtons();
}

void CItrQuickDlg::OnRunEnded() {
  const bool finished = phases_.phase1->IsFinished() && CurrentPhase() == 2 && phases_.phase2->IsFinished();
  state_ = finished ? kFinished : kStopped;
  ShowIdle();
  UpdateButtons();
}

void CItrQuickDlg::StopAndJoin() { control_->StopAndJoin(); }

void CItrQuickDlg::ShowIdle() {
  RunSnapshot snapshot;
  snapshot.last = shown_.last;
  snapshot.commits = shown_.commits;
  CaptureSnapshot(*phases_.phase1, *phases_.phase2, CurrentPhase(), true, snapshot);
  Show(snapshot);
}

void CItrQuickDlg::Show(const RunSnapshot& s) {
  const bool keptMore = s.keptCount != shown_.keptCount || s.bestScore != shown_.bestScore ||
                        s.commits == 0 || s.phase != shown_.phase;
  const bool changed = s.commits != shown_.commits || keptMore || !s.running;
  shown_ = s;
  running_->SetOn(state_ == kRunning);
  stopped_->SetOn(state_ != kRunning);
  phase1_->SetOn(s.phase == 1);
  phase2_->SetOn(s.phase == 2);
  total_->setText(QString::asprintf("%lld", static_cast<long long>(s.total)));
  completed_->setText(QString::asprintf("%lld", static_cast<long long>(s.done)));
  failed_->setText(tr("%1 failed").arg(s.failed));
  progress_->setValue(s.percent);
  percent_->setText(QString::asprintf("%d%%", s.percent));
  increase_->setText(s.keptCount > 0 ? QString::asprintf("%.1f", s.bestScore - s.baselineScore)
                                     : QStringLiteral("0"));
  units_->setText(QString::fromLatin1(CriterionUnits(s.criterion)));
  if (changed) ShowCurrentTest(*currentChart_, s);
  if (keptMore) ShowResultBars(*barChart_, s, barAxis_);
}

void CItrQuickDlg::UpdateButtons() {
  const bool running = state_ == kRunning;
  for (QPushButton* b : presets_) b->setEnabled(!running);
  closeButton_->setEnabled(!running);
  runButton_->setEnabled(presetChosen_ && state_ != kFinished);
  runButton_->setText(running ? tr("Stop") : state_ == kIdle ? tr("Run/Stop") : tr("Resume"));
  saveButton_->setEnabled(!running && Phase(CurrentPhase()).KeptCount() > 0);
}

void CItrQuickDlg::OnSave() {
  StopAndJoin();
  Iterator& current = CurrentPhase() == 2 ? *phases_.phase2 : *phases_.phase1;
  if (current.KeptCount() == 0) return;
  current.KeepBest();
  phases_.MoveInto(document_);
  document_.SetBaselineChanged(true);
  accept();
}

void CItrQuickDlg::reject() {
  // "Close" keeps nothing; it is refused while a series runs, but the window
  // frame and quitting always go: the workers stop first.
  StopAndJoin();
  QDialog::reject();
}

void CItrQuickDlg::closeEvent(QCloseEvent* event) {
  StopAndJoin();
  QDialog::closeEvent(event);
}

}  // namespace brisca
