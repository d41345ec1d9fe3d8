#pragma once
// The right-click menu of a 2D chart as data: the items each data group
// offers, in menu order, with their menu texts (which differ from the item
// labels) and command ids, and the range and other commands.

#include <span>

#include "core/results/ChartItems.h"
#include "core/results/DataZoneSet.h"

namespace brisca {

struct ChartMenuEntry {
  int command;
  int item;
  const char* text;
};

//! The data group of `axis` (X, Y1, Y2) in menu order.
std::span<const ChartMenuEntry> ChartDataMenu(int axis);
//! Command of range mode `mode` on `axis`.
int ChartRangeCommand(int axis, RangeMode mode);

inline constexpr int kCmdCompareFromFile = 33522;     //!< "Make From File..."
inline constexpr int kCmdCompareFromCurrent = 33523;  //!< "Make From Current Test"
inline constexpr int kCmdChartProperties = 33447;     //!< "&Properties..."
// The measured run in the Quick Comparison group.
inline constexpr int kCmdMeasuredOverlay = 34680;     //!< "Overlay Measured Run..."
inline constexpr int kCmdMeasuredRemove = 34681;      //!< "Remove Measured Run"
inline constexpr int kCmdMeasuredDeviation = 34682;   //!< "Measured vs Simulated..."
inline constexpr int kCmdMeasuredRecent = 34683;      //!< the recent measured runs, 34683..34687
inline constexpr int kMeasuredRecentCount = 5;

//! The group titles: "X Data", "Y1 Data", "Y2 Data" and "X Range"...
const char* ChartDataMenuTitle(int axis);
const char* ChartRangeMenuTitle(int axis);

}  // namespace brisca
