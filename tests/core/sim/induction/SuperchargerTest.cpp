#include "core/sim/induction/Supercharger.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "core/sim/SimInputs.h"
#include "core/document/CompressorMapFile.h"
#include "tests/support/ScriptedPresenter.h"

namespace brisca {
namespace {

namespace fs = std::filesystem;

const fs::path kFixture = fs::path(BRISCA_FIXTURES_DIR) / "sim" / "three-lines.map";
const fs::path kShippedMaps =
    fs::path(BRISCA_FIXTURES_DIR) / ".." / ".." / "data" / "Manuals & Videos" / "Maps";

// The three-line fixture map, parsed once.
const CompressorMap& FixtureMap() {
  static const CompressorMapSupply supply = LoadCompressorMap(kFixture);
  EXPECT_TRUE(supply.map);
  return *supply.map;
}

constexpr float kExhaust = 1999.67f;
constexpr float kAmbient = 539.67f;

SimInputs BoostedInputs(std::int16_t kind) {
  SimInputs inputs;
  inputs.forcedInductionKind = kind;
  inputs.stroke = 3.5f;
  inputs.turbos = 1.0f;
  inputs.turbineDiameter = 2.5f;
  inputs.turbineAR = 0.7f;
  inputs.blowerEfficiency = 70.0f;
  inputs.blowerMaxSpeed = 12000.0f;
  inputs.blowerDisplacement = 0.1f;
  inputs.internalGearRatio = 1.0f;
  inputs.beltGearRatio = 1.0f;
  inputs.boostLimit = 30.0f;
  return inputs;
}

// A compressor ready for the boosted pass: turbos and centrifugal blowers get
// the three-line fixture map, every speed the same volumetric efficiency.
CSupercharger Ready(const SimInputs& inputs, float ve = 0.9f) {
  CSupercharger compressor;
  EXPECT_TRUE(compressor.Initialise(inputs, nullptr));
  if (inputs.forcedInductionKind == 1 || inputs.forcedInductionKind == 2) {
    compressor.map = FixtureMap();
  }
  std::array<float, CSupercharger::kVeTableSize> table;
  table.fill(ve);
  compressor.SetVolumetricEfficiencies(table);
  compressor.SetInlet(kAmbient, 14.7f);
  return compressor;
}

void Step(CSupercharger& compressor, const SimInputs& inputs, float rpm, float displacement) {
  compressor.Compute(inputs, rpm, displacement, kExhaust, kAmbient, 15.0f, 12.5f);
}

TEST(SuperchargerTest, RootsVolumetricEfficiency) {
  struct {
    float belt, rpm, volumetricEfficiency;
  } const cases[] = {
      {4.0f, 5000.0f, 0.95f},        // 19960 rpm blower: above 16000 the fixed 0.95
      {2.0f, 5000.0f, 0.8306594f},   // 9980 rpm, pressure ratio 1: the polynomial
      {0.1f, 1000.0f, 0.05f},        // 100 rpm: held at the 0.05 floor
  };
  for (const auto& c : cases) {
    SimInputs inputs = BoostedInputs(3);
    inputs.beltGearRatio = c.belt;
    CSupercharger compressor = Ready(inputs);
    Step(compressor, inputs, c.rpm, 350.0f);
    EXPECT_NEAR(compressor.blowerVolumetricEfficiency, c.volumetricEfficiency, 2e-5f)
        << "belt " << c.belt << " at " << c.rpm;
    EXPECT_EQ(compressor.surge + compressor.choke + compressor.overspeed, 0);
  }
}

TEST(SuperchargerTest, ScrewDeliveringTheDemandGivesItsBuiltInCompression) {
  SimInputs inputs = BoostedInputs(4);
  inputs.beltGearRatio = 2.0f;
  const float rpm = 5000.0f;
  const float displacement = 350.0f;
  // First learn the screw's efficiencies at this speed (they do not depend on
  // its size), then size it to deliver exactly the demand at 19.11 psia.
  CSupercharger probe = Ready(inputs);
  Step(probe, inputs, rpm, displacement);
  const float demand = probe.AirDemand(rpm, displacement, 19.11f / 14.7f, probe.efficiency, kAmbient);
  inputs.blowerDisplacement =
      demand / (probe.shaftSpeed * probe.blowerVolumetricEfficiency * 0.0691f);

  CSupercharger compressor = Ready(inputs);
  Step(compressor, inputs, rpm, displacement);
  EXPECT_NEAR(compressor.blowerDelivery, compressor.airDemand, 0.01f * compressor.airDemand);
  EXPECT_NEAR(compressor.outletPressure, 19.11f, 0.05f);
}

TEST(SuperchargerTest, TurboWastegateHoldsTheLimitAndTheBoostLimitClosesIn) {
  SimInputs inputs = BoostedInputs(1);
  inputs.boostLimit = 10.0f;
  CSupercharger compressor = Ready(inputs);

  Step(compressor, inputs, 6000.0f, 350.0f);
  EXPECT_NEAR(compressor.deviceOutletPressure, 25.7f, 0.1f);
  // Above 24.7 psia the first point moves 65 % of the way up from nothing.
  EXPECT_NEAR(compressor.outletPressure, 24.7f * 0.65f, 1e-4f);
  EXPECT_GT(compressor.backPressureAddition, 0.0f);
  EXPECT_EQ(compressor.driveLossMep, 0.0f);

  const float previous = compressor.outletPressure;
  Step(compressor, inputs, 6500.0f, 350.0f);
  EXPECT_NEAR(compressor.deviceOutletPressure, 25.7f, 0.1f);
  EXPECT_NEAR(compressor.outletPressure, previous + (24.7f - previous) * 0.65f, 1e-4f);
  EXPECT_NEAR(compressor.pressureRatio, compressor.outletPressure / 14.7f, 1e-6f);
}

TEST(SuperchargerTest, TwoTurbosDoubleTheMapPressureForTheWholeDemand) {
  SimInputs inputs = BoostedInputs(1);
  inputs.turbos = 2.0f;
  inputs.boostLimit = 60.0f;  // wastegate shut
  CSupercharger compressor = Ready(inputs, 0.5f);
  Step(compressor, inputs, 3000.0f, 350.0f);

  const CompressorMap::Reading reading =
      compressor.map.Lookup(compressor.shaftSpeed, compressor.airDemand);
  EXPECT_EQ(compressor.deviceOutletPressure, 2.0f * (reading.pressureRatio * 14.7f));
  EXPECT_GT(compressor.deviceOutletPressure, 29.4f);
}

TEST(SuperchargerTest, WastegateBelowTwoTurbosIdleOutletEndsAtTheLimit) {
  // Two turbos never give less than 2 × 14.7 psia, so no shaft speed reaches a
  // 5 psi limit: the search must still end, with the shaft stopped, not reversed.
  SimInputs inputs = BoostedInputs(1);
  inputs.turbos = 2.0f;
  inputs.boostLimit = 5.0f;
  CSupercharger compressor = Ready(inputs);
  Step(compressor, inputs, 6000.0f, 350.0f);
  EXPECT_EQ(compressor.deviceOutletPressure, 20.7f);
  EXPECT_GE(compressor.shaftSpeed, 0.0f);
  Step(compressor, inputs, 6500.0f, 350.0f);
  EXPECT_GE(compressor.shaftSpeed, 0.0f);
}

// A 2.0 L four (122 ci) on one turbocharger with a 1.398 in turbine, gated at
// 8 psi, as its compressor sees a sweep: VE 85 % at every speed, the
// turbine's exhaust at 15 psia. At 11000 rpm the wastegate needs some 3900
// rounds: its excess keeps one sign while η flips between grid cells, so the
// step is not halved for a long way.
struct GatedFour {
  SimInputs inputs = BoostedInputs(1);
  CSupercharger compressor;
  CompressorMapSupply map;

  explicit GatedFour(int mapNumber) {
    inputs.compressorMap = static_cast<std::int16_t>(mapNumber);
    inputs.turbineDiameter = 1.398f;
    inputs.turbineAR = 0.63f;
    inputs.boostLimit = 8.0f;
    map = LoadCompressorMap(CompressorMapPath(kShippedMaps, mapNumber));
    EXPECT_TRUE(compressor.Initialise(inputs, map.map.get()));
    std::array<float, CSupercharger::kVeTableSize> table;
    table.fill(0.85f);
    compressor.SetVolumetricEfficiencies(table);
  }
  void Step(float rpm) {
    compressor.SetInlet(kAmbient, 14.7f);
    compressor.Compute(inputs, rpm, 122.0f, kExhaust, kAmbient, 15.0f, 12.5f);
  }
  //! The map's own outlet at the shaft speed and demand the search ended on.
  CompressorMap::Reading Reading() const {
    return compressor.map.Lookup(compressor.shaftSpeed, compressor.airDemand);
  }
};

TEST(SuperchargerTest, WastegateSearchRunsUntilItFindsTheLimit) {
  GatedFour four(1);  // Garrett-T-58.map
  const float gate = 8.0f + 15.7f;
  int longest = 0;
  for (float rpm = 500.0f; rpm <= 11500.0f; rpm += 500.0f) {
    SCOPED_TRACE(rpm);
    four.Step(rpm);
    if (four.compressor.wastegateRounds == 0) continue;
    longest = std::max(longest, four.compressor.wastegateRounds);
    // Found on the map, not forced onto the limit afterwards.
    const CompressorMap::Reading reading = four.Reading();
    EXPECT_NE(reading.warning, CompressorMap::kOverspeed);
    EXPECT_NEAR(reading.pressureRatio * 14.7f, gate, 0.1f);
    EXPECT_EQ(four.compressor.deviceOutletPressure, reading.pressureRatio * 14.7f);
  }
  EXPECT_GT(longest, 1000);
}

TEST(SuperchargerTest, WastegateClimbingAboveTheMapStopsAtOnce) {
  // A map whose lines all give 1.3 (19.1 psia), so below a 10 psi gate at
  // every speed, and an outlet that a balance left above it: the search
  // overshoots below the limit, climbs back and passes the highest line, where
  // the map reads the same ratio at every speed. Further rounds would only
  // raise the shaft speed (some 24 million of them, until a step no longer
  // moves it); the search stops there and sets the outlet to the limit.
  SimInputs inputs = BoostedInputs(1);
  inputs.boostLimit = 10.0f;
  CSupercharger compressor = Ready(inputs, 0.85f);
  compressor.map = CompressorMap{};
  for (int i = 0; i < 4; ++i) {
    CompressorMap::SpeedLine& line = compressor.map.lines[i];
    line.speed = 50000.0f + 10000.0f * static_cast<float>(i);
    for (int j = 0; j < CompressorMap::kPoints; ++j) {
      line.pressureRatio[j] = 1.3f;
      line.flow[j] = 10.0f + 2.0f * static_cast<float>(j);
    }
  }
  compressor.shaftSpeed = 75000.0f;
  compressor.outletPressure = 40.0f;
  compressor.pressureRatio = 40.0f / 14.7f;

  EXPECT_EQ(compressor.Wastegate(inputs, 6000.0f, 122.0f, CompressorMap::kNoWarning),
            CompressorMap::kOverspeed);
  EXPECT_GT(compressor.shaftSpeed, 80000.0f);
  EXPECT_LT(compressor.wastegateRounds, 10);
  EXPECT_EQ(compressor.outletPressure, 25.7f);
}

TEST(SuperchargerTest, WarningStates) {
  SimInputs inputs = BoostedInputs(2);
  CSupercharger compressor = Ready(inputs);  // lines 40000..80000 rpm

  struct {
    const char* name;
    float shaftSpeed;
    int warning;
    float pistonSpeed;
    int surge, choke, overspeed, surgeCounter;
  } const steps[] = {
      {"surge at the lowest line is ignored", 40000.0f, 1, 2000.0f, 0, 0, 0, 0},
      {"surge at low piston speed is ignored", 50000.0f, 1, 999.0f, 0, 0, 0, 0},
      {"first surge only counts", 50000.0f, 1, 1000.0f, 0, 0, 0, 1},
      {"second surge", 50000.0f, 1, 5000.0f, 1, 0, 0, 2},
      {"no warning keeps states", 50000.0f, 0, 3000.0f, 1, 0, 0, 2},
      {"third surge", 60000.0f, 1, 3000.0f, 2, 0, 0, 3},
      {"fourth surge", 60000.0f, 1, 3000.0f, 2, 0, 0, 4},
      {"choke above 4500 ft/min ignored", 60000.0f, 2, 4600.0f, 2, 0, 0, 4},
      {"choke", 60000.0f, 2, 4500.0f, 2, 1, 0, 4},
      {"overspeed within 25 %", 100000.0f, 3, 2000.0f, 2, 1, 1, 4},
      {"overspeed beyond 25 %", 100010.0f, 3, 2000.0f, 2, 1, 2, 4},
      {"overspeed above 5000 ft/min ignored", 90000.0f, 3, 5001.0f, 2, 1, 2, 4},
      {"overspeed drops back", 90000.0f, 3, 5000.0f, 2, 1, 1, 4},
  };
  float rpm = 1000.0f;
  for (const auto& s : steps) {
    SCOPED_TRACE(s.name);
    rpm += 500.0f;
    compressor.shaftSpeed = s.shaftSpeed;
    compressor.UpdateWarnings(s.warning, rpm, s.pistonSpeed);
    EXPECT_EQ(compressor.surge, s.surge);
    EXPECT_EQ(compressor.choke, s.choke);
    EXPECT_EQ(compressor.overspeed, s.overspeed);
    EXPECT_EQ(compressor.surgeCounter, s.surgeCounter);
  }
  EXPECT_EQ(compressor.surgeRpm, 4500.0f);
  EXPECT_EQ(compressor.surgeShaftSpeed, 60000.0f);
  EXPECT_EQ(compressor.chokeRpm, 5500.0f);
  EXPECT_EQ(compressor.overspeedRpm, 7500.0f);
  EXPECT_EQ(compressor.overspeedShaftSpeed, 90000.0f);

  ASSERT_TRUE(compressor.Initialise(inputs, nullptr));
  EXPECT_EQ(compressor.surge + compressor.choke + compressor.overspeed + compressor.surgeCounter, 0);
}

TEST(SuperchargerTest, CentrifugalBelowTheSurgeLineCountsFromTheSecondPoint) {
  SimInputs inputs = BoostedInputs(2);
  inputs.beltGearRatio = 3.0f;
  inputs.internalGearRatio = 5.0f;  // 45000 rpm impeller at 3000 rpm
  CSupercharger compressor = Ready(inputs, 0.5f);
  const int expected[] = {0, 1, 2};
  for (int surge : expected) {
    Step(compressor, inputs, 3000.0f, 50.0f);  // a small engine: 1.5 lb/min
    EXPECT_EQ(compressor.surge, surge);
    // Surging on the line between 40000 and 60000 rpm: its first pressure ratio.
    EXPECT_NEAR(compressor.deviceOutletPressure, 1.7473f * 14.7f, 1e-3f);
  }
  EXPECT_GT(compressor.driveLossMep, 0.0f);
}

TEST(SuperchargerTest, InitialiseTakesTheNamedMapOrFailsSilentlyWithoutOne) {
  ScriptedPresenter presenter;
  ScopedPresenter installed(presenter);
  SimInputs inputs = BoostedInputs(1);
  CSupercharger compressor;

  inputs.compressorMap = 25;
  EXPECT_TRUE(compressor.Initialise(inputs, &FixtureMap()));
  EXPECT_EQ(compressor.map.HighestSpeed(), 80000.0f);
  // A map named but not supplied (its file could not be read): the caller
  // reports why; the compressor only refuses to start.
  EXPECT_FALSE(compressor.Initialise(inputs, nullptr));
  // No map named: none taken, none needed.
  inputs.compressorMap = 0;
  EXPECT_TRUE(compressor.Initialise(inputs, &FixtureMap()));
  EXPECT_EQ(compressor.map.LinesInUse(), 0);
  EXPECT_TRUE(presenter.Shown().empty());
}

}  // namespace
}  // namespace brisca
