#include "core/base/DataFile.h"

#include "core/base/AtomicFile.h"
#include "core/base/ErrCode.h"
#include "core/base/FileError.h"
#include "core/base/TextFile.h"
#include "core/base/TextReader.h"
#include "core/base/TextWriter.h"

namespace brisca {

bool LoadDataFile(const std::filesystem::path& path, const char* where,
                  const std::function<void(TextReader&)>& read) {
  try {
    TextReader reader(TextModeLineEnds(ReadTextFile(path, where)));
    read(reader);
  } catch (const FileError& error) {
    ReportErrorCode(error.code(), false, error.detail());
    return false;
  }
  return true;
}

bool SaveDataFile(const std::filesystem::path& path, const char* where,
                  const std::function<void(TextWriter&)>& write) {
  try {
    AtomicFileWriter file(path, where);
    TextWriter writer(file.Stream());
    write(writer);
    writer.Flush(where);
    file.Commit();
  } catch (const FileError& error) {
    ReportErrorCode(error.code(), false, error.detail());
    return false;
  }
  return true;
}

std::string TextModeLineEnds(std::string text) {
  std::size_t out = 0;
  for (std::size_t in = 0; in < text.size(); ++in) {
    if (text[in] == '\r' && in + 1 < text.size() && text[in + 1] == '\n') continue;
    text[out++] = text[in];
  }
  text.resize(out);
  return text;
}

}  // namespace brisca
