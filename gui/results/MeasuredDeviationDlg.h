#pragma once
// "Measured vs Simulated": the deviations of a measured run from the
// document's simulated curve as a table (speed; measured, simulated, Δ and
// Δ % of power and of torque), the air both are compared in, and the RMS and
// largest deviation of each. Every number is the core's (MeasuredDeviation);
// Copy (and Ctrl+C) puts the table on the clipboard as tab-separated text.

#include <QDialog>

#include "core/results/MeasuredDeviationTable.h"

class QTableWidget;

namespace brisca {

class CMeasuredDeviationDlg : public QDialog {
  Q_OBJECT

 public:
  //! The deviation of `run` from `simulated` (the model's results) in the
  //! air `conditions` give; `engine` names the document.
  CMeasuredDeviationDlg(const QString& engine, const ResultSet& simulated, const MeasuredRun& run,
                        const TestConditions& conditions, QWidget* parent = nullptr);

  const MeasuredDeviation& Deviation() const { return deviation_; }
  //! The text Copy puts on the clipboard.
  QString CopyText() const;
  QTableWidget* Table() const { return table_; }

 public slots:
  void Copy() const;

 private:
  MeasuredDeviation deviation_;
  DeviationTable text_;
  QTableWidget* table_ = nullptr;
};

}  // namespace brisca
