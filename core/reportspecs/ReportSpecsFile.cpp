// The defaults file "Kalvex.INI": the record's owner side of the settings
// text. Each operation owns its file, catches the FileError of the text,
// closes the file, reports the code and returns false.

#include <string>
#include <system_error>

#include "core/base/AtomicFile.h"
#include "core/base/ErrCode.h"
#include "core/base/FileError.h"
#include "core/reportspecs/ReportSpecs.h"
#include "core/base/TextFile.h"
#include "core/base/TextReader.h"
#include "core/base/TextWriter.h"

namespace brisca {
namespace {

constexpr const char* kLoadWhere = "ReportSpecs::LoadDefaults";
constexpr const char* kSaveWhere = "ReportSpecs::SaveDefaults";

// The settings are a few hundred bytes; a far larger file is not one and is
// refused before it is read into memory.
constexpr std::size_t kMaxDefaultsFileBytes = std::size_t{1} << 20;

}  // namespace

bool ReportSpecs::LoadDefaults(std::string_view title, const std::filesystem::path& reportFolder) {
  Reset(title);
  const std::filesystem::path path = DefaultsPath(reportFolder);
  std::error_code ec;
  // No saved defaults is the usual case, not an error: the built-in ones stand.
  if (std::filesystem::is_directory(path, ec)) return false;
  if (!std::filesystem::exists(path, ec)) return false;
  try {
    TextReader reader(ReadTextFile(path, kLoadWhere, kMaxDefaultsFileBytes));
    ReadText(reader);
  } catch (const FileError& error) {
    ReportErrorCode(error.code());
    return false;
  }
  testTitle = title;
  return true;
}

bool ReportSpecs::SaveDefaults(const std::filesystem::path& reportFolder) const {
  try {
    std::error_code ec;
    // A folder that cannot be made shows as 43 when the file is created below.
    std::filesystem::create_directories(reportFolder, ec);
    AtomicFileWriter file(DefaultsPath(reportFolder), kSaveWhere);
    TextWriter writer(file.Stream());
    WriteText(writer);
    file.Commit();
  } catch (const FileError& error) {
    ReportErrorCode(error.code());
    return false;
  }
  return true;
}

}  // namespace brisca
