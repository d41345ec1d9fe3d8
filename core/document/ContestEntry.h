#pragma once
// A contest entry: the entrant's details followed by the engine, in one text
// file the entrant sends in. The program has no way of sending it itself.
//
// The entry file:
//
//   Contest Entry
//   Contest Number: <digits>
//   Name: <text>
//   Address: <text>
//   Email: <text>
//   Phone: <text>
//   Rules Read And Acknowledged: Yes
//   <the engine file, from its version line on>

#include <filesystem>
#include <string>

namespace brisca {

class CVexoDoc;

//! Numbered messages of a contest entry ("Contest Entry Error").
enum ContestEntryErrorCode : int {
  kErrContestNumber = 162,
  kErrContestRules = 186,
};

struct ContestEntry {
  std::string contestNumber;   //!< digits only
  std::string name;
  std::string address;
  std::string email;
  std::string phone;
  bool rulesAcknowledged = false;

  //! 162 when the contest number is empty or holds anything but digits, then
  //! 186 when the rules were not acknowledged.
  bool Validate(int& code) const;
};

//! Validates `entry` (its code reported) and writes the entry file at `path`:
//! the details, then the engine appended by WriteEngineFile. The file is put
//! together beside `path` (a path without a file name is 43) and renamed over it only when whole, so a failure
//! (reported by its number) leaves an earlier file at `path` as it was.
bool WriteContestEntry(CVexoDoc& document, const ContestEntry& entry, const std::filesystem::path& path);

}  // namespace brisca
