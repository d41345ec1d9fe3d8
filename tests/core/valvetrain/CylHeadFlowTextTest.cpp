#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "core/base/FileError.h"
#include "core/base/TextReader.h"
#include "core/base/TextWriter.h"
#include "core/valvetrain/CylHeadFlow.h"

namespace brisca {
namespace {

constexpr FlowSide kIn = FlowSide::Intake;
constexpr FlowSide kEx = FlowSide::Exhaust;

std::string Written(const CCylHeadFlow& flow) {
  std::ostringstream out;
  TextWriter writer(out);
  flow.WriteText(writer);
  return out.str();
}

//! Reads `text` into `flow`; the FileError code, or 0.
int Read(CCylHeadFlow& flow, std::string text) {
  TextReader reader(std::move(text));
  try {
    flow.ReadText(reader);
  } catch (const FileError& error) {
    return error.code();
  }
  return 0;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

// Same lines, numbers equal to float precision: a metric record converted back
// to inches may differ in the last digit (71.12 cmH2O / 2.54 = 27.999998 inH2O).
void ExpectSameTextNear(const std::string& text, const std::string& expected) {
  const std::vector<std::string> lines = Lines(text);
  const std::vector<std::string> wanted = Lines(expected);
  ASSERT_EQ(lines.size(), wanted.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    SCOPED_TRACE("line " + std::to_string(i + 1));
    const std::size_t blank = wanted[i].find(' ');
    if (i < 2 || blank == std::string::npos) {
      EXPECT_EQ(lines[i], wanted[i]);
    } else {
      EXPECT_EQ(lines[i].substr(0, blank + 1), wanted[i].substr(0, blank + 1));  // the flag
      EXPECT_NEAR(std::stod(lines[i].substr(blank + 1)), std::stod(wanted[i].substr(blank + 1)),
                  1e-5);
    }
  }
}

CCylHeadFlow HeadOne() {
  CCylHeadFlow flow;
  flow.LoadBuiltIn(1);
  return flow;
}

// Built-in head 1 saved with its 8 points, as the flow-file format lists it.
const char* const kHeadOneText =
    "4.2\n"
    "2-Valve, Wedge, Low Perf/Stock Ports & Valves\n"
    "0\n"
    "8\n"
    "1 1.400000\n"
    "1 28.000000\n"
    "1 0.200000\n1 0.300000\n1 0.400000\n1 0.500000\n"
    "1 0.550000\n1 0.600000\n1 0.650000\n1 0.700000\n"
    "1 87.000000\n1 116.000000\n1 140.000000\n1 144.000000\n"
    "1 146.000000\n1 146.000000\n1 148.000000\n1 148.000000\n"
    "1 1.120000\n"
    "1 28.000000\n"
    "1 0.200000\n1 0.300000\n1 0.400000\n1 0.500000\n"
    "1 0.550000\n1 0.600000\n1 0.650000\n1 0.700000\n"
    "1 64.000000\n1 77.000000\n1 83.000000\n1 86.000000\n"
    "1 87.000000\n1 87.000000\n1 88.000000\n1 88.000000\n"
    "1\n"
    "1\n"
    "***\n";

TEST(CylHeadFlowTextTest, BuiltInHeadOneWritesTheListedLines) {
  EXPECT_EQ(Written(HeadOne()), kHeadOneText);
}

TEST(CylHeadFlowTextTest, MetricRecordWritesDomesticValuesAndStaysAsItWas) {
  CCylHeadFlow flow = HeadOne();
  flow.SetUnits(true);
  const float metricLift = flow.Lift(kEx, 5).GetValue();
  ExpectSameTextNear(Written(flow), kHeadOneText);
  EXPECT_TRUE(flow.IsMetric());
  EXPECT_EQ(flow.Lift(kEx, 5).GetValue(), metricLift);  // not converted there and back

  CCylHeadFlow read;
  read.SetUnits(true);
  ASSERT_EQ(Read(read, Written(flow)), 0);
  EXPECT_FALSE(read.IsMetric());  // the text's units line decides
  EXPECT_FLOAT_EQ(read.Lift(kEx, 5).GetValue(), 0.6f);
  ExpectSameTextNear(Written(read), kHeadOneText);
}

// The units line only says how to show the values: they are domestic in any case.
TEST(CylHeadFlowTextTest, UnitsLineOneOpensMetric) {
  std::vector<std::string> lines = Lines(kHeadOneText);
  lines[2] = "1";
  CCylHeadFlow flow;
  ASSERT_EQ(Read(flow, Joined(lines)), 0);
  EXPECT_TRUE(flow.IsMetric());
  EXPECT_FLOAT_EQ(flow.TestDiameter(kIn).GetValue(), 1.4f * 25.4f);
  ExpectSameTextNear(Written(flow), kHeadOneText);
}

TEST(CylHeadFlowTextTest, RecordsReadBackAsWritten) {
  CCylHeadFlow tenPoints;
  tenPoints.SetPointCount(10);
  tenPoints.Reset();
  tenPoints.SetDescription("Ten points, one left open");
  tenPoints.Flow(kEx, 6).ResetValue();  // flag 0: value kept, unassigned
  tenPoints.ValvesPerPort(kIn).SetValue(3);
  tenPoints.SetNotes("Bench: 28 inH2O\nPort: CNC");

  CCylHeadFlow fourValve;
  fourValve.LoadBuiltIn(24);
  fourValve.SetUnits(true);

  for (const CCylHeadFlow* source : {&tenPoints, &fourValve}) {
    SCOPED_TRACE(source->GetDescription());
    CCylHeadFlow read;
    ASSERT_EQ(Read(read, Written(*source)), 0);
    EXPECT_EQ(Written(read), Written(*source));
    EXPECT_EQ(read.GetNotes(), source->GetNotes());
    EXPECT_EQ(read.GetPointCount(), source->GetPointCount());
  }
  CCylHeadFlow read;
  ASSERT_EQ(Read(read, Written(tenPoints)), 0);
  EXPECT_FALSE(read.Flow(kEx, 6).IsAssigned());
  EXPECT_EQ(read.Flow(kEx, 6).GetValue(), 1.0f);
  EXPECT_EQ(read.IntakeValvesPerPort(), 3);
}

// Notes live on one line. Line breaks and backslashes are escaped so that the
// line never splits the record and every text comes back unchanged.
TEST(CylHeadFlowTextTest, NotesKeepToOneLineAndReadBackUnchanged) {
  const struct {
    std::string notes;
    std::string line;  // as written
  } cases[] = {
      {"", "***"},
      {"Stock castings", "Stock castings"},
      {"two\nlines", "two\\nlines"},
      {"dos\r\nbreak", "dos\\r\\nbreak"},
      {"\nstarts with a break", "\\nstarts with a break"},
      {R"(C:\Heads\new)", R"(C:\\Heads\\new)"},
      {R"(literal \n)", R"(literal \\n)"},
      {"ends in a backslash\\", "ends in a backslash\\\\"},
      {"***", "\\***"},
      {"***  ", "\\***  "},
      {"**", "**"},
      {"  blanks at both ends  ", "  blanks at both ends  "},
      {"tab\tinside", "tab\tinside"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    CCylHeadFlow flow = HeadOne();
    flow.SetNotes(c.notes);
    const std::vector<std::string> lines = Lines(Written(flow));
    ASSERT_EQ(lines.size(), 43u);
    EXPECT_EQ(lines.back(), c.line);

    CCylHeadFlow read;
    read.SetNotes("old");
    ASSERT_EQ(Read(read, Written(flow)), 0);
    EXPECT_EQ(read.GetNotes(), c.notes);
  }
}

// Files of other programs: a plain backslash stays, "***" with blanks after it
// and a Windows line end still mean no notes.
TEST(CylHeadFlowTextTest, ForeignNotesLinesAreReadSensibly) {
  const struct {
    std::string line;
    std::string notes;
  } cases[] = {
      {"***", ""},
      {"***   ", ""},
      {"***\r", ""},
      {"notes\r", "notes"},
      {R"(C:\temp\heads)", R"(C:\temp\heads)"},
      {"\\", "\\"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    std::vector<std::string> lines = Lines(kHeadOneText);
    lines.back() = c.line;
    CCylHeadFlow flow;
    ASSERT_EQ(Read(flow, Joined(lines)), 0);
    EXPECT_EQ(flow.GetNotes(), c.notes);
  }
}

TEST(CylHeadFlowTextTest, VersionsDecideTheLayout) {
  const struct {
    const char* version;
    int code;
    bool currentLayout;
  } cases[] = {
      {"4.2", 0, true},    {"4.11", 0, true},    {"4.10", 0, true},  {"4.06", 0, true},
      {"4.05", 0, true},   {" 4.2 \t", 0, true}, {"3.10", 0, false}, {"3.08", 0, false},
      {"3.07", 0, false},  {"3.06", 0, false},   {"3.05", 0, false}, {"4.3", 49, false},
      {"4.20", 49, false}, {"3.04", 49, false},  {"", 49, false},    {"4.2.1", 49, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("version \"") + c.version + "\"");
    std::vector<std::string> lines = Lines(kHeadOneText);
    lines[0] = c.version;
    lines[40] = "2";
    lines[41] = "3";
    lines[42] = "file notes";
    if (!c.currentLayout) lines.resize(40);  // the older layout ends after the points

    CCylHeadFlow flow;
    flow.ValvesPerPort(kIn).SetValue(2);
    flow.ValvesPerPort(kEx).SetValue(2);
    flow.SetNotes("kept notes");
    ASSERT_EQ(Read(flow, Joined(lines)), c.code);
    if (c.code != 0) continue;
    EXPECT_EQ(flow.GetDescription(), "2-Valve, Wedge, Low Perf/Stock Ports & Valves");
    EXPECT_EQ(flow.Flow(kEx, 7).GetValue(), 88.0f);
    EXPECT_EQ(flow.IntakeValvesPerPort(), 2);
    EXPECT_EQ(flow.ExhaustValvesPerPort(), c.currentLayout ? 3 : 2);
    EXPECT_EQ(flow.GetNotes(), c.currentLayout ? "file notes" : "kept notes");
  }
}

// The engine file goes on after the flow text: the reader must stop at its end.
TEST(CylHeadFlowTextTest, ReadingStopsAtTheEndOfTheFlowText) {
  for (bool currentLayout : {true, false}) {
    std::vector<std::string> lines = Lines(kHeadOneText);
    if (!currentLayout) {
      lines[0] = "3.10";
      lines.resize(40);
    }
    TextReader reader(Joined(lines) + "  next record\n");
    CCylHeadFlow flow;
    flow.ReadText(reader);
    EXPECT_EQ(reader.ReadLine(), currentLayout ? "  next record\n" : "next record\n");
  }
}

// Damaged text gets its code, and the record keeps everything it had: values,
// point count, units, notes and the modified flag.
TEST(CylHeadFlowTextTest, DamagedTextLeavesTheRecordUntouched) {
  const auto replaced = [](int index, const std::string& line) {
    std::vector<std::string> lines = Lines(kHeadOneText);
    lines[index] = line;
    return Joined(lines);
  };
  const auto firstLines = [](std::size_t count) {
    std::vector<std::string> lines = Lines(kHeadOneText);
    lines.resize(count);
    return Joined(lines);
  };
  const std::string good = kHeadOneText;
  const struct {
    const char* name;
    std::string text;
    int code;
  } cases[] = {
      {"empty", "", 45},
      {"version only", "4.2\n", 45},
      {"units 2", replaced(2, "2"), 47},
      {"units not a number", replaced(2, "metric"), 45},
      {"3 points", replaced(3, "3"), 47},
      {"11 points", replaced(3, "11"), 47},
      {"intake diameter over 4 in", replaced(4, "1 4.100000"), 47},
      {"exhaust diameter over 3.25 in", replaced(22, "1 3.300000"), 47},
      {"pressure drop over 75", replaced(5, "1 80.000000"), 47},
      {"lift over 1.5 in", replaced(13, "1 1.600000"), 47},
      {"flow below 1 cfm", replaced(39, "1 0.500000"), 47},
      {"value not a number", replaced(10, "1 abc"), 45},
      {"intake valves 0", replaced(40, "0"), 47},
      {"exhaust valves 4", replaced(41, "4"), 47},
      {"cut in the points", firstLines(20), 45},
      {"cut in a line", good.substr(0, good.find("1 86.000000") + 2), 45},
      {"no notes line", firstLines(42), 45},
      {"no valves", firstLines(40), 45},
      {"binary after the header", firstLines(2) + std::string("\x01\xff\x00\x7f\x80", 5), 45},
      // A description over 1023 characters is split; the rest fails as a number.
      {"long description", replaced(1, std::string(1023, 'x') + "more words"), 45},
      {"long description, digits", replaced(1, std::string(1023, 'x') + "5"), 47},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CCylHeadFlow flow;
    flow.LoadBuiltIn(14);
    flow.SetPointCount(6);
    flow.SetNotes("keep me");
    flow.SetUnits(true);
    flow.SetModified(true);
    const std::string before = Written(flow);
    EXPECT_EQ(Read(flow, c.text), c.code);
    EXPECT_EQ(Written(flow), before);
    EXPECT_TRUE(flow.IsMetric());
    EXPECT_TRUE(flow.IsModified());
    EXPECT_EQ(flow.GetNotes(), "keep me");
  }
}

TEST(CylHeadFlowTextTest, LongestDescriptionReadsBackWhole) {
  CCylHeadFlow flow = HeadOne();
  flow.SetDescription(std::string(2000, 'd'));
  CCylHeadFlow read;
  ASSERT_EQ(Read(read, Written(flow)), 0);
  EXPECT_EQ(read.GetDescription(), std::string(kMaxDescriptionLength, 'd'));
}

}  // namespace
}  // namespace brisca
