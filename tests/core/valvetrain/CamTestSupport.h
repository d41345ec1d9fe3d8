#pragma once
// Cam records to text and back, and the fixture folder, for the cam tests.

#include <filesystem>
#include <sstream>
#include <string>
#include <utility>

#include "core/base/FileError.h"
#include "core/base/TextReader.h"
#include "core/base/TextWriter.h"
#include "core/valvetrain/Cam.h"

namespace brisca::testing_support {

//! The WriteText output of a camshaft or a profile.
template <typename Record>
std::string CamText(const Record& record) {
  std::ostringstream out;
  TextWriter writer(out);
  record.WriteText(writer);
  return out.str();
}

//! Reads `record` from `text`; returns the FileError code thrown, or 0.
template <typename Record>
int ReadCamCode(Record& record, std::string text) {
  TextReader reader(std::move(text));
  try {
    record.ReadText(reader);
  } catch (const FileError& error) {
    return error.code();
  }
  return 0;
}

inline std::filesystem::path CamFixture(const char* name) {
  return std::filesystem::path(BRISCA_FIXTURES_DIR) / "valvetrain" / name;
}

//! A camshaft loaded with built-in cam type `command` and recalculated.
inline CCamshaft BuiltInCam(int command) {
  CCamshaft cam;
  cam.LoadCamType(command);
  cam.lowSpeedLobe.ComputeDerived();
  cam.highSpeedLobe.ComputeDerived();
  return cam;
}

inline constexpr int kStockStreetCommand = 32879;
inline constexpr int kProStockCommand = 32884;
inline constexpr int kVvtStreetCommand = 33868;

}  // namespace brisca::testing_support
