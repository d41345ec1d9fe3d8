#include "core/sim/induction/CompressorMap.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/base/FileError.h"

namespace brisca {
namespace {

namespace fs = std::filesystem;

// Three lines: 40000 rpm (pr 1.6 - 0.02j, flow 10 + j), 60000 rpm (2.2 - 0.03j,
// 20 + 2j), 80000 rpm (3.0 - 0.05j, 30 + 2.5j). Grid 60 %, rows 0..9 at 40 %,
// rows 20..29 × columns 30..49 at 75 %, the far corner [99][119] at 77 %.
const fs::path kFixture = fs::path(BRISCA_FIXTURES_DIR) / "sim" / "three-lines.map";

constexpr int kGridTokens = CompressorMap::kRows * CompressorMap::kColumns;
int SpeedToken(int line) { return kGridTokens + line * (1 + 2 * CompressorMap::kPoints); }
int RatioToken(int line, int point) { return SpeedToken(line) + 1 + 2 * point; }
int FlowToken(int line, int point) { return RatioToken(line, point) + 1; }

std::string ReadText(const fs::path& path) {
  std::ifstream in(path);
  std::stringstream buffer;
  buffer << in.rdbuf();
  return buffer.str();
}

// The fixture's fields after its header line.
std::vector<std::string> FixtureTokens() {
  std::istringstream in(ReadText(kFixture));
  std::string header;
  std::getline(in, header);
  std::vector<std::string> tokens;
  for (std::string token; in >> token;) tokens.push_back(token);
  return tokens;
}

std::string Join(const std::vector<std::string>& tokens, const char* eol = "\n") {
  std::string text = std::string("TEST") + eol;
  for (const std::string& token : tokens) text += token + eol;
  return text;
}

CompressorMap FixtureMap() {
  CompressorMap map;
  map.Parse(ReadText(kFixture));
  return map;
}

struct LookupCase {
  const char* name;
  float shaftSpeed;
  float flow;
  float pressureRatio;
  int warning;
};

// Worked from the fixture's lines by hand.
const LookupCase kLookupCases[] = {
    {"between lines", 50000.0f, 31.0f, 1.6333333f, CompressorMap::kNoWarning},
    {"below first point is surge", 50000.0f, 10.0f, 1.9f, CompressorMap::kSurge},
    {"beyond last point is choke", 50000.0f, 50.0f, 1.2138342f, CompressorMap::kChoke},
    {"deep choke holds ratio 1", 50000.0f, 120.0f, 1.0f, CompressorMap::kChoke},
    {"above highest line is overspeed", 90000.0f, 40.0f, 3.0f, CompressorMap::kOverspeed},
    {"below lowest line scales it", 20000.0f, 8.0f, 1.24f, CompressorMap::kNoWarning},
    {"on the lowest line", 40000.0f, 25.0f, 1.3f, CompressorMap::kNoWarning},
    {"on a middle line", 60000.0f, 30.0f, 2.05f, CompressorMap::kNoWarning},
    {"on the highest line", 80000.0f, 40.0f, 2.8f, CompressorMap::kNoWarning},
    {"at the last point's flow", 60000.0f, 58.0f, 1.63f, CompressorMap::kNoWarning},
};

TEST(CompressorMapTest, LookupReadsTheSpeedLineBuiltForTheShaftSpeed) {
  const CompressorMap map = FixtureMap();
  for (const LookupCase& c : kLookupCases) {
    SCOPED_TRACE(c.name);
    const CompressorMap::Reading reading = map.Lookup(c.shaftSpeed, c.flow);
    EXPECT_NEAR(reading.pressureRatio, c.pressureRatio, 2e-5f);
    EXPECT_EQ(reading.warning, c.warning);
  }
}

TEST(CompressorMapTest, FullMapAboveItsHighestLineIsOverspeed) {
  // All 20 lines in use: no unused line ends the search.
  std::vector<std::string> tokens = FixtureTokens();
  for (int line = 0; line < CompressorMap::kLines; ++line) {
    tokens[SpeedToken(line)] = std::to_string(10000 * (line + 1));
    for (int j = 0; j < CompressorMap::kPoints; ++j) {
      tokens[RatioToken(line, j)] = std::to_string(1.5 + 0.1 * line);
      tokens[FlowToken(line, j)] = std::to_string(10 + j);
    }
  }
  CompressorMap map;
  map.Parse(Join(tokens));
  ASSERT_EQ(map.LinesInUse(), 20);

  EXPECT_NEAR(map.Lookup(195000.0f, 15.0f).pressureRatio, 3.35f, 1e-5f);
  const CompressorMap::Reading over = map.Lookup(250000.0f, 15.0f);
  EXPECT_EQ(over.warning, CompressorMap::kOverspeed);
  EXPECT_NEAR(over.pressureRatio, 3.4f, 1e-5f);
}

TEST(CompressorMapTest, GridLookupTruncatesAndHoldsToTheEdges) {
  const CompressorMap map = FixtureMap();
  EXPECT_EQ(map.GridEfficiency(2.05f, 30.0f), 75);    // row 27, column 36
  EXPECT_EQ(map.GridEfficiency(1.3f, 25.0f), 40);     // row 7
  EXPECT_EQ(map.GridEfficiency(4.79f, 99.9f), 77);    // row 99, column 119: the last cell
  EXPECT_EQ(map.GridEfficiency(6.0f, 150.0f), 77);    // beyond both far edges
  EXPECT_EQ(map.GridEfficiency(0.5f, -3.0f), 40);     // before both near edges
  EXPECT_EQ(map.GridEfficiency(NAN, NAN), 40);
}

TEST(CompressorMapTest, BestEfficiencyLineSpeedAndTurbineSize) {
  EXPECT_EQ(FixtureMap().BestEfficiencyLineSpeed(), 60000.0f);
  EXPECT_EQ(CompressorMap().BestEfficiencyLineSpeed(), 0.0f);

  struct {
    float volume, lineSpeed, diameter;
  } const cases[] = {
      {350.0f, 100000.0f, 3.0801322f},  // worked from the sizing formula
      {122.0f, 150000.0f, 1.4848057f},
      {10.0f, 1.0e6f, 1.0f},            // clamped up
      {5000.0f, 10000.0f, 10.0f},       // clamped down
      {350.0f, 0.0f, 10.0f},            // no speed: the largest
      {-5.0f, 1000.0f, 1.0f},           // nonsense gives the smallest, not NaN
  };
  for (const auto& c : cases) {
    EXPECT_NEAR(AutoTurbineDiameter(c.volume, c.lineSpeed), c.diameter, 1e-5f)
        << c.volume << " ci at " << c.lineSpeed << " rpm";
  }
}

struct DamageCase {
  const char* name;
  int token;               // field to replace, or -1
  const char* replacement;
  std::size_t keepTokens;  // truncate to this many fields (0: keep all)
};

const DamageCase kDamageCases[] = {
    {"grid cut short", -1, "", 5000},
    {"line points cut short", -1, "", std::size_t(FlowToken(1, 7))},
    {"cell not a number", 5, "7x", 0},
    {"cell a decimal", 6, "60.5", 0},
    {"cell above 100 %", 7, "250", 0},
    {"cell negative", 8, "-3", 0},
    {"speed NaN", SpeedToken(1), "nan", 0},
    {"ratio infinite", RatioToken(2, 0), "inf", 0},
    {"speeds not rising", SpeedToken(1), "30000", 0},
    {"speed zero", SpeedToken(0), "0", 0},
    {"line after an unused one", SpeedToken(4), "90000", 0},
    {"no line in use", SpeedToken(0), "-1", 0},
    {"flow negative", FlowToken(0, 0), "-1", 0},
    {"flow falling", FlowToken(0, 5), "1", 0},
    {"flow at 140 lb/min", FlowToken(2, 19), "140", 0},
    {"ratio zero", RatioToken(1, 3), "0", 0},
};

TEST(CompressorMapTest, ParseRefusesShortUnreadableAndAbsurdMaps) {
  const std::vector<std::string> good = FixtureTokens();
  const CompressorMap fixture = FixtureMap();
  for (const DamageCase& c : kDamageCases) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> tokens = good;
    if (c.token >= 0) tokens[static_cast<std::size_t>(c.token)] = c.replacement;
    if (c.keepTokens != 0) tokens.resize(c.keepTokens);
    CompressorMap map = fixture;
    try {
      map.Parse(Join(tokens));
      ADD_FAILURE() << "accepted";
    } catch (const FileError& error) {
      EXPECT_EQ(error.code(), kErrRead);
    }
    EXPECT_EQ(map.lines[0].speed, 40000.0f) << "a refused map must leave the old one";
    EXPECT_EQ(map.efficiency[0][0], 40);
  }
  CompressorMap empty;
  EXPECT_THROW(empty.Parse(""), FileError);
}

TEST(CompressorMapTest, ParseAcceptsCrLfAndSignedFields) {
  std::vector<std::string> tokens = FixtureTokens();
  tokens[0] = "+41";
  tokens[SpeedToken(0)] = "+4.0e4";
  CompressorMap map;
  map.Parse(Join(tokens, "\r\n"));
  EXPECT_EQ(map.efficiency[0][0], 41);
  EXPECT_EQ(map.lines[0].speed, 40000.0f);
  EXPECT_EQ(map.LinesInUse(), 3);
  EXPECT_EQ(map.HighestSpeed(), 80000.0f);
}

}  // namespace
}  // namespace brisca
