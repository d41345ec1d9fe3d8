#include "gui/shell/RecentFiles.h"

#include <QSettings>

namespace brisca {
namespace {

QString Key(int i) { return QStringLiteral("File%1").arg(i + 1); }

}  // namespace

void RecentFiles::Load() {
  QSettings settings;
  settings.beginGroup(group_);
  files_.clear();
  for (int i = 0; i < maxFiles_; ++i) {
    const QString file = settings.value(Key(i)).toString();
    if (!file.isEmpty() && !files_.contains(file)) files_.append(file);
  }
  settings.endGroup();
}

void RecentFiles::Save() const {
  QSettings settings;
  settings.beginGroup(group_);
  for (int i = 0; i < maxFiles_; ++i) {
    if (i < files_.size()) {
      settings.setValue(Key(i), files_.at(i));
    } else {
      settings.remove(Key(i));
    }
  }
  settings.endGroup();
}

void RecentFiles::Add(const QString& path) {
  files_.removeAll(path);
  files_.prepend(path);
  while (files_.size() > maxFiles_) files_.removeLast();
}

void RecentFiles::Remove(const QString& path) { files_.removeAll(path); }

}  // namespace brisca
