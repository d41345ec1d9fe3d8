#pragma once
// What the engine file keeps of one chart view: its three axes, whether it
// compares documents, and its data zones. The comparison slots themselves
// (which open documents a comparison shows) belong to the view and are never
// stored.
//
// The text form, written after the engine data for the first chart and then
// the second:
//
//   <comparison>                          0 or 1
//   <item> <mode> <min> <max>             X, then Y1, then Y2
//   <axis> <item> <type> <count> <shown> <compatible> <pending>
//   6 × <colour> <enabled> <low> <lowPlotted> <showLow> <high> <highPlotted> <showHigh>
//
// Reading takes every zone's plotted values and labels from its entered values
// (the stored plotted values are ignored: the chart converts again when drawn).

#include <array>

#include "core/results/ChartAxisSpec.h"
#include "core/results/DataZoneSet.h"

namespace brisca {

class TextReader;
class TextWriter;

//! The two chart views of a document: left and right. The second one's X axis
//! also sets the rows of the results tables.
enum class ChartRole { First, Second };

//! Numbered messages of the axis checks (ReportErrorCode).
enum ChartAxisErrorCode : int {
  kErrXAxisRange = 174,   //!< "Invalid X-Axis Graph Range!"
  kErrY1AxisRange = 175,  //!< "Invalid Y1-Axis Graph Range!"
  kErrY2AxisRange = 176,  //!< "Invalid Y2-Axis Graph Range!"
};

struct ChartState {
  //! X, Y1, Y2.
  std::array<ChartAxisSpec, kChartAxisCount> axes;
  bool comparison = false;  //!< plots several documents (quick comparison)
  DataZoneSet zones;

  //! The state a new chart starts with, and "Reset All" restores:
  //!  first:  X Engine Speed Mid-Range, Y1 Boost Pressure and Y2 Volumetric Eff. Auto-Range;
  //!  second: X Engine Speed, Y1 Power, Y2 Torque, all Mid-Range;
  //! both without comparison, with an empty zone set.
  static ChartState Defaults(ChartRole role);
  void Reset(ChartRole role) { *this = Defaults(role); }

  ChartAxisSpec& X() { return axes[kAxisX]; }
  const ChartAxisSpec& X() const { return axes[kAxisX]; }
  ChartAxisSpec& Y1() { return axes[kAxisY1]; }
  const ChartAxisSpec& Y1() const { return axes[kAxisY1]; }
  ChartAxisSpec& Y2() { return axes[kAxisY2]; }
  const ChartAxisSpec& Y2() const { return axes[kAxisY2]; }
  //! Item numbers of X, Y1, Y2 (for DataZoneSet::MatchAxes).
  std::array<int, kChartAxisCount> AxisItems() const;

  //! First axis (X, Y1, Y2) whose custom range is empty or reversed: 174..176.
  bool ValidateAxes(int& code) const;

  //! The text form above; a refused write throws FileError 44.
  void WriteText(TextWriter& out) const;
  //! Reads the text form. A missing or unreadable number throws FileError 45; a
  //! value out of range 47 (item 0..28, range mode 0..4, comparison 0 or 1, zone
  //! axis 0..2, matched item 0..28, zone type 0..9, zone count 0..6, colour
  //! 0..0xFFFFFF). Flags are on when non-zero. On any FileError the state is
  //! left exactly as it was.
  void ReadText(TextReader& in);

  friend bool operator==(const ChartState&, const ChartState&) = default;
};

}  // namespace brisca
