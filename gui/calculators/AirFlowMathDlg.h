#pragma once
// "Airflow Math Calculator": an airflow measured at one pressure drop restated
// at a carburettor rating's drop (or a typed one). The arithmetic is the core's
// (AirflowMathCalculator); the dialog edits its values and says whether "Apply"
// ended it. It changes no document itself.

#include <QDialog>

#include "core/valvetrain/calculators/AirflowMathCalculator.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace brisca {

class CEditFloatPt;
class ValueEditGuard;

class CAirFlowMathDlg : public QDialog {
  Q_OBJECT

 public:
  //! `metric` chooses centimetre pressure units for the whole dialog.
  explicit CAirFlowMathDlg(bool metric, QWidget* parent = nullptr);

  const AirflowMathValues& Values() const { return values_; }
  //! True once "Apply" closed the dialog (never in "No Ratings Standard").
  bool Applied() const { return applied_; }

  // Controls, for the desktop tests and the screenshot tour.
  QRadioButton* RatingButton(int rating) const { return ratings_[rating]; }
  //! Water (false) or mercury (true) units of the known (false) or target (true) pressure.
  QRadioButton* UnitButton(bool target, bool mercury) const { return units_[target][mercury]; }
  CEditFloatPt* KnownPressureEdit() const { return knownPressure_; }
  CEditFloatPt* KnownAirflowEdit() const { return knownAirflow_; }
  CEditFloatPt* TargetPressureEdit() const { return targetPressure_; }
  QLineEdit* ResultBox() const { return result_; }
  QPushButton* DefaultButton() const { return default_; }
  QPushButton* CancelButton() const { return cancel_; }
  QLabel* HelpLine() const { return help_; }

  void OnRating(int rating);
  void OnUnits(bool target, bool mercury);
  void OnDefault();

 private:
  //! The known (false) or target (true) pressure and its unit label.
  void ShowPressure(bool target);
  void ShowResult();

  AirflowMathValues values_;
  bool applied_ = false;
  QRadioButton* ratings_[3] = {};
  QRadioButton* units_[2][2] = {};
  CEditFloatPt* knownPressure_ = nullptr;
  CEditFloatPt* knownAirflow_ = nullptr;
  CEditFloatPt* targetPressure_ = nullptr;
  QLabel* knownUnit_ = nullptr;
  QLabel* targetUnit_ = nullptr;
  QLineEdit* result_ = nullptr;
  QLabel* help_ = nullptr;
  QPushButton* default_ = nullptr;
  QPushButton* cancel_ = nullptr;
  ValueEditGuard* guard_ = nullptr;
};

}  // namespace brisca
