#include "cli/StdStreams.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <system_error>

#include "cli/FileProblems.h"
#include "core/base/FileError.h"

namespace brisca::cli {
namespace {

namespace fs = std::filesystem;

// A folder only this process writes into, or empty (reported) when none can be made.
fs::path MakeScratchFolder() {
  std::error_code ec;
  fs::path base = fs::temp_directory_path(ec);
  if (ec) base = "/tmp";
  std::string pattern = (base / "brisca-cli-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) {
    ReportFileProblem(kErrOpen, pattern, SystemReason(errno));
    return {};
  }
  return pattern;
}

void RemoveScratch(const fs::path& folder) {
  std::error_code ec;
  if (!folder.empty()) fs::remove_all(folder, ec);
}

bool CopyStream(std::FILE* from, std::FILE* to) {
  char buffer[1 << 16];
  std::size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, from)) > 0) {
    if (std::fwrite(buffer, 1, n, to) != n) return false;
  }
  return std::ferror(from) == 0;
}

}  // namespace

InputFile::InputFile(const std::string& path, const char* extension) : path_(path) {
  if (!IsStdStream(path)) return;
  scratch_ = MakeScratchFolder();
  ok_ = !scratch_.empty();
  if (!ok_) return;
  path_ = scratch_ / (std::string("stdin") + extension);
  std::FILE* out = std::fopen(path_.c_str(), "wb");
  ok_ = out && CopyStream(stdin, out);
  if (out && std::fclose(out) != 0) ok_ = false;
  if (!ok_) ReportFileProblem(kErrRead, "-", "standard input could not be read");
}

InputFile::~InputFile() { RemoveScratch(scratch_); }

OutputFile::OutputFile(const std::string& path, const char* extension) : path_(path) {
  if (!IsStdStream(path)) return;
  scratch_ = MakeScratchFolder();
  ok_ = !scratch_.empty();
  if (ok_) path_ = scratch_ / (std::string("stdout") + extension);
}

OutputFile::~OutputFile() { RemoveScratch(scratch_); }

bool OutputFile::Deliver() const {
  if (scratch_.empty()) return true;
  std::FILE* in = std::fopen(path_.c_str(), "rb");
  bool ok = in && CopyStream(in, stdout);
  if (in) std::fclose(in);
  ok = std::fflush(stdout) == 0 && ok;
  if (!ok) ReportFileProblem(kErrWrite, "-", "standard output could not be written");
  return ok;
}

}  // namespace brisca::cli
