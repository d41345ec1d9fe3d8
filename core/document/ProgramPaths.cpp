#include "core/document/ProgramPaths.h"

#include <cstdlib>
#include <system_error>

namespace brisca {
namespace fs = std::filesystem;
namespace {

fs::path ExecutableFolder() {
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  return ec ? fs::path() : exe.parent_path();
}

struct DataFolders {
  fs::path programData;
  fs::path generatedData;
};

DataFolders FindProgramData() {
  // Installed layout: <prefix>/bin/brisca beside <prefix>/share/brisca, which also
  // holds what the build made.
  const fs::path exeDir = ExecutableFolder();
  if (!exeDir.empty()) {
    const fs::path installed = exeDir.parent_path() / BRISCA_INSTALL_DATA_SUBDIR;
    std::error_code ec;
    if (fs::is_directory(installed, ec)) return {installed, installed};
  }
  return {fs::path(BRISCA_SOURCE_DATA_DIR), fs::path(BRISCA_BUILD_DATA_DIR)};
}

fs::path FindReportFolder() {
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg) {
    return fs::path(xdg) / "brisca" / "Reports";
  }
  if (const char* home = std::getenv("HOME"); home && *home) {
    return fs::path(home) / ".local" / "share" / "brisca" / "Reports";
  }
  std::error_code ec;
  return fs::temp_directory_path(ec) / "brisca-reports";
}

}  // namespace

ProgramPaths ProgramPaths::Discover() {
  ProgramPaths paths;
  std::error_code ec;
  paths.startupFolder = fs::current_path(ec);
  const DataFolders data = FindProgramData();
  paths.programDataFolder = data.programData;
  paths.generatedDataFolder = data.generatedData;
  paths.reportFolder = FindReportFolder();
  return paths;
}

}  // namespace brisca
