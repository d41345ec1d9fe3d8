#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "core/document/VexoDoc.h"
#include "core/report/ChartImageSink.h"
#include "core/report/ReportFolder.h"
#include "core/report/VexoReport.h"
#include "core/base/NumberText.h"
#include "tests/core/report/ReportTestFolder.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/SampleDocuments.h"
#include "tests/support/ScriptedPresenter.h"

namespace brisca {
namespace {

namespace fs = std::filesystem;
using testing::ReportTestFolder;

const fs::path kInstalledReportFolder =
    fs::path(BRISCA_FIXTURES_DIR).parent_path().parent_path() / "data" / "Manuals & Videos" / "Kalvex";

constexpr int kMethanolNitrous100 = 14;

//! Writes a small file for each chart and remembers what it was asked.
class RecordingSink : public ChartImageSink {
 public:
  bool SaveChartImage(ChartRole role, const fs::path& path) override {
    roles.push_back(role);
    ReportTestFolder::WriteFile(path, "BM");
    return true;
  }
  std::vector<ChartRole> roles;
};

std::vector<int> Codes(const ScriptedPresenter& presenter) {
  std::vector<int> codes;
  for (const Message& message : presenter.Shown()) codes.push_back(message.code);
  return codes;
}

//! The sample V8 with settings pointing at "In.html" / "Out.html" in `folder`.
void PrepareDocument(CVexoDoc& doc, const ReportTestFolder& folder, const std::string& tmpl) {
  samples::BuildSmallBlockV8(doc);
  doc.Report().Reset("Bench");
  doc.Report().inputFile = "In.html";
  doc.Report().outputFile = "Out.html";
  folder.Write("In.html", tmpl);
}

TEST(VexoReportTest, NitrousIsSplitAndTheEngineRestoredAfterwards) {
  ScriptedPresenter presenter;
  ScopedPresenter installed(presenter);
  ReportTestFolder folder;
  CVexoDoc doc;
  PrepareDocument(doc, folder, "_HP12|_HPGAS12|_HPNINC12|_TQGAS12|_TQNINC12|_IFUEL|_INITRATE");
  EngineParameters& e = doc.Engine();
  e.fuelType.SetSelection(kMethanolNitrous100, "Methanol/Nitrous");
  e.nitrousFlowRate.SetValue(100.0f);
  ASSERT_TRUE(doc.RunSimulation(false, false));
  const ResultSet before = doc.Results();

  // What the same engine makes on methanol alone.
  CVexoDoc methanol;
  samples::BuildSmallBlockV8(methanol);
  methanol.Engine().fuelType.SetSelection(10, "Methanol");
  methanol.Engine().nitrousFlowRate.SetValue(0.0f);
  ASSERT_TRUE(methanol.RunSimulation(false, false));

  CVexoReport report(doc, doc.Report(), folder.Path());
  ASSERT_TRUE(report.Generate());
  EXPECT_TRUE(presenter.Shown().empty());

  EXPECT_TRUE(report.UsedNitrous());
  EXPECT_EQ(report.PowerWithoutNitrous(), methanol.Results().power);
  EXPECT_EQ(report.TorqueWithoutNitrous(), methanol.Results().torque);
  EXPECT_EQ(e.fuelType.GetValue(), kMethanolNitrous100);
  EXPECT_EQ(e.fuelType.GetName(), "Methanol/Nitrous");
  EXPECT_TRUE(e.nitrousFlowRate.IsAssigned());
  EXPECT_EQ(e.nitrousFlowRate.GetValue(), 100.0f);
  EXPECT_EQ(doc.Results().count, before.count);
  EXPECT_EQ(doc.Results().power, before.power);
  EXPECT_EQ(doc.Results().torque, before.torque);

  const int k = 11;
  const auto whole = [](float v) { return FormatFixed(v, 0); };
  EXPECT_GT(before.power[k], methanol.Results().power[k]);
  EXPECT_EQ(folder.Read("Out.html"),
            whole(before.power[k]) + "|" + whole(methanol.Results().power[k]) + "|" +
                whole(before.power[k] - methanol.Results().power[k]) + "|" +
                whole(methanol.Results().torque[k]) + "|" +
                whole(before.torque[k] - methanol.Results().torque[k]) + "|Methanol/Nitrous|" +
                e.nitrousFlowRate.GetTextWithUnits());
}

// Power and torque, the run without nitrous and so the nitrous's gain, all
// in the air the document shows; the conditions named; the results untouched.
TEST(VexoReportTest, FiguresAndNotesFollowTheDisplayConditions) {
  ScriptedPresenter presenter;
  ScopedPresenter installed(presenter);
  ReportTestFolder folder;
  CVexoDoc doc;
  PrepareDocument(doc, folder, "_HP12|_HPGAS12|_HPNINC12|_TORQ12|_TQNINC12|_IMPRES12|_CONDITIONS|_CONDNOTE");
  doc.Engine().fuelType.SetSelection(kMethanolNitrous100, "Methanol/Nitrous");
  doc.Engine().nitrousFlowRate.SetValue(100.0f);
  ASSERT_TRUE(doc.RunSimulation(false, false));
  const ResultSet model = doc.Results();
  CVexoDoc methanol;
  samples::BuildSmallBlockV8(methanol);
  methanol.Engine().fuelType.SetSelection(10, "Methanol");
  methanol.Engine().nitrousFlowRate.SetValue(0.0f);
  ASSERT_TRUE(methanol.RunSimulation(false, false));

  TestConditions j1349;
  j1349.standard = CorrectionStandard::SaeJ1349;
  TestConditions weather;
  weather.standard = CorrectionStandard::Din70020;
  weather.weatherGiven = true;
  weather.barometerInHg = 25.1;
  weather.temperatureF = 98.0;
  weather.humidityPercent = 45.0;
  const struct {
    TestConditions conditions;
    const char* note;  //!< the paragraph under the results, when one is due
  } cases[] = {{TestConditions{}, ""},
               {j1349, "<p class=\"note\">Corrected to SAE J1349, factor "},
               {weather, "<p class=\"note\">At 25.10 inHg, 98.0 °F, 45 % RH (DIN 70020), factor "}};
  const int k = 11;
  const auto whole = [](float v) { return FormatFixed(v, 0); };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.note);
    doc.SetDisplayConditions(c.conditions);
    CVexoReport report(doc, doc.Report(), folder.Path());
    ASSERT_TRUE(report.Generate());
    const ResultSet shown = DisplayedResults(model, c.conditions);
    const ResultSet without = DisplayedResults(methanol.Results(), c.conditions);
    const std::string note = ConditionsNote(c.conditions, false);
    const std::string expected =
        whole(shown.power[k]) + "|" + whole(without.power[k]) + "|" + whole(shown.power[k] - without.power[k]) +
        "|" + whole(shown.torque[k]) + "|" + whole(shown.torque[k] - without.torque[k]) + "|" +
        FormatFixed(model.manifoldPressure[k], 2) + "|" + note + "|";
    const std::string out = folder.Read("Out.html");
    EXPECT_EQ(out.substr(0, expected.size()), expected);
    EXPECT_EQ(out.substr(expected.size()), *c.note ? "<p class=\"note\">" + note + "</p>" : "");
    EXPECT_EQ(out.find(c.note), *c.note ? expected.size() : 0u);
    EXPECT_EQ(doc.Results().power, model.power);
    EXPECT_EQ(doc.Results().torque, model.torque);
  }
  EXPECT_NE(DisplayScale(j1349), 1.0);
  EXPECT_TRUE(presenter.Shown().empty());
}

TEST(VexoReportTest, AnEngineThatCannotRunKeepsItsResultsAndShowsNoSplit) {
  ScriptedPresenter presenter;
  ScopedPresenter installed(presenter);
  ReportTestFolder folder;
  CVexoDoc doc;
  PrepareDocument(doc, folder, "_HP1|_HPGAS1|_HPNINC1");
  EngineParameters& e = doc.Engine();
  e.fuelType.SetSelection(5, "Gas/Nitrous");
  e.nitrousFlowRate.SetValue(100.0f);
  ASSERT_TRUE(doc.RunSimulation(false, false));
  const ResultSet before = doc.Results();
  e.bore.Unassign();  // no run can be made now

  CVexoReport report(doc, doc.Report(), folder.Path());
  ASSERT_TRUE(report.Generate());
  EXPECT_TRUE(presenter.Shown().empty());  // the runs show nothing
  EXPECT_EQ(doc.Results().power, before.power);
  EXPECT_EQ(e.fuelType.GetValue(), 5);
  EXPECT_EQ(folder.Read("Out.html"), FormatFixed(before.power[0], 0) + "|***|***");
}

TEST(VexoReportTest, SecondPassResolvesMacrosOfIncludedPieces) {
  ScriptedPresenter presenter;
  ScopedPresenter installed(presenter);
  ReportTestFolder folder;
  CVexoDoc doc;
  PrepareDocument(doc, folder, "<p>_INCLUDEATBOTTOM</p>");
  folder.Write("DefaultCopyright.txt", "Printed on _DATE by _COMPANYNAME.");
  doc.Report().company = "Quarry";
  CVexoReport report(doc, doc.Report(), folder.Path());
  ASSERT_TRUE(report.Generate());
  const std::string out = folder.Read("Out.html");
  EXPECT_EQ(out.find("_DATE"), std::string::npos) << out;
  EXPECT_NE(out.find(" by Quarry."), std::string::npos) << out;
  EXPECT_TRUE(std::regex_search(out, std::regex("Printed on [A-Z][a-z]+day, [A-Z][a-z]+ \\d\\d, \\d{4}")))
      << out;
  EXPECT_TRUE(fs::exists(folder / "DefaultTempFile.html"));
}

std::string GenerateDefaultReport(CVexoDoc& doc, const ReportTestFolder& folder) {
  CVexoReport report(doc, doc.Report(), folder.Path());
  report.Generate();
  return folder.Read("DefaultFileOutput.html");
}

void SaveDefaultsOfQuarry(const ReportTestFolder& folder) {
  ReportSpecs saved;
  saved.Reset("Other");
  saved.company = "Quarry";
  ASSERT_TRUE(saved.SaveDefaults(folder.Path()));
}

// A new document's settings are not set up: its first report takes the saved
// defaults, titled with the document's title at report time. Once filled they
// are the document's own, until Clear Components clears them again.
TEST(VexoReportTest, NewAndClearedDocumentsTakeTheSavedDefaultsAtTheFirstReport) {
  ScriptedPresenter presenter;
  ScopedPresenter installed(presenter);
  ReportTestFolder folder;
  folder.Write("DefaultFileInput.html", "_TESTENGINE/_COMPANYNAME");
  CVexoDoc doc;
  samples::BuildSmallBlockV8(doc);
  EXPECT_FALSE(doc.Report().specified);
  SaveDefaultsOfQuarry(folder);
  doc.SetTitle("Engine7");  // named after the engine was assembled, as by a save
  EXPECT_EQ(GenerateDefaultReport(doc, folder), "Engine7/Quarry");
  EXPECT_TRUE(doc.Report().specified);
  EXPECT_EQ(doc.Report().company, "Quarry");

  doc.Report().company = "Bench";  // set up by the user: kept, the defaults are not read again
  EXPECT_EQ(GenerateDefaultReport(doc, folder), "Engine7/Bench");

  doc.OnClearComponents();
  EXPECT_FALSE(doc.Report().specified);
  doc.SetTitle("Engine8");
  EXPECT_EQ(GenerateDefaultReport(doc, folder), "Engine8/Quarry");
  EXPECT_TRUE(presenter.Shown().empty());
}

TEST(VexoReportTest, WithoutSavedDefaultsTheFirstReportTakesTheBuiltInOnes) {
  ScriptedPresenter presenter;
  ScopedPresenter installed(presenter);
  ReportTestFolder folder;
  folder.Write("DefaultFileInput.html", "_TESTENGINE/_COMPANYNAME");
  CVexoDoc doc;
  samples::BuildSmallBlockV8(doc);
  doc.SetTitle("Engine7");
  EXPECT_EQ(GenerateDefaultReport(doc, folder), "Engine7/");
  ReportSpecs builtIn;
  builtIn.Reset("Engine7");
  EXPECT_EQ(doc.Report(), builtIn);
  EXPECT_TRUE(presenter.Shown().empty());
}

// An engine file without report settings opens with them cleared; its first
// report takes the saved defaults with the title of the opened file.
TEST(VexoReportTest, OpenedEngineWithoutSettingsTakesTheSavedDefaults) {
  ScriptedPresenter presenter;
  ScopedPresenter installed(presenter);
  ReportTestFolder folder;
  folder.Write("DefaultFileInput.html", "_TESTENGINE/_COMPANYNAME");
  SaveDefaultsOfQuarry(folder);
  CVexoDoc doc;
  doc.Report().Reset("Previous engine");
  ASSERT_TRUE(doc.OnOpenDocument(fs::path(BRISCA_FIXTURES_DIR) / "document" / "engine-4.06.qen"));
  EXPECT_FALSE(doc.Report().specified);
  EXPECT_EQ(GenerateDefaultReport(doc, folder), "engine-4.06/Quarry");
}

TEST(VexoReportTest, FailedFirstPassStopsProcessingButChartsAreSaved) {
  ScriptedPresenter presenter;
  ScopedPresenter installed(presenter);
  ReportTestFolder folder;
  CVexoDoc doc;
  PrepareDocument(doc, folder, "x");
  fs::remove(folder / "In.html");
  folder.Write("Out.html", "old report");
  RecordingSink sink;
  CVexoReport report(doc, doc.Report(), folder.Path(), &sink);
  EXPECT_FALSE(report.Generate());
  EXPECT_EQ(Codes(presenter), std::vector<int>{123});
  EXPECT_EQ(folder.Read("Out.html"), "old report");
  EXPECT_EQ(sink.roles, (std::vector<ChartRole>{ChartRole::First, ChartRole::Second}));
  EXPECT_TRUE(fs::exists(folder / "DefaultLeftChart.bmp"));
  EXPECT_TRUE(fs::exists(folder / "DefaultRightChart.bmp"));
}

TEST(VexoReportTest, WithoutAChartSinkNoOldChartImagesRemain) {
  ReportTestFolder folder;
  CVexoDoc doc;
  PrepareDocument(doc, folder, "x");
  folder.Write("DefaultLeftChart.bmp", "another engine");
  folder.Write("DefaultRightChart.bmp", "another engine");
  CVexoReport report(doc, doc.Report(), folder.Path());
  ASSERT_TRUE(report.Generate());
  EXPECT_FALSE(fs::exists(folder / "DefaultLeftChart.bmp"));
  EXPECT_FALSE(fs::exists(folder / "DefaultRightChart.bmp"));
}

TEST(VexoReportTest, ReportFolderIsFilledFromTheInstalledPiecesWithoutOverwriting) {
  ReportTestFolder installedCopy;
  installedCopy.Write("DefaultToc.html", "installed toc");
  installedCopy.Write("DefaultLogo.bmp", "installed logo");
  fs::permissions(installedCopy / "DefaultLogo.bmp", fs::perms::owner_read | fs::perms::group_read);
  ReportTestFolder user;
  const fs::path folder = user / "Reports";
  ASSERT_TRUE(FillReportFolder(folder, installedCopy.Path()));
  ReportTestFolder::WriteFile(folder / "DefaultToc.html", "my toc");
  fs::remove(folder / "DefaultLogo.bmp");
  ASSERT_TRUE(FillReportFolder(folder, installedCopy.Path()));
  EXPECT_EQ(ReportTestFolder::ReadFile(folder / "DefaultToc.html"), "my toc");
  EXPECT_EQ(ReportTestFolder::ReadFile(folder / "DefaultLogo.bmp"), "installed logo");
  EXPECT_NE(fs::status(folder / "DefaultLogo.bmp").permissions() & fs::perms::owner_write, fs::perms::none);
  EXPECT_FALSE(FillReportFolder(folder, user / "no such folder"));
}

// A full disk leaves a piece whole or absent, never cut short; a piece found
// empty (what a cut copy left before) is copied again and the user told which.
TEST(VexoReportTest, ReportFolderPiecesAreWholeOrAbsentAndEmptyOnesAreReplaced) {
  ReportTestFolder installedCopy;
  const std::string toc = "installed toc";
  const std::string logo(200000, 'L');
  installedCopy.Write("DefaultToc.html", toc);
  installedCopy.Write("DefaultLogo.bmp", logo);
  ReportTestFolder user;
  user.Write("DefaultCopyright.txt", "");  // empty, but not a piece that is installed
  ScriptedPresenter presenter;
  ScopedPresenter shown(presenter);
  {
    const FileSizeLimit full(4096);
    ASSERT_TRUE(full.Set());
    EXPECT_FALSE(FillReportFolder(user.Path(), installedCopy.Path()));
  }
  std::vector<std::string> names = user.Names();
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"DefaultCopyright.txt", "DefaultToc.html"}));
  EXPECT_EQ(user.Read("DefaultToc.html"), toc);
  EXPECT_TRUE(presenter.Shown().empty());

  user.Write("DefaultToc.html", "");
  ASSERT_TRUE(FillReportFolder(user.Path(), installedCopy.Path()));
  EXPECT_EQ(user.Read("DefaultToc.html"), toc);
  EXPECT_EQ(user.Read("DefaultLogo.bmp"), logo);
  EXPECT_EQ(user.Read("DefaultCopyright.txt"), "");
  ASSERT_EQ(presenter.Shown().size(), 1u);
  EXPECT_EQ(presenter.Shown().front().kind, MessageKind::Notice);
  EXPECT_EQ(presenter.Shown().front().code, 305);
  EXPECT_NE(presenter.Shown().front().text.find((user / "DefaultToc.html").string()), std::string::npos);
  EXPECT_EQ(presenter.Shown().front().text.find("DefaultLogo.bmp"), std::string::npos);
}

// The installed template uses only macros the report knows, and every piece
// the built-in defaults name is installed.
TEST(VexoReportTest, InstalledTemplateLeavesNoMacroUnresolved) {
  ScriptedPresenter presenter;
  ScopedPresenter installed(presenter);
  ReportTestFolder user;
  ASSERT_TRUE(FillReportFolder(user.Path(), kInstalledReportFolder));
  CVexoDoc doc;
  samples::BuildSmallBlockV8(doc);
  EngineParameters& e = doc.Engine();
  e.fuelType.SetSelection(5, "Gas/Nitrous");
  e.nitrousFlowRate.SetValue(100.0f);
  ASSERT_TRUE(doc.RunSimulation(false, false));
  for (const bool full : {true, false}) {
    SCOPED_TRACE(full);
    doc.Report().Reset("Bench");
    doc.Report().fullGlossary = full;
    doc.Report().miniGlossary = !full;
    CVexoReport report(doc, doc.Report(), user.Path());
    ASSERT_TRUE(report.Generate());
    EXPECT_TRUE(presenter.Shown().empty());
    const std::string out = user.Read("DefaultFileOutput.html");
    std::smatch left;
    EXPECT_FALSE(std::regex_search(out, left, std::regex("_[A-Z][A-Z0-9_]+"))) << left.str();
    EXPECT_NE(out.find("DefaultLogo.bmp"), std::string::npos);
    EXPECT_NE(out.find(FormatFixed(doc.Results().power[11], 0)), std::string::npos);
    // With nothing chosen the engine summary states the model's own air, and no note follows the results.
    EXPECT_NE(out.find("<td>Test conditions</td><td>Uncorrected (model air: 29.93 inHg, 80.0 °F, dry)</td>"),
              std::string::npos);
    EXPECT_EQ(out.find("<p class=\"note\">Uncorrected"), std::string::npos);
  }
  for (const char* piece : {"DefaultLogo.bmp", "DefaultNullLogo.bmp", "DefaultCopyright.txt"})
    EXPECT_TRUE(fs::exists(user / piece)) << piece;
}

// A corrected report names its standard in the engine summary and under the results table.
TEST(VexoReportTest, InstalledTemplateNamesTheChosenStandard) {
  ScriptedPresenter presenter;
  ScopedPresenter installed(presenter);
  ReportTestFolder user;
  ASSERT_TRUE(FillReportFolder(user.Path(), kInstalledReportFolder));
  CVexoDoc doc;
  samples::BuildSmallBlockV8(doc);
  ASSERT_TRUE(doc.RunSimulation(false, false));
  TestConditions j607;
  j607.standard = CorrectionStandard::SaeJ607;
  doc.SetDisplayConditions(j607);
  doc.Report().Reset("Bench");
  CVexoReport report(doc, doc.Report(), user.Path());
  ASSERT_TRUE(report.Generate());
  const std::string out = user.Read("DefaultFileOutput.html");
  const std::string note = ConditionsNote(j607, false);
  EXPECT_NE(out.find("<td>Test conditions</td><td>" + note + "</td>"), std::string::npos);
  const std::size_t results = out.find("<h2 id=\"results\">");
  ASSERT_NE(results, std::string::npos);
  EXPECT_NE(out.find("<p class=\"note\">" + note + "</p>", results), std::string::npos);
  EXPECT_NE(out.find("<td>" + FormatFixed(doc.ShownResults().power[11], 0) + "</td>"), std::string::npos);
  EXPECT_TRUE(presenter.Shown().empty());
}

}  // namespace
}  // namespace brisca
