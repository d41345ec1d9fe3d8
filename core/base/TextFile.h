#pragma once
// Reading a whole data file into memory for the text reader: the one reading
// path of every file the program takes in. Every data file of the program is
// small; a file far larger than any of them (a log, something picked by
// mistake) is refused before it is read in. Only a regular file (or a link to
// one) is read: a pipe would wait for a writer forever and a device such as
// /dev/zero never ends.

#include <cstddef>
#include <filesystem>
#include <string>

namespace brisca {

//! Largest file read, the one limit of every data file and report piece: far
//! above any engine, flow, cam, map or settings file or report template.
inline constexpr std::size_t kMaxDataFileBytes = std::size_t{4} << 20;

//! The bytes of `path`. Throws FileError 43 when it is missing, a folder or
//! cannot be opened, 351 when it is a device, pipe or socket, 352 (with the
//! system's reason) when the path cannot be looked at (a name too long, a link
//! loop), 45 when reading fails or the file is larger than `limit`, 46 when it
//! cannot be closed. `where` names the caller in the error.
std::string ReadTextFile(const std::filesystem::path& path, const char* where,
                         std::size_t limit = kMaxDataFileBytes);

}  // namespace brisca
