#include "gui/cam/CamTimingPropPage.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "gui/cam/CamDlg.h"
#include "gui/cam/CamSpecsPropPage.h"
#include "gui/shell/EditFloatPt.h"
#include "gui/shell/ValueEditGuard.h"

namespace brisca {
namespace {

const char* const kEventLabels[kCamEventCount] = {"Intake Valve Opens (IVO):", "Intake Valve Closes (IVC):",
                                                  "Exhaust Valve Opens (EVO):", "Exhaust Valve Closes (EVC):"};

QString Shown(const CFloatPtSpec& spec) {
  return spec.IsAssigned() ? QString::fromStdString(spec.GetText()) : QString();
}

}  // namespace

CCamTimingPropPage::CCamTimingPropPage(CCamDlg& dialog) : QWidget(&dialog), dialog_(dialog) {
  setObjectName(QStringLiteral("camTimingPage"));
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

  auto* sets = new QHBoxLayout;
  for (int method : {kSeatToSeat, kFiftyThou}) {
    auto* box = new QGroupBox(method == kSeatToSeat ? tr("Seat-to-Seat Valve Timing") : tr("0.050-Inch Valve Timing"), this);
    groups_[method - 1] = box;
    auto* grid = new QGridLayout(box);
    for (int e = 0; e < kCamEventCount; ++e) {
      auto* edit = new CEditFloatPt(box);
      edit->setObjectName(QStringLiteral("camEvent%1_%2").arg(method).arg(e));
      edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("-0000.000")) + 16);
      events_[method - 1][e] = edit;
      grid->addWidget(new QLabel(tr(kEventLabels[e]), box), e, 0);
      grid->addWidget(edit, e, 1);
      dialog_.Guard()->AddValueEdit(
          edit,
          [this, method, e] {
            CamWorkingCopies& c = dialog_.Copies();
            return static_cast<CSimSpec*>(&c.Copy(c.Lobe(), method).Event(TimingSet::Primary, static_cast<CamEvent>(e)));
          },
          [this, method](bool changed) {
            CamWorkingCopies& c = dialog_.Copies();
            if (changed) c.Copy(c.Lobe(), method).SetModified(true);
            c.EventAccepted(method);
            dialog_.Refresh();
          });
    }
    sets->addWidget(box);
  }
  layout->addLayout(sets);

  auto* liftRow = new QHBoxLayout;
  for (bool intake : {true, false}) {
    auto* edit = new CEditFloatPt(this);
    edit->setObjectName(intake ? QStringLiteral("camIntakeLift") : QStringLiteral("camExhaustLift"));
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("-0000.000")) + 16);
    lifts_[intake ? 0 : 1] = edit;
    liftRow->addWidget(new QLabel(intake ? tr("Intake Lift At Valve:") : tr("Exhaust Lift At Valve:"), this));
    liftRow->addWidget(edit);
    dialog_.Guard()->AddValueEdit(
        edit,
        [this, intake] {
          CCamProfile& view = dialog_.Copies().Shown();
          return static_cast<CSimSpec*>(intake ? &view.IntakeLift() : &view.ExhaustLift());
        },
        [this](bool changed) {
          CamWorkingCopies& c = dialog_.Copies();
          if (changed) c.Shown().SetModified(true);
          c.LiftAccepted(c.View());
          dialog_.Refresh();
        });
  }
  liftRow->addStretch(1);
  layout->addLayout(liftRow);
  note_ = new QLabel(QString::fromUtf8(kBothConventionsNote), this);
  note_->setWordWrap(true);
  layout->addWidget(note_);
  layout->addStretch(1);
}

void CCamTimingPropPage::Refresh() {
  const CamWorkingCopies& c = dialog_.Copies();
  views_[0]->setChecked(c.View() == kSeatToSeat);
  views_[1]->setChecked(c.View() == kFiftyThou);
  const bool otherOpen = c.Shown().AutoRampRateOn();
  for (int method : {kSeatToSeat, kFiftyThou}) {
    const CCamProfile& copy = c.Copy(c.Lobe(), method);
    for (int e = 0; e < kCamEventCount; ++e)
      events_[method - 1][e]->setText(Shown(copy.Event(TimingSet::Primary, static_cast<CamEvent>(e))));
    groups_[method - 1]->setEnabled(method == c.View() || otherOpen);
  }
  lifts_[0]->setText(Shown(c.Shown().IntakeLift()));
  lifts_[1]->setText(Shown(c.Shown().ExhaustLift()));
  note_->setVisible(otherOpen);
}

}  // namespace brisca
