#include "gui/shell/BitmapFile.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>

#include <cerrno>
#include <cstring>
#include <string>

#include "core/base/AtomicFile.h"
#include "core/base/FileError.h"

namespace brisca {
namespace {

constexpr char kWhere[] = "SaveBitmapFile";

[[noreturn]] void Fail(const std::filesystem::path& target, const std::string& cause) {
  throw FileError(kErrWrite, kWhere, target.string() + ": " + cause);
}

}  // namespace

void SaveBitmapFile(const QImage& image, const std::filesystem::path& target) {
  QByteArray bytes;
  {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (image.isNull() || !image.save(&buffer, "BMP")) Fail(target, "the picture could not be made");
  }
  std::string cause;
  try {
    AtomicFileWriter file(target, kWhere);
    errno = 0;
    file.Stream().write(bytes.constData(), bytes.size());
    file.Stream().flush();
    // The stream keeps no cause of its own: the system's word, taken at once.
    if (!file.Stream() && errno != 0) cause = std::strerror(errno);
    file.Commit();
    return;
  } catch (const FileError& error) {
    if (cause.empty()) cause = *error.detail() ? error.detail() : "the file could not be written in full";
  }
  Fail(target, cause);
}

}  // namespace brisca
