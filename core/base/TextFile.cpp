#include "core/base/TextFile.h"

#include <fstream>
#include <system_error>

#include "core/base/FileError.h"

namespace brisca {
namespace {

namespace fs = std::filesystem;

// Only a regular file is opened at all: opening a pipe blocks until someone
// writes into it. The type is looked at through any links.
void RefuseAllButRegularFiles(const fs::path& path, const char* where) {
  if (path.empty()) throw FileError(kErrOpen, where);
  std::error_code ec;
  const fs::file_type type = fs::status(path, ec).type();
  // A missing file (or folder on the way) sets `ec` too: it is plain 43.
  if (type == fs::file_type::not_found || type == fs::file_type::directory)
    throw FileError(kErrOpen, where);
  if (ec) throw FileError(kErrUnusablePath, where, ec.message());
  if (type != fs::file_type::regular) throw FileError(kErrNotRegularFile, where);
}

}  // namespace

std::string ReadTextFile(const std::filesystem::path& path, const char* where, std::size_t limit) {
  RefuseAllButRegularFiles(path, where);
  std::ifstream in(path, std::ios::in | std::ios::binary);
  if (!in.is_open()) throw FileError(kErrOpen, where);
  // Read piece by piece: a file over the limit is refused as soon as it shows.
  std::string text;
  char buffer[16 * 1024];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    text.append(buffer, static_cast<std::size_t>(in.gcount()));
    if (text.size() > limit) throw FileError(kErrRead, where);
  }
  if (in.bad()) throw FileError(kErrRead, where);
  in.clear();  // reaching the end set failbit; only the close may set it now
  in.close();
  if (in.fail()) throw FileError(kErrClose, where);
  return text;
}

}  // namespace brisca
