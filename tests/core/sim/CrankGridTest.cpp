// The crank grid of one speed point against the scalar double-precision
// kinematics, lift and areas it stands in for, and the step count the cycle
// has always had.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/sim/CrankGrid.h"
#include "core/sim/submodels/FlowCoefficients.h"
#include "core/sim/submodels/PowerMath.h"
#include "core/sim/submodels/SimConstants.h"
#include "tests/support/SampleEngines.h"

namespace brisca {
namespace {

// One engine's parts as the model sets them up for a pass.
struct Engine {
  PistonKinematics kinematics;
  ValveEvents events;
  LiftProfile intakeLift, exhaustLift;
  FlowCoefficients intakeCd, exhaustCd;
  float stroke = 0.0f;
  CrankGridEngine parts;

  explicit Engine(const SimInputs& in) : stroke(in.stroke) {
    const float rod = in.rodRatio * in.stroke;
    const float swept = in.stroke * in.bore * in.bore * 0.7853982f;
    kinematics = PistonKinematics(in.bore, in.stroke, rod, swept / (in.compressionRatio - 1.0f));
    const RampConstants ramp = RampConstants::ForRampRate(in.lifterRampRate);
    events = ValveEvents::FromInputs(in, in.timing050 ? ramp.widening : 0.0f);
    EXPECT_TRUE(intakeLift.Build(events.ivo, events.ivc, in.intakeValveLift, ramp.k));
    EXPECT_TRUE(exhaustLift.Build(events.evo, events.evc, in.exhaustValveLift, ramp.k));
    EXPECT_TRUE(intakeCd.Build(in.intakeTestDiameter, in.intakeTestPressureDrop, in.intakeTestLift,
                               in.intakeFlowPerValve));
    EXPECT_TRUE(exhaustCd.Build(in.exhaustTestDiameter, in.exhaustTestPressureDrop,
                                in.exhaustTestLift, in.exhaustFlowPerValve));
    parts = {&kinematics, &events, &intakeLift, &exhaustLift, &intakeCd, &exhaustCd,
             in.exhaustValveDiameter * in.exhaustValves, in.bore};
  }

  CrankGrid Grid(float rpm) const {
    CrankGridPoint point;
    point.step = CrankStep(stroke, rpm);
    point.ramAmplitude = 3.0f;
    point.ramFrequency = 24000.0 / rpm;
    point.pulseSize = 4.0;
    point.pulsePhaseRate = 0.9;
    point.pulseAmplitude = 0.5;
    point.exhaustBase = 26.5;
    point.wallHeatFactor = 1e-8;
    CrankGrid grid;
    grid.Build(parts, point);
    return grid;
  }
};

void ExpectRelative(double actual, double expected, double tolerance, const char* what, float theta) {
  EXPECT_NEAR(actual, expected, tolerance * std::fabs(expected) + 1e-12) << what << " at " << theta;
}

TEST(CrankGridTest, KinematicsMatchTheDoubleReference) {
  const Engine v8(samples::SmallBlockV8());
  std::vector<float> angles;
  for (float dead : {0.0f, 180.0f, 360.0f, 540.0f, 720.0f}) {  // dead centres and either side
    for (float d : {-0.3f, -1e-3f, 0.0f, 1e-3f, 0.3f}) angles.push_back(dead + d);
  }
  for (int i = 0; i < 7200; ++i) angles.push_back(100.0f + 0.1037f * static_cast<float>(i));
  std::vector<float> volume(angles.size()), rate(angles.size());
  v8.kinematics.Fill(angles.data(), static_cast<int>(angles.size()), volume.data(), rate.data());
  for (std::size_t i = 0; i < angles.size(); ++i) {
    const PistonKinematics::State ref = v8.kinematics.At(angles[i]);
    ExpectRelative(volume[i], ref.volume, 1e-6, "volume", angles[i]);
    ExpectRelative(rate[i], ref.volumeRate, 1e-6, "volume rate", angles[i]);
  }
}

TEST(CrankGridTest, LiftMatchesTheDoubleReferenceOnFlanksNoseAndSeats) {
  for (const SimInputs& in : {samples::SmallBlockV8(), samples::ShortStrokeFour()}) {
    const Engine e(in);
    for (const LiftProfile* p : {&e.intakeLift, &e.exhaustLift}) {
      std::vector<float> angles;
      const float open = p->openAngle;
      for (float cam : {p->flankEnd, p->noseEnd}) {  // the flank–nose boundaries in crank degrees
        const float at = open + 2.0f * cam;
        for (float d : {-0.01f, 0.0f, 0.01f}) angles.push_back(at + d);
        angles.push_back(std::nextafter(at, 0.0f));
        angles.push_back(std::nextafter(at, 1e4f));
      }
      for (float d : {0.01f, 0.1f, 1.0f}) {  // near both seats
        angles.push_back(open + d);
        angles.push_back(p->closeAngle - d);
      }
      for (float t = open + 0.05f; t < p->closeAngle; t += 0.173f) angles.push_back(t);
      std::vector<float> lift(angles.size());
      p->Fill(angles.data(), static_cast<int>(angles.size()), lift.data());
      for (std::size_t i = 0; i < angles.size(); ++i) {
        ExpectRelative(lift[i], p->Lift(angles[i]), 1e-6, "lift", angles[i]);
      }
    }
  }
}

TEST(CrankGridTest, AreasMatchTheScalarEffectiveAreas) {
  const SimInputs in = samples::SmallBlockV8();
  const Engine v8(in);
  const CrankGrid grid = v8.Grid(6000.0f);
  int intakeOpen = 0, exhaustOpen = 0;
  for (int k = 0; k < grid.Steps(); ++k) {
    const float t = grid.theta[k];
    if (v8.events.ivo < t && t < v8.events.ivc) {
      ++intakeOpen;
      for (float ratio : {0.6f, 1.0f, 1.5f, 2.5f}) {  // both branches of the pressure correction
        const double ref = IntakeEffectiveArea(v8.intakeCd, v8.intakeLift.Lift(t),
                                               in.intakeValveDiameter, ratio);
        const double area = grid.intakeLift[k] * IntakeCorrectedCd(grid.intakeCd[k], ratio) *
                            in.intakeValveDiameter * kPi;
        ExpectRelative(area, ref, 2e-6, "intake area", t);
      }
    } else {
      EXPECT_EQ(grid.intakeLift[k], 0.0f) << t;
    }
    if (v8.events.evo < t && t < v8.events.evc) {
      ++exhaustOpen;
      const double ref = ExhaustEffectiveArea(v8.exhaustCd, v8.exhaustLift.Lift(t), in.exhaustValveDiameter);
      ExpectRelative(grid.exhaustArea[k], ref, 2e-6, "exhaust area", t);
    } else {
      EXPECT_EQ(grid.exhaustArea[k], 0.0f) << t;
      EXPECT_FLOAT_EQ(grid.exhaustPressure[k], 26.5f) << t;  // no pulse while shut
    }
  }
  EXPECT_GT(intakeOpen, 50);
  EXPECT_GT(exhaustOpen, 50);
}

TEST(CrankGridTest, StepCountIsTheFloatAccumulationOfTheStep) {
  // θ runs from EVO in float steps while θ ≤ EVO + 720°. At these speeds the
  // accumulated rounding decides the count: exact arithmetic would give one
  // step more or fewer.
  struct Case { SimInputs (*engine)(); float rpm; int steps; };
  const Case cases[] = {
      {samples::SmallBlockV8, 1000.0f, 2401}, {samples::SmallBlockV8, 1500.0f, 1600},
      {samples::SmallBlockV8, 2000.0f, 1201}, {samples::SmallBlockV8, 3000.0f, 800},
      {samples::ShortStrokeFour, 6000.0f, 443},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.rpm);
    const Engine e(c.engine());
    const CrankGrid grid = e.Grid(c.rpm);
    EXPECT_EQ(grid.Steps(), c.steps);
    const double end = e.events.evo + 720.0;
    EXPECT_LE(grid.theta[grid.Steps() - 1], end);
    EXPECT_GT(grid.theta[grid.Steps()], end);
  }
  // A whole sweep of the small-block V8.
  const Engine v8(samples::SmallBlockV8());
  int total = 0;
  for (int i = 0; i < 29; ++i) total += v8.Grid(500.0f * static_cast<float>(i + 1)).Steps();
  EXPECT_EQ(total, 19032);
}

TEST(CrankGridTest, RamHoldsBetweenItsWindowsAndBurnStaysInItsOwn) {
  const Engine v8(samples::SmallBlockV8());
  const CrankGrid grid = v8.Grid(4000.0f);  // ram amplitude 3 psi
  float lastWave = 0.0f;
  for (int k = 0; k <= grid.Steps(); ++k) {
    const float t = grid.theta[k];
    if (t <= 510.0f) {
      EXPECT_EQ(grid.ram[k], 0.0f) << t;
    } else if (t <= 540.0f) {
      EXPECT_NEAR(grid.ram[k], (t - 510.0f) * 3.0f / 35.0f, 1e-5f) << t;
    } else if (t < 650.0f) {
      const double wave = 3.0 * std::sin((t - 540.0) * 6.0 * kDegToRad);
      EXPECT_NEAR(grid.ram[k], wave, 1e-6) << t;
      lastWave = grid.ram[k];
    } else {
      EXPECT_EQ(grid.ram[k], lastWave) << t;  // holds the wave's last value
    }
    const bool burning = t > 710.0f && t < 770.0f;
    if (burning) {
      EXPECT_NEAR(grid.burnRate[k], 0.02617994 * std::sin((t - 710.0) * 0.05235988), 1e-8) << t;
    } else {
      EXPECT_EQ(grid.burnRate[k], 0.0f) << t;
    }
  }
  EXPECT_NE(lastWave, 0.0f);
}

}  // namespace
}  // namespace brisca
