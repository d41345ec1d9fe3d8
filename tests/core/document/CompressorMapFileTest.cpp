// Reading compressor-map files for a run: the numbered errors come back in the
// supply, nothing is shown.
#include "core/document/CompressorMapFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "core/sim/induction/CompressorMapNames.h"
#include "tests/support/ScriptedPresenter.h"
#include "tests/support/TempDir.h"

namespace brisca {
namespace {

namespace fs = std::filesystem;

const fs::path kFixture = fs::path(BRISCA_FIXTURES_DIR) / "sim" / "three-lines.map";
const fs::path kShippedMaps =
    fs::path(BRISCA_FIXTURES_DIR) / ".." / ".." / "data" / "Manuals & Videos" / "Maps";

std::string ReadText(const fs::path& path) {
  std::ifstream in(path);
  std::stringstream buffer;
  buffer << in.rdbuf();
  return buffer.str();
}

TEST(CompressorMapFileTest, LoadHandsBackTheMapOrItsErrorCodeWithoutShowingIt) {
  ScriptedPresenter presenter;
  ScopedPresenter installed(presenter);
  const TempDir temp("brisca-compressor-map");
  // The fixture cut off in the middle of its grid.
  const std::string whole = ReadText(kFixture);
  const fs::path damaged = temp.Write("damaged.map", whole.substr(0, whole.size() / 3));

  struct {
    const char* what;
    fs::path path;
    int code;
  } const cases[] = {
      {"absent", temp / "absent.map", 173},
      {"a folder", temp.Path(), 173},
      {"no path (map number outside the table)", CompressorMapPath(kShippedMaps, 48), 173},
      {"short", damaged, 45},
      {"whole", kFixture, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const CompressorMapSupply supply = LoadCompressorMap(c.path);
    EXPECT_EQ(supply.errorCode, c.code);
    EXPECT_EQ(supply.map != nullptr, c.code == 0);
  }
  const CompressorMapSupply good = LoadCompressorMap(kFixture);
  ASSERT_TRUE(good.map);
  EXPECT_EQ(good.map->LinesInUse(), 3);
  EXPECT_TRUE(presenter.Shown().empty());
}

TEST(CompressorMapFileTest, EveryShippedMapLoadsWithRisingLines) {
  ScriptedPresenter presenter;
  ScopedPresenter installed(presenter);
  for (int number = 1; number <= kCompressorMapCount; ++number) {
    const fs::path path = CompressorMapPath(kShippedMaps, number);
    SCOPED_TRACE(path.filename().string());
    EXPECT_EQ(path.filename().string(), kCompressorMapNames[number - 1]);
    const CompressorMapSupply supply = LoadCompressorMap(path);
    ASSERT_TRUE(supply.map);
    const CompressorMap& map = *supply.map;
    const int used = map.LinesInUse();
    EXPECT_GE(used, 5);
    for (int i = 0; i < used; ++i) {
      const CompressorMap::SpeedLine& line = map.lines[i];
      if (i > 0) {
        EXPECT_GT(line.speed, map.lines[i - 1].speed);
      }
      for (int j = 0; j < CompressorMap::kPoints; ++j) {
        EXPECT_GE(line.pressureRatio[j], 1.0f);
        if (j > 0) {
          EXPECT_GT(line.flow[j], line.flow[j - 1]);
          EXPECT_LE(line.pressureRatio[j], line.pressureRatio[j - 1]);
        }
        const int cell = map.GridEfficiency(line.pressureRatio[j], line.flow[j]);
        EXPECT_GE(cell, 50);
        EXPECT_LE(cell, 78);
      }
    }
    // Pressure rises with speed along the surge line.
    EXPECT_GT(map.lines[used - 1].pressureRatio[0], map.lines[0].pressureRatio[0]);
    const float diameter = AutoTurbineDiameter(350.0f, map.BestEfficiencyLineSpeed());
    EXPECT_GT(diameter, 1.0f);
    EXPECT_LT(diameter, 10.0f);
  }
  EXPECT_TRUE(presenter.Shown().empty());
}

}  // namespace
}  // namespace brisca
