#include "core/report/ReportFolder.h"

#include <fstream>
#include <string>
#include <system_error>

#include "core/base/AtomicFile.h"
#include "core/base/ErrCode.h"
#include "core/base/FileError.h"
#include "core/document/ProgramPaths.h"

namespace brisca {
namespace {

namespace fs = std::filesystem;

constexpr int kReplacedEmptyPiecesNotice = 305;

}  // namespace

// A full disk leaves no part of a piece, only its absence.
bool CopyReportPiece(const fs::path& from, const fs::path& to) {
  std::error_code ec;
  if (!fs::is_regular_file(from, ec)) return false;  // a pipe would keep us waiting
  std::ifstream in(from, std::ios::in | std::ios::binary);
  if (!in) return false;
  try {
    AtomicFileWriter out(to, "FillReportFolder");
    char buffer[65536];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
      if (!out.Stream().write(buffer, in.gcount())) return false;
    }
    if (in.bad()) return false;
    out.Commit();
    return true;
  } catch (const FileError&) {
    return false;
  }
}

namespace {

// A piece of length 0 is what a copy cut short by a full disk left behind;
// nobody keeps a logo or a glossary that way on purpose.
bool IsEmptyFile(const fs::path& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec) && fs::file_size(path, ec) == 0 && !ec;
}

}  // namespace

std::filesystem::path InstalledReportFolder(const ProgramPaths& paths) {
  return paths.ReportDefaultsFolder();
}

bool FillReportFolder(const std::filesystem::path& reportFolder,
                      const std::filesystem::path& installedFolder) {
  std::error_code ec;
  fs::create_directories(reportFolder, ec);
  if (!fs::is_directory(reportFolder, ec)) return false;
  if (fs::equivalent(reportFolder, installedFolder, ec)) return true;
  fs::directory_iterator it(installedFolder, ec);
  if (ec) return false;
  bool complete = true;
  std::string replaced;
  for (; it != fs::directory_iterator(); it.increment(ec)) {
    if (ec) break;
    std::error_code entryError;
    if (!it->is_regular_file(entryError)) continue;
    const fs::path target = reportFolder / it->path().filename();
    const bool empty = IsEmptyFile(target);
    if (!empty && fs::exists(target, entryError)) continue;
    if (!CopyReportPiece(it->path(), target)) {
      complete = false;
    } else if (empty) {
      if (!replaced.empty()) replaced += '\n';
      replaced += target.string();
    }
  }
  if (!replaced.empty()) ReportNoticeCode(kReplacedEmptyPiecesNotice, false, replaced.c_str());
  return complete && !ec;
}

}  // namespace brisca
