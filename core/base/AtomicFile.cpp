#include "core/base/AtomicFile.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <random>
#include <string>
#include <system_error>
#include <utility>

#include "core/base/FileError.h"

namespace brisca {
namespace {

namespace fs = std::filesystem;

// Attempts at finding an unused temporary name before giving up with 43.
constexpr int kTempNameAttempts = 64;
// ".<name>.<16 hex digits>.tmp" beside the target: hidden, and never taken for a data file.
constexpr std::size_t kTempSuffixDigits = 16;
constexpr char kTempExtension[] = ".tmp";

std::uint64_t TempNameSeed() {
  try {
    std::random_device device;
    return (static_cast<std::uint64_t>(device()) << 32) ^ device();
  } catch (...) {
    // No entropy source: the clock still separates two programs saving at once.
    return static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
  }
}

std::string TempNamePrefix(const fs::path& target) {
  return "." + target.filename().string() + ".";
}

fs::path TempPathBeside(const fs::path& target) {
  static std::atomic<std::uint64_t> counter{TempNameSeed()};
  static constexpr char kHex[] = "0123456789abcdef";
  std::uint64_t bits = counter.fetch_add(0x9E3779B97F4A7C15ull) * 0xBF58476D1CE4E5B9ull;
  std::string suffix(kTempSuffixDigits, '0');
  for (char& digit : suffix) {
    digit = kHex[bits & 0xF];
    bits >>= 4;
  }
  return target.parent_path() / (TempNamePrefix(target) + suffix + kTempExtension);
}

bool IsTempNameOf(const std::string& name, const std::string& prefix) {
  const std::size_t length = prefix.size() + kTempSuffixDigits + sizeof kTempExtension - 1;
  if (name.size() != length || name.compare(0, prefix.size(), prefix) != 0 ||
      name.compare(length - (sizeof kTempExtension - 1), std::string::npos, kTempExtension) != 0) {
    return false;
  }
  for (std::size_t i = prefix.size(); i < prefix.size() + kTempSuffixDigits; ++i) {
    const char c = name[i];
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  }
  return true;
}

//! Where and how a target is written.
struct SaveTarget {
  fs::path path;         //!< the file replaced (a link's target) or the device written
  bool inPlace = false;  //!< a device, pipe or socket: written directly
};

// Links followed before the chain counts as a loop (the kernel's own limit).
constexpr int kMaxLinkHops = 40;

// A link is saved through: the file it points to is replaced (or made, for a
// dangling link), the link stays. Followed by hand: weakly_canonical stops at
// a dangling link and would hand back the link itself.
fs::path ResolveLink(fs::path target, const char* where) {
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    std::error_code ec;
    if (!fs::is_symlink(fs::symlink_status(target, ec))) return target;
    const fs::path to = fs::read_symlink(target, ec);
    if (ec) throw FileError(kErrUnusablePath, where, ec.message());
    target = to.is_absolute() ? to : target.parent_path() / to;
  }
  throw FileError(kErrUnusablePath, where,
                  std::make_error_code(std::errc::too_many_symbolic_link_levels).message());
}

SaveTarget ClassifyTarget(const fs::path& target, const char* where) {
  if (target.filename().empty()) throw FileError(kErrOpen, where);
  std::error_code ec;
  // Followed through links: /dev/stdout is a pipe, a terminal or a file.
  const fs::file_type type = fs::status(target, ec).type();
  switch (type) {
    case fs::file_type::character:
    case fs::file_type::fifo:
    case fs::file_type::socket:
      return {target, true};
    case fs::file_type::regular:
      return {ResolveLink(target, where), false};
    case fs::file_type::not_found: {
      // A new file (or a link to one yet to be made): its folder must be there.
      SaveTarget save{ResolveLink(target, where), false};
      const fs::path folder = save.path.has_parent_path() ? save.path.parent_path() : fs::path(".");
      const fs::file_type folderType = fs::status(folder, ec).type();
      if (folderType != fs::file_type::directory) {
        if (ec && folderType != fs::file_type::not_found)
          throw FileError(kErrUnusablePath, where, ec.message());
        throw FileError(kErrOpen, where);
      }
      return save;
    }
    case fs::file_type::directory:
      throw FileError(kErrOpen, where);
    default:
      // A name too long, a link loop, a folder we may not look into.
      if (ec) throw FileError(kErrUnusablePath, where, ec.message());
      throw FileError(kErrOpen, where);  // a block device, or what nobody writes a file into
  }
}

}  // namespace

void CheckSaveTarget(const std::filesystem::path& target, const char* where) {
  ClassifyTarget(target, where);
}

AtomicFileWriter::AtomicFileWriter(std::filesystem::path target, const char* where)
    : where_(where) {
  const SaveTarget save = ClassifyTarget(target, where_);
  target_ = save.path;
  if (save.inPlace) {
    // A pipe's open waits for its reader, as a shell's redirection does.
    out_.open(target_, std::ios::out | std::ios::binary);
    if (!out_.is_open()) throw FileError(kErrOpen, where_);
    return;
  }
  std::error_code ec;
  for (int attempt = 0; attempt < kTempNameAttempts; ++attempt) {
    fs::path candidate = TempPathBeside(target_);
    if (fs::exists(fs::symlink_status(candidate, ec))) continue;
    out_.open(candidate, std::ios::out | std::ios::trunc | std::ios::binary);
    if (!out_.is_open()) break;
    temp_ = std::move(candidate);
    return;
  }
  throw FileError(kErrOpen, where_);
}

AtomicFileWriter::~AtomicFileWriter() {
  if (!committed_) Discard();
}

void AtomicFileWriter::Commit() {
  out_.flush();
  if (!out_) {
    Discard();
    throw FileError(kErrWrite, where_);
  }
  out_.close();
  if (!out_) {
    Discard();
    throw FileError(kErrClose, where_);
  }
  if (temp_.empty()) {  // written in place
    committed_ = true;
    return;
  }
  std::error_code ec;
  const fs::file_status old = fs::status(target_, ec);
  if (!ec && fs::exists(old)) {
    // Keeping the old file's permissions is a courtesy: a file we cannot chmod
    // is still better saved than not, so a failure here is ignored.
    fs::permissions(temp_, old.permissions(), fs::perm_options::replace, ec);
  }
  fs::rename(temp_, target_, ec);
  if (ec) {
    Discard();
    throw FileError(kErrWrite, where_);
  }
  committed_ = true;
}

void AtomicFileWriter::Discard() noexcept {
  if (out_.is_open()) out_.close();
  if (!temp_.empty()) {
    std::error_code ec;
    fs::remove(temp_, ec);  // nothing more can be done about a temporary file that will not go
  }
}

void RemoveStaleTemporaries(const std::filesystem::path& target) {
  fs::path file;
  try {
    const SaveTarget save = ClassifyTarget(target, "RemoveStaleTemporaries");
    if (save.inPlace) return;  // a device's saves leave no temporary
    file = save.path;
  } catch (const FileError&) {
    return;  // a target nothing can be saved to has no temporaries either
  }
  const std::string prefix = TempNamePrefix(file);
  std::error_code ec;
  fs::directory_iterator it(file.has_parent_path() ? file.parent_path() : fs::path("."), ec);
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    if (!IsTempNameOf(it->path().filename().string(), prefix)) continue;
    std::error_code ignored;
    fs::remove(it->path(), ignored);  // another try comes with the next run
  }
}

}  // namespace brisca
