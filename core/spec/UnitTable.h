#pragma once
// The unit codes every real-valued engine parameter is shown in: their labels,
// their display precision, and the domestic-to-metric factors in use. One table,
// read by code; nothing else spells a unit label or a display precision.

#include <array>

namespace brisca {

//! Unit codes. The numbers are stored nowhere, but the order is fixed: the
//! table below is indexed by them.
enum UnitCode : int {
  UnitNone = 0,
  UnitRatio = 1,
  UnitPercent = 2,
  UnitInch = 3,
  UnitCentimeter = 4,
  UnitMillimeter = 5,
  UnitCubicInch = 6,
  UnitCubicCentimeter = 7,
  UnitDegree = 8,
  UnitRpm = 9,
  UnitInHg = 10,
  UnitInH2O = 11,
  UnitCmHg = 12,
  UnitCmH2O = 13,
  UnitPsi = 14,
  UnitCfm = 15,
  UnitLitrePerMin = 16,
  UnitPoundPerMin = 17,
  UnitKgPerMin = 18,
  UnitRatio3 = 19,
  UnitRatio4 = 20,
  UnitHorsepower = 21,
};

inline constexpr int kUnitCount = 22;

//! One row of the unit table.
struct UnitRow {
  UnitCode code;       //!< row number
  const char* label;   //!< shown after a value and in prompts (one blank when dimensionless)
  const char* format;  //!< printf display format, always "%.Nf"
};

//! The 22 rows, in code order.
extern const std::array<UnitRow, kUnitCount> kUnitTable;

//! The row of `code`, or nullptr when the table has no such code.
const UnitRow* FindUnit(int code);

//! Decimals of a "%.Nf" display format; -1 when the format has another shape.
int FormatDecimals(const char* format);

// Domestic-to-metric factors (metric = domestic × factor), as the engine stores them.
inline constexpr float kInchToMillimeter = 25.4f;           //!< [mm/in] lengths, diameters
inline constexpr float kCubicInchToCubicCm = 16.38706f;     //!< [cc/ci] Total Block Volume
inline constexpr float kInH2OToCmH2O = 2.54f;               //!< [cmH2O/inH2O] flow-bench drop
//! [inHg/inH2O], also cmH2O → cmHg: airflow calculator pressure drops.
inline constexpr float kWaterToMercury = 0.0738f;
//! Blower Flow Per Revolution. Never applied: that parameter is not switched.
inline constexpr float kCfmToLitrePerMin = 0.0353147f;
inline constexpr float kSameUnit = 1.0f;                    //!< both systems share the unit

}  // namespace brisca
