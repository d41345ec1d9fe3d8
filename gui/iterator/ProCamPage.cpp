#include "gui/iterator/ProCamPage.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "core/document/VexoDoc.h"
#include "gui/iterator/ProChoices.h"

namespace brisca {
namespace {

constexpr const char* kEventLabels[4] = {"IVO:", "IVC:", "EVO:", "EVC:"};

QComboBox* Choices(QWidget* parent, const QStringList& texts) {
  auto* combo = new QComboBox(parent);
  combo->addItems(texts);
  return combo;
}

}  // namespace

ProCamPage::ProCamPage(IteratorPhases& phases, const CVexoDoc& baseline, bool highSpeed,
                       QWidget* parent)
    : ProPage(phases, baseline, parent), highSpeed_(highSpeed) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(ModeBox(mode_, true));
  auto* boxes = new QHBoxLayout;
  boxes->addWidget(BuildPhase(1));
  boxes->addWidget(BuildPhase(2));
  layout->addLayout(boxes);
  layout->addStretch(1);
  connect(mode_, &QButtonGroup::idClicked, this, [this](int id) {
    if (!MayEdit()) return;
    SetGroupMode(Group(), static_cast<GroupMode>(id), Phase(1), Phase(2));
    Refresh();
    emit SetupChanged();
  });
  Refresh();
}

QGroupBox* ProCamPage::BuildPhase(int phase) {
  PhaseRows& rows = rows_[phase - 1];
  rows.box = new QGroupBox(phase == 1 ? tr("Single Phase Test") : tr("Dual Phase Test"), this);
  auto* grid = new QGridLayout(rows.box);
  QStringList tolerances;
  for (float t : kCamTolerances) tolerances << QString::number(t, 'f', 0);
  QStringList steps;
  for (float s : kCamSteps) steps << QString::number(s, 'f', 0);
  for (int k = 0; k < 4; ++k) {
    grid->addWidget(new QLabel(tr(kEventLabels[k]), rows.box), k, 0);
    rows.centre[k] = new QLabel(rows.box);
    rows.centre[k]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(rows.centre[k], k, 1);
    grid->addWidget(new QLabel(tr("+/-"), rows.box), k, 2);
    rows.tolerance[k] = Choices(rows.box, tolerances);
    grid->addWidget(rows.tolerance[k], k, 3);
    connect(rows.tolerance[k], &QComboBox::currentIndexChanged, this, [this, phase] { Apply(phase); });
  }
  grid->addWidget(new QLabel(tr("Step Value:"), rows.box), 4, 0, 1, 2);
  rows.step = Choices(rows.box, steps);
  grid->addWidget(rows.step, 4, 3);
  connect(rows.step, &QComboBox::currentIndexChanged, this, [this, phase] { Apply(phase); });
  int row = 5;
  if (highSpeed_) {
    QStringList activation;
    for (int i = 0; i < kActivationChoices; ++i) {
      activation << QString::number(i * static_cast<int>(kActivationChoiceStep));
    }
    grid->addWidget(new QLabel(tr("Activation RPM:"), rows.box), row, 0);
    rows.activationCentre = new QLabel(rows.box);
    rows.activationCentre->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(rows.activationCentre, row, 1);
    grid->addWidget(new QLabel(tr("+/-"), rows.box), row, 2);
    rows.activation = Choices(rows.box, activation);
    grid->addWidget(rows.activation, row, 3);
    connect(rows.activation, &QComboBox::currentIndexChanged, this, [this, phase] { Apply(phase); });
    ++row;
  }
  grid->addWidget(new QLabel(tr("Number of Tests:"), rows.box), row, 0, 1, 3);
  rows.tests = new QLabel(rows.box);
  rows.tests->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  grid->addWidget(rows.tests, row, 3);
  grid->setColumnStretch(1, 1);
  return rows.box;
}

void ProCamPage::Apply(int phase) {
  if (!MayEdit()) return;
  const PhaseRows& rows = rows_[phase - 1];
  Iterator& it = Phase(phase);
  const float step = kCamSteps.at(rows.step->currentIndex());
  for (int k = 0; k < 4; ++k) {
    const int slot = FirstSlot() + k;
    it.SetVariable(slot, Iterator::ValueOf(slot, baseline_), kCamTolerances.at(rows.tolerance[k]->currentIndex()),
                   step);
  }
  if (highSpeed_) {
    it.SetVariable(kSlotActivationRpm, Iterator::ValueOf(kSlotActivationRpm, baseline_),
                   rows.activation->currentIndex() * kActivationChoiceStep, kActivationChoiceStep);
  }
  Refresh();
  emit SetupChanged();
}

void ProCamPage::Refresh() {
  refreshing_ = true;
  const GroupMode mode = ModeOf(Group());
  mode_->button(static_cast<int>(mode))->setChecked(true);
  for (int phase = 1; phase <= 2; ++phase) {
    PhaseRows& rows = rows_[phase - 1];
    const Iterator& it = Phase(phase);
    rows.box->setEnabled(phase == 1 ? mode != GroupMode::Exclude : mode == GroupMode::Dual);
    for (int k = 0; k < 4; ++k) {
      const int slot = FirstSlot() + k;
      rows.centre[k]->setText(QString::asprintf("%.1f", Iterator::ValueOf(slot, baseline_)));
      rows.tolerance[k]->setCurrentIndex(NearestChoice(kCamTolerances, it.Variable(slot).Tolerance()));
    }
    if (it.Variable(FirstSlot()).Step() > 0.0f) {
      rows.step->setCurrentIndex(NearestChoice(kCamSteps, it.Variable(FirstSlot()).Step()));
    }
    std::initializer_list<int> slotList = {FirstSlot(), FirstSlot() + 1, FirstSlot() + 2, FirstSlot() + 3};
    int tests = TestsOf(phase, slotList);
    if (highSpeed_) {
      rows.activationCentre->setText(
          QString::asprintf("%.0f", Iterator::ValueOf(kSlotActivationRpm, baseline_)));
      rows.activation->setCurrentIndex(std::clamp(
          static_cast<int>(it.Variable(kSlotActivationRpm).Tolerance() / kActivationChoiceStep + 0.5f), 0,
          kActivationChoices - 1));
      tests *= TestsOf(phase, {kSlotActivationRpm});
    }
    const bool used = phase == 1 ? mode != GroupMode::Exclude : mode == GroupMode::Dual;
    rows.tests->setText(used ? QString::number(tests) : tr("Not Used"));
  }
  refreshing_ = false;
}

}  // namespace brisca
