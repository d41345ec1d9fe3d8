// The engine file: the current layout written and read back, the older
// versions, the results block, saving and opening through the document, and
// damaged files that must be refused without touching the open document.

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/document/VexoDoc.h"
#include "tests/support/SampleDocuments.h"
#include "tests/support/ScriptedPresenter.h"
#include "tests/support/TempDir.h"

namespace brisca {
namespace {

namespace fs = std::filesystem;

const fs::path kFixtures = fs::path(BRISCA_FIXTURES_DIR) / "document";

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

void WriteAll(const fs::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
}

// Index of the results block's point-count line (the flag line is just before it).
std::size_t ResultCountLine(const std::vector<std::string>& lines) {
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
    if (lines[i] == "28" && lines[i + 1].rfind("1000 ", 0) == 0) return i;
  }
  ADD_FAILURE() << "no results block";
  return 0;
}

class EngineFileTest : public ::testing::Test {
 protected:
  fs::path Path(const std::string& name) const { return folder_ / name; }

  //! The small-block V8, run, saved to `name`; returns the file's text.
  std::string SaveSmallBlock(const std::string& name, bool metric = false) {
    CVexoDoc doc;
    samples::BuildSmallBlockV8(doc);
    EXPECT_TRUE(doc.RunSimulation(true, true));
    doc.SetUnits(metric);
    EXPECT_TRUE(doc.WriteEngineFile(Path(name)));
    return ReadAll(Path(name));
  }

  ScriptedPresenter presenter_;
  ScopedPresenter installed_{presenter_};
  TempDir folder_{"brisca-engine-file"};
};

TEST_F(EngineFileTest, MetricDocumentReopensMetricWithInchesInTheFile) {
  CVexoDoc doc;
  samples::BuildSmallBlockV8(doc);
  doc.SetUnits(true);
  const float bore = doc.Engine().bore.GetValue();
  const float intake = doc.Engine().intakeValveDiameter.GetValue();
  ASSERT_NEAR(bore, 101.6f, 1e-3f);
  ASSERT_TRUE(doc.WriteEngineFile(Path("metric.qen")));
  EXPECT_TRUE(doc.IsMetric());
  EXPECT_EQ(doc.Engine().bore.GetValue(), bore);

  const std::vector<std::string> lines = Lines(ReadAll(Path("metric.qen")));
  ASSERT_GT(lines.size(), 8u);
  EXPECT_EQ(lines[0], "4.2");
  EXPECT_EQ(lines[1], "1");             // unit system
  EXPECT_EQ(lines[6], "1 4.000000");    // bore [in]
  EXPECT_EQ(lines[7], "1 3.480000");    // stroke [in]

  CVexoDoc reopened;
  ASSERT_TRUE(reopened.ReadEngineFile(Path("metric.qen")));
  EXPECT_TRUE(reopened.IsMetric());
  EXPECT_NEAR(reopened.Engine().bore.GetValue(), bore, 1e-3f);
  EXPECT_NEAR(reopened.Engine().intakeValveDiameter.GetValue(), intake, 1e-3f);
  EXPECT_EQ(reopened.Engine().shortBlockType.GetName(), "Chevy 350");
  EXPECT_EQ(reopened.Engine().camshaft.lowSpeedLobe.CamType().GetName(), "Stock Street/Economy");
  EXPECT_TRUE(presenter_.Shown().empty());
}

TEST_F(EngineFileTest, WhatIsWrittenReadsBackToTheSameText) {
  const std::string first = SaveSmallBlock("first.qen");
  CVexoDoc doc;
  ASSERT_TRUE(doc.OnOpenDocument(Path("first.qen")));
  EXPECT_EQ(doc.GetTitle(), "first");
  EXPECT_FALSE(doc.IsModified());
  EXPECT_TRUE(doc.Results().IsEmpty());  // stored results are never taken over
  ASSERT_TRUE(doc.RunSimulation(true, true));
  ASSERT_TRUE(doc.WriteEngineFile(Path("second.qen")));
  EXPECT_EQ(ReadAll(Path("second.qen")), first);
}

// The conditions a document's figures are shown for are the application's:
// the file, the results and the modified flag never see them.
TEST_F(EngineFileTest, DisplayConditionsLeaveTheFileAndTheResultsAsTheyAre) {
  const std::string plain = SaveSmallBlock("plain.qen");
  TestConditions j1349;
  j1349.standard = CorrectionStandard::SaeJ1349;
  TestConditions weather;
  weather.weatherGiven = true;
  weather.barometerInHg = 24.8;
  weather.temperatureF = 95.0;
  weather.humidityPercent = 60.0;
  for (const TestConditions& conditions : {j1349, weather}) {
    SCOPED_TRACE(ConditionsNote(conditions, false));
    CVexoDoc doc;
    samples::BuildSmallBlockV8(doc);
    ASSERT_TRUE(doc.RunSimulation(true, true));
    const ResultSet model = doc.Results();
    doc.SetModified(false);
    doc.SetDisplayConditions(conditions);
    const ResultSet shown = doc.ShownResults();
    EXPECT_NE(shown.power, model.power);
    EXPECT_EQ(shown.power, DisplayedResults(model, conditions).power);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.Results().power, model.power);
    EXPECT_EQ(doc.Results().torque, model.torque);
    ASSERT_TRUE(doc.WriteEngineFile(Path("shown.qen")));
    EXPECT_EQ(ReadAll(Path("shown.qen")), plain);
  }
}

TEST_F(EngineFileTest, NitrousEngineWritesTheRunWithoutNitrousFirstAndRestoresFuel) {
  CVexoDoc doc;
  samples::BuildSmallBlockV8(doc);
  EngineParameters& e = doc.Engine();
  e.fuelType.SetSelection(5, "Gas/Nitrous");
  e.nitrousFlowRate.SetValue(100.0f);
  ASSERT_TRUE(doc.RunSimulation(true, true));
  const ResultSet withNitrous = doc.Results();

  ASSERT_TRUE(doc.WriteEngineFile(Path("nitrous.qen")));
  EXPECT_EQ(e.fuelType.GetValue(), 5);
  EXPECT_EQ(e.fuelType.GetName(), "Gas/Nitrous");
  EXPECT_FLOAT_EQ(e.nitrousFlowRate.GetValue(), 100.0f);
  EXPECT_FLOAT_EQ(doc.Results().power[8], withNitrous.power[8]);

  CVexoDoc gasoline;
  samples::BuildSmallBlockV8(gasoline);
  ASSERT_TRUE(gasoline.RunSimulation(true, true));

  const std::vector<std::string> lines = Lines(ReadAll(Path("nitrous.qen")));
  const std::size_t count = ResultCountLine(lines);
  EXPECT_EQ(lines[count - 1], "1");
  // 5000 rpm is point 8 of each group.
  std::istringstream without(lines[count + 1 + 8]);
  std::istringstream with(lines[count + 1 + 28 + 8]);
  float rpm = 0, power = 0, torque = 0;
  without >> rpm >> power >> torque;
  EXPECT_EQ(rpm, 5000.0f);
  EXPECT_NEAR(power, gasoline.Results().power[8], 1e-3f);
  with >> rpm >> power >> torque;
  EXPECT_NEAR(power, withNitrous.power[8], 1e-3f);
  EXPECT_GT(withNitrous.power[8], gasoline.Results().power[8] + 50.0f);
}

TEST_F(EngineFileTest, MethanolNitrousRunsWithoutNitrousOnMethanol) {
  CVexoDoc doc;
  samples::BuildSmallBlockV8(doc);
  doc.Engine().fuelType.SetSelection(14, "Methanol/Nitrous");
  doc.Engine().nitrousFlowRate.SetValue(100.0f);
  ASSERT_TRUE(doc.WriteEngineFile(Path("methanol.qen")));

  CVexoDoc methanol;
  samples::BuildSmallBlockV8(methanol);
  methanol.Engine().fuelType.SetSelection(10, "Methanol");
  ASSERT_TRUE(methanol.RunSimulation(true, true));
  const std::vector<std::string> lines = Lines(ReadAll(Path("methanol.qen")));
  std::istringstream row(lines[ResultCountLine(lines) + 1 + 8]);
  float rpm = 0, power = 0;
  row >> rpm >> power;
  EXPECT_NEAR(power, methanol.Results().power[8], 1e-3f);
  EXPECT_EQ(doc.Engine().fuelType.GetValue(), 14);
}

TEST_F(EngineFileTest, SaveWithoutResultsAsksAndWritesZeroRows) {
  CVexoDoc doc;
  samples::BuildSmallBlockV8(doc);  // Auto Run off: nothing has run
  ASSERT_TRUE(doc.Results().IsEmpty());
  doc.SetModified(true);

  presenter_.Answer(MessageButton::Cancel);
  EXPECT_FALSE(doc.OnSaveDocument(Path("cancelled.qen")));
  EXPECT_FALSE(fs::exists(Path("cancelled.qen")));
  EXPECT_TRUE(doc.IsModified());

  EXPECT_TRUE(doc.OnSaveDocument(Path("saved.qen")));
  EXPECT_FALSE(doc.IsModified());
  ASSERT_EQ(presenter_.Shown().size(), 2u);
  EXPECT_EQ(presenter_.Shown()[0].kind, MessageKind::Warning);
  EXPECT_EQ(presenter_.Shown()[0].code, 204);
  EXPECT_EQ(presenter_.Shown()[1].code, 204);

  const std::vector<std::string> lines = Lines(ReadAll(Path("saved.qen")));
  std::size_t rows = 0;
  for (const std::string& line : lines) rows += line == "0 0.000000 0.000000";
  EXPECT_EQ(rows, 56u);
}

TEST_F(EngineFileTest, SaveOfAnInvalidEngineShowsItsValidationCode) {
  CVexoDoc doc;  // nothing chosen: the short block fails first
  EXPECT_FALSE(doc.OnSaveDocument(Path("empty.qen")));
  ASSERT_EQ(presenter_.Shown().size(), 1u);
  EXPECT_EQ(presenter_.Shown()[0].code, 1);
  EXPECT_FALSE(fs::exists(Path("empty.qen")));
  // Writing directly cannot name components never chosen either.
  EXPECT_FALSE(doc.WriteEngineFile(Path("empty.qen")));
  EXPECT_EQ(presenter_.Shown().back().code, 1);
}

TEST_F(EngineFileTest, AppendAddsTheEngineAfterTheFileAsItWas) {
  const std::string one = SaveSmallBlock("entry.qen");
  CVexoDoc doc;
  samples::BuildSmallBlockV8(doc);
  ASSERT_TRUE(doc.RunSimulation(true, true));
  ASSERT_TRUE(doc.WriteEngineFile(Path("entry.qen"), true));
  EXPECT_EQ(ReadAll(Path("entry.qen")), one + one);
}

TEST_F(EngineFileTest, FailedSaveKeepsTheOldFile) {
  const std::string old = SaveSmallBlock("engine.qen");
  CVexoDoc doc;
  samples::BuildSmallBlockV8(doc);
  doc.Engine().notes.SetFromText(std::string(64 * 1024, 'n'));
  // The disk "fills up" after 1 KB: the writes of the new file fail part way.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  rlimit small = saved;
  small.rlim_cur = 1024;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool written = doc.WriteEngineFile(Path("engine.qen"));
  setrlimit(RLIMIT_FSIZE, &saved);

  EXPECT_FALSE(written);
  ASSERT_EQ(presenter_.Shown().size(), 1u);
  EXPECT_EQ(presenter_.Shown()[0].code, 44);
  EXPECT_EQ(ReadAll(Path("engine.qen")), old);
  std::size_t files = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder_.Path())) ++files;
  EXPECT_EQ(files, 1u);  // no temporary file left behind
}

TEST_F(EngineFileTest, Version406OpensWithTheDefaultsOfItsMissingSections) {
  CVexoDoc doc;
  ASSERT_TRUE(doc.OnOpenDocument(kFixtures / "engine-4.06.qen"));
  const EngineParameters& e = doc.Engine();
  EXPECT_FLOAT_EQ(e.rodRatio.GetValue(), 1.636f);
  EXPECT_TRUE(e.rodByRatio);
  EXPECT_NEAR(e.rodLength.GetValue(), 1.636f * 3.484f, 1e-3f);  // derived on opening
  EXPECT_FLOAT_EQ(e.nitrousFlowRate.GetValue(), 100.0f);         // stored as 4 × 25 HP
  EXPECT_EQ(e.fuelType.GetValue(), 5);
  // Short calculator form, method 2: the deck clearance, no dome or reliefs.
  EXPECT_EQ(e.crMethod, 2);
  EXPECT_FLOAT_EQ(e.deckClearance.GetValue(), 0.04f);
  EXPECT_TRUE(e.domeVolume.IsAssigned());
  EXPECT_FLOAT_EQ(e.domeVolume.GetValue(), 0.0f);
  EXPECT_FALSE(e.downBoreDistance.IsAssigned());
  EXPECT_EQ(e.notes.GetText().rfind("Stock 350 ci", 0), 0u);
  EXPECT_EQ(doc.Chart(ChartRole::First).Y1().Item(), 4);  // the file's, not the default 5
  EXPECT_EQ(doc.Report(), ReportSpecs{});  // none stored: cleared, the first report fills them
  EXPECT_TRUE(presenter_.Shown().empty());
}

TEST_F(EngineFileTest, Version406ReadsReportSettingsWhenTheyFollow) {
  WriteAll(Path("with-report.qen"),
           ReadAll(kFixtures / "engine-4.06.qen") +
               "1\nDyno Day\n***\n***\n***\n***\n***\n***\n***\n1\nLogo.bmp\n0\n***\n0\n0\n0\n1\n");
  CVexoDoc doc;
  ASSERT_TRUE(doc.ReadEngineFile(Path("with-report.qen")));
  EXPECT_TRUE(doc.Report().specified);
  EXPECT_EQ(doc.Report().testTitle, "Dyno Day");
  EXPECT_EQ(doc.Report().logoFile, "Logo.bmp");
  EXPECT_EQ(doc.Report().inputFile, "DefaultFileInput.html");  // not stored: the built-in name
}

TEST_F(EngineFileTest, Version305OpensWithoutCalculatorResultsNotesOrSettings) {
  CVexoDoc doc;
  doc.Report().Reset("Bench");  // the settings of the engine read before
  ASSERT_TRUE(doc.ReadEngineFile(kFixtures / "engine-3.05.qen"));
  const EngineParameters& e = doc.Engine();
  EXPECT_FALSE(e.crDataValid);
  EXPECT_EQ(e.crMethod, 2);
  for (CFloatPtSpec* spec : doc.Engine().CalculatorSpecs()) EXPECT_FALSE(spec->IsAssigned());
  EXPECT_FALSE(e.notes.IsAssigned());
  EXPECT_EQ(doc.Chart(ChartRole::First), ChartState::Defaults(ChartRole::First));
  EXPECT_EQ(doc.Chart(ChartRole::Second), ChartState::Defaults(ChartRole::Second));
  EXPECT_EQ(doc.Report(), ReportSpecs{});
  EXPECT_EQ(e.shortBlockType.GetName(), "Chevy 350");
  EXPECT_FLOAT_EQ(e.nitrousFlowRate.GetValue(), 100.0f);
}

// One damaged copy of a good file per row: the error shown, and a document
// holding another engine that must come out of the failed read unchanged.
struct DamageCase {
  const char* name;
  std::string (*damage)(std::vector<std::string> lines);
  int code;
};

std::string Join(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

std::string Replace(std::vector<std::string> lines, std::size_t index, std::string line) {
  lines.at(index) = std::move(line);
  return Join(lines);
}

const DamageCase kDamageCases[] = {
    {"version 4.3", [](auto l) { return Replace(l, 0, "4.3"); }, 48},
    {"empty file", [](auto) { return std::string(); }, 45},
    {"unit system 2", [](auto l) { return Replace(l, 1, "2"); }, 47},
    {"bore NaN", [](auto l) { return Replace(l, 6, "1 nan"); }, 45},
    {"bore infinite", [](auto l) { return Replace(l, 6, "1 inf"); }, 45},
    {"bore 1e39", [](auto l) { return Replace(l, 6, "1 1e39"); }, 45},
    {"bore out of range", [](auto l) { return Replace(l, 6, "1 9.000000"); }, 47},
    {"ten-megabyte line", [](auto l) { return Replace(l, 4, std::string(10 << 20, 'x')); }, 45},
    {"binary", [](auto) { return std::string("\x7f" "ELF\x02\x01\x01\0\0\0\xff\xfe", 12); }, 48},
    {"kind without device",
     [](auto l) { return Replace(l, 28, "3"); }, 47},  // "None" with a Roots blower's kind
    {"compressor map 48", [](auto l) { return Replace(l, 29, "48"); }, 47},
    {"blower efficiency negative", [](auto l) { return Replace(l, 31, "-5.000000"); }, 47},
    {"calculator method 3",
     [](auto l) { return Replace(l, ResultCountLine(l) - 1 - 12, "3"); }, 47},
    {"point count 0", [](auto l) { return Replace(l, ResultCountLine(l), "0"); }, 47},
    {"point count absurd", [](auto l) { return Replace(l, ResultCountLine(l), "2000000000"); }, 45},
    {"notes count absurd",
     [](auto l) { return Replace(l, ResultCountLine(l) + 57, "1 2147483647"); }, 45},
    {"old nitrous beyond 500 HP",
     [](auto l) {
       l[0] = "4.10";  // 25-HP steps: 21 × 25 = 525 HP
       return Replace(l, 25, "1 21.000000");
     },
     47},
};

TEST_F(EngineFileTest, DamagedFilesAreRefusedAndLeaveTheDocumentAsItWas) {
  const std::vector<std::string> good = Lines(SaveSmallBlock("good.qen"));
  CVexoDoc doc;
  ASSERT_TRUE(doc.ReadEngineFile(kFixtures / "engine-4.06.qen"));
  doc.SetUnits(true);
  ASSERT_TRUE(doc.WriteEngineFile(Path("before.qen")));
  const std::string before = ReadAll(Path("before.qen"));
  presenter_.Clear();

  for (const DamageCase& c : kDamageCases) {
    SCOPED_TRACE(c.name);
    WriteAll(Path("damaged.qen"), c.damage(good));
    EXPECT_FALSE(doc.ReadEngineFile(Path("damaged.qen")));
    ASSERT_EQ(presenter_.Shown().size(), 1u);  // reported once, by the document
    EXPECT_EQ(presenter_.Shown()[0].code, c.code);
    presenter_.Clear();
    EXPECT_TRUE(doc.IsMetric());
    ASSERT_TRUE(doc.WriteEngineFile(Path("after.qen")));
    EXPECT_EQ(ReadAll(Path("after.qen")), before);
  }
}

TEST_F(EngineFileTest, TruncatedAtAnyLineIsRefused) {
  const std::string good = SaveSmallBlock("good.qen");
  CVexoDoc doc;
  for (std::size_t end = 0; end < good.size(); end = good.find('\n', end) + 1) {
    WriteAll(Path("cut.qen"), good.substr(0, end));
    EXPECT_FALSE(doc.ReadEngineFile(Path("cut.qen"))) << "cut after " << end << " bytes";
    if (good.find('\n', end) + 1 == good.size()) break;
  }
  EXPECT_EQ(doc.Engine().shortBlockType.IsAssigned(), false);
}

TEST_F(EngineFileTest, VersionLineMayCarryBlanksAndWindowsLineEnds) {
  std::string text = SaveSmallBlock("good.qen");
  text.replace(0, 4, "  4.2   \t\r\n");
  std::string crlf;
  for (const char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  WriteAll(Path("blanks.qen"), text);
  WriteAll(Path("crlf.qen"), crlf);
  CVexoDoc doc;
  EXPECT_TRUE(doc.ReadEngineFile(Path("blanks.qen")));
  EXPECT_TRUE(doc.ReadEngineFile(Path("crlf.qen")));
  EXPECT_TRUE(presenter_.Shown().empty());
}

TEST_F(EngineFileTest, MissingFileIsError43) {
  CVexoDoc doc;
  EXPECT_FALSE(doc.OnOpenDocument(Path("missing.qen")));
  EXPECT_FALSE(doc.ReadEngineFile(folder_.Path()));  // a folder is no engine file
  ASSERT_EQ(presenter_.Shown().size(), 2u);
  EXPECT_EQ(presenter_.Shown()[0].code, 43);
  EXPECT_EQ(presenter_.Shown()[1].code, 43);
  EXPECT_EQ(doc.GetTitle(), "Untitled");
}

TEST_F(EngineFileTest, CustomPortFlowHeadSwitchesAutomaticValveSizesOff) {
  std::vector<std::string> lines = Lines(SaveSmallBlock("good.qen"));
  ASSERT_EQ(lines[2], "1");  // Auto Calculate Valve Sizes
  lines[12] = "Custom Airflow";
  lines[13] = "25";
  WriteAll(Path("custom.qen"), Join(lines));
  CVexoDoc doc;
  ASSERT_TRUE(doc.ReadEngineFile(Path("custom.qen")));
  EXPECT_FALSE(doc.GetAutoValveSizes());
}

}  // namespace
}  // namespace brisca
