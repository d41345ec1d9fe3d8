// The defaults file "Kalvex.INI": the record's owner side of the settings
// text. Each operation owns its file; the data-file helper reports a FileError
// once and answers false.

#include <string>
#include <system_error>

#include "core/base/DataFile.h"
#include "core/base/TextReader.h"
#include "core/base/TextWriter.h"
#include "core/reportspecs/ReportSpecs.h"

namespace brisca {
namespace {

constexpr const char* kLoadWhere = "ReportSpecs::LoadDefaults";
constexpr const char* kSaveWhere = "ReportSpecs::SaveDefaults";

}  // namespace

bool ReportSpecs::LoadDefaults(std::string_view title, const std::filesystem::path& reportFolder) {
  Reset(title);
  const std::filesystem::path path = DefaultsPath(reportFolder);
  std::error_code ec;
  // No saved defaults is the usual case, not an error: the built-in ones stand.
  if (std::filesystem::is_directory(path, ec)) return false;
  if (!std::filesystem::exists(path, ec)) return false;
  if (!LoadDataFile(path, kLoadWhere, [this](TextReader& reader) { ReadText(reader); })) return false;
  testTitle = title;
  return true;
}

bool ReportSpecs::SaveDefaults(const std::filesystem::path& reportFolder) const {
  std::error_code ec;
  // A folder that cannot be made shows as 43 when the file is created below.
  std::filesystem::create_directories(reportFolder, ec);
  return SaveDataFile(DefaultsPath(reportFolder), kSaveWhere,
                      [this](TextWriter& writer) { WriteText(writer); });
}

}  // namespace brisca
