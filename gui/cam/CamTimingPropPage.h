#pragma once
// "  Valve Event Timing  ": the four events of the lobe shown in both
// conventions and the two lifts. The other convention's events may be entered
// only while the ramp rate is computed (it needs both).

#include <QWidget>

#include <array>

class QGroupBox;
class QLabel;
class QRadioButton;

namespace brisca {

class CCamDlg;
class CEditFloatPt;

class CCamTimingPropPage : public QWidget {
  Q_OBJECT

 public:
  explicit CCamTimingPropPage(CCamDlg& dialog);

  void Refresh();
  //! The event edit of convention `method` (1, 2) and event (IVO, IVC, EVO, EVC).
  CEditFloatPt* EventEdit(int method, int event) const { return events_[method - 1][event]; }
  CEditFloatPt* LiftEdit(bool intake) const { return lifts_[intake ? 0 : 1]; }
  QGroupBox* Group(int method) const { return groups_[method - 1]; }
  QRadioButton* ViewButton(int method) const { return views_[method - 1]; }
  QLabel* Note() const { return note_; }

 private:
  CCamDlg& dialog_;
  std::array<std::array<CEditFloatPt*, 4>, 2> events_{};
  std::array<CEditFloatPt*, 2> lifts_{};
  std::array<QGroupBox*, 2> groups_{};
  std::array<QRadioButton*, 2> views_{};
  QLabel* note_ = nullptr;
};

}  // namespace brisca
