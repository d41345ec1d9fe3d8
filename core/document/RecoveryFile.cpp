#include "core/document/RecoveryFile.h"

#include <cstdio>
#include <string_view>
#include <vector>

#include "core/base/AtomicFile.h"
#include "core/base/DataFile.h"
#include "core/base/FileError.h"
#include "core/base/TextFile.h"
#include "core/base/TextReader.h"
#include "core/base/TextWriter.h"
#include "core/document/EngineFileText.h"
#include "core/document/VexoDoc.h"

namespace brisca {
namespace {

namespace fs = std::filesystem;

constexpr const char* kWrite = "RecoveryFile::Write";
constexpr const char* kRead = "RecoveryFile::Read";
constexpr std::string_view kMarker = "Brisca Recovery File";
constexpr int kLayoutVersion = 1;

enum Flag : int { kUnassigned = 0, kAssigned = 1, kNeverChosen = 2 };

}  // namespace

std::vector<CSimSpec*> FlaggedSpecs(EngineParameters& e) {
  return {&e.shortBlockType, &e.bore, &e.stroke, &e.cylinders, &e.rodLength, &e.rodRatio,
          &e.cylinderHeadType, &e.airflowFile, &e.intakeValves, &e.exhaustValves,
          &e.intakeValveDiameter, &e.exhaustValveDiameter, &e.compressionRatio,
          &e.combustionSpace, &e.inductionFlow, &e.pressureDrop, &e.manifoldType, &e.fuelType,
          &e.nitrousFlowRate, &e.forcedInductionType, &e.blowerFlowPerRevolution,
          &e.turbineDiameter, &e.turbineAR, &e.turbos, &e.internalGearRatio, &e.beltGearRatio,
          &e.boostLimit, &e.intercoolerEfficiency, &e.intercoolerPressureDrop, &e.exhaustSystem,
          &e.camDataFile, &e.chamberVolume, &e.gasketBore, &e.gasketThickness, &e.domeVolume,
          &e.reliefsVolume, &e.deckClearance, &e.downBoreDistance, &e.measuredVolume,
          &e.gasketVolume, &e.deckVolume, &e.notes};
}

namespace {

std::vector<CPartTypeSpec*> PartTypes(EngineParameters& e) {
  return {&e.shortBlockType, &e.cylinderHeadType, &e.manifoldType,
          &e.fuelType,       &e.forcedInductionType, &e.exhaustSystem};
}

CPartTypeSpec* AsPartType(EngineParameters& e, CSimSpec* spec) {
  for (CPartTypeSpec* part : PartTypes(e)) {
    if (part == spec) return part;
  }
  return nullptr;
}

// A title or a path may hold any character but the line end that ends its line.
std::string Escaped(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      default: out += c;
    }
  }
  return out;
}

std::string Unescaped(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out += text[i];
      continue;
    }
    if (++i == text.size()) throw FileError(kErrRead, kRead);
    switch (text[i]) {
      case '\\': out += '\\'; break;
      case 'n': out += '\n'; break;
      case 'r': out += '\r'; break;
      default: throw FileError(kErrRead, kRead);
    }
  }
  return out;
}

// One whole line without its line end; a last line without one is a cut-off file.
std::string ReadWholeLine(TextReader& in) {
  std::string line = in.ReadLine(kRead);
  if (line.empty() || line.back() != '\n') throw FileError(kErrRead, kRead);
  line.pop_back();
  return line;
}

std::string TimeText(std::chrono::sys_seconds time) {
  const auto day = std::chrono::floor<std::chrono::days>(time);
  const std::chrono::year_month_day date(day);
  const std::chrono::hh_mm_ss clock(time - day);
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02dZ", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                static_cast<int>(clock.hours().count()), static_cast<int>(clock.minutes().count()),
                static_cast<int>(clock.seconds().count()));
  return text;
}

std::chrono::sys_seconds ParseTime(const std::string& text) {
  int year = 0;
  unsigned month = 0;
  unsigned day = 0;
  int hour = -1;
  int minute = -1;
  int second = -1;
  char zone = 0;
  int length = 0;
  if (std::sscanf(text.c_str(), "%4d-%2u-%2uT%2d:%2d:%2d%c%n", &year, &month, &day, &hour, &minute,
                  &second, &zone, &length) != 7 ||
      zone != 'Z' || static_cast<std::size_t>(length) != text.size()) {
    throw FileError(kErrRead, kRead);
  }
  const std::chrono::year_month_day date{std::chrono::year(year), std::chrono::month(month),
                                         std::chrono::day(day)};
  if (!date.ok() || hour > 23 || minute > 59 || second > 59 || hour < 0 || minute < 0 || second < 0)
    throw FileError(kErrInvalidValue, kRead);
  return std::chrono::sys_days(date) + std::chrono::hours(hour) + std::chrono::minutes(minute) +
         std::chrono::seconds(second);
}

int FlagOf(EngineParameters& e, CSimSpec* spec) {
  CPartTypeSpec* part = AsPartType(e, spec);
  if (part && part->GetName().empty()) return kNeverChosen;
  return spec->IsAssigned() ? kAssigned : kUnassigned;
}

// The engine text reader marks most values it reads as assigned: the flags
// say which were not. A component never chosen becomes one again.
void ApplyFlag(EngineParameters& e, CSimSpec* spec, int flag) {
  CPartTypeSpec* part = AsPartType(e, spec);
  if (flag == kNeverChosen) {
    if (!part) throw FileError(kErrInvalidValue, kRead);
    *part = CPartTypeSpec(part->GetLabel(), part->GetMin(), part->GetMax());
  } else if (flag == kUnassigned) {
    spec->Unassign();
  } else if (!spec->IsAssigned()) {
    // Assigned by its flag yet written as not given: the two disagree.
    throw FileError(kErrInvalidValue, kRead);
  }
}

}  // namespace

void WriteRecoveryFile(const fs::path& path, const CVexoDoc& doc, const fs::path& originalPath,
                       std::chrono::sys_seconds savedAt) {
  // A copy in domestic units, as the engine text wants; the document itself is untouched.
  EngineParameters engine = doc.Engine();
  const bool metric = engine.metricUnits;
  if (metric) engine.ConvertUnits(false);
  const std::vector<CSimSpec*> specs = FlaggedSpecs(engine);
  std::vector<int> flags;
  for (CSimSpec* spec : specs) flags.push_back(FlagOf(engine, spec));
  for (CPartTypeSpec* part : PartTypes(engine)) {
    if (!part->GetName().empty()) continue;
    part->SetSelection(part->GetValue(), kUnassignedText);
    part->Unassign();
  }
  ChartState first = doc.Chart(ChartRole::First);
  ChartState second = doc.Chart(ChartRole::Second);
  ReportSpecs report = doc.Report();
  // Results are not kept: a recovered engine is run again.
  const ResultSet none;
  EngineFileResults results;
  results.withoutNitrous = &none;
  results.asIs = &none;

  AtomicFileWriter file(path, kWrite);
  TextWriter out(file.Stream());
  out.WriteLine(kMarker, kWrite);
  out.WriteInt(kLayoutVersion, kWrite);
  out.WriteLine(Escaped(doc.GetTitle()), kWrite);
  out.WriteLine(Escaped(originalPath.string()), kWrite);
  out.WriteLine(TimeText(savedAt), kWrite);
  out.WriteInt(static_cast<int>(specs.size()), kWrite);
  for (std::size_t i = 0; i < specs.size(); ++i) {
    out.WriteLine(std::to_string(flags[i]) + " " + specs[i]->GetLabel(), kWrite);
  }
  WriteEngineText(out, {engine, first, second, report}, metric, results);
  file.Commit();
}

RecoveryInfo ReadRecoveryFile(const fs::path& path, CVexoDoc& doc) {
  TextReader in(TextModeLineEnds(ReadTextFile(path, kRead)));
  if (ReadWholeLine(in) != kMarker) throw FileError(kErrRead, kRead);
  if (in.ScanIntLine(kRead) != kLayoutVersion) throw FileError(kErrRead, kRead);
  RecoveryInfo info;
  info.title = Unescaped(ReadWholeLine(in));
  info.originalPath = Unescaped(ReadWholeLine(in));
  info.savedAt = ParseTime(ReadWholeLine(in));

  // Read into copies of the new document's cleared records; taken over at the end.
  EngineParameters engine = doc.Engine();
  ChartState first = doc.Chart(ChartRole::First);
  ChartState second = doc.Chart(ChartRole::Second);
  ReportSpecs report = doc.Report();
  const std::vector<CSimSpec*> specs = FlaggedSpecs(engine);
  if (in.ScanIntLine(kRead) != static_cast<int>(specs.size())) throw FileError(kErrRead, kRead);
  std::vector<int> flags;
  for (CSimSpec* spec : specs) {
    const int flag = in.ScanInt(kRead);
    const std::string label = ReadWholeLine(in);
    if (label != std::string(" ") + spec->GetLabel()) throw FileError(kErrRead, kRead);
    if (flag < kUnassigned || flag > kNeverChosen) throw FileError(kErrInvalidValue, kRead);
    flags.push_back(flag);
  }
  ReadEngineText(in, {engine, first, second, report});
  in.SkipSpace();
  if (!in.AtEnd()) throw FileError(kErrRead, kRead);
  for (std::size_t i = 0; i < specs.size(); ++i) ApplyFlag(engine, specs[i], flags[i]);

  doc.Engine() = engine;
  doc.Chart(ChartRole::First) = first;
  doc.Chart(ChartRole::Second) = second;
  doc.Report() = report;
  doc.SetUnits(engine.metricUnits);
  doc.SetTitle(info.title);
  return info;
}

}  // namespace brisca
