#include "gui/iterator/ProBoreStrokePage.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <cmath>

#include "core/document/VexoDoc.h"
#include "gui/iterator/ProChoices.h"

namespace brisca {
namespace {

constexpr double kPi = 3.1415927;

//! Displacement of `cylinders` of bore × stroke: in³, or cc from millimetres.
double Displacement(double bore, double stroke, int cylinders, bool metric) {
  const double volume = kPi / 4.0 * bore * bore * stroke * cylinders;
  return metric ? volume / 1000.0 : volume;
}

}  // namespace

ProBoreStrokePage::ProBoreStrokePage(IteratorPhases& phases, const CVexoDoc& baseline, QWidget* parent)
    : ProPage(phases, baseline, parent), metric_(baseline.IsMetric()) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(ModeBox(mode_, true));
  auto* boxes = new QHBoxLayout;
  boxes->addWidget(BuildPhase(1));
  boxes->addWidget(BuildPhase(2));
  layout->addLayout(boxes);
  constant_ = new QCheckBox(tr("Maintain Current Displacement"), this);
  layout->addWidget(constant_);
  layout->addWidget(BuildLimits());
  tests_ = AddTestCount(layout);
  connect(mode_, &QButtonGroup::idClicked, this, [this](int id) {
    if (!MayEdit()) return;
    SetGroupMode(SlotGroup::BoreStroke, static_cast<GroupMode>(id), Phase(1), Phase(2));
    Refresh();
    emit SetupChanged();
  });
  connect(constant_, &QCheckBox::toggled, this, [this] {
    if (!MayEdit()) return;
    Apply(1, 0);
    Apply(2, 0);
  });
  Refresh();
}

QGroupBox* ProBoreStrokePage::BuildPhase(int phase) {
  PhaseRows& rows = rows_[phase - 1];
  rows.box = new QGroupBox(phase == 1 ? tr("Single Phase Test") : tr("Dual Phase Test"), this);
  auto* grid = new QGridLayout(rows.box);
  const auto& tolerances = metric_ ? kLengthTolerancesMm : kLengthTolerancesIn;
  const auto& steps = metric_ ? kLengthStepsMm : kLengthStepsIn;
  const int decimals = metric_ ? 2 : 3;
  const char* labels[2] = {"Bore:", "Stroke:"};
  for (int which = 0; which < 2; ++which) {
    grid->addWidget(new QLabel(tr(labels[which]), rows.box), which, 0);
    grid->addWidget(new QLabel(tr("+/-"), rows.box), which, 1);
    rows.tolerance[which] = new QComboBox(rows.box);
    for (float t : tolerances) rows.tolerance[which]->addItem(QString::number(t, 'f', decimals));
    grid->addWidget(rows.tolerance[which], which, 2);
    connect(rows.tolerance[which], &QComboBox::currentIndexChanged, this,
            [this, phase, which] { Apply(phase, which); });
  }
  grid->addWidget(new QLabel(tr("Step Value:"), rows.box), 2, 0, 1, 2);
  rows.step = new QComboBox(rows.box);
  for (float s : steps) rows.step->addItem(QString::number(s, 'f', decimals));
  grid->addWidget(rows.step, 2, 2);
  connect(rows.step, &QComboBox::currentIndexChanged, this, [this, phase] { Apply(phase, 0); });
  return rows.box;
}

QGroupBox* ProBoreStrokePage::BuildLimits() {
  auto* box = new QGroupBox(tr("Limits"), this);
  auto* grid = new QGridLayout(box);
  // Headers aligned as the values below them are, so each stands above its column.
  grid->addWidget(new QLabel(tr("Minimum:"), box), 0, 1, Qt::AlignRight);
  grid->addWidget(new QLabel(tr("Maximum:"), box), 0, 2, Qt::AlignRight);
  const char* rows[3] = {"Bore", "Stroke", "Displacement"};
  for (int r = 0; r < 3; ++r) {
    grid->addWidget(new QLabel(tr(rows[r]), box), r + 1, 0);
    for (int end = 0; end < 2; ++end) {
      limits_[r][end] = new QLabel(box);
      limits_[r][end]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
      grid->addWidget(limits_[r][end], r + 1, end + 1);
    }
  }
  return box;
}

void ProBoreStrokePage::Apply(int phase, int changed) {
  if (!MayEdit()) return;
  const PhaseRows& rows = rows_[phase - 1];
  const auto& tolerances = metric_ ? kLengthTolerancesMm : kLengthTolerancesIn;
  const auto& steps = metric_ ? kLengthStepsMm : kLengthStepsIn;
  Iterator& it = Phase(phase);
  const float step = steps.at(rows.step->currentIndex());
  float tol[2] = {tolerances.at(rows.tolerance[0]->currentIndex()),
                  tolerances.at(rows.tolerance[1]->currentIndex())};
  // With constant displacement the parameter just chosen drives the other.
  const bool constant = constant_->isChecked();
  const bool strokeDerived = constant && (changed == 0 ? tol[0] > 0.0f || tol[1] == 0.0f : tol[1] == 0.0f);
  const bool boreDerived = constant && !strokeDerived;
  it.SetConstantDisplacement(false, false);
  it.SetVariable(kSlotBore, Iterator::ValueOf(kSlotBore, baseline_), tol[0], step);
  it.SetVariable(kSlotStroke, Iterator::ValueOf(kSlotStroke, baseline_), tol[1], step);
  it.SetConstantDisplacement(boreDerived, strokeDerived);
  Refresh();
  emit SetupChanged();
}

void ProBoreStrokePage::Refresh() {
  refreshing_ = true;
  const GroupMode mode = ModeOf(SlotGroup::BoreStroke);
  mode_->button(static_cast<int>(mode))->setChecked(true);
  const auto& tolerances = metric_ ? kLengthTolerancesMm : kLengthTolerancesIn;
  const auto& steps = metric_ ? kLengthStepsMm : kLengthStepsIn;
  for (int phase = 1; phase <= 2; ++phase) {
    PhaseRows& rows = rows_[phase - 1];
    const Iterator& it = Phase(phase);
    rows.box->setEnabled(phase == 1 ? mode != GroupMode::Exclude : mode == GroupMode::Dual);
    rows.tolerance[0]->setCurrentIndex(NearestChoice(tolerances, it.Variable(kSlotBore).Tolerance()));
    rows.tolerance[1]->setCurrentIndex(NearestChoice(tolerances, it.Variable(kSlotStroke).Tolerance()));
    const float step = std::max(it.Variable(kSlotBore).Step(), it.Variable(kSlotStroke).Step());
    if (step > 0.0f) rows.step->setCurrentIndex(NearestChoice(steps, step));
  }
  constant_->setChecked(Phase(1).ConstantDisplacement());
  const int tests = TestsOf(1, {kSlotBore, kSlotStroke});
  tests_->setText(mode == GroupMode::Exclude ? tr("Not Used") : QString::number(tests));
  ShowLimits();
  refreshing_ = false;
}

void ProBoreStrokePage::ShowLimits() {
  const Iterator& it = Phase(1);
  const EngineParameters& e = baseline_.Engine();
  const int cylinders = e.cylinders.GetValue();
  auto range = [&](int slot, double own) {
    const IterationVariable& v = it.Variable(slot);
    return v.Tolerance() > 0.0f ? std::pair<double, double>{v.Minimum(), v.Maximum()}
                                : std::pair<double, double>{own, own};
  };
  auto [boreMin, boreMax] = range(kSlotBore, Iterator::ValueOf(kSlotBore, baseline_));
  auto [strokeMin, strokeMax] = range(kSlotStroke, Iterator::ValueOf(kSlotStroke, baseline_));
  const double volume = e.totalBlockVolume.GetValue();  // [ci] or [cc]
  const double unitVolume = metric_ ? volume * 1000.0 : volume;
  if (it.StrokeDerived() && boreMin > 0) {
    strokeMin = 4.0 * unitVolume / (kPi * cylinders * boreMax * boreMax);
    strokeMax = 4.0 * unitVolume / (kPi * cylinders * boreMin * boreMin);
  } else if (it.BoreDerived() && strokeMin > 0) {
    boreMin = std::sqrt(4.0 * unitVolume / (kPi * cylinders * strokeMax));
    boreMax = std::sqrt(4.0 * unitVolume / (kPi * cylinders * strokeMin));
  }
  const bool constant = it.ConstantDisplacement();
  const double volMin = constant ? volume : Displacement(boreMin, strokeMin, cylinders, metric_);
  const double volMax = constant ? volume : Displacement(boreMax, strokeMax, cylinders, metric_);
  const char* length = metric_ ? "%.2f mm" : "%.3f in";
  const char* displacement = metric_ ? "%.2f cc" : "%.1f ci";
  limits_[0][0]->setText(QString::asprintf(length, boreMin));
  limits_[0][1]->setText(QString::asprintf(length, boreMax));
  limits_[1][0]->setText(QString::asprintf(length, strokeMin));
  limits_[1][1]->setText(QString::asprintf(length, strokeMax));
  limits_[2][0]->setText(QString::asprintf(displacement, volMin));
  limits_[2][1]->setText(QString::asprintf(displacement, volMax));
}

}  // namespace brisca
