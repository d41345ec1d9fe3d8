// Flow files: the record's owner side of the flow text. Each operation owns its
// file, catches the FileError of the text, closes the file, reports the code
// and returns false.

#include <string>
#include <system_error>
#include <utility>

#include "core/base/AtomicFile.h"
#include "core/base/ErrCode.h"
#include "core/base/FileError.h"
#include "core/base/TextFile.h"
#include "core/base/TextReader.h"
#include "core/base/TextWriter.h"
#include "core/valvetrain/CylHeadFlow.h"

namespace brisca {
namespace {

constexpr const char* kSaveWhere = "CCylHeadFlow::SaveToFile";
constexpr const char* kLoadWhere = "CCylHeadFlow::LoadFromFile";

// A flow file is a few kilobytes even with long notes. Anything far larger is
// not one, and is refused before it is read into memory (a device or a huge
// file picked by mistake).
constexpr std::size_t kMaxFlowFileBytes = std::size_t{1} << 20;

}  // namespace

bool CCylHeadFlow::SaveToFile(const std::filesystem::path& path) {
  try {
    AtomicFileWriter file(path, kSaveWhere);
    TextWriter writer(file.Stream());
    WriteText(writer);
    file.Commit();
  } catch (const FileError& error) {
    ReportErrorCode(error.code());
    return false;
  }
  modified_ = false;
  return true;
}

bool CCylHeadFlow::LoadFromFile(const std::filesystem::path& path) {
  try {
    TextReader reader(ReadTextFile(path, kLoadWhere, kMaxFlowFileBytes));
    ReadText(reader);
  } catch (const FileError& error) {
    ReportErrorCode(error.code());
    return false;
  }
  modified_ = false;
  return true;
}

}  // namespace brisca
