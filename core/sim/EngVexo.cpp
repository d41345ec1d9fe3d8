#include "core/sim/EngVexo.h"

#include <array>
#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

#include "core/base/FatalAssert.h"
#include "core/sim/CycleConstants.h"
#include "core/sim/submodels/FlowFunction.h"
#include "core/sim/submodels/FuelModel.h"
#include "core/sim/submodels/GasProperties.h"
#include "core/sim/submodels/InductionRestriction.h"
#include "core/sim/submodels/PowerMath.h"
#include "core/sim/submodels/RamTables.h"
#include "core/sim/submodels/SimConstants.h"

namespace brisca {
namespace {

using namespace cycle;

bool IsFiniteResult(const SimResults& r, int k) {
  for (const ResultArray* a : {&r.HP, &r.TORQ, &r.IMPRES, &r.VEFF, &r.IMEP, &r.BMEP, &r.FMEP,
                               &r.PMEP, &r.PHP, &r.IHP, &r.FHP, &r.MEFF, &r.PFORCE, &r.INDFLOW,
                               &r.PSPEED}) {
    if (!std::isfinite((*a)[k])) return false;
  }
  return true;
}

}  // namespace

EngVexo::EngVexo(const SimInputs& inputs, SimResults& results, CompressorMapSupply maps)
    : in_(inputs), out_(results), maps_(std::move(maps)) {}

int EngVexo::Run() {
  EngVexo* const self = this;
  int result = 0;
  RunTogether({&self, 1}, {&result, 1});
  return result;
}

void EngVexo::RunTogether(std::span<EngVexo* const> models, std::span<int> results) {
  BRISCA_ASSERT(models.size() <= kMaxTogether && results.size() == models.size());
  // A boosted model runs its boosted pass on a second model of the same
  // inputs and results, which starts from the state every pass sets up anew:
  // it follows the naturally aspirated pass kBoostLag speed points behind, in
  // the same rounds, so that the two passes' crank loops overlap too.
  std::array<Lane, kMaxLanes> lanes;
  std::array<std::optional<EngVexo>, kMaxTogether> boostedModels;
  std::size_t n = 0;
  for (EngVexo* m : models) {
    m->mapFailures_ = 0;
    lanes[n++].model = m;
  }
  for (std::size_t j = 0; j < models.size(); ++j) {
    EngVexo* m = models[j];
    if (m->in_.forcedInductionKind == 0) continue;
    Lane& lane = lanes[n++];
    lane.model = &boostedModels[j].emplace(m->in_, m->out_, m->maps_);
    lane.boosted = true;
    lane.source = m;
  }
  SimulateLanes({lanes.data(), n});
  for (std::size_t j = 0; j < models.size(); ++j) {
    EngVexo* m = models[j];
    results[j] = lanes[j].result;
    const CSupercharger* last = &m->compressor_;  // of the last pass run
    if (boostedModels[j]) {
      const EngVexo& b = *boostedModels[j];
      m->mapFailures_ += b.mapFailures_;
      last = &b.compressor_;
      for (std::size_t l = models.size(); l < n; ++l) {
        if (lanes[l].source == m) results[j] = lanes[l].result;
      }
    }
    m->out_.surge = last->surge;
    m->out_.choke = last->choke;
    m->out_.overspeed = last->overspeed;
  }
}

bool EngVexo::SetUpPass() {
  ram_ = 0.0f;
  exhaust_ = ExhaustParameters{};
  camCorrection_ = CamCorrection{};
  torqueCorrection_ = TorqueCorrection{};
  carried_ = Carried{};
  pressureHistory_[0] = pressureHistory_[1] = pressureHistory_[2] = 0.0f;

  airFilter_.Reset();
  if (!compressor_.Initialise(in_, maps_.map.get())) {
    ++mapFailures_;
    return false;
  }
  intercooler_.Initialise(in_);

  bore_ = in_.bore;
  stroke_ = in_.stroke;
  const float rodLength = static_cast<float>(in_.rodRatio * static_cast<double>(stroke_));
  const float compressionRatio = in_.compressionRatio;
  sweptVolume_ = static_cast<float>(static_cast<double>(stroke_) * bore_ * bore_ * kQuarterPi);
  const float clearanceVolume = static_cast<float>(sweptVolume_ / (compressionRatio - 1.0));
  displacement_ = static_cast<float>(static_cast<double>(in_.cylinders) * stroke_ * bore_ * bore_ *
                                     kQuarterPi);
  kinematics_ = PistonKinematics(bore_, stroke_, rodLength, clearanceVolume);
  friction_ = FrictionModel(stroke_, rodLength, compressionRatio, displacement_);
  veEstimate_ = 40.0f;
  nitrous_ = in_.nitrous;

  heatingValue_ = FuelModel::HeatingValue(in_.fuelType);
  mixtureRatio_ = FuelModel::MixtureRatio(in_.lifterRampRate);

  if (!intakeCd_.Build(in_.intakeTestDiameter, in_.intakeTestPressureDrop, in_.intakeTestLift,
                       in_.intakeFlowPerValve) ||
      !exhaustCd_.Build(in_.exhaustTestDiameter, in_.exhaustTestPressureDrop, in_.exhaustTestLift,
                        in_.exhaustFlowPerValve)) {
    return false;
  }

  const RampConstants ramp = RampConstants::ForRampRate(in_.lifterRampRate);
  events_ = ValveEvents::FromInputs(in_, in_.timing050 ? ramp.widening : 0.0f);
  if (!intakeLift_.Build(events_.ivo, events_.ivc, in_.intakeValveLift, ramp.k) ||
      !exhaustLift_.Build(events_.evo, events_.evc, in_.exhaustValveLift, ramp.k)) {
    return false;
  }
  intakeDiameter_ = in_.intakeValves > 1 ? in_.intakeValveDiameter * in_.intakeValves
                                         : in_.intakeValveDiameter;
  exhaustDiameter_ = in_.exhaustValves > 1 ? in_.exhaustValveDiameter * in_.exhaustValves
                                           : in_.exhaustValveDiameter;

  inductionRestriction_ = InductionRestriction(in_.inductionFlow, in_.inductionRating, in_.manifoldType);
  return true;
}

int EngVexo::SimulatePass(bool boosted) {
  Lane lane;
  lane.model = this;
  lane.boosted = boosted;
  SimulateLanes({&lane, 1});
  return lane.result;
}

void EngVexo::SimulateLanes(std::span<Lane> lanes) {
  const std::size_t n = lanes.size();
  BRISCA_ASSERT(n <= kMaxLanes);
  for (Lane& lane : lanes) lane.result = lane.model->SetUpPass() ? 1 : 0;
  // The VE table of a boosted pass without a source is the caller's.
  auto lagOf = [](const Lane& lane) { return lane.source ? kBoostLag : 0; };
  int rounds = kSweepPoints;
  for (const Lane& lane : lanes) rounds = std::max(rounds, kSweepPoints + lagOf(lane));
  // One grid per lane and thread, reused by every model the thread runs: a
  // fresh one per model would fault its pages in anew on every run.
  static thread_local std::array<CrankGrid, kMaxLanes> grids;
  auto fraction = [](float ve) { return ve < 0.0f ? 0.0f : static_cast<float>(ve * 0.01); };
  for (int t = 0; t < rounds; ++t) {
    std::array<SpeedPoint, kMaxLanes> points;
    std::array<CycleResult, kMaxLanes> cycles;
    std::array<CycleRun, kMaxLanes> runs;
    std::array<std::size_t, kMaxLanes> running{};  // the lanes stepped in this round
    std::size_t live = 0;
    for (std::size_t j = 0; j < n; ++j) {
      Lane& lane = lanes[j];
      const int i = t - lagOf(lane);
      if (lane.result == 0 || i < 0 || i >= kSweepPoints) continue;
      EngVexo& m = *lane.model;
      if (lane.source) {
        // The compressor reads entry i at speed index i: the naturally
        // aspirated VE of the speed one point lower (of 1000 rpm at 500 and
        // 1000 rpm).
        const float ve = fraction(lane.sourceVe[static_cast<std::size_t>(std::max(i - 2, 0))]);
        m.compressor_.veTable[static_cast<std::size_t>(i)] = ve;
      }
      if (!m.PrepareSpeedPoint(i, lane.boosted, points[j])) {
        lane.result = 0;
        continue;
      }
      m.BeginCycle(points[j], m.StartPressure(i), grids[j], runs[live], cycles[j]);
      running[live++] = j;
    }
    StepCycles({runs.data(), live});
    for (std::size_t r = 0; r < live; ++r) {
      const std::size_t j = running[r];
      EngVexo& m = *lanes[j].model;
      m.EndCycle(runs[r], cycles[j]);
      if (!runs[r].ok || !m.FinishSpeedPoint(points[j], cycles[j])) lanes[j].result = 0;
    }
    // Each boosted pass takes its source's VE rows before it overwrites them:
    // by the end of round t it has written rows up to t − kBoostLag − 1.
    for (Lane& lane : lanes) {
      if (!lane.source) continue;
      for (int row = std::max(t - kBoostLag, 0); row < kResultPoints; ++row) {
        lane.sourceVe[static_cast<std::size_t>(row)] = lane.source->out_.VEFF[static_cast<std::size_t>(row)];
      }
    }
  }
}

bool EngVexo::PrepareSpeedPoint(int i, bool boosted, SpeedPoint& sp) {
  sp.index = i;
  sp.rpm = 500.0f * static_cast<float>(i + 1);
  sp.step = CrankStep(stroke_, sp.rpm);

  airFilter_.SetInlet(static_cast<float>(kAmbientTemperature), static_cast<float>(kAmbientPressure));
  airFilter_.Compute();
  if (boosted) {
    // The compressor sees the exhaust base pressure of the previous speed point:
    // this point's exhaust parameters are set further down.
    compressor_.SetInlet(airFilter_.outletTemperature, airFilter_.outletPressure);
    compressor_.Compute(in_, sp.rpm, displacement_, static_cast<float>(kExhaustTemperature),
                        static_cast<float>(kAmbientTemperature), exhaust_.basePressure,
                        mixtureRatio_);
    intercooler_.SetInlet(compressor_.outletTemperature, compressor_.outletPressure);
    intercooler_.Compute(in_);
  } else {
    intercooler_.outletTemperature = airFilter_.outletTemperature;
    intercooler_.outletPressure = airFilter_.outletPressure;
    compressor_.backPressureAddition = 0.0f;
    compressor_.driveLossMep = 0.0f;
  }

  sp.chargeTemperature =
      FuelModel::ChargeTemperature(intercooler_.outletTemperature, in_.fuelType, sp.rpm);
  ram_ = RamAmplitude(in_.manifoldType, in_.intakeValves, i);
  ApplyExhaustSystem(in_.exhaustType, sp.rpm, exhaust_, ram_);

  sp.manifoldEnthalpy = gas::U(sp.chargeTemperature) + gas::kR * sp.chargeTemperature;
  sp.exhaustEnthalpy = gas::U(kExhaustTemperature) + 137.11739;
  sp.ramFrequency = 24000.0 / sp.rpm;
  sp.pulseSize = std::pow(static_cast<double>(sp.rpm), exhaust_.pulseExponent) * 0.0013332;
  sp.pulsePhaseRate = exhaust_.pulseFrequency / sp.rpm * 270.0 / (360.0 - events_.evo);
  sp.exhaustBase = static_cast<double>(exhaust_.basePressure) + compressor_.backPressureAddition;
  sp.wallHeatFactor = 1.7e-5 / (6.0 * sp.rpm) * 17.0;

  // The induction system's pressure drop at the airflow the engine drew at the
  // previous point. It does not change within the cycle.
  sp.manifoldPressure = static_cast<float>(
      intercooler_.outletPressure -
      ManifoldPressureDrop(displacement_, sp.rpm, veEstimate_, inductionRestriction_));
  // At or below zero the manifold has collapsed (an induction system far too
  // small for the engine): port pressure and flows lose their meaning.
  return sp.manifoldPressure > 0.0f;
}

float EngVexo::StartPressure(int index) const {
  return index == 0 ? kFirstStartPressure : nextStartPressure_;
}

EngVexo::StepConstants EngVexo::StepConstantsOf(const SpeedPoint& sp) const {
  const double portArea = kQuarterPi * (kPortDiameterFraction * intakeDiameter_) *
                          (kPortDiameterFraction * intakeDiameter_);
  // Orifice mass flow per degree is √Ψ·P_up·A·K·a/T_up with a = √(γRg·T_up), so
  // per unit √Ψ·P_up·A it is K·√(γRg)/√T_up per second, (1/6)/rpm of that per degree.
  const double flowPerDegree = kMassFlowFactor * std::sqrt(kSoundSpeedSquaredPerRankine) *
                               kSecondsPerDegreeAtOneRpm / sp.rpm;
  StepConstants c;
  c.step = sp.step;
  c.chargeTemperature = sp.chargeTemperature;
  c.manifoldPressure = sp.manifoldPressure;
  c.manifoldEnthalpy = static_cast<float>(sp.manifoldEnthalpy);
  c.exhaustEnthalpy = static_cast<float>(sp.exhaustEnthalpy);
  c.flowPerDegree = static_cast<float>(flowPerDegree);
  c.chargeFlow = static_cast<float>(flowPerDegree / std::sqrt(static_cast<double>(sp.chargeTemperature)));
  c.exhaustFlow = static_cast<float>(flowPerDegree / std::sqrt(kExhaustTemperature));
  // Dynamic head ½ρv² [psi] with ρ = 144·P_port/(R·T_up), v = √Ψ·a·A/A_port:
  // T_up cancels, leaving Ψ·P_port·(A/A_port)²·½γRg/R_slug.
  c.dynamicHead = static_cast<float>(0.5 * kSoundSpeedSquaredPerRankine / kGasConstantSlug /
                                     (portArea * portArea));
  c.intakeDiameterPi = static_cast<float>(intakeDiameter_ * kPi);
  c.burnEnergy = static_cast<float>(heatingValue_ / (mixtureRatio_ + 1.0));
  return c;
}

// The parts of one crank-angle step, in single precision; what depends on
// crank angle alone comes from the speed point's grid, and what depends only
// on T, m or the previous step is formed beside the chain that leads from one
// step's pressure to the next. They are inline so that the loop keeps its
// state in registers.

inline bool EngVexo::IntakeStep(const StepConstants& c, const GridView& g, float intakeArea,
                                Carried& f, CycleState& s, StepFlows& flows) {
  const float p = s.pressure;

  // Port pressure: manifold pressure less the dynamic head of the last intake
  // flow, plus the ram term.
  if (f.psiIn < 0.0f) return false;
  f.portPressure = c.manifoldPressure - f.head * (intakeArea * intakeArea) + g.ram[s.k];
  if (intakeArea > 0.0f && f.portPressure < 0.0f) f.portPressure = 0.0f;

  // Intake flow [lbm/deg], positive into the cylinder.
  if (!(intakeArea > 0.0f)) return true;
  const bool fromPort = f.portPressure > p;
  const float up = fromPort ? f.portPressure : p;
  const float upT = fromPort ? c.chargeTemperature : s.temperature;
  const float down = fromPort ? p : f.portPressure;
  const float r = down / up;
  if (r < 0.0f || std::isnan(r)) return false;
  f.psiIn = FlowFunction(r);
  f.lastPsi = f.psiIn;
  if (upT < 0.0f || f.psiIn < 0.0f) return false;
  flows.intake = std::sqrt(f.psiIn) * up * intakeArea * (fromPort ? c.chargeFlow : s.cylinderFlow);
  if (f.portPressure < p) flows.intake = -flows.intake;
  f.head = f.psiIn * f.portPressure * c.dynamicHead;
  s.inducted += flows.intake * c.step;
  return true;
}

inline bool EngVexo::ExhaustStep(const StepConstants& c, const GridView& g, float exhaustArea,
                                 const CycleState& s, Carried& f, StepFlows& flows) {
  // Exhaust back pressure: a decaying pulse train after the exhaust opens.
  // With the valve shut nothing flows, and nothing else reads it.
  flows.exhaustPressure = g.exhaustPressure[s.k];
  if (!(exhaustArea > 0.0f)) return true;
  const float p = s.pressure;

  // Exhaust flow [lbm/deg], positive out of the cylinder.
  const bool fromCylinder = p >= flows.exhaustPressure;
  const float up = fromCylinder ? p : flows.exhaustPressure;
  const float upT = fromCylinder ? s.temperature : static_cast<float>(kExhaustTemperature);
  const float down = fromCylinder ? flows.exhaustPressure : p;
  const float r = down / up;
  if (r < 0.0f || std::isnan(r) || upT < 0.0f || f.lastPsi < 0.0f) return false;
  const float psiEx = FlowFunction(r);
  f.lastPsi = psiEx;
  flows.exhaust = std::sqrt(psiEx) * up * exhaustArea * (fromCylinder ? s.cylinderFlow : c.exhaustFlow);
  if (p < flows.exhaustPressure) flows.exhaust = -flows.exhaust;
  return true;
}

inline EngVexo::Rates EngVexo::EnergyBalance(const StepConstants& c, const GridView& g,
                                             const Carried& f, const CycleState& s,
                                             const StepFlows& flows) {
  const int k = s.k;
  const float p = s.pressure;
  const float temp = s.temperature;
  const float cv = gas::CvSingle(temp);
  const float u = gas::USingle(temp);
  const float r = static_cast<float>(gas::kR);
  const float c1 = static_cast<float>(kPsiCubicInchToBtu);
  const float hCyl = u + r * temp;
  const float hIn = p > f.portPressure ? hCyl : c.manifoldEnthalpy;
  const float hEx = flows.exhaustPressure > p ? c.exhaustEnthalpy : hCyl;
  const float v = g.volume[k];
  const float dv = g.volumeRate[k];
  const float kappa = cv * static_cast<float>(kCvOverR);
  // Beside the chain: what T, m, the charge and the grid give.
  const float heatAndBurn = g.wallHeat[k] * (static_cast<float>(kWallTemperature) - temp) +
                            g.burnRate[k] * c.burnEnergy * s.inducted;
  const float workFactor = dv * c1 * (1.0f + kappa);  // boundary work and its share of c_v·T
  const float pressureRate = static_cast<float>(kBtuToPsiCubicInch) / (kappa * v);
  const float temperatureRate = 1.0f / (r * s.mass);
  // On it.
  const float dm = flows.intake - flows.exhaust;
  const float y = heatAndBurn - p * workFactor + flows.intake * hIn - flows.exhaust * hEx +
                  (temp * cv - u) * dm;
  Rates rates;
  rates.dP = y * pressureRate;
  rates.dT = ((v * rates.dP + p * dv) * c1 - r * temp * dm) * temperatureRate;
  rates.dM = dm;
  return rates;
}

inline void EngVexo::Integrate(const StepConstants& c, const GridView& g, const Rates& rates,
                               CycleState& s) {
  // Second-order Adams–Bashforth step.
  const float dTheta = c.step;
  const float pOld = s.pressure;
  const float newWeight = 1.5f * dTheta;
  const float oldWeight = -0.5f * dTheta;
  s.pressure = (s.pressure + oldWeight * s.previous.dP) + newWeight * rates.dP;
  if (s.pressure < 0.0f) s.pressure = 0.0f;
  s.temperature = (s.temperature + oldWeight * s.previous.dT) + newWeight * rates.dT;
  s.mass = (s.mass + oldWeight * s.previous.dM) + newWeight * rates.dM;
  s.previous = rates;

  // Advance and integrate the indicated work.
  const int k = s.k++;
  s.work += (g.volume[k + 1] - g.volume[k]) * (s.pressure + pOld) * 0.5f;
}

void EngVexo::BeginCycle(const SpeedPoint& sp, float startPressure, CrankGrid& grid, CycleRun& run,
                         CycleResult& cycle) const {
  CrankGridEngine engine;
  engine.kinematics = &kinematics_;
  engine.events = &events_;
  engine.intakeLift = &intakeLift_;
  engine.exhaustLift = &exhaustLift_;
  engine.intakeCd = &intakeCd_;
  engine.exhaustCd = &exhaustCd_;
  engine.exhaustDiameter = exhaustDiameter_;
  engine.bore = bore_;
  CrankGridPoint point;
  point.step = sp.step;
  point.ramAmplitude = ram_;
  point.ramFrequency = sp.ramFrequency;
  point.pulseSize = sp.pulseSize;
  point.pulsePhaseRate = sp.pulsePhaseRate;
  point.pulseAmplitude = exhaust_.pulseAmplitude;
  point.exhaustBase = sp.exhaustBase;
  point.wallHeatFactor = sp.wallHeatFactor;
  grid.Build(engine, point);
  run.g = GridView{grid.volume.data(),      grid.volumeRate.data(),      grid.intakeLift.data(),
                   grid.intakeCd.data(),    grid.exhaustArea.data(),     grid.exhaustPressure.data(),
                   grid.ram.data(),         grid.burnRate.data(),        grid.wallHeat.data()};
  run.steps = grid.Steps();
  run.ok = true;
  run.c = StepConstantsOf(sp);
  run.f = carried_;
  run.s = CycleState{};
  run.s.pressure = startPressure;
  run.s.temperature = kStartTemperature;
  run.s.mass = static_cast<float>(run.g.volume[0] * static_cast<double>(run.s.pressure) * kMassAt2000R);
  cycle.referenceMass = static_cast<float>(run.g.volume[0] * kAirDensity);
}

void EngVexo::EndCycle(const CycleRun& run, CycleResult& cycle) {
  carried_ = run.f;
  cycle.work = run.s.work;
  cycle.inductedMass = run.s.inducted;
  cycle.endPressure = run.s.pressure;
}

inline bool EngVexo::Step(const StepConstants& c, const GridView& g, Carried& f, CycleState& s) {
  s.cylinderFlow = c.flowPerDegree / std::sqrt(s.temperature);
  // Effective intake area: its Cd depends on the last port pressure.
  float intakeArea = 0.0f;
  const float lift = g.intakeLift[s.k];
  if (lift > 0.0f) {
    intakeArea = lift * IntakeCorrectedCd(g.intakeCd[s.k], f.portPressure / s.pressure) *
                 c.intakeDiameterPi;
  }
  StepFlows flows;
  if (!IntakeStep(c, g, intakeArea, f, s, flows) ||
      !ExhaustStep(c, g, g.exhaustArea[s.k], s, f, flows)) {
    return false;
  }
  Integrate(c, g, EnergyBalance(c, g, f, s, flows), s);
  return true;
}

void EngVexo::StepCycles(std::span<CycleRun> runs) {
  for (std::size_t r = 0; r + 1 < runs.size(); r += 2) StepTwo(runs[r], runs[r + 1]);
  if (runs.size() % 2 == 1) StepOne(runs.back());
}

void EngVexo::StepTwo(CycleRun& a, CycleRun& b) {
  // Two cycles side by side: each step of one is independent of the other's,
  // so the processor overlaps their chains. Once either ends (or fails) the
  // other goes on alone. The loops work on local copies of what they carry
  // between steps, which the compiler can keep in registers.
  const StepConstants ca = a.c;
  const StepConstants cb = b.c;
  const GridView ga = a.g;
  const GridView gb = b.g;
  Carried fa = a.f;
  Carried fb = b.f;
  CycleState sa = a.s;
  CycleState sb = b.s;
  const int na = a.steps;
  const int nb = b.steps;
  while (sa.k < na && sb.k < nb) {
    const bool okA = Step(ca, ga, fa, sa);
    const bool okB = Step(cb, gb, fb, sb);
    if (!okA || !okB) {
      a.ok = okA;
      b.ok = okB;
      break;
    }
  }
  a.f = fa;
  a.s = sa;
  b.f = fb;
  b.s = sb;
  StepOne(a);
  StepOne(b);
}

void EngVexo::StepOne(CycleRun& run) {
  if (!run.ok) return;
  const StepConstants c = run.c;
  const GridView g = run.g;
  Carried f = run.f;
  CycleState s = run.s;
  const int steps = run.steps;
  while (s.k < steps) {
    if (!Step(c, g, f, s)) {
      run.ok = false;
      break;
    }
  }
  run.f = f;
  run.s = s;
}

void EngVexo::RememberEndPressure(int i, float endPressure) {
  const double d = i <= 4 ? i + 2.0 : 6.0;
  nextStartPressure_ = static_cast<float>(
      (3.0 * endPressure + pressureHistory_[0] + pressureHistory_[1] + pressureHistory_[2]) / d);
  pressureHistory_[2] = pressureHistory_[1];
  pressureHistory_[1] = pressureHistory_[0];
  pressureHistory_[0] = endPressure;
}

bool EngVexo::FinishSpeedPoint(const SpeedPoint& sp, const CycleResult& cycle) {
  const int i = sp.index;
  const double rpm = sp.rpm;
  const double d = displacement_;

  const float work = cycle.work > 0.0f ? cycle.work : 0.0f;
  float imep = static_cast<float>(work / static_cast<double>(sweptVolume_));
  const float ve = static_cast<float>(100.0 * cycle.inductedMass / cycle.referenceMass);

  // Nitrous horsepower joins as indicated mean pressure.
  if (nitrous_ != 0.0f && HorsepowerFromMep(imep, d, rpm) != 0.0) {
    imep = static_cast<float>(imep + MepFromHorsepower(nitrous_, d, rpm));
  }
  float fmep = friction_.Fmep(imep, sp.rpm, compressor_.driveLossMep);
  float h = static_cast<float>(HorsepowerFromMep(imep - static_cast<double>(fmep), d, rpm));

  // The cam corrections would also restate IMEP from the corrected power; the
  // corrected IMEP below replaces it before anything reads it.
  h = camCorrection_.Apply(in_, i, h);
  const float hp0 = torqueCorrection_.Apply(h, sp.rpm, ve, in_.manifoldType, in_.intakeValves);

  float hp = hp0;
  float torque = static_cast<float>(hp * 5252.0 / rpm);
  float bmep = static_cast<float>(MepFromHorsepower(hp, d, rpm));
  imep = bmep + fmep;

  float pmep = static_cast<float>(imep * rpm * 4e-6);
  if (pmep < 0.0f || fmep == 0.0f) pmep = 0.0f;
  fmep -= pmep;
  const float php = static_cast<float>(HorsepowerFromMep(pmep, d, rpm));

  if (hp < 0.0f) hp = torque = bmep = 0.0f;
  if (imep < 0.0f) imep = 0.0f;

  veEstimate_ = ve;
  RememberEndPressure(i, cycle.endPressure);

  if (i >= 1) {
    const int k = i - 1;
    out_.RPM[k] = sp.rpm;
    out_.HP[k] = hp;
    out_.TORQ[k] = torque;
    out_.IMPRES[k] = sp.manifoldPressure;
    out_.VEFF[k] = ve;
    out_.IMEP[k] = imep;
    out_.BMEP[k] = bmep;
    out_.FMEP[k] = fmep;
    out_.PMEP[k] = pmep;
    out_.PHP[k] = php;
    out_.IHP[k] = static_cast<float>(HorsepowerFromMep(imep, d, rpm));
    out_.FHP[k] = static_cast<float>(HorsepowerFromMep(fmep, d, rpm));
    out_.MEFF[k] = bmep == 0.0f ? 0.0f : static_cast<float>(100.0 * bmep / imep);
    out_.PFORCE[k] = static_cast<float>(imep * static_cast<double>(bore_) * bore_ * kQuarterPi);
    out_.INDFLOW[k] = static_cast<float>(d * rpm * ve * 2.8935185e-6);
    out_.PSPEED[k] = static_cast<float>(rpm * stroke_ * 0.16666667);
    // A pass never hands a NaN or an infinity to its readers: it fails instead.
    return IsFiniteResult(out_, k);
  }
  return std::isfinite(hp) && std::isfinite(imep) && std::isfinite(ve) &&
         std::isfinite(nextStartPressure_);
}

}  // namespace brisca
