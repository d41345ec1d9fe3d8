#pragma once
// Checks of option values that CLI11's own validators let through, and of the
// outputs a long piece of work will write, made before the work starts.

#include <string>

#include <CLI/CLI.hpp>

namespace brisca::cli {

//! Refuses "nan", "inf" and their kin, which pass a range check (every
//! comparison with NaN is false). A text that is no number at all is left to
//! the option's own conversion to refuse.
const CLI::Validator& FiniteNumber();

//! Refuses an empty file name: `--output ''` would otherwise write nowhere and
//! say it wrote.
const CLI::Validator& NonEmptyPath();

//! True when `dir` can take the kept engines: absent (it is made), or a folder.
//! A file in its place (353) or a path that cannot be looked at (352) is
//! reported; false.
bool CheckOutputFolder(const std::string& dir);

//! True when the file `path` can be saved as AtomicFileWriter saves it; else
//! the FileError is reported (43, 352); false.
bool CheckOutputFile(const std::string& path);

}  // namespace brisca::cli
