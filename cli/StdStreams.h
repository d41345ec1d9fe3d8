#pragma once
// "-" as a file name: standard input where a file is read, standard output
// where one is written. The core reads and writes files by name, so the bytes
// pass through a private scratch folder that is removed afterwards.

#include <filesystem>
#include <string>

namespace brisca::cli {

//! True for the name that stands for standard input or output.
inline bool IsStdStream(const std::string& path) { return path == "-"; }

//! A file to read: `path` itself, or for "-" standard input saved in a scratch
//! file named "stdin" + `extension` (so an engine read from it is titled "stdin").
class InputFile {
 public:
  InputFile(const std::string& path, const char* extension);
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  //! False when standard input could not be saved (reported).
  bool Ok() const { return ok_; }
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
  std::filesystem::path scratch_;
  bool ok_ = true;
};

//! A file to write: `path` itself, or for "-" a scratch file whose bytes
//! Deliver() copies to standard output.
class OutputFile {
 public:
  OutputFile(const std::string& path, const char* extension);
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  bool Ok() const { return ok_; }
  bool ToStdout() const { return !scratch_.empty(); }
  const std::filesystem::path& Path() const { return path_; }
  //! Copies the written scratch file to standard output; true without one.
  bool Deliver() const;

 private:
  std::filesystem::path path_;
  std::filesystem::path scratch_;
  bool ok_ = true;
};

}  // namespace brisca::cli
