// manual_path: the program, run from this build, finds the user manual the build made.
// Prints the path it looks at; exit 0 when the manual is there.

#include <cstdio>
#include <filesystem>

#include "core/base/FatalAssert.h"
#include "core/document/ProgramPaths.h"

int main() try {
  const std::filesystem::path manual = brisca::ProgramPaths::Discover().ManualFile();
  std::error_code ec;
  const bool found = std::filesystem::is_regular_file(manual, ec) && std::filesystem::file_size(manual, ec) > 0;
  std::printf("%s: %s\n", manual.c_str(), found ? "found" : "missing");
  return found ? 0 : 1;
} catch (...) {
  brisca::FatalUncaughtException(__FILE__, __LINE__);
}
