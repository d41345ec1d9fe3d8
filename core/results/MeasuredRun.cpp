#include "core/results/MeasuredRun.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <optional>

#include "core/base/ErrCode.h"
#include "core/base/FileError.h"
#include "core/base/NumberText.h"
#include "core/base/TextFile.h"

namespace brisca {
namespace {

constexpr const char* kWhere = "MeasuredRun::Read";
constexpr int kErrMeasuredRun = 370;
//! Torque and power of the model's own arithmetic: HP = lb-ft × rpm / 5252.
constexpr double kRpmLbFtPerHp = 5252.0;
//! Largest power [HP] or torque [lb-ft] taken: far above any engine.
constexpr double kMaxFigure = 1e5;

enum class ColumnKind { Speed, Torque, Power, Pressure };

//! One column the reader takes: where it is, what it holds and the factor to our unit.
struct Column {
  int index = -1;
  std::string title;
  double toOurUnit = 1.0;
  bool gauge = false;  //!< a boost pressure: above the barometer, not absolute
};

struct Columns {
  std::size_t count = 0;  //!< columns the header names
  Column speed, torque, power, pressure;
  Column* Of(ColumnKind kind) {
    switch (kind) {
      case ColumnKind::Speed: return &speed;
      case ColumnKind::Torque: return &torque;
      case ColumnKind::Power: return &power;
      case ColumnKind::Pressure: return &pressure;
    }
    return nullptr;
  }
};

[[noreturn]] void Fail(const std::string& name, int line, const std::string& reason) {
  throw FileError(kErrMeasuredRun, kWhere, name + ", line " + std::to_string(line) + ": " + reason);
}

// A piece of the file as an error shows it: control bytes as '?', at most 40 bytes.
std::string Shown(std::string_view text) {
  std::string shown(text.substr(0, 40));
  for (char& c : shown) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = '?';
  }
  return text.size() > 40 ? shown + "..." : shown;
}

std::string Quoted(std::string_view text) {
  std::string quoted(1, '"');
  quoted += Shown(text);
  quoted += '"';
  return quoted;
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsCSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsCSpace(text.back())) text.remove_suffix(1);
  return text;
}

std::string_view Unquote(std::string_view cell) {
  cell = Trim(cell);
  if (cell.size() >= 2 && cell.front() == '"' && cell.back() == '"') cell = cell.substr(1, cell.size() - 2);
  return Trim(cell);
}

std::vector<std::string_view> SplitCells(std::string_view line, char separator) {
  std::vector<std::string_view> cells;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = line.find(separator, start);
    cells.push_back(Unquote(line.substr(start, end == std::string_view::npos ? end : end - start)));
    if (end == std::string_view::npos) return cells;
    start = end + 1;
  }
}

// The words of a column title: letters, digits and the marks units are
// spelled with ("lb-ft", "N·m"); the rest separates them.
std::vector<std::string> Words(const std::string& lowerTitle) {
  std::vector<std::string> words;
  std::string word;
  for (char c : lowerTitle) {
    const auto u = static_cast<unsigned char>(c);
    if (std::isalnum(u) || c == '-' || c == '.' || u >= 0x80) {
      word += c;
    } else if (!word.empty()) {
      words.push_back(word);
      word.clear();
    }
  }
  if (!word.empty()) words.push_back(word);
  return words;
}

bool HasWord(const std::vector<std::string>& words, std::initializer_list<const char*> wanted) {
  for (const std::string& word : words) {
    for (const char* w : wanted) {
      if (word == w) return true;
    }
  }
  return false;
}

bool Contains(const std::string& text, std::initializer_list<const char*> parts) {
  for (const char* part : parts) {
    if (text.find(part) != std::string::npos) return true;
  }
  return false;
}

// What a column holds and the factor to our unit; nothing for a column the
// comparison does not use. Wheel, indicated, friction and pumping figures are
// not the flywheel's, and a piston speed is no engine speed.
std::optional<std::pair<ColumnKind, Column>> Classify(std::string_view title) {
  const std::string lower = Lower(title);
  if (Contains(lower, {"wheel", "indicated", "friction", "pumping", "piston"})) return std::nullopt;
  const std::vector<std::string> words = Words(lower);
  Column column;
  column.title = std::string(title);
  const bool newtonMetres = HasWord(words, {"n\u00B7m", "nm", "n-m", "n.m", "n\u22C5m"});
  const bool lbFt = HasWord(words, {"lb-ft", "lbft", "ft-lb", "ftlb", "lb\u00B7ft", "ft\u00B7lb", "lbf-ft", "lbf\u00B7ft"});
  if (Contains(lower, {"torque"}) || newtonMetres || lbFt) {
    column.toOurUnit = newtonMetres ? 1.0 / kNmPerLbFt : 1.0;
    return std::pair{ColumnKind::Torque, column};
  }
  const bool kw = HasWord(words, {"kw"});
  const bool ps = HasWord(words, {"ps", "cv"});
  if (Contains(lower, {"power"}) || kw || ps || HasWord(words, {"hp", "bhp"})) {
    column.toOurUnit = kw ? 1.0 / kKWPerHp : ps ? kKWPerPs / kKWPerHp : 1.0;
    return std::pair{ColumnKind::Power, column};
  }
  if (Contains(lower, {"rpm", "speed"})) return std::pair{ColumnKind::Speed, column};
  if (Contains(lower, {"manifold", "boost"}) || HasWord(words, {"map"})) {
    column.gauge = Contains(lower, {"boost"}) || HasWord(words, {"psig"});
    if (HasWord(words, {"kpa"})) column.toOurUnit = 1.0 / kKPaPerPsi;
    else if (HasWord(words, {"hpa", "mbar"})) column.toOurUnit = 0.1 / kKPaPerPsi;
    else if (HasWord(words, {"bar"})) column.toOurUnit = 100.0 / kKPaPerPsi;
    else if (HasWord(words, {"inhg"})) column.toOurUnit = kKPaPerInHg / kKPaPerPsi;
    return std::pair{ColumnKind::Pressure, column};
  }
  return std::nullopt;
}

// The weather line of a comment ("baro 29.52 inHg"), when it is one.
struct WeatherLines {
  std::optional<double> barometerInHg, temperatureF, humidityPercent;
  int firstLine = 0;
};

void ReadWeatherComment(std::string_view comment, const std::string& name, int line, WeatherLines& weather) {
  comment = Trim(comment);
  std::size_t wordEnd = 0;
  while (wordEnd < comment.size() && std::isalpha(static_cast<unsigned char>(comment[wordEnd]))) ++wordEnd;
  const std::string keyword = Lower(comment.substr(0, wordEnd));
  // A decimal comma reads as a point: a weather value has no thousands separator.
  std::string value(comment.substr(wordEnd));
  std::replace(value.begin(), value.end(), ',', '.');
  std::optional<double>* slot = nullptr;
  std::optional<double> parsed;
  if (keyword == "baro" || keyword == "barometer") {
    slot = &weather.barometerInHg;
    parsed = ParsePressureInHg(value);
  } else if (keyword == "temp" || keyword == "temperature") {
    slot = &weather.temperatureF;
    parsed = ParseTemperatureF(value);
  } else if (keyword == "humidity") {
    slot = &weather.humidityPercent;
    parsed = ParseHumidityPercent(value);
  } else {
    return;  // an ordinary comment
  }
  if (!parsed) Fail(name, line, "the " + keyword + " value \"" + Shown(Trim(comment.substr(wordEnd))) + "\" cannot be read");
  if (slot->has_value()) Fail(name, line, "the " + keyword + " is given twice");
  *slot = parsed;
  if (weather.firstLine == 0) weather.firstLine = line;
}

char SeparatorOf(std::string_view header) {
  if (header.find('\t') != std::string_view::npos) return '\t';
  if (header.find(';') != std::string_view::npos) return ';';
  return ',';
}

Columns ReadHeader(std::string_view header, char separator, const std::string& name, int line) {
  const std::vector<std::string_view> cells = SplitCells(header, separator);
  double number = 0.0;
  if (ParseDoublePrefix(cells.front(), number) != 0)
    Fail(name, line, "the first line must name the columns, it holds numbers");
  Columns columns;
  columns.count = cells.size();
  for (std::size_t i = 0; i < cells.size(); ++i) {
    const auto kind = Classify(cells[i]);
    if (!kind) continue;
    Column* column = columns.Of(kind->first);
    if (column->index >= 0) continue;  // the first column of a kind is the one read
    *column = kind->second;
    column->index = static_cast<int>(i);
  }
  if (columns.speed.index < 0) Fail(name, line, "the header names no engine speed (rpm) column");
  if (columns.torque.index < 0 && columns.power.index < 0)
    Fail(name, line, "the header names neither a torque nor a power column");
  return columns;
}

double ReadCell(const std::vector<std::string_view>& cells, const Column& column, char separator,
                double low, double high, const std::string& name, int line) {
  if (column.index >= static_cast<int>(cells.size()))
    Fail(name, line, "the value of \"" + Shown(column.title) + "\" is missing");
  std::string text(cells[column.index]);
  if (separator != ',') std::replace(text.begin(), text.end(), ',', '.');
  double value = 0.0;
  if (text.empty() || ParseDoublePrefix(text, value) != text.size() || !std::isfinite(value))
    Fail(name, line, Quoted(text) + " is no number (column " + Quoted(column.title) + ")");
  value *= column.toOurUnit;
  if (value < low || value > high)
    Fail(name, line, "the value " + Shown(text) + " of \"" + Shown(column.title) + "\" is outside the limits");
  return value;
}

MeasuredPoint ReadRow(std::string_view row, const Columns& columns, char separator,
                      const std::string& name, int line) {
  const std::vector<std::string_view> cells = SplitCells(row, separator);
  // More values than columns: most often decimal commas in a comma-separated
  // file, which would otherwise be read as whole numbers. Empty cells at the
  // end (a separator ending each row) are harmless.
  for (std::size_t i = columns.count; i < cells.size(); ++i) {
    if (!cells[i].empty())
      Fail(name, line, "the row has " + std::to_string(cells.size()) + " values, the header names " +
                           std::to_string(columns.count) + " columns");
  }
  MeasuredPoint point;
  point.rpm = ReadCell(cells, columns.speed, separator, 1.0, 30000.0, name, line);
  if (columns.torque.index >= 0)
    point.torque = ReadCell(cells, columns.torque, separator, -kMaxFigure, kMaxFigure, name, line);
  if (columns.power.index >= 0)
    point.power = ReadCell(cells, columns.power, separator, -kMaxFigure, kMaxFigure, name, line);
  if (columns.torque.index < 0) point.torque = point.power * kRpmLbFtPerHp / point.rpm;
  if (columns.power.index < 0) point.power = point.torque * point.rpm / kRpmLbFtPerHp;
  // A figure worked out from the other is held to the same limits as a read one.
  if (std::fabs(point.torque) > kMaxFigure || std::fabs(point.power) > kMaxFigure)
    Fail(name, line, "the power and torque at this speed are outside the limits");
  if (columns.pressure.index >= 0)
    point.manifoldPressure = ReadCell(cells, columns.pressure, separator, -100.0, 1000.0, name, line);
  return point;
}

TestConditions WeatherOf(const WeatherLines& lines, const std::string& name) {
  TestConditions weather;
  if (!lines.barometerInHg && !lines.temperatureF && !lines.humidityPercent) return weather;
  if (!lines.barometerInHg || !lines.temperatureF)
    Fail(name, lines.firstLine, "a weather needs both the baro and the temp line");
  weather.weatherGiven = true;
  weather.barometerInHg = *lines.barometerInHg;
  weather.temperatureF = *lines.temperatureF;
  weather.humidityPercent = lines.humidityPercent.value_or(0.0);
  return weather;
}

}  // namespace

MeasuredRun ParseMeasuredRun(std::string_view text, const std::string& name) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);  // a UTF-8 byte-order mark
  MeasuredRun run;
  run.name = name;
  WeatherLines weatherLines;
  std::optional<Columns> columns;
  char separator = ',';
  int lineNumber = 0;
  int headerLine = 0;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::string_view trimmed = Trim(line);
    if (trimmed.empty()) continue;
    if (trimmed.front() == '#') {
      ReadWeatherComment(trimmed.substr(1), name, lineNumber, weatherLines);
    } else if (!columns) {
      separator = SeparatorOf(trimmed);
      columns = ReadHeader(trimmed, separator, name, lineNumber);
      headerLine = lineNumber;
    } else {
      run.points.push_back(ReadRow(trimmed, *columns, separator, name, lineNumber));
    }
  }
  if (!columns) Fail(name, std::max(lineNumber, 1), "no header line names the columns");
  if (run.points.empty()) Fail(name, headerLine, "no measured rows follow the header");
  run.weather = WeatherOf(weatherLines, name);
  if (columns->pressure.index >= 0) {
    run.hasManifoldPressure = true;
    const double barometerPsi = run.weather.weatherGiven
                                    ? run.weather.barometerInHg * kKPaPerInHg / kKPaPerPsi
                                    : kModelPressurePsia;
    for (MeasuredPoint& point : run.points) {
      if (columns->pressure.gauge) point.manifoldPressure += barometerPsi;
    }
  }
  std::stable_sort(run.points.begin(), run.points.end(),
                   [](const MeasuredPoint& a, const MeasuredPoint& b) { return a.rpm < b.rpm; });
  return run;
}

MeasuredRun ReadMeasuredRun(const std::filesystem::path& path) {
  return ParseMeasuredRun(ReadTextFile(path, kWhere), path.filename().string());
}

bool LoadMeasuredRun(const std::filesystem::path& path, MeasuredRun& run) {
  try {
    run = ReadMeasuredRun(path);
    return true;
  } catch (const FileError& error) {
    ReportErrorCode(error.code(), false, *error.detail() ? error.detail() : nullptr);
    return false;
  }
}

std::string MeasuredRunText(const MeasuredRun& run) {
  std::string text;
  if (run.weather.weatherGiven) {
    text += "# baro " + FormatFixed(run.weather.barometerInHg, 2) + " inHg\n";
    text += "# temp " + FormatFixed(run.weather.temperatureF, 1) + " F\n";
    text += "# humidity " + FormatFixed(run.weather.humidityPercent, 0) + " %\n";
  }
  text += "RPM,Torque (lb-ft),Power (HP)";
  text += run.hasManifoldPressure ? ",Manifold Pressure (psia)\n" : "\n";
  for (const MeasuredPoint& point : run.points) {
    text += FormatFixed(point.rpm, 0) + "," + FormatFixed(point.torque, 2) + "," +
            FormatFixed(point.power, 2);
    if (run.hasManifoldPressure) text += ',' + FormatFixed(point.manifoldPressure, 2);
    text += '\n';
  }
  return text;
}

}  // namespace brisca
