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
// What the target is decides how it is written:
//   missing, a regular file   a temporary beside it, renamed over it
//   a link to either          the same beside the link's target: the link stays
//   a character device,       written directly, in place: there is no old file
//   a pipe or a socket        to keep, and a rename would put a plain file in
//                             the device's place (--output /dev/stdout)
//   anything else             refused: 43 (a folder, a block device), 352 (a
//                             name too long, a link loop)
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
  //! Opens the temporary file in the target's folder (or the device itself);
  //! failure throws FileError 43 or 352 naming `where` (a literal: it is kept,
  //! not copied).
  AtomicFileWriter(std::filesystem::path target, const char* where);
  //! Removes the temporary file unless Commit succeeded. Never throws.
  ~AtomicFileWriter();
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  //! The temporary file (or the device), open for writing.
  std::ostream& Stream() { return out_; }

  //! Flushes (failure 44) and closes (failure 46) the temporary file, gives it
  //! the old target's permissions, then renames it over the target (failure 44).
  //! On failure the temporary file is removed and the target left untouched.
  //! Written in place, only the flush and the close remain.
  void Commit();

  //! The file written: a link's target, else the path given.
  const std::filesystem::path& Target() const { return target_; }
  //! The temporary file; empty when the target is written in place.
  const std::filesystem::path& TempPath() const { return temp_; }

 private:
  void Discard() noexcept;

  std::filesystem::path target_;
  std::filesystem::path temp_;  //!< beside the target, so the rename never crosses devices
  const char* where_;
  std::ofstream out_;
  bool committed_ = false;
};

//! Throws the FileError an AtomicFileWriter of `target` would throw for what
//! the target is (a folder, a block device, a path that cannot be looked at, a
//! missing folder), without creating anything: outputs are checked before a
//! long piece of work rather than after it.
void CheckSaveTarget(const std::filesystem::path& target, const char* where);

//! Removes the temporary files a save of `target` left behind when its
//! process was killed before the rename. For a program that alone saves
//! `target` (a shard's progress), before it saves it again; errors are ignored.
void RemoveStaleTemporaries(const std::filesystem::path& target);

}  // namespace brisca
