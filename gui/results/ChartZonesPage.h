#pragma once
// "Data Zones" page of the chart properties: whether zones are shown, their
// type and count, each zone's colour and range, and blending the colours.

#include <QWidget>

#include <array>
#include <functional>

#include "core/results/ChartLimitSpec.h"
#include "gui/results/ChartSheetData.h"

class QCheckBox;
class QColor;
class QGridLayout;
class QComboBox;
class QPushButton;
class QSpinBox;

namespace brisca {

class CEditFloatPt;
class ValueEditGuard;

class CChartZonesPage : public QWidget {
  Q_OBJECT

 public:
  //! Picks a zone colour starting from `initial`; false when the user cancelled.
  using ColourPicker = std::function<bool(const QColor& initial, QColor& chosen)>;

  CChartZonesPage(ChartSheetData& data, ValueEditGuard& guard, QWidget* parent = nullptr);

  void Refresh();
  //! Replaces the colour dialog (tests); empty restores it.
  void SetColourPicker(ColourPicker picker) { picker_ = std::move(picker); }

  QCheckBox* ShowZones() const { return shown_; }
  QComboBox* TypeList() const { return type_; }
  QSpinBox* CountSpin() const { return count_; }
  QPushButton* ColourButton(int zone) const { return Row(zone).colour; }
  CEditFloatPt* MinimumEdit(int zone) const { return Row(zone).minimum; }
  CEditFloatPt* MaximumEdit(int zone) const { return Row(zone).maximum; }
  QPushButton* BlendButton() const { return blend_; }

 signals:
  void Changed();

 private:
  struct ZoneRow {
    QPushButton* colour = nullptr;
    CEditFloatPt* minimum = nullptr;
    CEditFloatPt* maximum = nullptr;
  };
  const ZoneRow& Row(int zone) const { return rows_.at(static_cast<std::size_t>(zone)); }
  void MakeZoneRow(int zone, QWidget* parent, QGridLayout* grid, ValueEditGuard& guard);
  CChartLimitSpec* EdgeSpec(int zone, bool high);
  void PickColour(int zone);
  void Edited();

  ChartSheetData& data_;
  QCheckBox* shown_;
  QComboBox* type_;
  QSpinBox* count_;
  QPushButton* blend_;
  std::array<ZoneRow, kMaxZones> rows_{};
  std::array<CChartLimitSpec, kMaxZones * 2> edges_;
  ColourPicker picker_;
};

}  // namespace brisca
