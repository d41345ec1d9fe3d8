#pragma once
// A power pull measured on a dynamometer, read from the text its software
// exports, to be laid over the simulated curves and compared with them.
//
// The file: "#" comment lines anywhere; the first other line is a header
// naming the columns; then one row per measured speed. Separated by tabs,
// semicolons or commas (the header decides, in that order); with semicolons a
// decimal comma is read as a point. Columns are told apart by their names and
// units: engine speed ("RPM", "Engine Speed"), torque ("Torque (N·m)",
// "lb-ft"), power ("Power [kW]", "hp", "PS") and, optionally, manifold or boost
// pressure ("MAP (kPa)", "Boost [psi]"); other columns are passed over. A
// column without a unit is in the program's own units (rpm, lb-ft, HP, psi).
// Power comes from torque (or the reverse) when only one is given. Comments
// may state the weather of the pull, one value each:
//   # baro 29.52 inHg     # temp 75 F     # humidity 40 %
// (units as ParsePressureInHg, ParseTemperatureF, ParseHumidityPercent read
// them); a weather counts when both pressure and temperature are given.
//
// A file that breaks any of this is refused whole with error 370 naming the
// file and line; nothing of it is kept.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/results/TestConditions.h"

namespace brisca {

struct MeasuredPoint {
  double rpm = 0.0;                //!< engine speed [rpm]
  double power = 0.0;              //!< flywheel power [HP]
  double torque = 0.0;             //!< flywheel torque [lb-ft]
  double manifoldPressure = 0.0;   //!< absolute [psia]; 0 when the file has none
};

struct MeasuredRun {
  std::string name;                    //!< the file's name, for legends and errors
  std::vector<MeasuredPoint> points;   //!< in ascending speed, at least one
  bool hasManifoldPressure = false;
  //! The weather of the pull (weatherGiven false when the file states none);
  //! its standard is always Uncorrected: the file states air, not a choice.
  TestConditions weather;
};

//! The run in `text`; `name` names the file in an error. Throws FileError 370
//! (with "<name>, line <n>: <reason>" as detail) when the text is not a
//! measured run.
MeasuredRun ParseMeasuredRun(std::string_view text, const std::string& name);

//! Reads the file at `path` through the data files' one reading path (size
//! limit, regular files only: FileError 43, 45, 351, 352 as ReadTextFile) and
//! parses it as ParseMeasuredRun does.
MeasuredRun ReadMeasuredRun(const std::filesystem::path& path);

//! Reads the file at `path` into `run`; on any FileError the code is reported
//! through the presenter, `run` is left as it was and the answer is false.
bool LoadMeasuredRun(const std::filesystem::path& path, MeasuredRun& run);

//! A measured file's text for `run`: comma-separated, "RPM,Torque (lb-ft),Power (HP)"
//! (and "Manifold Pressure (psia)"), weather comment lines when it has a weather.
std::string MeasuredRunText(const MeasuredRun& run);

}  // namespace brisca
