#include "gui/iterator/ProOptimizePage.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/document/VexoDoc.h"
#include "core/sim/SimResults.h"
#include "gui/iterator/IteratorCharts.h"
#include "gui/results/chartlib/Chart2D.h"

namespace brisca {
namespace {

constexpr const char* kCriterionTexts[4] = {
    "Optimize for Peak Torque", "Optimize Area under Torque Curve", "Optimize for Peak Horsepower",
    "Optimize Area under Horsepower Curve"};
constexpr const char* kRangeTexts[4] = {
    "RPM Range for Peak Torque:", "RPM Range for Area under Torque Curve:",
    "RPM Range for Peak Horsepower:", "RPM Range for Area under Horsepower Curve:"};

float SpeedAt(int index) { return kSweepMinRpm + 500.0f * static_cast<float>(index); }
int IndexOf(float rpm) { return static_cast<int>((rpm - kSweepMinRpm) / 500.0f + 0.5f); }

}  // namespace

ProOptimizePage::ProOptimizePage(IteratorPhases& phases, const CVexoDoc& baseline, QWidget* parent)
    : ProPage(phases, baseline, parent) {
  auto* layout = new QVBoxLayout(this);
  auto* criteria = new QGroupBox(tr("Optimize For"), this);
  auto* grid = new QGridLayout(criteria);
  auto* group = new QButtonGroup(this);
  for (int c = 0; c < 4; ++c) {
    criteria_[c] = new QRadioButton(tr(kCriterionTexts[c]), criteria);
    group->addButton(criteria_[c], c);
    grid->addWidget(criteria_[c], c % 2, c / 2);
  }
  layout->addWidget(criteria);
  auto* range = new QHBoxLayout;
  rangeLabel_ = new QLabel(this);
  rangeLabel_->setMinimumWidth(rangeLabel_->fontMetrics().horizontalAdvance(tr(kRangeTexts[3])) + 8);
  from_ = new QComboBox(this);
  to_ = new QComboBox(this);
  for (int i = 0; i < kResultPoints; ++i) {
    from_->addItem(QString::number(SpeedAt(i), 'f', 0));
    to_->addItem(QString::number(SpeedAt(i), 'f', 0));
  }
  range->addWidget(rangeLabel_);
  range->addWidget(new QLabel(tr("From"), this));
  range->addWidget(from_);
  range->addWidget(new QLabel(tr("To"), this));
  range->addWidget(to_);
  range->addStretch(1);
  layout->addLayout(range);
  chart_ = new CChart2D(this);
  chart_->setObjectName(QStringLiteral("criterionRangeChart"));
  chart_->setMinimumSize(420, 260);
  layout->addWidget(chart_, 1);

  connect(group, &QButtonGroup::idClicked, this, [this](int criterion) {
    if (!MayEdit()) return;
    ProCriterionPreset(criterion, Phase(1), Phase(2));
    Refresh();
    emit SetupChanged();
  });
  connect(from_, &QComboBox::currentIndexChanged, this, [this] { OnRange(true); });
  connect(to_, &QComboBox::currentIndexChanged, this, [this] { OnRange(false); });
  Refresh();
}

void ProOptimizePage::OnRange(bool fromChanged) {
  if (!MayEdit()) return;
  int from = from_->currentIndex();
  int to = to_->currentIndex();
  // "From" stays below "To": the other end moves out of the way.
  if (from >= to) {
    if (fromChanged) {
      from = std::min(from, kResultPoints - 2);
      to = from + 1;
    } else {
      to = std::max(to, 1);
      from = to - 1;
    }
  }
  for (Iterator* it : {&Phase(1), &Phase(2)}) it->SetSpeedRange(SpeedAt(from), SpeedAt(to));
  Refresh();
  emit SetupChanged();
}

void ProOptimizePage::Refresh() {
  refreshing_ = true;
  const Iterator& it = Phase(1);
  const int criterion = it.GetCriterion();
  criteria_[criterion]->setChecked(true);
  rangeLabel_->setText(tr(kRangeTexts[criterion]));
  from_->setCurrentIndex(IndexOf(it.LowSpeed()));
  to_->setCurrentIndex(IndexOf(it.HighSpeed()));
  ShowCriterionRange(*chart_, CurveOf(baseline_), criterion, it.LowSpeed(), it.HighSpeed());
  refreshing_ = false;
}

}  // namespace brisca
