#include "core/results/MeasuredRun.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/base/FileError.h"
#include "core/base/MessagePresenter.h"
#include "core/base/TextFile.h"
#include "tests/support/ScriptedPresenter.h"
#include "tests/support/SpecialFiles.h"
#include "tests/support/TempDir.h"

namespace brisca {
namespace {

// "error N: detail" for a refused text, else the points as "rpm/torque/power" rounded.
std::string Parse(const std::string& text) {
  try {
    const MeasuredRun run = ParseMeasuredRun(text, "pull.csv");
    std::string points;
    for (const MeasuredPoint& p : run.points) {
      points += (points.empty() ? "" : " ") + std::to_string(static_cast<int>(std::lround(p.rpm))) +
                "/" + std::to_string(std::lround(p.torque * 10)) + "/" +
                std::to_string(std::lround(p.power * 10));
    }
    return points;
  } catch (const FileError& error) {
    return "error " + std::to_string(error.code()) + ": " + error.detail();
  }
}

// Exports of the same two points (3000 rpm: 350 lb-ft = 199.9 HP; 5252 rpm:
// 300 lb-ft = 300 HP) in the spellings dyno programs use, converted by hand:
// 350 lb-ft = 474.54 N·m, 199.92 HP = 149.08 kW = 202.70 PS.
TEST(MeasuredRunTest, ReadsEachSeparatorUnitAndDecimalStyle) {
  struct Case {
    const char* name;
    const char* text;
  };
  const Case cases[] = {
      {"comma, our units", "RPM,Torque (lb-ft),Power (HP)\n3000,350,199.92\n5252,300,300\n"},
      {"torque only", "Engine Speed (rpm),lb-ft\n3000,350\n5252,300\n"},
      {"power only, descending", "rpm,hp\n5252,300\n3000,199.92\n"},
      {"semicolon, decimal comma, metric",
       "# exported 2026-05-01\nDrehzahl (rpm);Torque (N\u00B7m);Power [kW]\n"
       "3000;474,54;149,08\n5252;406,75;223,71\n"},
      {"tab, PS, CR LF, quotes, other columns",
       "\xEF\xBB\xBF\"Time\"\t\"RPM\"\t\"AFR\"\t\"Torque (Nm)\"\t\"PS\"\r\n"
       "1.0\t3000\t12.5\t474.54\t202.70\r\n\r\n2.0\t5252\t12.6\t406.75\t304.16\r\n"},
      {"a run's own CSV",
       "rpm,power,wheelPower,torque,wheelTorque,manifoldPressure,boost\n"
       "3000,199.92,170,350,297.5,14.2,-0.5\n5252,300,255,300,255,14.1,-0.6\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Parse(c.text), "3000/3500/1999 5252/3000/3000");
  }
}

// Every refusal is error 370 naming the file and line; nothing of the text is kept.
TEST(MeasuredRunTest, RefusesBadTextNamingFileAndLine) {
  struct Case {
    const char* name;
    std::string text;
    const char* expected;
  };
  const Case cases[] = {
      {"empty", "", "pull.csv, line 1: no header line names the columns"},
      {"comments only", "# baro 29.5 inHg\n\n", "pull.csv, line 2: no header line names the columns"},
      {"no header", "3000,350\n", "pull.csv, line 1: the first line must name the columns, it holds numbers"},
      {"no speed", "Torque,Power\n1,2\n", "pull.csv, line 1: the header names no engine speed (rpm) column"},
      {"no torque or power", "# x\nRPM,AFR\n3000,12\n",
       "pull.csv, line 2: the header names neither a torque nor a power column"},
      {"no rows", "RPM,Torque\n# none\n", "pull.csv, line 1: no measured rows follow the header"},
      {"word in a cell", "RPM,Torque\n3000,350\n3500,n/a\n",
       "pull.csv, line 3: \"n/a\" is no number (column \"Torque\")"},
      {"trailing text", "RPM,Torque\n3000,350lb\n", "pull.csv, line 2: \"350lb\" is no number (column \"Torque\")"},
      {"decimal comma with commas", "RPM,Torque\n3000,350,5\n",
       "pull.csv, line 2: the row has 3 values, the header names 2 columns"},
      {"missing cell", "RPM;Power\n3000\n", "pull.csv, line 2: the value of \"Power\" is missing"},
      {"empty cell", "RPM,Power\n3000,\n", "pull.csv, line 2: \"\" is no number (column \"Power\")"},
      {"zero speed", "RPM,Power\n0,10\n", "pull.csv, line 2: the value 0 of \"RPM\" is outside the limits"},
      {"huge value", "RPM,Power\n3000,1e300\n",
       "pull.csv, line 2: the value 1e300 of \"Power\" is outside the limits"},
      {"torque worked out from power too large", "RPM,Power\n1,50000\n",
       "pull.csv, line 2: the power and torque at this speed are outside the limits"},
      {"not a number", "RPM,Power\n3000,nan\n", "pull.csv, line 2: \"nan\" is no number (column \"Power\")"},
      {"bad weather", "# baro 29.5 furlongs\nRPM,Power\n3000,10\n",
       "pull.csv, line 1: the baro value \"29.5 furlongs\" cannot be read"},
      {"weather twice", "# temp 75 F\n# temp 76 F\nRPM,Power\n3000,10\n",
       "pull.csv, line 2: the temp is given twice"},
      {"half a weather", "RPM,Power\n# humidity 40 %\n3000,10\n",
       "pull.csv, line 2: a weather needs both the baro and the temp line"},
      {"binary", std::string("RPM,Power\n3000,1\0\x01\n", 20),
       "pull.csv, line 2: \"1??\" is no number (column \"Power\")"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Parse(c.text), std::string("error 370: ") + c.expected);
  }
}

TEST(MeasuredRunTest, WeatherCommentsAndBoostPressure) {
  const MeasuredRun run = ParseMeasuredRun(
      "# Dyno cell 2\n# baro 29.52 inHg\n# temp 75 F\n# humidity 40 %\n"
      "RPM,Power (HP),Boost (psi)\n3000,200,5.3\n",
      "pull.csv");
  EXPECT_TRUE(run.weather.weatherGiven);
  EXPECT_EQ(run.weather.standard, CorrectionStandard::Uncorrected);
  EXPECT_DOUBLE_EQ(run.weather.barometerInHg, 29.52);
  EXPECT_DOUBLE_EQ(run.weather.temperatureF, 75.0);
  EXPECT_DOUBLE_EQ(run.weather.humidityPercent, 40.0);
  // Boost is above the barometer: 5.3 psi + 29.52 inHg (14.499 psia).
  ASSERT_TRUE(run.hasManifoldPressure);
  EXPECT_NEAR(run.points.front().manifoldPressure, 19.799, 1e-3);

  const MeasuredRun metric = ParseMeasuredRun(
      "# baro 99,5 kPa\n# temp 24 C\nRPM;Power (kW);MAP (kPa)\n3000;150;101,325\n", "pull.csv");
  EXPECT_NEAR(metric.weather.barometerInHg, 99.5 / kKPaPerInHg, 1e-9);
  EXPECT_NEAR(metric.points.front().manifoldPressure, 14.696, 1e-3);
  EXPECT_EQ(metric.weather.humidityPercent, 0.0);
}

TEST(MeasuredRunTest, FilesGoThroughTheSharedReadingPathAndFailWhole) {
  TempDir dir;
  const MeasuredRun run = ReadMeasuredRun(dir.Write("pull.csv", "RPM,Power\n3000,10\n"));
  EXPECT_EQ(run.name, "pull.csv");
  EXPECT_EQ(ParseMeasuredRun(MeasuredRunText(run), "again").points.front().power, 10.0);

  auto codeOf = [](const std::filesystem::path& path) {
    try {
      ReadMeasuredRun(path);
      return 0;
    } catch (const FileError& error) {
      return error.code();
    }
  };
  EXPECT_EQ(codeOf(dir / "missing.csv"), 43);
  EXPECT_EQ(codeOf(dir.Write("big.csv", "RPM,Power\n" + std::string(kMaxDataFileBytes, '#'))), 45);
  if (MakeFifo(dir / "fifo")) {
    EXPECT_EQ(codeOf(dir / "fifo"), 351);
  }

  // A refused file is shown once and leaves the caller's run as it was.
  ScriptedPresenter presenter;
  ScopedPresenter installed(presenter);
  MeasuredRun kept = run;
  EXPECT_FALSE(LoadMeasuredRun(dir.Write("bad.csv", "RPM,Power\n3000,10\n3500,x\n"), kept));
  EXPECT_EQ(kept.points.size(), 1u);
  ASSERT_EQ(presenter.Shown().size(), 1u);
  EXPECT_EQ(presenter.Shown().front().code, 370);
  EXPECT_NE(presenter.Shown().front().text.find("bad.csv, line 3: \"x\" is no number"), std::string::npos);
}

// The shipped examples read in both styles and state their weather.
TEST(MeasuredRunTest, SampleExportsRead) {
  const std::filesystem::path folder = std::filesystem::path(BRISCA_FIXTURES_DIR) / "../../data/Measured";
  for (const char* file : {"Stock Small-Block V8 - pull 1.csv", "Stock Small-Block V8 - pull 2 (metric).csv"}) {
    SCOPED_TRACE(file);
    const MeasuredRun run = ReadMeasuredRun(folder / file);
    EXPECT_EQ(run.points.size(), 15u);
    EXPECT_TRUE(run.weather.weatherGiven);
    EXPECT_NEAR(run.points.front().rpm, 2000.0, 1e-9);
    // 2000 rpm: about 337 lb-ft, 128 HP in both (the metric file: 458.5 N·m, 96.04 kW).
    EXPECT_NEAR(run.points.front().torque, 338.0, 1.0);
    EXPECT_NEAR(run.points.front().power, 128.5, 0.5);
  }
}

}  // namespace
}  // namespace brisca
