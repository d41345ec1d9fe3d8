#pragma once
// The File menu's list of the four most recently used engine files, kept in
// the settings store across runs (group "Recent File List", "File1".."File4").

#include <QStringList>

namespace brisca {

class RecentFiles {
 public:
  static constexpr int kMaxFiles = 4;

  //! Reads the list from the settings store.
  void Load();
  //! Writes it back.
  void Save() const;

  //! Puts `path` first (moving it up when it is listed already).
  void Add(const QString& path);
  void Remove(const QString& path);
  const QStringList& Files() const { return files_; }

 private:
  QStringList files_;
};

}  // namespace brisca
