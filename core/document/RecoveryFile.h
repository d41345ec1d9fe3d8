#pragma once
// The recovery file: what an open document holds that has not been saved,
// written now and then so that a crash or a killed program loses little. An
// engine file cannot hold an engine that is not yet complete (a component never
// chosen has no name to write), so the recovery file has a layout of its own:
//
//   Brisca Recovery File          the marker line
//   1                             the layout's version
//   <title>                       the document's title       } line breaks and
//   <original file>               empty: never saved        } backslashes
//   <time>                        UTC, 2026-12-11T06:10:00Z  } escaped as \n \r and \\.
//   <count>                       of the flag lines that follow
//   <flag> <label>                one per parameter: 0 not assigned, 1 assigned,
//                                 2 a component never chosen (no name)
//   <engine text>                 the engine file's own text, version "4.2",
//                                 components never chosen written as "***"
//
// Reading goes through the engine file's own reader (every value's limits and
// the data-file size limit), then applies the flags. Errors travel as
// FileError: 43 / 45 / 46 / 351 / 352 from the file, 45 a marker, version,
// label or line that does not match, 47 a value or flag outside its limits,
// 48 an engine text of another version; 44 / 46 when writing fails.

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace brisca {

class CSimSpec;
class CVexoDoc;
struct EngineParameters;

//! What the recovery file says about its document.
struct RecoveryInfo {
  std::string title;
  std::filesystem::path originalPath;  //!< empty while the document was never saved
  std::chrono::sys_seconds savedAt{};
};

//! Writes `doc` to `path` through a temporary file renamed over it, so a
//! reader never sees half a file. Throws FileError.
void WriteRecoveryFile(const std::filesystem::path& path, const CVexoDoc& doc,
                       const std::filesystem::path& originalPath, std::chrono::sys_seconds savedAt);

//! Reads `path` into `doc`, a new document, and gives it the stored title and
//! units. Throws FileError and then leaves `doc` as it was. The caller updates
//! the derived values and marks the document modified.
RecoveryInfo ReadRecoveryFile(const std::filesystem::path& path, CVexoDoc& doc);

//! The parameters whose flags the file keeps, in the file's order: every one
//! the engine text carries but the derived block volumes (worked out again
//! from bore, stroke and cylinder count).
std::vector<CSimSpec*> FlaggedSpecs(EngineParameters& e);

}  // namespace brisca
