#pragma once
// Paths between Qt's strings and the core's std::filesystem (UTF-8 on Linux).

#include <QString>

#include <filesystem>

namespace brisca {

inline QString ToQString(const std::filesystem::path& path) {
  return QString::fromStdString(path.string());
}

inline std::filesystem::path ToPath(const QString& text) {
  return std::filesystem::path(text.toStdString());
}

}  // namespace brisca
