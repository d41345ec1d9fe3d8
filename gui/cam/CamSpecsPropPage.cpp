#include "gui/cam/CamSpecsPropPage.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/base/ErrCode.h"
#include "gui/cam/CamDlg.h"
#include "gui/shell/EditFloatPt.h"
#include "gui/shell/ValueEditGuard.h"

namespace brisca {

const char* const kBothConventionsNote =
    "NOTE: Ramp Rate Auto-Calc requires both Seat-To-Seat and 0.050-inch Timing specs.";

namespace {

QString Shown(const CFloatPtSpec& spec) {
  return spec.IsAssigned() ? QString::fromStdString(spec.GetText()) : QString();
}

}  // namespace

CCamSpecsPropPage::CCamSpecsPropPage(CCamDlg& dialog) : QWidget(&dialog), dialog_(dialog) {
  setObjectName(QStringLiteral("camSpecsPage"));
  auto* layout = new QVBoxLayout(this);
  auto* radios = new QHBoxLayout;
  views_[0] = new QRadioButton(tr("Seat-To-Seat Timing"), this);
  views_[1] = new QRadioButton(tr("0.050-inch Timing"), this);
  for (int method : {kSeatToSeat, kFiftyThou}) {
    radios->addWidget(views_[method - 1]);
    connect(views_[method - 1], &QRadioButton::clicked, this, [this, method] { dialog_.OnViewConvention(method); });
  }
  radios->addStretch(1);
  layout->addLayout(radios);

  auto* grid = new QGridLayout;
  for (int f = 0; f < kFieldCount; ++f) {
    edits_[f] = new CEditFloatPt(this);
    edits_[f]->setObjectName(QStringLiteral("camSpec%1").arg(f));
    edits_[f]->setFixedWidth(edits_[f]->fontMetrics().horizontalAdvance(QStringLiteral("-0000.000")) + 16);
  }
  edits_[kExhaustCenterline]->setReadOnly(true);
  edits_[kOverlap]->setReadOnly(true);
  edits_[kExhaustCenterline]->setFocusPolicy(Qt::NoFocus);
  edits_[kOverlap]->setFocusPolicy(Qt::NoFocus);
  grid->addWidget(new QLabel(tr("Intake"), this), 0, 1, Qt::AlignHCenter);
  grid->addWidget(new QLabel(tr("Exhaust"), this), 0, 2, Qt::AlignHCenter);
  const auto pair = [&](int row, const QString& label, Field intake, Field exhaust) {
    grid->addWidget(new QLabel(label, this), row, 0);
    grid->addWidget(edits_[intake], row, 1);
    grid->addWidget(edits_[exhaust], row, 2);
  };
  pair(1, tr("Seat-To-Seat Duration:"), kSeatIntakeDuration, kSeatExhaustDuration);
  pair(2, tr("0.050 Inch Duration:"), kFiftyIntakeDuration, kFiftyExhaustDuration);
  grid->addWidget(new QLabel(tr("Intake Centerline:"), this), 3, 0);
  grid->addWidget(edits_[kIntakeCenterline], 3, 1);
  grid->addWidget(new QLabel(tr("Exhaust Centerline:"), this), 3, 2, Qt::AlignRight);
  grid->addWidget(edits_[kExhaustCenterline], 3, 3);
  grid->addWidget(new QLabel(tr("Intake Valve Max. Lift:"), this), 4, 0);
  grid->addWidget(edits_[kIntakeLift], 4, 1);
  grid->addWidget(new QLabel(tr("Exhaust Valve Max. Lift:"), this), 4, 2, Qt::AlignRight);
  grid->addWidget(edits_[kExhaustLift], 4, 3);
  grid->addWidget(new QLabel(tr("Cam Lobe-Center Angle:"), this), 5, 0);
  grid->addWidget(edits_[kLobeCenter], 5, 1);
  grid->addWidget(new QLabel(tr("Valve Overlap:"), this), 5, 2, Qt::AlignRight);
  grid->addWidget(edits_[kOverlap], 5, 3);
  grid->setColumnStretch(4, 1);
  layout->addLayout(grid);
  note_ = new QLabel(QString::fromUtf8(kBothConventionsNote), this);
  note_->setWordWrap(true);
  layout->addWidget(note_);
  layout->addStretch(1);

  for (int f = 0; f < kFieldCount; ++f) {
    if (f == kExhaustCenterline || f == kOverlap) continue;
    const Field field = static_cast<Field>(f);
    dialog_.Guard()->AddValueEdit(
        edits_[f], [this, field] { return static_cast<CSimSpec*>(Spec(field)); },
        [this, field](bool changed) { Accepted(field, changed); });
  }
}

CFloatPtSpec* CCamSpecsPropPage::Spec(Field field) const {
  CamWorkingCopies& c = dialog_.Copies();
  const int lobe = c.Lobe();
  CCamProfile& view = c.Shown();
  switch (field) {
    case kSeatIntakeDuration: return &c.Copy(lobe, kSeatToSeat).IntakeDuration();
    case kSeatExhaustDuration: return &c.Copy(lobe, kSeatToSeat).ExhaustDuration();
    case kFiftyIntakeDuration: return &c.Copy(lobe, kFiftyThou).IntakeDuration();
    case kFiftyExhaustDuration: return &c.Copy(lobe, kFiftyThou).ExhaustDuration();
    case kIntakeCenterline: return &view.IntakeCenterline();
    case kIntakeLift: return &view.IntakeLift();
    case kExhaustLift: return &view.ExhaustLift();
    case kLobeCenter: return &view.LobeCenterAngle();
    default: return nullptr;
  }
}

void CCamSpecsPropPage::Accepted(Field field, bool changed) {
  CamWorkingCopies& c = dialog_.Copies();
  const bool duration = field <= kFiftyExhaustDuration;
  const int method = !duration ? c.View() : field <= kSeatExhaustDuration ? kSeatToSeat : kFiftyThou;
  // Tabbing through a card value leaves the events as they are.
  if (!changed) return;
  c.Copy(c.Lobe(), method).SetModified(true);
  const std::vector<int> errors = c.CardAccepted(method, !duration);
  dialog_.Refresh();
  for (int code : errors) ReportErrorCode(code);
}

void CCamSpecsPropPage::Refresh() {
  const CamWorkingCopies& c = dialog_.Copies();
  const int lobe = c.Lobe();
  const CCamProfile& seat = c.Copy(lobe, kSeatToSeat);
  const CCamProfile& fifty = c.Copy(lobe, kFiftyThou);
  const CCamProfile& view = c.Shown();
  views_[0]->setChecked(c.View() == kSeatToSeat);
  views_[1]->setChecked(c.View() == kFiftyThou);
  edits_[kSeatIntakeDuration]->setText(Shown(seat.IntakeDuration()));
  edits_[kSeatExhaustDuration]->setText(Shown(seat.ExhaustDuration()));
  edits_[kFiftyIntakeDuration]->setText(Shown(fifty.IntakeDuration()));
  edits_[kFiftyExhaustDuration]->setText(Shown(fifty.ExhaustDuration()));
  edits_[kIntakeCenterline]->setText(Shown(view.IntakeCenterline()));
  edits_[kExhaustCenterline]->setText(Shown(view.ExhaustCenterline()));
  edits_[kIntakeLift]->setText(Shown(view.IntakeLift()));
  edits_[kExhaustLift]->setText(Shown(view.ExhaustLift()));
  edits_[kLobeCenter]->setText(Shown(view.LobeCenterAngle()));
  edits_[kOverlap]->setText(Shown(view.ValveOverlap()));
  const bool otherOpen = view.AutoRampRateOn();
  const bool seatView = c.View() == kSeatToSeat;
  for (Field f : {kSeatIntakeDuration, kSeatExhaustDuration})
    edits_[f]->setEnabled(seatView || otherOpen);
  for (Field f : {kFiftyIntakeDuration, kFiftyExhaustDuration})
    edits_[f]->setEnabled(!seatView || otherOpen);
  note_->setVisible(otherOpen);
}

}  // namespace brisca
