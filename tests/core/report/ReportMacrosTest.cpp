#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/document/VexoDoc.h"
#include "core/report/ReportMacros.h"
#include "core/reportspecs/ReportSpecs.h"
#include "tests/core/report/ReportTestFolder.h"
#include "tests/support/SampleDocuments.h"
#include "tests/support/ScriptedPresenter.h"

namespace brisca {
namespace {

using testing::ReportTestFolder;

//! A document, its settings and a context over both.
struct MacroFixture {
  MacroFixture() {
    samples::BuildSmallBlockV8(doc);
    settings.Reset("Test Bench");
    context.document = &doc;
    context.settings = &settings;
  }
  std::string Resolve(const std::string& name) const {
    std::string text = "unset";
    EXPECT_TRUE(ResolveReportMacro(name, context, text)) << name;
    return text;
  }
  //! 28 points: speed 1000 + 500 k, power 250.4 + k, torque 300.6 − k, ...
  void FillResults(int count = kResultPoints) {
    ResultSet& set = doc.Results();
    set.count = count;
    for (int k = 0; k < kResultPoints; ++k) {
      set.rpm[k] = 1000.0f + 500.0f * k;
      set.power[k] = 250.4f + k;
      set.torque[k] = 300.6f - k;
      set.manifoldPressure[k] = 14.126f;
      set.volumetricEfficiency[k] = 88.25f;
      set.inductionAirflow[k] = 500.0f;
    }
  }

  CVexoDoc doc;
  ReportSpecs settings;
  ReportMacroContext context;
};

TEST(ReportMacrosTest, TheTableHoldsEveryMacroOnceAndEachResolves) {
  const std::vector<std::string> names = ReportMacroNames();
  EXPECT_EQ(names.size(), 753u);
  EXPECT_EQ(SingleReportMacroCount(), 165);
  EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size());

  ScriptedPresenter presenter;  // the included pieces are missing here
  ScopedPresenter installed(presenter);
  MacroFixture f;
  f.FillResults();
  for (const std::string& name : names) {
    ASSERT_FALSE(name.empty());
    EXPECT_EQ(name.front(), '_');
    f.Resolve(name);
  }
  for (const char* notMacro : {"_HP0", "_HP29", "_HP01", "_CHIVFLOW11", "_CHIVFLOW0", "_hp1", "_HP", "HP1", ""}) {
    std::string text = "unset";
    EXPECT_FALSE(ResolveReportMacro(notMacro, f.context, text)) << notMacro;
    EXPECT_EQ(text, "unset");
  }
}

TEST(ReportMacrosTest, ResultsUseTheirFormatsAndOnlyThePointsOfTheRun) {
  MacroFixture f;
  f.FillResults(27);
  EXPECT_EQ(f.Resolve("_RPM1"), "1000");
  EXPECT_EQ(f.Resolve("_HP1"), "250");
  EXPECT_EQ(f.Resolve("_TORQ2"), "300");
  EXPECT_EQ(f.Resolve("_IMPRES3"), "14.13");
  EXPECT_EQ(f.Resolve("_VEFF4"), "88.2");  // a tie goes to even, as in printf
  EXPECT_EQ(f.Resolve("_INDFLOW5"), "500.0");
  EXPECT_EQ(f.Resolve("_RINDFLOW5"), "650");
  EXPECT_EQ(f.Resolve("_RPM27"), "14000");
  EXPECT_EQ(f.Resolve("_RPM28"), "***");  // beyond the run's points
  // Without nitrous the gasoline figures are the figures, and the gain is 0.
  EXPECT_EQ(f.Resolve("_HPGAS12"), f.Resolve("_HP12"));
  EXPECT_EQ(f.Resolve("_TQGAS12"), f.Resolve("_TORQ12"));
  EXPECT_EQ(f.Resolve("_HPNINC12"), "0");
  EXPECT_EQ(f.Resolve("_TQNINC12"), "0");

  f.doc.Results().Clear();
  EXPECT_EQ(f.Resolve("_HP1"), "***");
}

TEST(ReportMacrosTest, NitrousSplitsPowerAndTorque) {
  MacroFixture f;
  f.FillResults();
  f.context.nitrous = true;
  f.context.countWithoutNitrous = kResultPoints;
  f.context.powerWithoutNitrous.fill(200.2f);
  f.context.torqueWithoutNitrous.fill(250.0f);
  EXPECT_EQ(f.Resolve("_HP1"), "250");
  EXPECT_EQ(f.Resolve("_HPGAS1"), "200");
  EXPECT_EQ(f.Resolve("_HPNINC1"), "50");
  EXPECT_EQ(f.Resolve("_TQGAS3"), "250");
  EXPECT_EQ(f.Resolve("_TQNINC3"), "49");  // 298.6 − 250
  // The run without nitrous failed: there is nothing to split by.
  f.context.countWithoutNitrous = 0;
  EXPECT_EQ(f.Resolve("_HPGAS1"), "***");
  EXPECT_EQ(f.Resolve("_HPNINC1"), "***");
  EXPECT_EQ(f.Resolve("_HP1"), "250");
}

TEST(ReportMacrosTest, CalculatorMacrosFollowTheMethod) {
  MacroFixture f;
  EngineParameters& e = f.doc.Engine();
  e.chamberVolume.SetValue(64.0f);
  e.domeVolume.SetValue(5.0f);
  e.measuredVolume.SetValue(20.0f);
  const std::string dome = e.domeVolume.GetTextWithUnits();
  const std::string measured = e.measuredVolume.GetTextWithUnits();
  const std::string chamber = e.chamberVolume.GetTextWithUnits();
  struct Case {
    bool valid;
    int method;
    const char* type;
    std::string chamber;
    std::string dome;
    std::string measured;
  };
  const Case cases[] = {
      {true, 1, "Burrette Measured Volumes", chamber, "***", measured},
      {true, 2, "Known Combustion Volumes", chamber, dome, "***"},
      {false, 2, "***", "***", "***", "***"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.method);
    e.crDataValid = c.valid;
    e.crMethod = c.method;
    EXPECT_EQ(f.Resolve("_CRTYPE"), c.type);
    EXPECT_EQ(f.Resolve("_CRCLHVOL"), c.chamber);
    EXPECT_EQ(f.Resolve("_CRPKSDMEV"), c.dome);
    EXPECT_EQ(f.Resolve("_CRPBSMVOL"), c.measured);
  }
  EXPECT_NE(measured.find("20"), std::string::npos);
}

TEST(ReportMacrosTest, EngineValuesAndSettingsTexts) {
  MacroFixture f;
  EngineParameters& e = f.doc.Engine();
  EXPECT_EQ(f.Resolve("_SBTYPE"), "Chevy 350");
  EXPECT_EQ(f.Resolve("_SBBORE"), e.bore.GetTextWithUnits());
  EXPECT_EQ(f.Resolve("_SBNUMCYL"), "8");
  EXPECT_EQ(f.Resolve("_CHIVFLOW1"), e.flow.Flow(FlowSide::Intake, 0).GetText());
  EXPECT_EQ(f.Resolve("_CHEVLIFT8"), e.flow.Lift(FlowSide::Exhaust, 7).GetText());
  EXPECT_EQ(f.Resolve("_CHIVFLOW10"), "***");  // the built-in head has 8 points
  EXPECT_EQ(f.Resolve("_CMTYPE"), e.camshaft.lowSpeedLobe.CamType().GetName());
  EXPECT_EQ(f.Resolve("_VVTYESNO"), "No");
  EXPECT_EQ(f.Resolve("_VERSION"), "4.21.0705");
  EXPECT_EQ(f.Resolve("_LEFTCHARTFILE"), "DefaultLeftChart.bmp");

  e.intercoolerEfficiency.SetValue(0.0f);
  EXPECT_EQ(f.Resolve("_INTRCOOL"), "None");
  EXPECT_EQ(f.Resolve("_ICPD"), "None");

  // Texts of the user come out as text, never as markup or macros.
  f.settings.company = "Smith & <Sons> \"Racing\"";
  f.settings.testTitle = "TEST_HP1";
  EXPECT_EQ(f.Resolve("_COMPANYNAME"), "Smith &amp; &lt;Sons&gt; &quot;Racing&quot;");
  EXPECT_EQ(f.Resolve("_TESTENGINE"), "TEST&#95;HP1");
}

TEST(ReportMacrosTest, LogoFileFollowsTheLogoChoice) {
  MacroFixture f;
  EXPECT_EQ(f.Resolve("_LOGOFILE"), "DefaultLogo.bmp");
  f.settings.logoFile = "Mine.bmp";
  EXPECT_EQ(f.Resolve("_LOGOFILE"), "Mine.bmp");
  f.settings.includeLogo = false;
  EXPECT_EQ(f.Resolve("_LOGOFILE"), "DefaultNullLogo.bmp");
  f.settings.includeLogo = true;
  f.settings.logoFile = "../elsewhere.bmp";
  EXPECT_EQ(f.Resolve("_LOGOFILE"), "DefaultNullLogo.bmp");
}

TEST(ReportMacrosTest, IncludedPiecesFollowTheSettings) {
  ReportTestFolder folder;
  folder.Write("Full.html", "FULL <b>glossary</b>");
  folder.Write("Mini.html", "MINI");
  folder.Write("Toc.html", "TOC");
  folder.Write("Bottom.txt", "Printed _DATE");
  MacroFixture f;
  f.context.reportFolder = folder.Path();
  f.settings.fullGlossaryFile = "Full.html";
  f.settings.miniGlossaryFile = "Mini.html";
  f.settings.tableOfContentsFile = "Toc.html";
  f.settings.pageBottomFile = "Bottom.txt";

  ScriptedPresenter presenter;
  ScopedPresenter installed(presenter);
  EXPECT_EQ(f.Resolve("_GLOSSARY"), "FULL <b>glossary</b>");  // pieces are HTML: unchanged
  f.settings.fullGlossary = false;
  f.settings.miniGlossary = true;
  EXPECT_EQ(f.Resolve("_GLOSSARY"), "MINI");
  f.settings.includeGlossary = false;
  EXPECT_EQ(f.Resolve("_GLOSSARY"), "");
  EXPECT_EQ(f.Resolve("_TABLEOFCONTENTS"), "TOC");
  EXPECT_EQ(f.Resolve("_INCLUDEATBOTTOM"), "Printed _DATE");
  EXPECT_TRUE(presenter.Shown().empty());

  struct Missing {
    const char* macro;
    std::string ReportSpecs::*file;
    int code;
  };
  f.settings.includeGlossary = true;
  for (const Missing& m : {Missing{"_INCLUDEATBOTTOM", &ReportSpecs::pageBottomFile, 135},
                           Missing{"_TABLEOFCONTENTS", &ReportSpecs::tableOfContentsFile, 142},
                           Missing{"_GLOSSARY", &ReportSpecs::miniGlossaryFile, 140}}) {
    SCOPED_TRACE(m.macro);
    presenter.Clear();
    f.settings.*m.file = "Gone.html";
    EXPECT_EQ(f.Resolve(m.macro), "");
    ASSERT_EQ(presenter.Shown().size(), 1u);
    EXPECT_EQ(presenter.Shown().front().code, m.code);
  }
}

TEST(ReportMacrosTest, DateAndTimeAreEnglishAndFixed) {
  std::tm time{};
  time.tm_year = 2026 - 1900;
  time.tm_mon = 11;
  time.tm_mday = 3;
  time.tm_wday = 4;
  EXPECT_EQ(FormatReportDate(time), "Thursday, December 03, 2026");
  struct Case {
    int hour;
    int minute;
    const char* text;
  };
  for (const Case& c : {Case{0, 5, "12:05 AM"}, Case{9, 30, "09:30 AM"}, Case{12, 0, "12:00 PM"},
                        Case{23, 59, "11:59 PM"}}) {
    time.tm_hour = c.hour;
    time.tm_min = c.minute;
    EXPECT_EQ(FormatReportTime(time), c.text);
  }
}

}  // namespace
}  // namespace brisca
