#include "core/document/ContestEntry.h"

#include <algorithm>
#include <string_view>
#include <system_error>

#include "core/base/DataFile.h"
#include "core/base/ErrCode.h"
#include "core/base/FileError.h"
#include "core/base/TextWriter.h"
#include "core/document/VexoDoc.h"

namespace brisca {
namespace {

constexpr const char* kWriteWhere = "WriteContestEntry";

// A detail stays on its one line.
std::string OneLine(std::string_view text) {
  std::string line(text);
  std::replace_if(line.begin(), line.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
  return line;
}

void WriteDetails(TextWriter& out, const ContestEntry& entry) {
  out.WriteLine("Contest Entry", kWriteWhere);
  out.WriteLine("Contest Number: " + OneLine(entry.contestNumber), kWriteWhere);
  out.WriteLine("Name: " + OneLine(entry.name), kWriteWhere);
  out.WriteLine("Address: " + OneLine(entry.address), kWriteWhere);
  out.WriteLine("Email: " + OneLine(entry.email), kWriteWhere);
  out.WriteLine("Phone: " + OneLine(entry.phone), kWriteWhere);
  out.WriteLine("Rules Read And Acknowledged: Yes", kWriteWhere);
}

}  // namespace

bool ContestEntry::Validate(int& code) const {
  const bool numberValid = !contestNumber.empty() &&
                           std::all_of(contestNumber.begin(), contestNumber.end(),
                                       [](char c) { return c >= '0' && c <= '9'; });
  if (!numberValid) {
    code = kErrContestNumber;
    return false;
  }
  if (!rulesAcknowledged) {
    code = kErrContestRules;
    return false;
  }
  return true;
}

bool WriteContestEntry(CVexoDoc& document, const ContestEntry& entry, const std::filesystem::path& path) {
  int code = 0;
  if (!entry.Validate(code)) {
    ReportErrorCode(code);
    return false;
  }
  if (!path.has_filename()) {
    ReportErrorCode(kErrOpen);
    return false;
  }
  std::filesystem::path staging = path;
  staging += ".entry-part";
  std::error_code ec;
  const bool whole = SaveDataFile(staging, kWriteWhere, [&](TextWriter& out) { WriteDetails(out, entry); }) &&
                     document.WriteEngineFile(staging, true);
  if (whole) {
    std::filesystem::rename(staging, path, ec);
    if (!ec) return true;
    ReportErrorCode(kErrWrite);
  }
  std::filesystem::remove(staging, ec);
  return false;
}

}  // namespace brisca
