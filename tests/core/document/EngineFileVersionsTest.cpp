// One engine file per accepted version, all holding the same engine: what each
// version stores, and what the reader fills in where an older version has no
// section (rod geometry, nitrous in steps of 25 HP, the two calculator forms
// with either method, results, notes and charts, report settings).

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/base/NumberText.h"
#include "core/document/VexoDoc.h"
#include "tests/support/ScriptedPresenter.h"
#include "tests/support/TempDir.h"

namespace brisca {
namespace {

namespace fs = std::filesystem;

const fs::path kVersions = fs::path(BRISCA_FIXTURES_DIR) / "document" / "versions";

enum class Calculator { Full, Short, Absent };

struct VersionCase {
  const char* version;
  bool rod;          //!< the file carries rod length, rod ratio and the rod-by-ratio flag
  float nitrousInFile;  //!< the "Nitrous Flow Rate" value written in the file
  Calculator calculator;
  int method;        //!< the calculator method the file holds (Absent: none)
  bool notesAndCharts;
  bool report;
};

fs::path Fixture(const char* version) { return kVersions / (std::string("engine-") + version + ".qen"); }

const VersionCase kCases[] = {
    {"4.2", true, 100.0f, Calculator::Full, 2, true, true},
    {"4.11", true, 100.0f, Calculator::Full, 1, true, true},
    {"4.10", true, 4.0f, Calculator::Short, 1, true, true},
    {"4.06", false, 4.0f, Calculator::Short, 2, true, false},
    {"4.05", false, 4.0f, Calculator::Short, 1, true, false},
    {"3.10", false, 4.0f, Calculator::Short, 2, false, false},
    {"3.08", false, 4.0f, Calculator::Short, 1, false, false},
    {"3.07", false, 4.0f, Calculator::Absent, 0, false, false},
    {"3.06", false, 4.0f, Calculator::Absent, 0, false, false},
    {"3.05", false, 4.0f, Calculator::Absent, 0, false, false},
};

// Value of an assigned spec, or a mark that it is unassigned.
constexpr float kUnassigned = -1.0e30f;
float ValueOf(const CFloatPtSpec& spec) { return spec.IsAssigned() ? spec.GetValue() : kUnassigned; }

void ExpectCalculator(EngineParameters& e, const VersionCase& c) {
  if (c.calculator == Calculator::Absent) {
    EXPECT_FALSE(e.crDataValid);
    EXPECT_EQ(e.crMethod, 2);
    for (const CFloatPtSpec* spec : e.CalculatorSpecs()) EXPECT_FALSE(spec->IsAssigned()) << spec->GetLabel();
    EXPECT_FALSE(e.combustionSpace.IsAssigned());
    return;
  }
  EXPECT_TRUE(e.crDataValid);
  EXPECT_EQ(e.crMethod, c.method);
  // Written by every form.
  EXPECT_FLOAT_EQ(ValueOf(e.chamberVolume), 64.0f);
  EXPECT_FLOAT_EQ(ValueOf(e.gasketBore), 4.1f);
  EXPECT_FLOAT_EQ(ValueOf(e.gasketThickness), 0.041f);
  EXPECT_FLOAT_EQ(ValueOf(e.measuredVolume), 20.0f);
  EXPECT_FLOAT_EQ(ValueOf(e.gasketVolume), 8.86f);
  EXPECT_FLOAT_EQ(ValueOf(e.deckVolume), 5.15f);
  EXPECT_FLOAT_EQ(ValueOf(e.combustionSpace), 84.410004f);
  // The piston values: all four in the full form; one distance, chosen by the
  // method, in the short form.
  float dome = 5.0f, reliefs = 2.0f, deck = 0.025f, downBore = 0.25f;
  if (c.calculator == Calculator::Short && c.method == 2) {
    dome = 0.0f;
    reliefs = 0.0f;
    downBore = kUnassigned;
  } else if (c.calculator == Calculator::Short) {
    dome = reliefs = deck = kUnassigned;
  }
  EXPECT_FLOAT_EQ(ValueOf(e.domeVolume), dome);
  EXPECT_FLOAT_EQ(ValueOf(e.reliefsVolume), reliefs);
  EXPECT_FLOAT_EQ(ValueOf(e.deckClearance), deck);
  EXPECT_FLOAT_EQ(ValueOf(e.downBoreDistance), downBore);
}

TEST(EngineFileVersionsTest, EachVersionReadsItsSectionsAndFillsTheRest) {
  for (const VersionCase& c : kCases) {
    SCOPED_TRACE(c.version);
    ScriptedPresenter presenter;
    ScopedPresenter installed(presenter);
    CVexoDoc doc;
    ASSERT_TRUE(doc.ReadEngineFile(Fixture(c.version)));
    EXPECT_TRUE(presenter.Shown().empty());
    EngineParameters& e = doc.Engine();

    // The sections every version has.
    EXPECT_EQ(e.shortBlockType.GetName(), "Chevy 350");
    EXPECT_FLOAT_EQ(e.stroke.GetValue(), 3.484f);
    EXPECT_EQ(e.fuelType.GetValue(), 5);
    EXPECT_EQ(e.camshaft.lowSpeedLobe.CamType().GetName(), "Stock Street/Economy");
    EXPECT_EQ(e.flow.GetPointCount(), 8);

    // Rod geometry: the file's, or as construction left it.
    EXPECT_FLOAT_EQ(ValueOf(e.rodLength), c.rod ? 6.0f : kUnassigned);
    EXPECT_FLOAT_EQ(ValueOf(e.rodRatio), c.rod ? 1.722f : 1.636f);
    EXPECT_EQ(e.rodByRatio, !c.rod);

    // 100 HP either way: written as 100, or as 4 steps of 25 HP.
    const std::string text = TempDir::ReadFile(Fixture(c.version));
    EXPECT_NE(text.find("Gas/Nitrous\n5\n1 " + FormatFixed(c.nitrousInFile, 6) + "\n"), std::string::npos);
    EXPECT_FLOAT_EQ(e.nitrousFlowRate.GetValue(), 100.0f);

    ExpectCalculator(e, c);

    if (c.notesAndCharts) {
      EXPECT_EQ(e.notes.GetText().rfind("Stock 350 ci small block", 0), 0u);
      EXPECT_EQ(doc.Chart(ChartRole::First).Y1().Item(), 4);  // the file's, not the default 5
    } else {
      EXPECT_FALSE(e.notes.IsAssigned());
      EXPECT_EQ(doc.Chart(ChartRole::First), ChartState::Defaults(ChartRole::First));
      EXPECT_EQ(doc.Chart(ChartRole::Second), ChartState::Defaults(ChartRole::Second));
    }

    const ReportSpecs& report = doc.Report();
    if (c.report) {
      EXPECT_TRUE(report.specified);
      EXPECT_EQ(report.testTitle, "Dyno Day");
      EXPECT_EQ(report.company, "Brisca Test Cell");
      EXPECT_EQ(report.tester, "B. Tester");
      EXPECT_EQ(report.logoFile, "Logo.bmp");
      EXPECT_TRUE(report.miniGlossary);
    } else {
      EXPECT_NE(report.testTitle, "Dyno Day");
      EXPECT_TRUE(report.company.empty());
      EXPECT_TRUE(report.tester.empty());
    }
  }
}

// Saved again, every version becomes a 4.2 file that reads back to itself:
// nothing an older file held is lost on the way.
TEST(EngineFileVersionsTest, EachVersionSavedAgainReadsBackUnchanged) {
  for (const VersionCase& c : kCases) {
    SCOPED_TRACE(c.version);
    ScriptedPresenter presenter;
    ScopedPresenter installed(presenter);
    TempDir dir;
    CVexoDoc first;
    ASSERT_TRUE(first.ReadEngineFile(Fixture(c.version)));
    ASSERT_TRUE(first.WriteEngineFile(dir / "first.qen"));
    CVexoDoc second;
    ASSERT_TRUE(second.ReadEngineFile(dir / "first.qen"));
    ASSERT_TRUE(second.WriteEngineFile(dir / "second.qen"));
    const std::string text = TempDir::ReadFile(dir / "first.qen");
    EXPECT_EQ(text.substr(0, 4), "4.2\n");
    EXPECT_EQ(TempDir::ReadFile(dir / "second.qen"), text);
    EXPECT_FLOAT_EQ(second.Engine().nitrousFlowRate.GetValue(), 100.0f);
    EXPECT_EQ(second.Engine().crMethod, c.calculator == Calculator::Absent ? 2 : c.method);
    EXPECT_TRUE(presenter.Shown().empty());
  }
}

// The nitrous of the older versions is stored in steps of 25 HP; a step count
// whose product leaves the parameter's 0..500 HP is refused, not stored.
TEST(EngineFileVersionsTest, OldNitrousBeyondItsLimitIsRefused) {
  for (const char* version : {"4.10", "3.05"}) {
    SCOPED_TRACE(version);
    std::string text = TempDir::ReadFile(Fixture(version));
    const std::string line = "Gas/Nitrous\n5\n1 4.000000\n";
    const std::size_t at = text.find(line);
    ASSERT_NE(at, std::string::npos);
    text.replace(at, line.size(), "Gas/Nitrous\n5\n1 21.000000\n");
    TempDir dir;
    ScriptedPresenter presenter;
    ScopedPresenter installed(presenter);
    CVexoDoc doc;
    EXPECT_FALSE(doc.ReadEngineFile(dir.Write("nitrous.qen", text)));
    ASSERT_EQ(presenter.Shown().size(), 1u);
    EXPECT_EQ(presenter.Shown()[0].code, 47);
  }
}

}  // namespace
}  // namespace brisca
