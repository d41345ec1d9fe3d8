#pragma once
// What a chart axis can plot: the 29 chart data items (numbered 0..28) and the
// five range modes. The table is static data; every caller looks items up by
// number. Item 0, "(None)", plots nothing and is offered for Y2 only. Items 7,
// 19, 20, 26 and 27 are combinations: their curves, in series order, are the
// single items listed in `curves`, each with its own label as legend text.
//
// Units never change with the unit system: the result arrays are domestic.

#include <array>

#include "core/sim/ResultSet.h"

namespace brisca {

inline constexpr int kChartItemCount = 29;    //!< items 0..28
inline constexpr int kMaxChartCurves = 4;     //!< most curves one item plots

//! Item numbers that other code names.
enum ChartItemNumber : int {
  kItemNone = 0,
  kItemEngineSpeed = 1,
  kItemPower = 2,
  kItemTorque = 3,
  kItemManifoldPressure = 4,
  kItemBoostPressure = 5,
  kItemVolumetricEfficiency = 6,
  kItemPowerTorqueCombo = 7,
  kItemWheelPower = 21,
  kItemWheelTorque = 28,
};

//! Axis range modes, numbered as the engine file stores them.
enum class RangeMode : int { Auto = 0, Low = 1, Mid = 2, Hi = 3, Custom = 4 };
inline constexpr int kRangeModeCount = 5;

//! "Auto-Range", "Low-Range", "Mid-Range", "Hi-Range", "Custom-Range".
const char* RangeModeName(RangeMode mode);
//! True for 0..4.
bool IsRangeModeNumber(int mode);

//! Which of the document's result sets an item reads.
enum class ResultSource { Displayed, LowSpeedLobe, HighSpeedLobe };

//! Axis minimum..maximum of a fixed range.
struct AxisRange {
  int min = 0;
  int max = 0;
};

struct ChartItem {
  int number;              //!< 0..28, its row in the table
  const char* label;       //!< legend text, e.g. "Power (HP)"
  const char* units;       //!< unit caption drawn beside the axis, e.g. "HP"
  ResultSource source;     //!< result set the quantity comes from
  //! The plotted array of that set; null for item 0 and the combinations.
  ResultArray ResultSet::*quantity;
  int series;              //!< curves the item plots, 1..4 (item 0 counts 1)
  //! Item numbers of the curves in series order; a single item lists itself.
  std::array<int, kMaxChartCurves> curves;
  AxisRange low;           //!< Low-Range limits; item 0 has 0..0 throughout
  AxisRange mid;           //!< Mid-Range limits
  AxisRange hi;            //!< Hi-Range limits
  //! Shares one scale with the others of the power and torque family when two
  //! automatic axes show them (items 2, 3, 7, 8, 9, 10, 19).
  bool powerTorqueFamily;

  bool IsCombination() const { return quantity == nullptr && number != kItemNone; }
  //! The limits of Low, Mid or Hi; any other mode is a FatalAssert.
  AxisRange Range(RangeMode mode) const;
};

//! True for 0..28.
bool IsChartItemNumber(int item);
//! The table row of `item`; a number outside 0..28 is a FatalAssert.
const ChartItem& GetChartItem(int item);

//! The array a single item (not 0, not a combination: FatalAssert) plots, taken
//! from the set its source names.
const ResultArray& ChartItemValues(int item, const ResultSet& displayed,
                                   const ResultSet& lowSpeedLobe, const ResultSet& highSpeedLobe);

}  // namespace brisca
