#include "gui/calculators/AirFlowMathDlg.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/base/ErrCode.h"
#include "gui/calculators/CalculatorLayout.h"
#include "gui/shell/EditFloatPt.h"
#include "gui/shell/ValueEditGuard.h"

namespace brisca {
namespace {

struct UnitTexts {
  const char* water;
  const char* mercury;
  const char* twoBarrel;
  const char* fourBarrel;
};

constexpr UnitTexts kTexts[2] = {
    {"Inches Water (inH2O)", "Inches Mercury (inHg)", "2-Barrel Rating at 3.0 inHg Pressure Drop",
     "4-Barrel Rating at 1.5 inHg Pressure Drop"},
    {"cm Water (cmH2O)", "cm Mercury (cmHg)", "2-Barrel Rating at 7.6 cmHg Pressure Drop",
     "4-Barrel Rating at 3.8 cmHg Pressure Drop"},
};

QString Shown(const CFloatPtSpec& spec) {
  return spec.IsAssigned() ? QString::fromStdString(spec.GetText()) : QString();
}

}  // namespace

CAirFlowMathDlg::CAirFlowMathDlg(bool metric, QWidget* parent) : QDialog(parent), values_(metric) {
  setWindowTitle(tr("Airflow Math Calculator"));
  setObjectName(QStringLiteral("airFlowMathDlg"));
  const UnitTexts& texts = kTexts[metric ? 1 : 0];

  auto* ratingBox = new QGroupBox(tr("Airflow Ratings Standard"), this);
  auto* ratingLayout = new QVBoxLayout(ratingBox);
  const QString ratingTexts[3] = {tr("No Ratings Standard"), QString::fromUtf8(texts.twoBarrel),
                                  QString::fromUtf8(texts.fourBarrel)};
  for (int r = 0; r < 3; ++r) {
    ratings_[r] = new QRadioButton(ratingTexts[r], ratingBox);
    ratingLayout->addWidget(ratings_[r]);
    connect(ratings_[r], &QRadioButton::clicked, this, [this, r] { OnRating(r); });
  }

  auto pressureGroup = [&](const QString& title, bool target, CEditFloatPt*& pressure, QLabel*& unit,
                           QWidget*& airflow) {
    auto* box = new QGroupBox(title, this);
    auto* grid = new QGridLayout(box);
    auto* unitsBox = new QGroupBox(tr("Pressure Drop Units"), box);
    auto* unitsLayout = new QVBoxLayout(unitsBox);
    auto* group = new QButtonGroup(box);
    for (int m = 0; m < 2; ++m) {
      units_[target][m] = new QRadioButton(QString::fromUtf8(m ? texts.mercury : texts.water), unitsBox);
      group->addButton(units_[target][m]);
      unitsLayout->addWidget(units_[target][m]);
      connect(units_[target][m], &QRadioButton::clicked, this, [this, target, m] { OnUnits(target, m); });
    }
    pressure = new CEditFloatPt(box);
    unit = new QLabel(box);
    grid->addWidget(unitsBox, 0, 0, 1, 3);
    grid->addWidget(new QLabel(tr("Pressure Drop:"), box), 1, 0);
    grid->addWidget(pressure, 1, 1);
    grid->addWidget(unit, 1, 2);
    grid->addWidget(new QLabel(tr("Airflow Rate:"), box), 2, 0);
    grid->addWidget(airflow, 2, 1);
    grid->addWidget(new QLabel(tr("cfm"), box), 2, 2);
    grid->setColumnMinimumWidth(2, fontMetrics().horizontalAdvance(QStringLiteral("cmH2O")) + 4);
    return box;
  };
  knownAirflow_ = new CEditFloatPt(this);
  result_ = new QLineEdit(this);
  result_->setReadOnly(true);
  result_->setFocusPolicy(Qt::NoFocus);
  QWidget* knownFlow = knownAirflow_;
  QWidget* resultBox = result_;
  QGroupBox* known = pressureGroup(tr("Known Airflow"), false, knownPressure_, knownUnit_, knownFlow);
  QGroupBox* target = pressureGroup(tr("Calculated Airflow "), true, targetPressure_, targetUnit_, resultBox);
  // The known airflow is made before its group: Tab goes from its pressure to it.
  setTabOrder(knownPressure_, knownAirflow_);

  help_ = MakeHelpLine(this);
  QHBoxLayout* helpRow = MakeHelpRow(this, help_);

  const CalculatorButtons buttons = MakeApplyCancelRow(this);
  default_ = buttons.apply;
  cancel_ = buttons.cancel;
  connect(default_, &QPushButton::clicked, this, &CAirFlowMathDlg::OnDefault);

  auto* columns = new QHBoxLayout;
  columns->addWidget(known);
  columns->addWidget(target);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(ratingBox);
  layout->addLayout(columns);
  layout->addLayout(helpRow);
  layout->addLayout(buttons.row);

  guard_ = new ValueEditGuard(this, help_);
  auto recompute = [this](bool) {
    ComputeAirflowRate(values_);
    ShowResult();
    help_->clear();
  };
  guard_->AddValueEdit(knownPressure_, [this] { return &values_.knownPressure; }, recompute);
  guard_->AddValueEdit(knownAirflow_, [this] { return &values_.knownAirflow; }, recompute);
  guard_->AddValueEdit(targetPressure_, [this] { return &values_.targetPressure; }, recompute);

  units_[0][0]->setChecked(true);
  units_[1][1]->setChecked(true);
  ShowPressure(false);
  OnRating(values_.ratingMode);
  ratings_[values_.ratingMode]->setFocus();
  help_->clear();
}

void CAirFlowMathDlg::ShowPressure(bool target) {
  const CFloatPtSpec& pressure = target ? values_.targetPressure : values_.knownPressure;
  (target ? targetPressure_ : knownPressure_)->setText(Shown(pressure));
  (target ? targetUnit_ : knownUnit_)->setText(QString::fromUtf8(pressure.GetUnitLabel()));
}

void CAirFlowMathDlg::ShowResult() { result_->setText(Shown(values_.airflowRate)); }

void CAirFlowMathDlg::OnRating(int rating) {
  ChooseAirflowRating(values_, rating);
  ratings_[rating]->setChecked(true);
  const bool rated = rating != kNoRating;
  targetPressure_->setEnabled(!rated);
  default_->setText(rated ? tr("Apply") : tr("OK"));
  cancel_->setVisible(rated);
  ShowPressure(true);
  ShowResult();
}

void CAirFlowMathDlg::OnUnits(bool target, bool mercury) {
  CFloatPtSpec& pressure = target ? values_.targetPressure : values_.knownPressure;
  if (mercury) {
    pressure.ToMetric();
  } else {
    pressure.ToDomestic();
  }
  units_[target][mercury]->setChecked(true);
  if (target) ComputeAirflowRate(values_);
  ShowPressure(target);
  ShowResult();
}

void CAirFlowMathDlg::OnDefault() {
  if (!guard_->CommitFocus(default_)) return;
  if (values_.ratingMode == kNoRating) {
    reject();
    return;
  }
  int code = 0;
  if (!CheckAirflowApply(values_, code)) {
    ReportErrorCode(code);
    return;
  }
  applied_ = true;
  accept();
}

}  // namespace brisca
