#include "core/report/ReportFolder.h"

#include <system_error>

#include "core/document/ProgramPaths.h"

namespace brisca {

std::filesystem::path InstalledReportFolder(const ProgramPaths& paths) {
  return paths.ReportDefaultsFolder();
}

bool FillReportFolder(const std::filesystem::path& reportFolder,
                      const std::filesystem::path& installedFolder) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::create_directories(reportFolder, ec);
  if (!fs::is_directory(reportFolder, ec)) return false;
  fs::directory_iterator it(installedFolder, ec);
  if (ec) return false;
  bool complete = true;
  for (; it != fs::directory_iterator(); it.increment(ec)) {
    if (ec) return false;
    if (!it->is_regular_file(ec)) continue;
    const fs::path target = reportFolder / it->path().filename();
    if (fs::exists(target, ec)) continue;
    if (!fs::copy_file(it->path(), target, ec)) {
      complete = false;
      continue;
    }
    // Installed data may be read-only; the user's copy is the user's to edit.
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, ec);
  }
  return complete && !ec;
}

}  // namespace brisca
