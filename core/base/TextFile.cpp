#include "core/base/TextFile.h"

#include <fstream>
#include <system_error>

#include "core/base/FileError.h"

namespace brisca {

std::string ReadTextFile(const std::filesystem::path& path, const char* where) {
  std::error_code ec;
  if (path.empty() || std::filesystem::is_directory(path, ec)) throw FileError(kErrOpen, where);
  std::ifstream in(path, std::ios::in | std::ios::binary);
  if (!in.is_open()) throw FileError(kErrOpen, where);
  // Read piece by piece: a file over the limit is refused as soon as it shows.
  std::string text;
  char buffer[16 * 1024];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    text.append(buffer, static_cast<std::size_t>(in.gcount()));
    if (text.size() > kMaxDataFileBytes) throw FileError(kErrRead, where);
  }
  if (in.bad()) throw FileError(kErrRead, where);
  in.clear();  // reaching the end set failbit; only the close may set it now
  in.close();
  if (in.fail()) throw FileError(kErrClose, where);
  return text;
}

}  // namespace brisca
