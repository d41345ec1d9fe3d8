#pragma once
// Reading a whole data file into memory for the text reader. Every data file of
// the program is small; a file far larger than any of them (a device, a log,
// something picked by mistake) is refused before it is read in.

#include <cstddef>
#include <filesystem>
#include <string>

namespace brisca {

//! Largest file read, the one limit of every data file and report piece: far
//! above any engine, flow, cam, map or settings file or report template.
inline constexpr std::size_t kMaxDataFileBytes = std::size_t{4} << 20;

//! The bytes of `path`. Throws FileError 43 when it cannot be opened (or is a
//! folder), 45 when reading fails or the file is larger than kMaxDataFileBytes,
//! 46 when it cannot be closed. `where` names the caller in the error.
std::string ReadTextFile(const std::filesystem::path& path, const char* where);

}  // namespace brisca
