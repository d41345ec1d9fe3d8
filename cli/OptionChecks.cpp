#include "cli/OptionChecks.h"

#include <charconv>
#include <cmath>
#include <filesystem>
#include <system_error>

#include "cli/FailureReport.h"
#include "cli/FileProblems.h"
#include "cli/StdStreams.h"
#include "core/base/AtomicFile.h"
#include "core/base/ErrCode.h"
#include "core/base/FileError.h"

namespace brisca::cli {

const CLI::Validator& FiniteNumber() {
  static const CLI::Validator check(
      [](std::string& text) -> std::string {
        double value = 0.0;
        const char* first = text.data() + (!text.empty() && text[0] == '+' ? 1 : 0);
        const auto [end, ec] = std::from_chars(first, text.data() + text.size(), value);
        if (ec == std::errc() && end == text.data() + text.size() && !std::isfinite(value))
          return "a finite number is needed, not " + text;
        return {};
      },
      "FINITE", "finite number");
  return check;
}

const CLI::Validator& NonEmptyPath() {
  static const CLI::Validator check(
      [](std::string& text) -> std::string {
        return text.empty() ? "a file name is needed, not an empty text" : std::string();
      },
      "PATH", "non-empty path");
  return check;
}

bool CheckOutputFolder(const std::string& dir) {
  if (dir.empty()) return true;
  std::error_code ec;
  const std::filesystem::file_type type = std::filesystem::status(dir, ec).type();
  if (type == std::filesystem::file_type::not_found ||
      type == std::filesystem::file_type::directory)
    return true;
  NoteFailurePath(dir);
  if (ec) {
    ReportErrorCode(kErrUnusablePath, false, (dir + ": " + ec.message()).c_str());
  } else {
    ReportErrorCode(kErrOutputFolderIsFile, false, dir.c_str());
  }
  return false;
}

bool CheckOutputFile(const std::string& path) {
  if (IsStdStream(path)) return true;
  try {
    CheckSaveTarget(path, "CheckOutputFile");
  } catch (const FileError& error) {
    ReportFileProblem(error.code(), path, *error.detail() ? error.detail() : WhyCannotWrite(path));
    return false;
  }
  return true;
}

}  // namespace brisca::cli
