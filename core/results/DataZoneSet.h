#pragma once
// The data zones of one chart: up to six coloured bands of one zone type, laid
// over the chart axis whose item the type applies to.
//
// Each zone keeps the value the user entered and the value it is plotted at;
// they differ only for piston-speed zones, whose plotted values are engine
// speeds worked out from the stroke (ConvertPistonSpeed). Setting an entered
// value sets its plotted value to the same number and its label to the "%g"
// text of it.
//
// The text form lives in ChartState: the zone set is only ever stored as part
// of a chart's state.

#include <array>
#include <cstdint>
#include <string>

#include "core/results/ZoneTypes.h"

namespace brisca {

//! A colour as the engine file stores it: 0x00BBGGRR, red in the low byte.
using ZoneColour = std::uint32_t;
inline constexpr ZoneColour kZoneColourLimit = 0x1000000;  //!< every colour is below it

constexpr ZoneColour MakeZoneColour(int red, int green, int blue) {
  return static_cast<ZoneColour>((red & 0xFF) | (green & 0xFF) << 8 | (blue & 0xFF) << 16);
}

//! Chart axes, numbered as the engine file stores the zone axis.
enum ChartAxisIndex : int { kAxisX = 0, kAxisY1 = 1, kAxisY2 = 2 };
inline constexpr int kChartAxisCount = 3;

//! Numbered messages of the zone checks (ReportErrorCode, "Data Zones Setup Error").
enum DataZoneErrorCode : int {
  kErrZoneRange = 100,    //!< a zone's minimum is not below its maximum
  kErrZoneOverlap = 101,  //!< a zone starts below the previous zone's maximum
};

struct DataZone {
  ZoneColour colour = 0;
  bool enabled = true;
  float lowValue = 0.0f;      //!< entered lower edge, in the zone type's unit
  float lowPlotted = 0.0f;    //!< lower edge on the axis
  std::string lowLabel;       //!< text at the lower edge
  bool showLowLabel = true;
  float highValue = 0.0f;     //!< entered upper edge, in the zone type's unit
  float highPlotted = 0.0f;   //!< upper edge on the axis
  std::string highLabel;      //!< text at the upper edge
  bool showHighLabel = true;

  //! Entered and plotted lower edge `value`, label "%g" of it.
  void SetLow(float value);
  //! Entered and plotted upper edge `value`, label "%g" of it.
  void SetHigh(float value);

  friend bool operator==(const DataZone&, const DataZone&) = default;
};

//! printf("%g", value) in the "C" locale: "1000", "1714.29", "1e+06".
std::string FormatZoneLabel(double value);

struct DataZoneSet {
  int zoneAxis = kAxisX;          //!< axis the zones were last matched to, 0..2
  int matchedItem = 0;            //!< chart item of that axis, 0..28
  int type = kZoneTypeNone;       //!< zone type, 0..9
  int count = 0;                  //!< zones in use, 0..6
  bool shown = false;             //!< "Show Zones"
  bool compatible = false;        //!< an axis shows an item the type applies to
  bool conversionPending = true;  //!< plotted values still to be worked out
  std::array<DataZone, kMaxZones> zones{};

  //! The empty set: every member as initialised above, all six zones default.
  void Clear();

  //! A fresh choice of zone `type` (0..9, FatalAssert otherwise): the set is
  //! emptied, then takes the type, its default zones and colours, and is shown.
  void LoadType(int type);

  //! Blends the colours of zones 1..count−2 from the first zone's colour to the
  //! last's, per channel in integer steps of |last − first| / (count − 1).
  //! Does nothing with fewer than three zones.
  void BlendColours();

  //! When shown, matches the set to the first axis (X, Y1, Y2) whose item the
  //! type applies to: zone axis, matched item, compatible, and conversion
  //! pending when the type converts. No match clears `compatible`.
  void MatchAxes(const std::array<int, kChartAxisCount>& axisItems);
  //! Whether the plotted values must now be converted from piston speed.
  bool NeedsConversion() const { return shown && compatible && conversionPending; }
  //! Piston speed [ft/min] to engine speed [rpm]: plotted = value × 6 / stroke,
  //! every zone enabled with both labels shown. A stroke that is not valid (or
  //! not above 0) disables every zone instead. Clears conversion pending.
  void ConvertPistonSpeed(bool strokeValid, float strokeInches);

  //! First failure over the zones in use: a zone whose low is not below its
  //! high (100); a zone starting below the previous zone's high (101).
  //! Adjacent zones may share an edge.
  bool Validate(int& code) const;

  friend bool operator==(const DataZoneSet&, const DataZoneSet&) = default;
};

}  // namespace brisca
