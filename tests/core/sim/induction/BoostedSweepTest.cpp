// Whole two-pass sweeps of boosted engines: every shipped compressor map on an
// engine it suits, the blowers with intercoolers, and how the passes decide.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "core/document/CompressorMapFile.h"
#include "core/sim/EngVexo.h"
#include "core/sim/induction/CompressorMapNames.h"
#include "tests/support/SampleEngines.h"
#include "tests/support/ScriptedPresenter.h"

namespace brisca {
namespace {

namespace fs = std::filesystem;

const fs::path kShippedMaps =
    fs::path(BRISCA_FIXTURES_DIR) / ".." / ".." / "data" / "Manuals & Videos" / "Maps";

constexpr int k3000 = 4;   // result index of 3000 rpm
constexpr int k5000 = 8;
constexpr int k6000 = 10;
constexpr int k7000 = 12;

struct Sweep {
  int status = -1;
  int mapFailures = 0;
  SimResults results;
};

// A run as its owner makes it: the named map read once, then both passes.
Sweep RunSweep(const SimInputs& in, const fs::path& maps = kShippedMaps) {
  Sweep sweep;
  const CompressorMapSupply supply =
      in.compressorMap == 0 ? CompressorMapSupply{}
                            : LoadCompressorMap(CompressorMapPath(maps, in.compressorMap));
  EngVexo model(in, sweep.results, supply);
  sweep.status = model.Run();
  sweep.mapFailures = model.MapFailures();
  return sweep;
}

SimInputs NaturallyAspirated(SimInputs in) {
  in.forcedInductionKind = 0;
  in.compressorMap = 0;
  return in;
}

bool AllFinite(const SimResults& r) {
  for (const ResultArray* a : {&r.HP, &r.TORQ, &r.IMPRES, &r.VEFF, &r.IMEP, &r.BMEP, &r.FMEP,
                               &r.PMEP, &r.PHP, &r.IHP, &r.FHP, &r.MEFF, &r.PFORCE, &r.INDFLOW,
                               &r.PSPEED}) {
    for (float v : *a) {
      if (!std::isfinite(v)) return false;
    }
  }
  return true;
}

// The engines the compressors are matched to: the turbo four as 1.6 L four,
// 2.4 L six and 3.2 L eight (same heads and cam), the blown small-block V8 and
// the same V8 bored and stroked to 454 ci.
enum class Engine { kFour, kSix, kEight, kSmallBlock, kBigBlock };

SimInputs Build(Engine engine) {
  SimInputs in = samples::TurboFour();
  switch (engine) {
    case Engine::kFour: break;
    case Engine::kSix: in.cylinders = 6; break;
    case Engine::kEight: in.cylinders = 8; break;
    case Engine::kSmallBlock:
    case Engine::kBigBlock: {
      // The blown V8's block, heads and twin four-barrels with the turbo's plumbing.
      const SimInputs turbo = in;
      in = samples::RootsSmallBlockV8();
      in.compressionRatio = 8.5f;
      in.turbos = turbo.turbos;
      in.turbineAR = turbo.turbineAR;
      in.intercoolerEfficiency = turbo.intercoolerEfficiency;
      in.intercoolerPressureDrop = turbo.intercoolerPressureDrop;
      if (engine == Engine::kBigBlock) {  // 454 ci
        in.bore = 4.25f;
        in.stroke = 4.0f;
      }
      break;
    }
  }
  return in;
}

struct MapCase {
  const char* map;
  Engine engine;
  float boostLimit;  // [psi]
  float turbine;     // turbos: turbine diameter [in], a catalogue size
  float belt;        // centrifugal blowers: belt ratio to the impeller's top line near 6000 rpm
};

// Each map on an engine whose full-boost airflow falls inside its speed lines:
// under 26 lb/min on the four, up to 37 on the six, up to 50 on the eight.
const MapCase kMapCases[] = {
    {"Garrett-T-58.map", Engine::kSix, 12.0f, 1.85f, 0.0f},
    {"Garrett-T-61.map", Engine::kSix, 12.0f, 1.98f, 0.0f},
    {"Garrett-T04-60-1.map", Engine::kEight, 14.0f, 2.319f, 0.0f},
    {"Garrett-T04-62-1.map", Engine::kEight, 14.0f, 2.52f, 0.0f},
    {"Garrett-T04B-40.map", Engine::kSix, 12.0f, 1.98f, 0.0f},
    {"Garrett-T04B-60-1.map", Engine::kEight, 14.0f, 2.319f, 0.0f},
    {"Garrett-T04B-62-1.map", Engine::kEight, 14.0f, 2.52f, 0.0f},
    {"Garrett-T04B-H-3.map", Engine::kEight, 12.0f, 2.319f, 0.0f},
    {"Garrett-T04B-S-3.map", Engine::kEight, 14.0f, 2.319f, 0.0f},
    {"Garrett-T04B-V1-V2.map", Engine::kEight, 15.0f, 2.52f, 0.0f},
    {"Garrett-T04E-40.map", Engine::kSix, 14.0f, 1.98f, 0.0f},
    {"Garrett-T04E-46.map", Engine::kEight, 12.0f, 2.319f, 0.0f},
    {"Garrett-T04E-50.map", Engine::kEight, 14.0f, 2.319f, 0.0f},
    {"Garrett-T04E-54.map", Engine::kEight, 15.0f, 2.52f, 0.0f},
    {"Garrett-T04E-57.map", Engine::kSmallBlock, 10.0f, 3.031f, 0.0f},
    {"Garrett-T04E-60.map", Engine::kSmallBlock, 10.0f, 3.111f, 0.0f},
    {"Garrett-Super-T04E-46.map", Engine::kEight, 16.0f, 2.52f, 0.0f},
    {"Garrett-Super-T04E-54.map", Engine::kSmallBlock, 10.0f, 3.111f, 0.0f},
    {"Garrett-Super-T04E-57.map", Engine::kSmallBlock, 12.0f, 3.111f, 0.0f},
    {"Garrett-Super-T04E-60.map", Engine::kSmallBlock, 14.0f, 3.228f, 0.0f},
    {"Garrett-T3-40.map", Engine::kFour, 10.0f, 1.622f, 0.0f},
    {"Garrett-T3-40t.map", Engine::kFour, 10.0f, 1.622f, 0.0f},
    {"Garrett-T3-45.map", Engine::kSix, 9.0f, 1.85f, 0.0f},
    {"Garrett-T3-50.map", Engine::kSix, 10.0f, 1.85f, 0.0f},
    {"Garrett-T3-60.map", Engine::kSix, 12.0f, 1.98f, 0.0f},
    {"Garrett-T3-Super-60.map", Engine::kEight, 10.0f, 2.319f, 0.0f},
    {"KKK-K03.map", Engine::kFour, 8.0f, 1.398f, 0.0f},
    {"KKK-K16.map", Engine::kFour, 12.0f, 1.622f, 0.0f},
    {"KKK-K24.map", Engine::kSix, 10.0f, 1.85f, 0.0f},
    {"KKK-K26.map", Engine::kSix, 12.0f, 1.98f, 0.0f},
    {"KKK-RS2.map", Engine::kSix, 14.0f, 1.85f, 0.0f},
    {"Mitsubishi-TD04-09B.map", Engine::kFour, 8.0f, 1.398f, 0.0f},
    {"Mitsubishi-TD04-13G.map", Engine::kFour, 10.0f, 1.398f, 0.0f},
    {"Mitsubishi-TD04-15G.map", Engine::kFour, 12.0f, 1.622f, 0.0f},
    {"Mitsubishi-TD04H-18T.map", Engine::kSix, 12.0f, 1.85f, 0.0f},
    {"Mitsubishi-TD05H-14B.map", Engine::kSix, 12.0f, 1.85f, 0.0f},
    {"Mitsubishi-TD05H-14G.map", Engine::kSix, 12.0f, 1.85f, 0.0f},
    {"Mitsubishi-TD05H-16G-LARGE.map", Engine::kEight, 10.0f, 2.319f, 0.0f},
    {"Mitsubishi-TD05H-16G-SMALL.map", Engine::kSix, 14.0f, 1.98f, 0.0f},
    {"Mitsubishi-TD06-16G.map", Engine::kEight, 10.0f, 2.319f, 0.0f},
    {"Mitsubishi-TD06-17C.map", Engine::kEight, 12.0f, 2.319f, 0.0f},
    {"Mitsubishi-TD06H-20G.map", Engine::kEight, 14.0f, 2.52f, 0.0f},
    {"Vortech-A-trim.map", Engine::kSmallBlock, 8.0f, 0.0f, 2.8f},
    {"Vortech-V1-S-trim.map", Engine::kSmallBlock, 10.0f, 0.0f, 2.4f},
    {"Vortech-V1-T-trim.map", Engine::kSmallBlock, 12.0f, 0.0f, 2.3f},
    {"Vortech-V2-S-trim.map", Engine::kSmallBlock, 10.0f, 0.0f, 2.4f},
    {"Vortech-V7-YS-trim.map", Engine::kBigBlock, 12.0f, 0.0f, 2.1f},
};

TEST(BoostedSweepTest, EveryShippedCompressorBoostsAMatchingEngine) {
  ScriptedPresenter presenter;
  ScopedPresenter installed(presenter);
  ASSERT_EQ(std::size(kMapCases), kCompressorMapNames.size());

  for (int number = 1; number <= kCompressorMapCount; ++number) {
    const MapCase& c = kMapCases[number - 1];
    SCOPED_TRACE(c.map);
    ASSERT_EQ(kCompressorMapNames[number - 1], c.map);

    SimInputs in = Build(c.engine);
    in.compressorMap = static_cast<std::int16_t>(number);
    in.boostLimit = c.boostLimit;
    if (number <= kTurboMapCount) {
      in.forcedInductionKind = 1;
      in.turbineDiameter = c.turbine;
    } else {
      in.forcedInductionKind = 2;
      in.internalGearRatio = c.map == std::string("Vortech-V2-S-trim.map") ? 3.61f : 3.45f;
      in.beltGearRatio = c.belt;
    }

    const Sweep boosted = RunSweep(in);
    ASSERT_EQ(boosted.status, 1);
    const SimResults& r = boosted.results;
    EXPECT_TRUE(AllFinite(r));
    for (int k : {k5000, k6000, k7000}) {
      EXPECT_GT(r.IMPRES[k], 14.7f) << r.RPM[k];
    }
    EXPECT_GE(r.surge, 0);
    EXPECT_LE(r.surge, 2);
    EXPECT_GE(r.choke, 0);
    EXPECT_LE(r.choke, 2);
    EXPECT_GE(r.overspeed, 0);
    EXPECT_LE(r.overspeed, 2);

    // Boost is worth having: more power at 6000 rpm than without the
    // compressor (the smallest turbos are near choke there).
    const Sweep plain = RunSweep(NaturallyAspirated(in));
    ASSERT_EQ(plain.status, 1);
    EXPECT_GT(r.HP[k6000], 1.05f * plain.results.HP[k6000]);
  }
  EXPECT_TRUE(presenter.Shown().empty());
}

TEST(BoostedSweepTest, MissingMapFailsBothPassesWithoutAMessage) {
  ScriptedPresenter presenter;
  ScopedPresenter installed(presenter);
  for (std::int16_t kind : {1, 2}) {
    SCOPED_TRACE(kind);
    SimInputs in = samples::TurboFour();
    in.forcedInductionKind = kind;
    in.compressorMap = kind == 1 ? 25 : 43;
    const Sweep sweep = RunSweep(in, kShippedMaps / "nowhere");
    EXPECT_EQ(sweep.status, 0);
    // Each pass starts the compressor and finds no map; the owner of the run
    // reports that, the model shows nothing.
    EXPECT_EQ(sweep.mapFailures, 2);
  }
  EXPECT_TRUE(presenter.Shown().empty());
}

TEST(BoostedSweepTest, OnlyTheBoostedPassDecides) {
  // A blown V8 breathing through an induction system far too small for it.
  // The manifold pressure of either pass can collapse at high speed; the run
  // reports the boosted pass whatever the unboosted one did.
  struct {
    const char* what;
    std::int16_t inductionFlow;  // [cfm]
    float belt, boostLimit;
    int naturallyAspirated, run;
  } const cases[] = {
      {"boost holds up a manifold that collapses unboosted", 100, 2.0f, 8.0f, 0, 1},
      {"boost draws more than the induction passes", 120, 1.1f, 20.0f, 1, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SimInputs in = samples::RootsSmallBlockV8();
    in.inductionFlow = c.inductionFlow;
    in.beltGearRatio = c.belt;
    in.boostLimit = c.boostLimit;
    ASSERT_EQ(RunSweep(NaturallyAspirated(in)).status, c.naturallyAspirated);
    const Sweep boosted = RunSweep(in);
    EXPECT_EQ(boosted.status, c.run);
    if (c.run == 1) {
      EXPECT_TRUE(AllFinite(boosted.results));
      for (float manifold : boosted.results.IMPRES) EXPECT_GT(manifold, 0.0f);
    }
  }
}

TEST(BoostedSweepTest, PositiveDisplacementBlowersWithIntercooler) {
  SimInputs roots = samples::RootsSmallBlockV8();
  SimInputs screw = roots;
  screw.forcedInductionKind = 4;
  screw.blowerDisplacement = 0.0833f;  // 2.36 L a turn, spun faster
  screw.blowerMaxSpeed = 10000.0f;
  screw.blowerEfficiency = 65.0f;
  screw.beltGearRatio = 2.0f;

  for (const SimInputs& in : {roots, screw}) {
    SCOPED_TRACE(in.forcedInductionKind);
    const Sweep boosted = RunSweep(in);
    ASSERT_EQ(boosted.status, 1);
    const SimResults& r = boosted.results;
    EXPECT_TRUE(AllFinite(r));
    EXPECT_EQ(r.surge + r.choke + r.overspeed, 0);  // blowers never warn

    const Sweep plain = RunSweep(NaturallyAspirated(in));
    ASSERT_EQ(plain.status, 1);
    SimInputs uncooled = in;
    uncooled.intercoolerEfficiency = 0.0f;
    uncooled.intercoolerPressureDrop = 0.0f;
    const Sweep hot = RunSweep(uncooled);
    ASSERT_EQ(hot.status, 1);

    for (int k : {k3000, k5000}) {
      SCOPED_TRACE(r.RPM[k]);
      EXPECT_GT(r.IMPRES[k], 14.7f);
      EXPECT_GT(r.HP[k], plain.results.HP[k]);
      // Driving the blower costs friction.
      EXPECT_GT(r.FMEP[k], plain.results.FMEP[k]);
      // The cooled charge is denser: more air and more power from less boost.
      EXPECT_LT(r.IMPRES[k], hot.results.IMPRES[k]);
      EXPECT_GT(r.VEFF[k], hot.results.VEFF[k]);
      EXPECT_GT(r.HP[k], hot.results.HP[k]);
    }
  }
}

}  // namespace
}  // namespace brisca
