#pragma once
// Filled simulation inputs of a few realistic engines, for tests and benchmarks.

#include "core/sim/SimInputs.h"

namespace brisca::samples {

//! A typical cast-iron wedge head for a small-block V8: 2.02/1.60 in valves,
//! flowed at 28 inH2O.
inline void SetWedgeHeadFlow(SimInputs& in) {
  in.intakeTestDiameter = 2.02f;
  in.intakeTestPressureDrop = 28.0f;
  in.exhaustTestDiameter = 1.60f;
  in.exhaustTestPressureDrop = 28.0f;
  const float lifts[] = {0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f};
  const float intake[] = {68.0f, 135.0f, 185.0f, 220.0f, 240.0f, 250.0f};
  const float exhaust[] = {55.0f, 105.0f, 140.0f, 160.0f, 172.0f, 178.0f};
  for (int j = 0; j < 6; ++j) {
    in.intakeTestLift[j] = in.exhaustTestLift[j] = lifts[j];
    in.intakeFlowPerValve[j] = intake[j];
    in.exhaustFlowPerValve[j] = exhaust[j];
  }
}

//! 350 ci small-block V8, wedge heads, a street cam (seat-to-seat 270°/280°),
//! 750 cfm four-barrel on a dual-plane manifold, small-tube headers with mufflers.
inline SimInputs SmallBlockV8() {
  SimInputs in;
  in.bore = 4.0f;
  in.stroke = 3.48f;
  in.cylinders = 8;
  in.rodRatio = 1.638f;
  in.compressionRatio = 9.5f;
  in.intakeValves = 1;
  in.exhaustValves = 1;
  in.intakeValveDiameter = 2.02f;
  in.exhaustValveDiameter = 1.60f;
  SetWedgeHeadFlow(in);
  in.inductionFlow = 750;
  in.inductionRating = 4;
  in.manifoldType = 2;
  in.exhaustType = 5;
  in.fuelType = 1;
  in.lifterRampRate = 3.0f;
  in.timing050 = 0;
  in.nominalIvo = 27.0f;
  in.nominalIvc = 63.0f;
  in.nominalEvo = 73.0f;
  in.nominalEvc = 27.0f;
  in.intakeValveLift = 0.470f;
  in.exhaustValveLift = 0.480f;
  return in;
}

//! A short-stroke 2.0 L four-cylinder with four valves, individual runners and a
//! high-revving cam specified at 0.050-inch lift.
inline SimInputs ShortStrokeFour() {
  SimInputs in;
  in.bore = 3.386f;
  in.stroke = 3.386f * 0.8f;
  in.cylinders = 4;
  in.rodRatio = 1.75f;
  in.compressionRatio = 11.0f;
  in.intakeValves = 2;
  in.exhaustValves = 2;
  in.intakeValveDiameter = 1.378f;
  in.exhaustValveDiameter = 1.181f;
  in.intakeTestDiameter = 1.378f;
  in.intakeTestPressureDrop = 28.0f;
  in.exhaustTestDiameter = 1.181f;
  in.exhaustTestPressureDrop = 28.0f;
  const float lifts[] = {0.05f, 0.1f, 0.15f, 0.2f, 0.25f, 0.3f, 0.35f, 0.4f};
  const float intake[] = {28.0f, 55.0f, 80.0f, 100.0f, 115.0f, 126.0f, 133.0f, 137.0f};
  const float exhaust[] = {24.0f, 46.0f, 66.0f, 80.0f, 90.0f, 97.0f, 101.0f, 103.0f};
  for (int j = 0; j < 8; ++j) {
    in.intakeTestLift[j] = in.exhaustTestLift[j] = lifts[j];
    in.intakeFlowPerValve[j] = intake[j];
    in.exhaustFlowPerValve[j] = exhaust[j];
  }
  in.inductionFlow = 900;
  in.inductionRating = 4;
  in.manifoldType = 16;
  in.exhaustType = 8;
  in.fuelType = 1;
  in.lifterRampRate = 4.0f;
  in.timing050 = 1;
  in.nominalIvo = 8.0f;
  in.nominalIvc = 40.0f;
  in.nominalEvo = 42.0f;
  in.nominalEvc = 6.0f;
  in.intakeValveLift = 0.43f;
  in.exhaustValveLift = 0.41f;
  return in;
}

//! The short-stroke four with a mid-size turbocharger (T3 frame, 60 trim) on a
//! 2.52 in, 0.63 A/R turbine, wastegated at 12 psi, and an air-to-air
//! intercooler; compression lowered to 8.5 and a milder cam for boost.
inline SimInputs TurboFour() {
  SimInputs in = ShortStrokeFour();
  in.compressionRatio = 8.5f;
  in.nominalIvo = 2.0f;
  in.nominalIvc = 34.0f;
  in.nominalEvo = 40.0f;
  in.nominalEvc = 2.0f;
  in.forcedInductionKind = 1;
  in.compressorMap = 25;  // Garrett-T3-60.map
  in.turbos = 1.0f;
  in.turbineDiameter = 2.52f;
  in.turbineAR = 0.63f;
  in.internalGearRatio = 1.0f;
  in.beltGearRatio = 1.0f;
  in.boostLimit = 12.0f;
  in.intercoolerEfficiency = 70.0f;
  in.intercoolerPressureDrop = 1.0f;
  return in;
}

//! The small-block V8 under a belt-driven Roots blower of about 5.5 L a turn
//! (0.196 ft^3), overdriven 10 %, limited to 8 psi, with an intercooler, lower
//! compression and two four-barrels.
inline SimInputs RootsSmallBlockV8() {
  SimInputs in = SmallBlockV8();
  in.compressionRatio = 8.0f;
  in.inductionFlow = 1200;
  in.forcedInductionKind = 3;
  in.blowerDisplacement = 0.196f;
  in.blowerEfficiency = 55.0f;
  in.blowerMaxSpeed = 5000.0f;
  in.internalGearRatio = 1.0f;
  in.beltGearRatio = 1.1f;
  in.boostLimit = 8.0f;
  in.turbineDiameter = 1.0f;
  in.turbineAR = 0.5f;
  in.intercoolerEfficiency = 60.0f;
  in.intercoolerPressureDrop = 0.5f;
  return in;
}

}  // namespace brisca::samples
