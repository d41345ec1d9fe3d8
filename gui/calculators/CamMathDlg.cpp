#include "gui/calculators/CamMathDlg.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/base/ErrCode.h"
#include "core/valvetrain/calculators/CamMathCalculator.h"
#include "gui/calculators/CalculatorLayout.h"
#include "gui/shell/EditFloatPt.h"
#include "gui/shell/ValueEditGuard.h"

namespace brisca {
namespace {

constexpr int kExhaustLiftInput = 5;
const char* const kInputLabels[6] = {"Lobe Center Angle:", "Intake Centerline:", "Intake Duration:",
                                     "Exhaust Duration:", "Intake Lift @ Valve:", "Exhaust Lift @ Valve:"};
const char* const kEventLabels[4] = {"IVO (degrees BTDC):", "IVC (degrees ABDC):", "EVO (degrees BBDC):",
                                     "EVC (degrees ATDC):"};
constexpr CamEvent kEvents[4] = {kIVO, kIVC, kEVO, kEVC};

QString Shown(const CFloatPtSpec& spec) {
  return spec.IsAssigned() ? QString::fromStdString(spec.GetText()) : QString();
}

CFloatPtSpec& InputSpec(CCamProfile& lobe, int i) {
  switch (i) {
    case 0: return lobe.LobeCenterAngle();
    case 1: return lobe.IntakeCenterline();
    case 2: return lobe.IntakeDuration();
    case 3: return lobe.ExhaustDuration();
    case 4: return lobe.IntakeLift();
    default: return lobe.ExhaustLift();
  }
}

}  // namespace

CCamMathDlg::CCamMathDlg(CCamProfile& lobe, int lobeIndex, QWidget* parent)
    : QDialog(parent), target_(lobe), copy_(lobe) {
  copy_.CopyFrom(lobe);
  setWindowTitle(tr("Cam Math Calculator") +
                 (lobeIndex == 0 ? tr(" (Low Speed Lobe)") : tr(" (High Speed Lobe)")));
  setObjectName(QStringLiteral("camMathDlg"));
  const QString suffix =
      QStringLiteral(" @ ") + QString::fromStdString(copy_.Method(TimingSet::Primary).GetText());

  auto* inputBox = new QGroupBox(tr("Enter Cam Timing Specs") + suffix, this);
  auto* inputGrid = new QGridLayout(inputBox);
  for (int i = 0; i < 6; ++i) {
    inputs_[i] = new CEditFloatPt(inputBox);
    inputs_[i]->setMinimumWidth(inputs_[i]->fontMetrics().horizontalAdvance(QStringLiteral("-0000.000")) + 16);
    const QString unit = i == 0 ? tr("(cam degrees)")
                         : i < 4 ? tr("(crank degrees)")
                                 : QString::fromUtf8(InputSpec(copy_, i).GetUnitLabel());
    inputGrid->addWidget(new QLabel(QString::fromUtf8(kInputLabels[i]), inputBox), i, 0);
    inputGrid->addWidget(inputs_[i], i, 1);
    inputGrid->addWidget(new QLabel(unit, inputBox), i, 2);
    inputs_[i]->setText(Shown(InputSpec(copy_, i)));
  }
  inputs_[4]->setEnabled(!copy_.AutoValveLiftOn());
  inputs_[5]->setEnabled(!copy_.AutoValveLiftOn());

  auto* eventBox = new QGroupBox(tr("Calculated Valve Timing Points") + suffix, this);
  auto* eventGrid = new QGridLayout(eventBox);
  for (int i = 0; i < 4; ++i) {
    events_[i] = new QLineEdit(eventBox);
    events_[i]->setReadOnly(true);
    events_[i]->setFocusPolicy(Qt::NoFocus);
    eventGrid->addWidget(new QLabel(QString::fromUtf8(kEventLabels[i]), eventBox), i, 0);
    eventGrid->addWidget(events_[i], i, 1);
  }
  eventGrid->setRowStretch(4, 1);

  help_ = MakeHelpLine(this);
  QHBoxLayout* helpRow = MakeHelpRow(this, help_);

  const CalculatorButtons buttons = MakeApplyCancelRow(this);
  apply_ = buttons.apply;
  connect(apply_, &QPushButton::clicked, this, &CCamMathDlg::OnApply);

  auto* columns = new QHBoxLayout;
  columns->addWidget(inputBox);
  columns->addWidget(eventBox);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(columns);
  layout->addLayout(helpRow);
  layout->addLayout(buttons.row);

  guard_ = new ValueEditGuard(this, help_);
  for (int i = 0; i < 6; ++i) {
    guard_->AddValueEdit(
        inputs_[i], [this, i] { return &InputSpec(copy_, i); },
        [this, i](bool changed) {
          // The events follow a changed card only: worked out again from an
          // unchanged card they come back rounded (63.0 as 62.9).
          if (changed) {
            CamCardToEvents(copy_);
            ShowEvents();
          }
          if (i == kExhaustLiftInput) help_->clear();
        },
        i >= 4);
  }
  ShowEvents();
}

bool CCamMathDlg::Changed() const { return guard_->ValuesChanged(); }

void CCamMathDlg::ShowEvents() {
  for (int i = 0; i < 4; ++i) events_[i]->setText(Shown(copy_.Event(TimingSet::Primary, kEvents[i])));
}

void CCamMathDlg::OnApply() {
  if (!guard_->CommitFocus(apply_)) return;
  int code = 0;
  if (!CheckCamMathApply(copy_, code)) {
    ReportErrorCode(code);
    return;
  }
  if (Changed()) target_.CopyFrom(copy_);
  accept();
}

}  // namespace brisca
