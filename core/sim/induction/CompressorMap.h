#pragma once
// A compressor map: the efficiency islands as a grid over pressure ratio and
// flow, and up to 20 constant-speed lines from surge to choke. Turbochargers and
// centrifugal blowers use one; the owner of a run reads it from its file once
// and hands the parsed map to the run's passes.
//
// File format (text, fields separated by white space):
//   one header line (ignored);
//   the grid: 100 rows × 120 integers, row by row; row r is pressure ratio
//     1 + r/26.315788, column c is flow c/1.2 lb/min, a cell is an efficiency [%];
//   20 speed lines: the line speed [rpm] ("%f"), then 20 "pressure-ratio flow"
//     pairs ("%f %f") from the surge end to the choke end. Lines rise in speed;
//     unused lines have speed -1 and come after the lines in use.

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>

namespace brisca {

class CompressorMap {
 public:
  static constexpr int kRows = 100;
  static constexpr int kColumns = 120;
  static constexpr int kLines = 20;
  static constexpr int kPoints = 20;
  static constexpr float kEmptySpeed = -1.0f;
  //! Grid scales: row = (PR − 1)·kRowsPerRatio, column = flow·kColumnsPerFlow.
  static constexpr float kRowsPerRatio = 26.315788f;
  static constexpr float kColumnsPerFlow = 1.2f;

  enum Warning : int { kNoWarning = 0, kSurge = 1, kChoke = 2, kOverspeed = 3 };

  struct SpeedLine {
    float speed = kEmptySpeed;                   //!< wheel speed [rpm], −1: unused
    std::array<float, kPoints> pressureRatio{};  //!< outlet/inlet, surge end first
    std::array<float, kPoints> flow{};           //!< [lb/min], rising towards choke
  };

  //! Where a flow falls on the line built for a shaft speed.
  struct Reading {
    float pressureRatio = 1.0f;  //!< outlet/inlet
    int warning = kNoWarning;    //!< Warning
  };

  //! Parses a whole map file's text. Throws FileError(45) on a short,
  //! unreadable or absurd value (not finite, efficiency outside 0..100, line
  //! speeds not rising, flows negative, falling or 140 lb/min and above,
  //! pressure ratios not positive, no line in use); the map is unchanged then.
  void Parse(std::string_view text);

  //! Lines in use (those before the first unused line).
  int LinesInUse() const;
  float LowestSpeed() const { return lines[0].speed; }
  //! Speed of the highest line in use.
  float HighestSpeed() const;

  //! The grid cell [%] for a pressure ratio and flow, both truncated toward
  //! zero; outside the grid the nearest edge cell answers.
  int GridEfficiency(float pressureRatio, float flow) const;

  //! Builds the speed line for `shaftSpeed` and reads it at `flow` [lb/min]:
  //!  - at or below the lowest line: that line scaled by shaftSpeed/s0 (flows
  //!    proportionally, pressure rise above 1 proportionally);
  //!  - between two lines: interpolated point by point (a speed equal to a line's
  //!    speed gives that line);
  //!  - above the highest line in use: overspeed, the surge-end pressure ratio
  //!    of the highest line.
  //! Below the first point: surge, the first point's ratio. Beyond the last:
  //! choke, pr19·(1 − 2.2·(m − flow19)/(140 − flow19)), at least 1. In between
  //! the segment flow_j ≤ m < flow_j+1 is interpolated; a flow equal to the
  //! last point's reads the last segment.
  //! An empty map reads pressure ratio 1 without a warning.
  Reading Lookup(float shaftSpeed, float flow) const;

  //! Line speed of the point with the highest grid efficiency over all lines
  //! and points in use (the first on ties); 0 for an empty map.
  float BestEfficiencyLineSpeed() const;

  std::array<std::array<std::int32_t, kColumns>, kRows> efficiency{};  //!< [%]
  std::array<SpeedLine, kLines> lines{};
};

//! The compressor map a run hands to its passes: the parsed map, or no map and
//! the numbered error (173, 45, 46) its file gave. A pass whose compressor needs
//! a map and is handed none fails; its owner shows or passes on `errorCode`.
struct CompressorMapSupply {
  std::shared_ptr<const CompressorMap> map;
  int errorCode = 0;
};

//! Turbine diameter [in] that suits an engine of `engineVolume` [ci] whose
//! compressor works best at `lineSpeed` [rpm]:
//! 2·√(0.22736421·V·1.3020833·1728·2.4084818/(1.8181818·s)), clamped to 1..10.
float AutoTurbineDiameter(float engineVolume, float lineSpeed);

}  // namespace brisca
