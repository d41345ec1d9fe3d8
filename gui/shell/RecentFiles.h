#pragma once
// A list of the most recently used files, kept in the settings store across
// runs: by default the File menu's four engine files (group "Recent File
// List", "File1".."File4"); the chart menu keeps its measured runs the same way.

#include <QString>
#include <QStringList>

namespace brisca {

class RecentFiles {
 public:
  static constexpr int kMaxFiles = 4;

  RecentFiles() = default;
  //! A list of at most `maxFiles` in settings group `group`.
  RecentFiles(QString group, int maxFiles) : group_(std::move(group)), maxFiles_(maxFiles) {}
  int MaxFiles() const { return maxFiles_; }

  //! Reads the list from the settings store.
  void Load();
  //! Writes it back.
  void Save() const;

  //! Puts `path` first (moving it up when it is listed already).
  void Add(const QString& path);
  void Remove(const QString& path);
  const QStringList& Files() const { return files_; }

 private:
  QString group_ = QStringLiteral("Recent File List");
  int maxFiles_ = kMaxFiles;
  QStringList files_;
};

}  // namespace brisca
