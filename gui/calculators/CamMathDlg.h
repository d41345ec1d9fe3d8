#pragma once
// "Cam Math Calculator": a cam card (lobe centre, intake centreline, the two
// durations) and the valve lifts turned into the primary valve events of a
// working copy of one lobe. "Apply" hands the copy to the lobe; the events are
// the core's (CamMathCalculator).

#include <QDialog>

#include <array>

#include "core/valvetrain/CamProfile.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace brisca {

class CEditFloatPt;
class ValueEditGuard;

class CCamMathDlg : public QDialog {
  Q_OBJECT

 public:
  //! Edits a copy of `lobe`; `lobeIndex` 0 low-speed, 1 high-speed (the title's suffix).
  CCamMathDlg(CCamProfile& lobe, int lobeIndex, QWidget* parent = nullptr);

  const CCamProfile& Copy() const { return copy_; }

  //! The six inputs in order: lobe centre, intake centreline, intake and exhaust
  //! duration, intake and exhaust lift.
  CEditFloatPt* Input(int i) const { return inputs_[i]; }
  //! IVO, IVC, EVO, EVC as shown.
  QLineEdit* EventBox(int i) const { return events_[i]; }
  QLabel* HelpLine() const { return help_; }
  QPushButton* ApplyButton() const { return apply_; }

  //! Apply: takes the copy into the lobe when a typed value changed it.
  void OnApply();
  //! Whether a typed value changed the copy.
  bool Changed() const;

 private:
  void ShowEvents();

  CCamProfile& target_;
  CCamProfile copy_;
  std::array<CEditFloatPt*, 6> inputs_{};
  std::array<QLineEdit*, 4> events_{};
  QLabel* help_ = nullptr;
  QPushButton* apply_ = nullptr;
  ValueEditGuard* guard_ = nullptr;
};

}  // namespace brisca
