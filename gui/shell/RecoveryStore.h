#pragma once
// The recovery folder, $XDG_STATE_HOME/brisca/recovery (~/.local/state/...):
// one sub-folder per running program ("session-<pid>-<start time>") holding one
// recovery file per modified document ("<document number>.brec"), and beside
// it the session's lock file ("session-<pid>-<start time>.lock", with the pid),
// taken before the folder is made.
//
// A session whose lock is held belongs to a running program and is left alone.
// A session whose lock is stale (the program was killed or crashed) is an
// orphan: this program takes its lock and offers its files. A clean exit
// removes the session's folder; a quit on a termination signal keeps its files.
// Files that cannot be read are moved into "unreadable/", never deleted.

#include <QLockFile>

#include <filesystem>
#include <memory>
#include <vector>

namespace brisca {

class RecoveryStore {
 public:
  //! Files under `root` (created on demand); an empty root switches recovery off.
  explicit RecoveryStore(std::filesystem::path root);
  ~RecoveryStore();
  RecoveryStore(const RecoveryStore&) = delete;
  RecoveryStore& operator=(const RecoveryStore&) = delete;

  //! $XDG_STATE_HOME/brisca/recovery, or ~/.local/state/brisca/recovery.
  static std::filesystem::path DefaultRoot();

  bool Enabled() const { return !root_.empty(); }
  const std::filesystem::path& Root() const { return root_; }

  //! Makes and locks this program's session folder; false when it cannot.
  bool BeginSession();
  //! The recovery file of document `number` in this session.
  std::filesystem::path FileFor(int number) const;
  //! The session's folder is removed unless `keepFiles`; the lock is released
  //! either way, as are the orphans' locks.
  void EndSession(bool keepFiles);

  //! The recovery files of sessions whose program is gone, in name
  //! order; their locks are taken so that no other program offers them too.
  std::vector<std::filesystem::path> ClaimOrphans();
  //! Removes an orphan file (and its session folder once empty).
  void Remove(const std::filesystem::path& file);
  //! Moves a file into "unreadable/" under a name of its own; the new path, or
  //! empty when it could not be moved (it then stays where it was).
  std::filesystem::path MoveAside(const std::filesystem::path& file);

 private:
  void RemoveEmptySession(const std::filesystem::path& folder);

  std::filesystem::path root_;
  std::filesystem::path session_;
  std::unique_ptr<QLockFile> lock_;
  std::vector<std::unique_ptr<QLockFile>> orphanLocks_;
};

}  // namespace brisca
