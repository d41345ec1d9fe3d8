#pragma once
// "Axis Properties" page of the chart properties: for X, Y1 and Y2 the data
// type, the range mode, the numerical range (typed only under Custom-Range)
// and the item's unit caption.

#include <QWidget>

#include <array>

#include "core/results/ChartLimitSpec.h"
#include "gui/results/ChartSheetData.h"

class QComboBox;
class QLabel;

namespace brisca {

class CEditFloatPt;
class ValueEditGuard;

class CChartAxisPage : public QWidget {
  Q_OBJECT

 public:
  //! The range edits are checked by `guard` (the sheet's help line shows their hint).
  CChartAxisPage(ChartSheetData& data, ValueEditGuard& guard, QWidget* parent = nullptr);

  //! Shows the working copy again: lists, range pairs, units, hints.
  void Refresh();

  QComboBox* DataTypeList(int axis) const { return Row(axis).dataType; }
  QComboBox* RangeList(int axis) const { return Row(axis).range; }
  CEditFloatPt* MinimumEdit(int axis) const { return Row(axis).minimum; }
  CEditFloatPt* MaximumEdit(int axis) const { return Row(axis).maximum; }
  QLabel* UnitsLabel(int axis) const { return Row(axis).units; }
  QLabel* HintLabel(int axis) const { return Row(axis).hint; }

 signals:
  void Changed();

 private:
  struct AxisRow {
    QComboBox* dataType = nullptr;
    QComboBox* range = nullptr;
    CEditFloatPt* minimum = nullptr;
    CEditFloatPt* maximum = nullptr;
    QLabel* units = nullptr;
    QLabel* hint = nullptr;
  };
  const AxisRow& Row(int axis) const { return rows_.at(static_cast<std::size_t>(axis)); }
  QWidget* MakeAxisGroup(int axis, ValueEditGuard& guard);
  void RefreshAxis(int axis);
  //! The limit spec behind one range edit, set to what the working copy holds.
  CChartLimitSpec* LimitSpec(int axis, bool maximum);

  ChartSheetData& data_;
  std::array<AxisRow, kChartAxisCount> rows_{};
  std::array<CChartLimitSpec, kChartAxisCount * 2> limits_;
};

}  // namespace brisca
