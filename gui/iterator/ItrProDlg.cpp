#include "gui/iterator/ItrProDlg.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/base/ErrCode.h"
#include "core/document/VexoDoc.h"
#include "gui/iterator/IteratorCharts.h"
#include "gui/iterator/ProBoreStrokePage.h"
#include "gui/iterator/ProCamPage.h"
#include "gui/iterator/ProInductionPage.h"
#include "gui/iterator/ProOptimizePage.h"
#include "gui/iterator/ProResultsPage.h"
#include "gui/iterator/StatusLight.h"
#include "gui/results/chartlib/Chart2D.h"

namespace brisca {
namespace {

const QColor kRunningColor(0x00, 0xB0, 0x00);
const QColor kStoppedColor(0xD0, 0x20, 0x20);
const QColor kPhaseColor(0xF0, 0xC0, 0x00);

//! "This test series has results. Changing its setup discards them. …"
constexpr int kDiscardResultsQuestion = 330;

constexpr const char* kSeriesRows[4] = {"Cam (Low Speed)", "Cam (High Speed)", "Induction",
                                        "Bore/Stroke"};
constexpr const char* kCriterionRows[5] = {"Baseline Value:", "Current Value:", "New Maximum:",
                                           "Increase In:", "Units:"};

QLabel* ValueLabel(QWidget* parent, const QString& text = QStringLiteral("0")) {
  auto* label = new QLabel(text, parent);
  label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("hp-rpm x 1000")) + 8);
  return label;
}

//! Tests of one group in one phase, "Not Used" when the group is off there.
QString GroupTests(const Iterator& it, SlotGroup group, std::initializer_list<int> slotList) {
  if (!it.IsGroupEnabled(group)) return QObject::tr("Not Used");
  std::int64_t tests = 1;
  for (int slot : slotList) {
    const IterationVariable& v = it.Variable(slot);
    if (v.Type() != kVarNone && v.IsEnabled() && v.ValueCount() > 1) tests *= v.ValueCount();
  }
  return QString::number(tests);
}

//! The tests a phase would run as set up now (Prepare's product).
std::int64_t SetupTotal(const Iterator& it) {
  std::int64_t total = 1;
  int active = 0;
  for (int slot = 0; slot < kIteratorSlots; ++slot) {
    const IterationVariable& v = it.Variable(slot);
    if (v.Type() == kVarNone || !v.IsEnabled() || v.ValueCount() <= 1) continue;
    ++active;
    total = std::min<std::int64_t>(total * v.ValueCount(), kMaxIteratorTests);
  }
  return active > 0 ? total : 0;
}

}  // namespace

CItrProDlg::CItrProDlg(CVexoDoc& document, int threads, QWidget* parent)
    : QDialog(parent),
      document_(document),
      phases_(IteratorPhases::CopyOf(document)),
      control_(new IteratorRunControl(phases_, threads, this)) {
  setWindowTitle(tr("Pro Iterator"));
  setObjectName(QStringLiteral("proIterator"));
  control_->SetPhase(phases_.phase1->IsFinished() && Dual() && phases_.phase2->TestsDone() > 0 ? 2 : 1);
  const bool vvt = document_.Engine().camshaft.variableValveTiming;

  auto* intro = new QLabel(
      tr("Use QuickStart presets or enter custom testing specification in the fields provided. "
         "Press \"RUN\" on Results Tab to begin testing."),
      this);
  intro->setWordWrap(true);

  pages_ = new QTabWidget(this);
  // Every tab's name stays whole: the window is as wide as its tabs (six on an
  // engine with two cam lobes) rather than hiding some behind scroll arrows.
  pages_->tabBar()->setUsesScrollButtons(false);
  pages_->tabBar()->setElideMode(Qt::ElideNone);
  camPages_[0] = new ProCamPage(phases_, document_, false, pages_);
  pages_->addTab(camPages_[0], vvt ? tr("Cam Timing (Low Speed)") : tr("Cam Timing"));
  if (vvt) {
    camPages_[1] = new ProCamPage(phases_, document_, true, pages_);
    pages_->addTab(camPages_[1], tr("Cam Timing (High Speed)"));
  }
  boreStroke_ = new ProBoreStrokePage(phases_, document_, pages_);
  pages_->addTab(boreStroke_, tr("Bore/Stroke"));
  induction_ = new ProInductionPage(phases_, document_, pages_);
  pages_->addTab(induction_, tr("Induction"));
  optimize_ = new ProOptimizePage(phases_, document_, pages_);
  pages_->addTab(optimize_, tr("Optimize For"));
  results_ = new ProResultsPage(pages_);
  pages_->addTab(results_, tr("Run/Results"));
  for (ProPage* page : {static_cast<ProPage*>(camPages_[0]), static_cast<ProPage*>(camPages_[1]),
                        static_cast<ProPage*>(boreStroke_), static_cast<ProPage*>(induction_),
                        static_cast<ProPage*>(optimize_)}) {
    if (!page) continue;
    page->SetEditGuard([this] { return MayDiscardResults(); });
    connect(page, &ProPage::SetupChanged, this, &CItrProDlg::OnSetupChanged);
  }
  connect(results_->RunButton(), &QPushButton::clicked, this, &CItrProDlg::OnRunStop);
  connect(results_->RestartButton(), &QPushButton::clicked, this, &CItrProDlg::OnRestart);
  connect(results_, &ProResultsPage::KeepChanged, this, [this](int slot, bool keep) {
    if (!IsRunning()) phases_.ResultPhase().SetKeep(slot, keep);
  });

  auto* middle = new QHBoxLayout;
  middle->addWidget(pages_, 3);
  middle->addWidget(BuildStatus(), 2);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(BuildPresets(), 1);
  ok_ = new QPushButton(tr("OK"), this);
  cancel_ = new QPushButton(tr("Cancel"), this);
  connect(ok_, &QPushButton::clicked, this, &CItrProDlg::accept);
  connect(cancel_, &QPushButton::clicked, this, &CItrProDlg::reject);
  auto* okColumn = new QVBoxLayout;
  okColumn->addStretch(1);
  okColumn->addWidget(ok_);
  okColumn->addWidget(cancel_);
  bottom->addLayout(okColumn);
  auto* outer = new QVBoxLayout(this);
  outer->addWidget(intro);
  outer->addLayout(middle, 1);
  outer->addLayout(bottom);

  connect(control_, &IteratorRunControl::Polled, this, &CItrProDlg::Show);
  connect(control_, &IteratorRunControl::Ended, this, &CItrProDlg::OnRunEnded);
  connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this,
          &CItrProDlg::StopAndJoin);
  // No button is the default: Return only commits the field it is in, and a
  // finished series is never closed away by it.
  for (QPushButton* button : findChildren<QPushButton*>()) button->setAutoDefault(false);
  state_ = Finished() ? kFinished : kStopped;
  ShowIdle();
  UpdateButtons();
}

CItrProDlg::~CItrProDlg() { StopAndJoin(); }

QWidget* CItrProDlg::BuildPresets() {
  auto* box = new QGroupBox(tr("QuickStart Presets"), this);
  auto* row = new QHBoxLayout(box);
  const char* texts[6] = {"Cam Timing", "Induction", "Bore/Stroke", "Peak Torque",
                          "Peak Horsepower", "&Reset All"};
  for (int i = 0; i < 6; ++i) {
    presets_[i] = new QPushButton(tr(texts[i]), box);
    const auto preset = static_cast<ProPreset>(i);
    connect(presets_[i], &QPushButton::clicked, this, [this, preset] { OnPreset(preset); });
    row->addWidget(presets_[i]);
  }
  return box;
}

QWidget* CItrProDlg::BuildStatus() {
  auto* column = new QWidget(this);
  auto* layout = new QVBoxLayout(column);
  layout->setContentsMargins(0, 0, 0, 0);

  auto* series = new QGroupBox(tr("Test Series"), column);
  auto* table = new QGridLayout(series);
  table->addWidget(new QLabel(tr("Single Phase"), series), 0, 1, Qt::AlignRight);
  table->addWidget(new QLabel(tr("Dual Phase"), series), 0, 2, Qt::AlignRight);
  for (int r = 0; r < 4; ++r) {
    table->addWidget(new QLabel(tr(kSeriesRows[r]), series), r + 1, 0);
    for (int p = 0; p < 2; ++p) {
      seriesCells_[r][p] = ValueLabel(series, tr("Not Used"));
      table->addWidget(seriesCells_[r][p], r + 1, p + 1);
    }
  }
  layout->addWidget(series);

  auto* status = new QGroupBox(tr("Status"), column);
  auto* grid = new QGridLayout(status);
  running_ = new StatusLight(tr("Running"), kRunningColor, status);
  stopped_ = new StatusLight(tr("Stopped"), kStoppedColor, status);
  phase1_ = new StatusLight(tr("Phase1"), kPhaseColor, status);
  phase2_ = new StatusLight(tr("Phase2"), kPhaseColor, status);
  grid->addWidget(running_, 0, 0);
  grid->addWidget(stopped_, 0, 1);
  grid->addWidget(phase1_, 0, 2);
  grid->addWidget(phase2_, 0, 3);
  total_ = ValueLabel(status);
  completed_ = ValueLabel(status);
  grid->addWidget(new QLabel(tr("Total Simulations:"), status), 1, 0, 1, 2);
  grid->addWidget(total_, 1, 2, 1, 2);
  grid->addWidget(new QLabel(tr("Completed Sims:"), status), 2, 0, 1, 2);
  grid->addWidget(completed_, 2, 2);
  // "Completed Sims" counts every test done; how many of them failed stands beside it.
  failed_ = new QLabel(status);
  failed_->setObjectName(QStringLiteral("failedSims"));
  grid->addWidget(failed_, 2, 3);
  progress_ = new QProgressBar(status);
  progress_->setRange(0, 100);
  progress_->setTextVisible(false);
  percent_ = new QLabel(QStringLiteral("0%"), status);
  percent_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  grid->addWidget(progress_, 3, 0, 1, 3);
  grid->addWidget(percent_, 3, 3);
  layout->addWidget(status);

  auto* block = new QGroupBox(tr("Optimization Criterion"), column);
  auto* values = new QGridLayout(block);
  for (int i = 0; i < 5; ++i) {
    values->addWidget(new QLabel(tr(kCriterionRows[i]), block), i, 0);
    criterion_[i] = ValueLabel(block);
    values->addWidget(criterion_[i], i, 1);
  }
  // Phase 2 searches around phase 1's best: where it began stands apart from
  // the baseline, which stays the user's engine.
  values->addWidget(new QLabel(tr("Phase 2 Start:"), block), 5, 0);
  phaseStart_ = ValueLabel(block, QString());
  values->addWidget(phaseStart_, 5, 1);
  layout->addWidget(block);

  currentChart_ = new CChart2D(column);
  currentChart_->setObjectName(QStringLiteral("proCurrentTestChart"));
  currentChart_->setMinimumSize(430, 220);
  layout->addWidget(currentChart_, 1);
  return column;
}

bool CItrProDlg::Dual() const { return IsDualPhase(*phases_.phase2); }

int CItrProDlg::PageIndex(Page page) const {
  switch (page) {
    case kCamPage: return pages_->indexOf(camPages_[0]);
    case kHighCamPage: return camPages_[1] ? pages_->indexOf(camPages_[1]) : pages_->indexOf(camPages_[0]);
    case kBoreStrokePage: return pages_->indexOf(boreStroke_);
    case kInductionPage: return pages_->indexOf(induction_);
    case kOptimizePage: return pages_->indexOf(optimize_);
    case kResultsPage: return pages_->indexOf(results_);
  }
  return 0;
}

void CItrProDlg::ShowPage(Page page) { pages_->setCurrentIndex(PageIndex(page)); }

void CItrProDlg::RefreshPages() {
  for (ProPage* page : {static_cast<ProPage*>(camPages_[0]), static_cast<ProPage*>(camPages_[1]),
                        static_cast<ProPage*>(boreStroke_), static_cast<ProPage*>(induction_),
                        static_cast<ProPage*>(optimize_)}) {
    if (page) page->Refresh();
  }
}

void CItrProDlg::OnPreset(ProPreset preset) {
  if (!MayDiscardResults()) return;
  Iterator& p1 = *phases_.phase1;
  Iterator& p2 = *phases_.phase2;
  const bool vvt = document_.Engine().camshaft.variableValveTiming;
  Page page = kResultsPage;
  switch (preset) {
    case ProPreset::CamTiming:
      ProCamTimingPreset(document_, p1, p2);
      page = vvt ? kHighCamPage : kCamPage;
      break;
    case ProPreset::Induction: {
      std::vector<CPartTypeSpec> all;
      for (int item = 1; item <= kManifoldTypes; ++item) all.push_back(ManifoldChoice(item));
      ProInductionPreset(document_, all, p1);
      page = kInductionPage;
      break;
    }
    case ProPreset::BoreStroke:
      ProBoreStrokePreset(document_, p1, p2);
      page = kBoreStrokePage;
      break;
    case ProPreset::PeakTorque:
    case ProPreset::PeakPower:
      ProCriterionPreset(preset == ProPreset::PeakTorque ? kPeakTorque : kPeakPower, p1, p2);
      page = kOptimizePage;
      break;
    case ProPreset::ResetAll: {
      int code = 0;
      if (!ProDefaults(document_, p1, p2, code)) ReportErrorCode(code);
      page = kCamPage;
      break;
    }
  }
  RefreshPages();
  OnSetupChanged();
  ShowPage(page);
}

bool CItrProDlg::HasResults() const {
  return phases_.phase1->TestsDone() > 0 || phases_.phase2->TestsDone() > 0;
}

bool CItrProDlg::MayDiscardResults() {
  if (IsRunning()) return false;
  if (!HasResults()) return true;
  if (!AskQuestionCode(kDiscardResultsQuestion)) return false;
  // Dropped at once, so the rest of the same edit asks nothing more.
  OnSetupChanged();
  return true;
}

void CItrProDlg::OnSetupChanged() {
  if (IsRunning()) return;
  // A changed setup makes the results of the old one meaningless: both phases
  // start over from the baseline engine.
  int code = 0;
  Iterator& p2 = *phases_.phase2;
  if (p2.Baseline() != &document_) p2.SetUp(document_, code);
  phases_.phase1->Prepare();
  p2.Prepare();
  control_->Reset();
  state_ = kNeedsSetup;
  shown_ = RunSnapshot{};
  ShowIdle();
  UpdateButtons();
}

void CItrProDlg::OnRunStop() {
  if (IsRunning()) {
    control_->RequestStop();
    return;
  }
  if (state_ == kFinished) return;
  if (!control_->Start(Dual())) return;
  state_ = kRunning;
  UpdateButtons();
}

void CItrProDlg::OnRestart() {
  if (IsRunning()) return;
  int code = 0;
  if (!phases_.phase1->Validate(code) || (Dual() && !phases_.phase2->Validate(code))) {
    ReportErrorCode(code);
    return;
  }
  for (Iterator* it : {phases_.phase1.get(), phases_.phase2.get()}) {
    if (!it->SetUp(document_, code)) {
      ReportErrorCode(code);
      return;
    }
    it->Prepare();
  }
  control_->Reset();
  state_ = kStopped;
  shown_ = RunSnapshot{};
  ShowIdle();
  UpdateButtons();
}

bool CItrProDlg::Finished() const {
  return phases_.phase1->IsFinished() && (!Dual() || (CurrentPhase() == 2 && phases_.phase2->IsFinished()));
}

void CItrProDlg::OnRunEnded() {
  state_ = Finished() ? kFinished : kStopped;
  ShowIdle();
  UpdateButtons();
}

void CItrProDlg::StopAndJoin() { control_->StopAndJoin(); }

void CItrProDlg::ShowIdle() {
  RunSnapshot snapshot;
  snapshot.last = shown_.last;
  snapshot.commits = shown_.commits;
  CaptureSnapshot(*phases_.phase1, *phases_.phase2, CurrentPhase(), Dual(), snapshot);
  // Before a run has prepared them the totals come from the setup itself.
  if (phases_.phase1->TotalTests() == 0 || state_ == kNeedsSetup) {
    snapshot.total = SetupTotal(*phases_.phase1) + (Dual() ? SetupTotal(*phases_.phase2) : 0);
  }
  Show(snapshot);
  ShowSeriesTable();
  results_->ShowSaveButtons(phases_.ResultPhase());
}

void CItrProDlg::ShowSeriesTable() {
  for (int phase = 1; phase <= 2; ++phase) {
    const Iterator& it = Phase(phase);
    seriesCells_[0][phase - 1]->setText(
        GroupTests(it, SlotGroup::LowSpeedCam, {kSlotLowIvo, kSlotLowIvc, kSlotLowEvo, kSlotLowEvc}));
    seriesCells_[1][phase - 1]->setText(
        document_.Engine().camshaft.variableValveTiming
            ? GroupTests(it, SlotGroup::HighSpeedCam,
                         {kSlotHighIvo, kSlotHighIvc, kSlotHighEvo, kSlotHighEvc, kSlotActivationRpm})
            : tr("Not Used"));
    seriesCells_[2][phase - 1]->setText(phase == 1 ? GroupTests(it, SlotGroup::Manifold, {kSlotManifold})
                                                   : tr("Not Used"));
    seriesCells_[3][phase - 1]->setText(GroupTests(it, SlotGroup::BoreStroke, {kSlotBore, kSlotStroke}));
  }
}

void CItrProDlg::Show(const RunSnapshot& s) {
  const bool keptMore = s.keptCount != shown_.keptCount || s.bestScore != shown_.bestScore ||
                        s.commits == 0 || s.phase != shown_.phase || !s.running;
  const bool changed = s.commits != shown_.commits || keptMore;
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
  criterion_[0]->setText(QString::asprintf("%.1f", s.baselineScore));
  criterion_[1]->setText(QString::asprintf("%.1f", s.last.count > 0 ? s.last.score : 0.0f));
  criterion_[2]->setText(QString::asprintf("%.1f", s.bestScore));
  criterion_[3]->setText(QString::asprintf("%.1f", s.keptCount > 0 ? s.bestScore - s.baselineScore : 0.0f));
  criterion_[4]->setText(QString::fromLatin1(CriterionUnits(s.criterion)));
  phaseStart_->setText(s.phase == 2 ? QString::asprintf("%.1f", s.phaseStartScore) : QString());
  if (changed) ShowCurrentTest(*currentChart_, s);
  if (keptMore) results_->ShowResults(s);
}

void CItrProDlg::UpdateButtons() {
  const bool running = state_ == kRunning;
  results_->RunButton()->setText(running ? tr("Stop") : tr("Run/Stop"));
  results_->RunButton()->setEnabled(state_ != kFinished || running);
  results_->RestartButton()->setEnabled(!running);
  for (QPushButton* b : presets_) b->setEnabled(!running);
  for (int i = 0; i < pages_->count(); ++i) {
    if (pages_->widget(i) != results_) pages_->widget(i)->setEnabled(!running);
  }
  for (int slot = 0; slot < kIteratorResults; ++slot) {
    if (running) results_->SaveButton(slot)->setEnabled(false);
  }
}

void CItrProDlg::accept() {
  // OK during a run keeps what was done so far: its failures are told as at a run's end.
  control_->StopAndReport();
  phases_.MoveInto(document_);
  document_.SetBaselineChanged(false);
  QDialog::accept();
}

void CItrProDlg::reject() {
  StopAndJoin();
  QDialog::reject();
}

void CItrProDlg::closeEvent(QCloseEvent* event) {
  StopAndJoin();
  QDialog::closeEvent(event);
}

}  // namespace brisca
