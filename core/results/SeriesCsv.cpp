#include "core/results/SeriesCsv.h"

#include <cstdio>

#include "core/base/AtomicFile.h"
#include "core/base/ErrCode.h"
#include "core/base/FatalAssert.h"
#include "core/base/FileError.h"
#include "core/base/TextWriter.h"

namespace brisca {
namespace {

std::string Field(const std::string& text) {
  if (text.find_first_of(",\"\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6g", value);
  return text;
}

bool SharedX(const std::vector<CsvSeries>& series) {
  for (const CsvSeries& s : series) {
    if (s.x != series.front().x) return false;
  }
  return true;
}

}  // namespace

std::string SeriesCsvText(const std::string& xTitle, const std::vector<CsvSeries>& series,
                          const std::string& note) {
  if (!note.empty()) return "# " + note + "\n" + SeriesCsvText(xTitle, series);
  for (const CsvSeries& s : series) BRISCA_ASSERT(s.x.size() == s.y.size());
  std::string text;
  if (series.empty()) return Field(xTitle) + "\n";
  if (SharedX(series)) {
    text = Field(xTitle);
    for (const CsvSeries& s : series) text += "," + Field(s.name);
    text += "\n";
    for (std::size_t p = 0; p < series.front().x.size(); ++p) {
      text += Number(series.front().x[p]);
      for (const CsvSeries& s : series) text += "," + Number(s.y[p]);
      text += "\n";
    }
    return text;
  }
  text = "Series," + Field(xTitle) + ",Value\n";
  for (const CsvSeries& s : series) {
    for (std::size_t p = 0; p < s.x.size(); ++p) {
      text += Field(s.name) + "," + Number(s.x[p]) + "," + Number(s.y[p]) + "\n";
    }
  }
  return text;
}

bool SaveSeriesCsv(const std::filesystem::path& path, const std::string& xTitle,
                   const std::vector<CsvSeries>& series, const std::string& note) {
  try {
    AtomicFileWriter file(path, "SaveSeriesCsv");
    TextWriter writer(file.Stream());
    writer.Write(SeriesCsvText(xTitle, series, note));
    file.Commit();
    return true;
  } catch (const FileError& error) {
    ReportErrorCode(error.code());
    return false;
  }
}

}  // namespace brisca
