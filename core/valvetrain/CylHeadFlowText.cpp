// The flow text: the ".qfw" file, and the same lines inside the engine file.
//
//   4.2                      version (older files: see kVersions)
//   <description>
//   0                        units of the values below: always domestic
//   <n>                      point count, 4..10
//   <flag> <value>           intake test diameter [in], then pressure drop [inH2O]
//   n × <flag> <value>       intake lifts [in], then n intake flows [cfm]
//   ...                      the same for the exhaust side
//   <valves>                 intake valves per port, then exhaust      } current
//   <notes>                  one line, "***" when empty                } layout only
//
// Notes may hold line breaks; on their one line a line feed is written "\n", a
// carriage return "\r" and a backslash "\\", and notes that read "***"
// are written "\***", so that every text reads back as it was written.

#include <string>
#include <string_view>

#include "core/base/FileError.h"
#include "core/base/NumberText.h"
#include "core/base/TextReader.h"
#include "core/base/TextWriter.h"
#include "core/valvetrain/CylHeadFlow.h"

namespace brisca {
namespace {

constexpr const char* kWriteWhere = "CCylHeadFlow::WriteText";
constexpr const char* kReadWhere = "CCylHeadFlow::ReadText";

//! Version written by this program.
constexpr std::string_view kFlowTextVersion = "4.2";

struct FlowVersion {
  std::string_view text;
  bool currentLayout;  //!< valves per port and notes follow the points
};

constexpr FlowVersion kVersions[] = {
    {"4.2", true},   {"4.11", true},  {"4.10", true},  {"4.06", true},  {"4.05", true},
    {"3.10", false}, {"3.08", false}, {"3.07", false}, {"3.06", false}, {"3.05", false},
};

// Longest version or description line taken whole; the rest of a longer line is
// read as the next line and then fails as a number.
constexpr std::size_t kMaxHeaderLine = 1023;

constexpr char kEscape = '\\';

std::string EscapeNotes(std::string_view notes) {
  if (notes.empty()) return kUnassignedText;
  std::string line;
  line.reserve(notes.size());
  // The reader takes "***" (trailing blanks aside) for empty notes.
  if (TrimTrailingSpace(notes) == kUnassignedText) line += kEscape;
  for (char c : notes) {
    switch (c) {
      case '\n':
        line += "\\n";
        break;
      case '\r':
        line += "\\r";
        break;
      case kEscape:
        line += "\\\\";
        break;
      default:
        line += c;
    }
  }
  return line;
}

// A backslash before any other character is kept as it is: notes written by
// other programs may hold plain backslashes.
std::string UnescapeNotes(std::string_view line) {
  std::string notes;
  notes.reserve(line.size());
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    const char next = i + 1 < line.size() ? line[i + 1] : '\0';
    if (c != kEscape) {
      notes += c;
    } else if (next == 'n' || next == 'r' || next == kEscape || next == '*') {
      notes += next == 'n' ? '\n' : next == 'r' ? '\r' : next;
      ++i;
    } else {
      notes += c;
    }
  }
  return notes;
}

// The line without its line end ("\n" or "\r\n"). Other trailing blanks belong
// to the notes and are kept.
std::string_view WithoutLineEnd(std::string_view line) {
  if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

std::string ReadHeaderLine(TextReader& in) {
  std::string line = TrimTrailingSpace(in.ReadLine(kReadWhere, kMaxHeaderLine));
  return line.substr(CountLeadingSpace(line));
}

const FlowVersion* FindVersion(std::string_view text) {
  for (const FlowVersion& version : kVersions) {
    if (version.text == text) return &version;
  }
  return nullptr;
}

}  // namespace

void CCylHeadFlow::WriteText(TextWriter& out) const {
  // Written from a domestic copy: converting the record there and back would
  // cost it float rounding on every save.
  CCylHeadFlow domestic(*this);
  domestic.SetUnits(false);
  out.WriteLine(kFlowTextVersion, kWriteWhere);
  out.WriteLine(domestic.description_, kWriteWhere);
  out.WriteInt(domestic.metricUnits_ ? 1 : 0, kWriteWhere);
  out.WriteInt(pointCount_, kWriteWhere);
  for (const PortData* port : {&domestic.intake_, &domestic.exhaust_}) {
    port->testDiameter.Write(out);
    port->pressureDrop.Write(out);
    for (int i = 0; i < pointCount_; ++i) port->lift[i].Write(out);
    for (int i = 0; i < pointCount_; ++i) port->flow[i].Write(out);
  }
  intake_.valvesPerPort.Write(out);
  exhaust_.valvesPerPort.Write(out);
  out.WriteLine(EscapeNotes(notes_), kWriteWhere);
}

void CCylHeadFlow::ReadText(TextReader& in) {
  // Read into a copy and take it over only when the whole text was good.
  CCylHeadFlow read(*this);
  read.ReadBody(in);
  CopyFrom(read);
}

void CCylHeadFlow::ReadBody(TextReader& in) {
  SetUnits(false);  // the text holds domestic values, range-checked as such

  const FlowVersion* version = FindVersion(ReadHeaderLine(in));
  if (version == nullptr) throw FileError(kErrFlowVersion, kReadWhere);
  SetDescription(ReadHeaderLine(in));

  const int units = in.ScanIntLine(kReadWhere);
  if (units != 0 && units != 1) throw FileError(kErrInvalidValue, kReadWhere);
  const int count = in.ScanIntLine(kReadWhere);
  if (count < kMinFlowPoints || count > kMaxFlowPoints)
    throw FileError(kErrInvalidValue, kReadWhere);
  SetPointCount(count);

  for (PortData* port : {&intake_, &exhaust_}) {
    port->testDiameter.Read(in);
    port->pressureDrop.Read(in);
    for (int i = 0; i < count; ++i) port->lift[i].Read(in);
    for (int i = 0; i < count; ++i) port->flow[i].Read(in);
  }

  if (version->currentLayout) {
    intake_.valvesPerPort.Read(in);
    // The exhaust count ends at its own line end, not at the next non-blank:
    // notes may begin with blanks.
    const int exhaustValves = in.ScanInt(kReadWhere);
    in.EndLine(kReadWhere);
    if (!exhaust_.valvesPerPort.InRange(exhaustValves))
      throw FileError(kErrInvalidValue, kReadWhere);
    exhaust_.valvesPerPort.SetValue(exhaustValves);

    const std::string whole = in.ReadLine(kReadWhere);
    const std::string_view line = WithoutLineEnd(whole);
    notes_ = TrimTrailingSpace(line) == kUnassignedText ? std::string() : UnescapeNotes(line);
  }

  SetUnits(units == 1);
}

}  // namespace brisca
