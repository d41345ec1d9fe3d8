// Flow files: the record's owner side of the flow text. Each operation owns its
// file, catches the FileError of the text, closes the file, reports the code
// and returns false.

#include <fstream>
#include <string>
#include <system_error>
#include <utility>

#include "core/document/AtomicFile.h"
#include "core/document/ErrCode.h"
#include "core/document/FileError.h"
#include "core/spec/TextReader.h"
#include "core/spec/TextWriter.h"
#include "core/valvetrain/CylHeadFlow.h"

namespace brisca {
namespace {

constexpr const char* kSaveWhere = "CCylHeadFlow::SaveToFile";
constexpr const char* kLoadWhere = "CCylHeadFlow::LoadFromFile";

// A flow file is a few kilobytes even with long notes. Anything far larger is
// not one, and is refused before it is read into memory (a device or a huge
// file picked by mistake).
constexpr std::size_t kMaxFlowFileBytes = std::size_t{1} << 20;

std::string ReadFlowFile(const std::filesystem::path& path) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) throw FileError(kErrOpen, kLoadWhere);
  std::ifstream in(path, std::ios::in | std::ios::binary);
  if (!in.is_open()) throw FileError(kErrOpen, kLoadWhere);
  std::string text(kMaxFlowFileBytes + 1, '\0');
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  if (in.bad()) throw FileError(kErrRead, kLoadWhere);
  text.resize(static_cast<std::size_t>(in.gcount()));
  if (text.size() > kMaxFlowFileBytes) throw FileError(kErrRead, kLoadWhere);
  in.clear();  // reaching the end set failbit; only the close may set it now
  in.close();
  if (in.fail()) throw FileError(kErrClose, kLoadWhere);
  return text;
}

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
    TextReader reader(ReadFlowFile(path));
    ReadText(reader);
  } catch (const FileError& error) {
    ReportErrorCode(error.code());
    return false;
  }
  modified_ = false;
  return true;
}

}  // namespace brisca
