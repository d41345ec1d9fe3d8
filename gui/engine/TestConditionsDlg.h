#pragma once
// "Test Conditions": the weather the shown power and torque hold for and the
// standard they are corrected to. Only typed values are taken: a field the
// user did not type in keeps the value it had, bit for bit (its text is a
// rounded form). Altitude and pressure are kept in step, and so are relative
// humidity and dew point; only pressure and humidity are stored.

#include <QDialog>

#include "core/results/TestConditions.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace brisca {

class CTestConditionsDlg : public QDialog {
  Q_OBJECT

 public:
  CTestConditionsDlg(const TestConditions& conditions, QWidget* parent = nullptr);

  //! The conditions as the dialog holds them (the ones given, plus what was typed).
  const TestConditions& Conditions() const { return conditions_; }

  void accept() override;

 private:
  enum Field { kPressure, kAltitude, kTemperature, kHumidity, kDewPoint, kFieldCount };

  QLineEdit* AddField(Field field, const QString& label, const QString& text, int row);
  void Edited(Field field);
  //! The typed value of `field`, or nothing when its text does not read.
  std::optional<double> Typed(Field field) const;
  void ShowNote();

  TestConditions conditions_;
  QComboBox* standard_ = nullptr;
  QGroupBox* weather_ = nullptr;
  QLineEdit* fields_[kFieldCount] = {};
  bool typed_[kFieldCount] = {};
  QLabel* note_ = nullptr;
};

}  // namespace brisca
