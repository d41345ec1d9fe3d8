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

std::uint64_t TempNameSeed() {
  try {
    std::random_device device;
    return (static_cast<std::uint64_t>(device()) << 32) ^ device();
  } catch (...) {
    // No entropy source: the clock still separates two programs saving at once.
    return static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
  }
}

// ".<name>.<16 hex digits>.tmp" beside the target: hidden, and never taken for a data file.
fs::path TempPathBeside(const fs::path& target) {
  static std::atomic<std::uint64_t> counter{TempNameSeed()};
  static constexpr char kHex[] = "0123456789abcdef";
  std::uint64_t bits = counter.fetch_add(0x9E3779B97F4A7C15ull) * 0xBF58476D1CE4E5B9ull;
  std::string suffix(16, '0');
  for (char& digit : suffix) {
    digit = kHex[bits & 0xF];
    bits >>= 4;
  }
  return target.parent_path() / ("." + target.filename().string() + "." + suffix + ".tmp");
}

// A link is saved through: the file it points to is replaced, the link stays.
fs::path ResolveLink(fs::path target) {
  std::error_code ec;
  if (fs::is_symlink(fs::symlink_status(target, ec))) {
    const fs::path resolved = fs::weakly_canonical(target, ec);
    if (!ec) return resolved;
  }
  return target;
}

}  // namespace

AtomicFileWriter::AtomicFileWriter(std::filesystem::path target, const char* where)
    : target_(ResolveLink(std::move(target))), where_(where) {
  std::error_code ec;
  if (target_.filename().empty() || fs::is_directory(target_, ec))
    throw FileError(kErrOpen, where_);
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

}  // namespace brisca
