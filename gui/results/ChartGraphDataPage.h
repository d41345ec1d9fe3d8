#pragma once
// "Graph Data" page of the chart properties: the chart's own document, or it
// and up to three other open documents.

#include <QWidget>

#include <array>

#include "gui/results/ChartSheetData.h"

class QComboBox;
class QLineEdit;
class QRadioButton;

namespace brisca {

class CChartGraphDataPage : public QWidget {
  Q_OBJECT

 public:
  CChartGraphDataPage(ChartSheetData& data, QWidget* parent = nullptr);

  //! Shows the working copy again.
  void Refresh();

  QRadioButton* CurrentOnlyButton() const { return currentOnly_; }
  QRadioButton* MultipleButton() const { return multiple_; }
  //! The list of "Set 2:" .. "Set 4:" (index 0..2).
  QComboBox* SetList(int index) const { return sets_.at(static_cast<std::size_t>(index)); }

 signals:
  //! The working copy changed (the axis lists may have to follow).
  void Changed();

 private:
  void ChooseMultiple();
  void ChooseCurrentOnly();
  void ChooseSlot(int index, int row);

  ChartSheetData& data_;
  QRadioButton* currentOnly_;
  QRadioButton* multiple_;
  QLineEdit* ownTitle_;
  std::array<QComboBox*, kChosenSlots> sets_{};
};

}  // namespace brisca
