#pragma once
// Saving that never destroys the previous good file. The text goes to a fresh
// temporary file beside the target; only after it has been written, flushed
// and closed without error is it renamed over the target, in one step. Any
// failure before that removes the temporary file and leaves the target as it
// was — absent, or the old file, byte for byte.
//
//   AtomicFileWriter file(path, "CCylHeadFlow::SaveToFile");   // 43 when it cannot be created
//   TextWriter writer(file.Stream());
//   ...write, which may throw FileError 44...
//   file.Commit();                                             // 44 or 46
//
// The rename replaces the target atomically on POSIX file systems. Whether the
// new data have reached the disk when the power fails is up to the operating
// system: the standard library offers no fsync.

#include <filesystem>
#include <fstream>
#include <ostream>

namespace brisca {

class AtomicFileWriter {
 public:
  //! Creates the temporary file in the target's folder; failure throws FileError
  //! 43 naming `where` (a literal: it is kept, not copied).
  AtomicFileWriter(std::filesystem::path target, const char* where);
  //! Removes the temporary file unless Commit succeeded. Never throws.
  ~AtomicFileWriter();
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  //! The temporary file, open for writing.
  std::ostream& Stream() { return out_; }

  //! Flushes (failure 44) and closes (failure 46) the temporary file, gives it
  //! the old target's permissions, then renames it over the target (failure 44).
  //! On failure the temporary file is removed and the target left untouched.
  void Commit();

  const std::filesystem::path& Target() const { return target_; }
  const std::filesystem::path& TempPath() const { return temp_; }

 private:
  void Discard() noexcept;

  std::filesystem::path target_;
  std::filesystem::path temp_;  //!< beside the target, so the rename never crosses devices
  const char* where_;
  std::ofstream out_;
  bool committed_ = false;
};

}  // namespace brisca
