#include "core/document/SimInterface.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include "core/document/EngineParameters.h"
#include "core/base/FatalAssert.h"
#include "core/sim/EngVexo.h"
#include "core/sim/ResultCopy.h"

namespace brisca::SimInterface {
namespace {

constexpr int kTiming050 = 2;  //!< "Camshaft Timing Method" of 0.050-inch figures

std::int16_t Truncated(float value) { return static_cast<std::int16_t>(std::trunc(value)); }

void FillFlow(const CCylHeadFlow& flow, FlowSide side, std::array<float, SimInputs::kFlowPoints>& perValve,
              std::array<float, SimInputs::kFlowPoints>& lifts) {
  const float valvesPerPort = static_cast<float>(flow.ValvesPerPort(side).GetValue());
  for (int i = 0; i < flow.GetPointCount(); ++i) {
    perValve[i] = flow.Flow(side, i).GetValue() / valvesPerPort;
    lifts[i] = flow.Lift(side, i).GetValue();
  }
}

void FillForcedInduction(const EngineParameters& e, SimInputs& in) {
  in.forcedInductionKind = static_cast<std::int16_t>(e.forcedInductionKind);
  in.compressorMap = static_cast<std::int16_t>(e.compressorMap);
  in.turbineDiameter = e.turbineDiameter.GetValue();
  in.turbineAR = e.turbineAR.GetValue();
  in.turbos = static_cast<float>(e.turbos.GetValue());
  in.blowerEfficiency = e.blowerEfficiency;
  in.blowerMaxSpeed = e.blowerMaxSpeed;
  in.blowerDisplacement = e.blowerFlowPerRevolution.GetValue();
  in.internalGearRatio = e.internalGearRatio.GetValue();
  in.beltGearRatio = e.beltGearRatio.GetValue();
  in.boostLimit = e.boostLimit.GetValue();
  if (e.intercoolerEfficiency.IsAssigned()) {
    in.intercoolerEfficiency = e.intercoolerEfficiency.GetValue();
    in.intercoolerPressureDrop = e.intercoolerPressureDrop.GetValue();
  }
}

struct HeadFactors {
  float intake;   //!< intake valve diameter per inch of bore
  float exhaust;  //!< exhaust valve diameter per inch of bore
};

// By "Cylinder Head Type" 1..24 (25, the custom port flow, is never sized).
constexpr std::array<HeadFactors, 24> kHeadFactors{{
    {0.44f, 0.35f},  // 1
    {0.44f, 0.35f},  // 2
    {0.475f, 0.375f},  // 3
    {0.485f, 0.375f},  // 4
    {0.485f, 0.375f},  // 5
    {0.505f, 0.4f},  // 6
    {0.529f, 0.456f},  // 7
    {0.529f, 0.456f},  // 8
    {0.485f, 0.375f},  // 9
    {0.505f, 0.4f},  // 10
    {0.529f, 0.456f},  // 11
    {0.529f, 0.456f},  // 12
    {0.561f, 0.456f},  // 13
    {0.376f, 0.314f},  // 14
    {0.395f, 0.345f},  // 15
    {0.395f, 0.345f},  // 16
    {0.485f, 0.375f},  // 17
    {0.505f, 0.4f},  // 18
    {0.529f, 0.456f},  // 19
    {0.529f, 0.456f},  // 20
    {0.561f, 0.456f},  // 21
    {0.376f, 0.314f},  // 22
    {0.395f, 0.345f},  // 23
    {0.395f, 0.345f},  // 24
}};

}  // namespace

void Fill(const EngineParameters& e, bool highSpeedLobe, SimInputs& in) {
  in = SimInputs{};
  const CCamProfile& cam = highSpeedLobe ? e.camshaft.highSpeedLobe : e.camshaft.lowSpeedLobe;
  const int intakeValves = e.intakeValves.GetValue();
  const int exhaustValves = e.exhaustValves.GetValue();
  BRISCA_ASSERT(intakeValves >= 1 && intakeValves <= 3 && exhaustValves >= 1 && exhaustValves <= 3);
  BRISCA_ASSERT(e.flow.GetPointCount() >= 4 && e.flow.GetPointCount() <= SimInputs::kFlowPoints);

  in.manifoldType = static_cast<std::int16_t>(e.manifoldType.GetValue());
  in.exhaustType = static_cast<std::int16_t>(e.exhaustSystem.GetValue());
  in.timing050 = cam.Method(TimingSet::Primary).GetValue() == kTiming050 ? 1 : 0;
  in.lifterRampRate = cam.RampRate().GetValue();
  in.bore = e.bore.GetValue();
  in.stroke = e.stroke.GetValue();
  in.cylinders = static_cast<std::int16_t>(e.cylinders.GetValue());
  in.rodRatio = e.rodRatio.GetValue();
  in.intakeValveDiameter = e.intakeValveDiameter.GetValue();
  in.exhaustValveDiameter = e.exhaustValveDiameter.GetValue();
  in.compressionRatio = e.compressionRatio.GetValue();
  in.inductionFlow = Truncated(e.inductionFlow.GetValue());
  in.inductionRating = e.pressureDrop.GetValue() >= 3.0f ? 2 : 4;
  in.nominalEvo = cam.Event(TimingSet::Primary, kEVO).GetValue();
  in.nominalEvc = cam.Event(TimingSet::Primary, kEVC).GetValue();
  in.nominalIvo = cam.Event(TimingSet::Primary, kIVO).GetValue();
  in.nominalIvc = cam.Event(TimingSet::Primary, kIVC).GetValue();
  in.intakeValveLift = cam.IntakeLift().GetValue();
  in.exhaustValveLift = cam.ExhaustLift().GetValue();
  in.intakeAdvance = Truncated(cam.IntakeAdvance().GetValue());
  in.exhaustAdvance = Truncated(cam.ExhaustAdvance().GetValue());
  in.fuelType = static_cast<std::int16_t>(e.fuelType.GetValue());
  in.nitrous = e.nitrousFlowRate.GetValue();
  in.intakeValves = static_cast<std::int16_t>(intakeValves);
  in.exhaustValves = static_cast<std::int16_t>(exhaustValves);
  in.intakeTestDiameter = e.flow.TestDiameter(FlowSide::Intake).GetValue();
  in.intakeTestPressureDrop = e.flow.PressureDrop(FlowSide::Intake).GetValue();
  in.exhaustTestDiameter = e.flow.TestDiameter(FlowSide::Exhaust).GetValue();
  in.exhaustTestPressureDrop = e.flow.PressureDrop(FlowSide::Exhaust).GetValue();
  FillFlow(e.flow, FlowSide::Intake, in.intakeFlowPerValve, in.intakeTestLift);
  FillFlow(e.flow, FlowSide::Exhaust, in.exhaustFlowPerValve, in.exhaustTestLift);
  if (e.forcedInductionKind != kNoForcedInduction) FillForcedInduction(e, in);
}

PassResult RunPass(const EngineParameters& engine, bool highSpeedLobe,
                   const CompressorMapSupply& maps, SimResults& results) {
  const EngineParameters* const one = &engine;
  PassResult pass;
  RunPasses({&one, 1}, highSpeedLobe, maps, {&results, 1}, {&pass, 1});
  return pass;
}

void RunPasses(std::span<const EngineParameters* const> engines, bool highSpeedLobe,
               const CompressorMapSupply& maps, std::span<SimResults> results,
               std::span<PassResult> passes) {
  constexpr std::size_t kMax = EngVexo::kMaxTogether;
  const std::size_t n = engines.size();
  BRISCA_ASSERT(n <= kMax && results.size() == n && passes.size() == n);
  std::array<SimInputs, kMax> in;
  std::array<std::optional<EngVexo>, kMax> models;
  std::array<EngVexo*, kMax> running{};
  for (std::size_t j = 0; j < n; ++j) {
    Fill(*engines[j], highSpeedLobe, in[j]);
    results[j] = SimResults{};
    running[j] = &models[j].emplace(in[j], results[j], maps);
  }
  std::array<int, kMax> status{};
  EngVexo::RunTogether({running.data(), n}, {status.data(), n});
  for (std::size_t j = 0; j < n; ++j) {
    passes[j].ok = status[j] == 1;
    passes[j].mapFailures = models[j]->MapFailures();
  }
}

void MergeLobes(ResultSet& displayed, const ResultSet& high, float activationRpm) {
  const int activation = static_cast<int>(activationRpm);
  BRISCA_ASSERT(displayed.count == high.count);
  for (int i = 0; i < displayed.count; ++i) {
    const int speed = static_cast<int>(displayed.rpm[i]);
    BRISCA_ASSERT(speed == static_cast<int>(high.rpm[i]));
    if (speed < activation) continue;
    for (auto member : {&ResultSet::power, &ResultSet::wheelPower, &ResultSet::torque,
                        &ResultSet::wheelTorque, &ResultSet::manifoldPressure, &ResultSet::boost,
                        &ResultSet::volumetricEfficiency, &ResultSet::indicatedPower,
                        &ResultSet::frictionPower, &ResultSet::pumpingPower,
                        &ResultSet::mechanicalEfficiency, &ResultSet::inductionAirflow,
                        &ResultSet::pistonForce, &ResultSet::pistonSpeed, &ResultSet::bmep,
                        &ResultSet::imep, &ResultSet::fmep, &ResultSet::pmep}) {
      (displayed.*member)[i] = (high.*member)[i];
    }
  }
  displayed.surge = high.surge;
  displayed.choke = high.choke;
  displayed.overspeed = high.overspeed;
}

float AutomaticActivationSpeed(const ResultSet& displayed, const ResultSet& low,
                               const ResultSet& high) {
  constexpr float kDefault = 5000.0f;
  // No lobe results: nothing ran yet, the last run failed, or it ran a
  // one-lobe cam and a two-lobe cam was chosen since.
  if (displayed.IsEmpty() || low.IsEmpty() || high.IsEmpty()) return kDefault;
  BRISCA_ASSERT(low.count == high.count);
  float speed = kDefault;
  for (int i = 0; i < high.count; ++i) {
    if (high.power[i] > low.power[i]) {
      speed = high.rpm[i];
      break;
    }
  }
  return std::clamp(speed, 2500.0f, 8000.0f);
}

ValveDiameters AutoValveSizes(int headType, float bore) {
  BRISCA_ASSERT(bore > 0.0f && headType >= 1 && headType <= 24);
  const HeadFactors& f = kHeadFactors[headType - 1];
  return {std::clamp(bore * f.intake, 0.75f, 4.0f), std::clamp(bore * f.exhaust, 0.5f, 3.25f)};
}

}  // namespace brisca::SimInterface
