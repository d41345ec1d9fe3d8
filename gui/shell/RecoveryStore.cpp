#include "gui/shell/RecoveryStore.h"

#include <QCoreApplication>
#include <QDateTime>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <system_error>

#include "gui/shell/PathText.h"

namespace brisca {
namespace fs = std::filesystem;
namespace {

const char* const kSessionPrefix = "session-";
const char* const kLockSuffix = ".lock";
const char* const kFileSuffix = ".brec";
const char* const kUnreadableFolder = "unreadable";

std::unique_ptr<QLockFile> TryLock(const fs::path& lockPath) {
  auto lock = std::make_unique<QLockFile>(ToQString(lockPath));
  // Only a lock whose program is gone is stale, however old it is: a program
  // may run for days.
  lock->setStaleLockTime(0);
  if (!lock->tryLock(0)) return nullptr;
  return lock;
}

fs::path LockOf(const fs::path& session) {
  return session.parent_path() / (session.filename().string() + kLockSuffix);
}

}  // namespace

RecoveryStore::RecoveryStore(fs::path root) : root_(std::move(root)) {}

RecoveryStore::~RecoveryStore() = default;

fs::path RecoveryStore::DefaultRoot() {
  fs::path state;
  if (const char* xdg = std::getenv("XDG_STATE_HOME"); xdg && *xdg) {
    state = xdg;
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    state = fs::path(home) / ".local" / "state";
  } else {
    return {};
  }
  return state / "brisca" / "recovery";
}

bool RecoveryStore::BeginSession() {
  if (!Enabled()) return false;
  std::error_code ec;
  fs::create_directories(root_, ec);
  const std::string name = kSessionPrefix + std::to_string(QCoreApplication::applicationPid()) + "-" +
                           std::to_string(QDateTime::currentMSecsSinceEpoch());
  const fs::path session = root_ / name;
  lock_ = TryLock(LockOf(session));
  if (!lock_) return false;
  if (!fs::create_directory(session, ec)) {
    lock_.reset();
    return false;
  }
  session_ = session;
  return true;
}

fs::path RecoveryStore::FileFor(int number) const {
  return session_.empty() ? fs::path() : session_ / (std::to_string(number) + kFileSuffix);
}

void RecoveryStore::EndSession(bool keepFiles) {
  std::error_code ec;
  if (!session_.empty() && !keepFiles) fs::remove_all(session_, ec);
  lock_.reset();  // unlocking removes the lock file
  session_.clear();
  orphanLocks_.clear();
}

std::vector<fs::path> RecoveryStore::ClaimOrphans() {
  std::vector<fs::path> files;
  if (!Enabled()) return files;
  std::error_code ec;
  std::vector<fs::path> sessions;
  for (const auto& entry : fs::directory_iterator(root_, ec)) {
    const std::string name = entry.path().filename().string();
    if (entry.is_directory(ec) && name.rfind(kSessionPrefix, 0) == 0 && entry.path() != session_)
      sessions.push_back(entry.path());
  }
  std::sort(sessions.begin(), sessions.end());
  for (const fs::path& session : sessions) {
    std::unique_ptr<QLockFile> lock = TryLock(LockOf(session));
    if (!lock) continue;  // its program still runs
    std::vector<fs::path> own;
    for (const auto& entry : fs::directory_iterator(session, ec)) {
      if (entry.is_regular_file(ec) && entry.path().extension() == kFileSuffix) own.push_back(entry.path());
    }
    std::sort(own.begin(), own.end());
    files.insert(files.end(), own.begin(), own.end());
    orphanLocks_.push_back(std::move(lock));
    if (own.empty()) RemoveEmptySession(session);
  }
  return files;
}

void RecoveryStore::Remove(const fs::path& file) {
  std::error_code ec;
  fs::remove(file, ec);
  RemoveEmptySession(file.parent_path());
}

fs::path RecoveryStore::MoveAside(const fs::path& file) {
  std::error_code ec;
  const fs::path folder = root_ / kUnreadableFolder;
  fs::create_directories(folder, ec);
  const std::string base = file.parent_path().filename().string() + "-" + file.filename().string();
  fs::path target = folder / base;
  for (int n = 2; fs::exists(target, ec) && n < 1000; ++n) target = folder / (base + "." + std::to_string(n));
  fs::rename(file, target, ec);
  if (ec) return {};
  RemoveEmptySession(file.parent_path());
  return target;
}

void RecoveryStore::RemoveEmptySession(const fs::path& folder) {
  std::error_code ec;
  // Only an empty folder goes: files kept for a later start stay where they are.
  if (folder != session_ && fs::is_empty(folder, ec) && !ec) fs::remove(folder, ec);
}

}  // namespace brisca
