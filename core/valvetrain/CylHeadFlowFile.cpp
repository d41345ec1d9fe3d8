// Flow files: the record's owner side of the flow text. Each operation owns its
// file; the data-file helper reports a FileError once and answers false.

#include "core/base/DataFile.h"
#include "core/base/TextReader.h"
#include "core/base/TextWriter.h"
#include "core/valvetrain/CylHeadFlow.h"

namespace brisca {
namespace {

constexpr const char* kSaveWhere = "CCylHeadFlow::SaveToFile";
constexpr const char* kLoadWhere = "CCylHeadFlow::LoadFromFile";

}  // namespace

bool CCylHeadFlow::SaveToFile(const std::filesystem::path& path) {
  if (!SaveDataFile(path, kSaveWhere, [this](TextWriter& writer) { WriteText(writer); })) return false;
  modified_ = false;
  return true;
}

bool CCylHeadFlow::LoadFromFile(const std::filesystem::path& path) {
  if (!LoadDataFile(path, kLoadWhere, [this](TextReader& reader) { ReadText(reader); })) return false;
  modified_ = false;
  return true;
}

}  // namespace brisca
