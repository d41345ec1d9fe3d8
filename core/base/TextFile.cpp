#include "core/base/TextFile.h"

#include <fstream>
#include <system_error>

#include "core/base/FileError.h"

namespace brisca {

std::string ReadTextFile(const std::filesystem::path& path, const char* where) {
  constexpr std::size_t maxBytes = kMaxDataFileBytes;
  std::error_code ec;
  if (path.empty() || std::filesystem::is_directory(path, ec)) throw FileError(kErrOpen, where);
  std::ifstream in(path, std::ios::in | std::ios::binary);
  if (!in.is_open()) throw FileError(kErrOpen, where);
  // One byte more than allowed tells an oversized file from one of exactly the limit.
  std::string text(maxBytes + 1, '\0');
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  if (in.bad()) throw FileError(kErrRead, where);
  text.resize(static_cast<std::size_t>(in.gcount()));
  if (text.size() > maxBytes) throw FileError(kErrRead, where);
  in.clear();  // reaching the end set failbit; only the close may set it now
  in.close();
  if (in.fail()) throw FileError(kErrClose, where);
  return text;
}

}  // namespace brisca
