#pragma once
// "  Camshaft Specs  ": the cam-card values of the lobe shown: durations in
// both conventions, centrelines, lobe centre, lifts and overlap. Entering a
// card value derives the events of that convention's copy from the card.

#include <QWidget>

#include <array>

class QLabel;
class QRadioButton;

namespace brisca {

class CCamDlg;
class CEditFloatPt;
class CFloatPtSpec;

class CCamSpecsPropPage : public QWidget {
  Q_OBJECT

 public:
  enum Field {
    kSeatIntakeDuration,
    kSeatExhaustDuration,
    kFiftyIntakeDuration,
    kFiftyExhaustDuration,
    kIntakeCenterline,
    kExhaustCenterline,  // shown only
    kIntakeLift,
    kExhaustLift,
    kLobeCenter,
    kOverlap,  // shown only
    kFieldCount
  };

  explicit CCamSpecsPropPage(CCamDlg& dialog);

  void Refresh();
  CEditFloatPt* Edit(Field field) const { return edits_[field]; }
  QRadioButton* ViewButton(int method) const { return views_[method - 1]; }
  QLabel* Note() const { return note_; }

 private:
  CFloatPtSpec* Spec(Field field) const;
  void Accepted(Field field, bool changed);

  CCamDlg& dialog_;
  std::array<CEditFloatPt*, kFieldCount> edits_{};
  std::array<QRadioButton*, 2> views_{};
  QLabel* note_ = nullptr;
};

//! The note shown while the other convention's values may be entered.
extern const char* const kBothConventionsNote;

}  // namespace brisca
