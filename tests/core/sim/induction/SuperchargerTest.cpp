#include "core/sim/induction/Supercharger.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/sim/SimInputs.h"
#include "core/sim/induction/CompressorMapNames.h"
#include "tests/support/ScriptedPresenter.h"

namespace brisca {
namespace {

namespace fs = std::filesystem;

const fs::path kFixture = fs::path(BRISCA_FIXTURES_DIR) / "sim" / "three-lines.map";
const fs::path kShippedMaps =
    fs::path(BRISCA_FIXTURES_DIR) / ".." / ".." / "data" / "Manuals & Videos" / "Maps";

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
  EXPECT_TRUE(compressor.Initialise(inputs, {}));
  if (inputs.forcedInductionKind == 1 || inputs.forcedInductionKind == 2) {
    EXPECT_TRUE(compressor.map.Load(kFixture));
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

  ASSERT_TRUE(compressor.Initialise(inputs, {}));
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

TEST(SuperchargerTest, InitialiseLoadsTheNumberedMapOrReports173) {
  ScriptedPresenter presenter;
  ScopedPresenter installed(presenter);
  SimInputs inputs = BoostedInputs(1);
  CSupercharger compressor;
  for (int number = 1; number <= kCompressorMapCount; ++number) {
    inputs.compressorMap = static_cast<std::int16_t>(number);
    EXPECT_TRUE(compressor.Initialise(inputs, kShippedMaps)) << number;
  }
  EXPECT_TRUE(presenter.Shown().empty());

  inputs.compressorMap = 13;
  EXPECT_FALSE(compressor.Initialise(inputs, kShippedMaps / "nowhere"));
  inputs.compressorMap = 48;  // beyond the table
  EXPECT_FALSE(compressor.Initialise(inputs, kShippedMaps));
  ASSERT_EQ(presenter.Shown().size(), 2u);
  EXPECT_EQ(presenter.Shown()[0].code, 173);
  EXPECT_EQ(presenter.Shown()[1].code, 173);

  inputs.compressorMap = 0;
  EXPECT_TRUE(compressor.Initialise(inputs, kShippedMaps / "nowhere"));
  EXPECT_EQ(compressor.map.LinesInUse(), 0);
}

}  // namespace
}  // namespace brisca
