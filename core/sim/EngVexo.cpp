#include "core/sim/EngVexo.h"

#include <cmath>
#include <utility>

#include "core/sim/CycleConstants.h"
#include "core/sim/submodels/FuelModel.h"
#include "core/sim/submodels/GasProperties.h"
#include "core/sim/submodels/InductionRestriction.h"
#include "core/sim/submodels/PowerMath.h"
#include "core/sim/submodels/RamTables.h"
#include "core/sim/submodels/SimConstants.h"

namespace brisca {
namespace {

using namespace cycle;

//! Ψ = 5·(r^(2/γ) − r^((γ+1)/γ)) for γ = 1.4: the subsonic flow function.
//! Both powers share one logarithm (r = 0 gives log −∞ and powers 0, as pow does).
double FlowFunction(double r) {
  const double logR = std::log(r);
  return 5.0 * (std::exp(1.428 * logR) - std::exp(1.714 * logR));
}

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
  mapFailures_ = 0;
  int result = SimulatePass(false);
  if (in_.forcedInductionKind != 0) {
    // The compressor reads entry i at speed index i: the naturally aspirated VE
    // of the speed one point lower (of 1000 rpm at 500 and 1000 rpm).
    std::array<float, CSupercharger::kVeTableSize> table{};
    auto fraction = [](float ve) { return ve < 0.0f ? 0.0f : static_cast<float>(ve * 0.01); };
    table[0] = table[1] = fraction(out_.VEFF[0]);
    for (int k = 0; k < kResultPoints; ++k) table[k + 2] = fraction(out_.VEFF[k]);
    compressor_.SetVolumetricEfficiencies(table);
    result = SimulatePass(true);
  }
  out_.surge = compressor_.surge;
  out_.choke = compressor_.choke;
  out_.overspeed = compressor_.overspeed;
  return result;
}

bool EngVexo::SetUpPass() {
  ram_ = 0.0f;
  exhaust_ = ExhaustParameters{};
  camCorrection_ = CamCorrection{};
  torqueCorrection_ = TorqueCorrection{};
  psiIn_ = soundSpeedIn_ = densityIn_ = lastPsi_ = 0.0f;
  portPressure_ = 0.0f;
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
  if (!SetUpPass()) return 0;
  for (int i = 0; i < kSweepPoints; ++i) {
    SpeedPoint point;
    CycleResult cycle;
    if (!PrepareSpeedPoint(i, boosted, point)) return 0;
    if (!RunCycle(point, StartPressure(i), cycle)) return 0;
    if (!FinishSpeedPoint(point, cycle)) return 0;
  }
  return 1;
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

// The parts of one crank-angle step. They are inline so that the loop keeps
// its state in registers: split out of line, a sweep costs 10 % more.

inline bool EngVexo::IntakeStep(const SpeedPoint& sp, double intakeArea, double portArea,
                                CycleState& s, StepFlows& flows) {
  const float theta = s.theta;
  const float p = s.pressure;

  // Intake ram: a ramp up to BDC, then the tuned wave until well after it; at
  // other angles the term keeps its last value.
  if (theta > kRamRampStart && theta <= kIntakeBdc) {
    s.ram = (theta - kRamRampStart) * ram_ * kRamRampPerDegree;
  } else if (theta > kIntakeBdc && theta < kRamWaveEnd) {
    s.ram = ram_ * std::sin((theta - kIntakeBdc) * sp.ramFrequency * kDegToRad);
  }

  // Port pressure: manifold pressure less the dynamic head of the last intake flow.
  if (psiIn_ < 0.0f) return false;
  const double velocity =
      std::sqrt(static_cast<double>(psiIn_)) * soundSpeedIn_ * intakeArea / portArea;
  portPressure_ = static_cast<float>(
      (kSquareInchesPerSquareFoot * sp.manifoldPressure - 0.5 * densityIn_ * velocity * velocity) *
          kSquareFeetPerSquareInch +
      s.ram);
  if (intakeArea > 0.0 && portPressure_ < 0.0f) portPressure_ = 0.0f;

  // Intake flow [lbm/deg], positive into the cylinder.
  if (!(intakeArea > 0.0)) return true;
  const bool fromPort = portPressure_ > p;
  const double up = fromPort ? portPressure_ : p;
  const double upT = fromPort ? sp.chargeTemperature : s.temperature;
  const double down = fromPort ? p : portPressure_;
  const double r = down / up;
  if (r < 0.0 || std::isnan(r)) return false;
  psiIn_ = static_cast<float>(FlowFunction(r));
  lastPsi_ = psiIn_;
  if (upT < 0.0 || psiIn_ < 0.0f) return false;
  soundSpeedIn_ = static_cast<float>(std::sqrt(kSoundSpeedSquaredPerRankine * upT));
  flows.intake = std::sqrt(static_cast<double>(psiIn_)) *
                 (soundSpeedIn_ * up * kMassFlowFactor / upT) * intakeArea *
                 kSecondsPerDegreeAtOneRpm / sp.rpm;
  if (portPressure_ < p) flows.intake = -flows.intake;
  densityIn_ = static_cast<float>(portPressure_ * kSquareInchesPerSquareFoot / (upT * kGasConstantSlug));
  s.inducted = static_cast<float>(s.inducted + flows.intake * sp.step);
  return true;
}

inline bool EngVexo::ExhaustStep(const SpeedPoint& sp, double exhaustArea, const CycleState& s,
                                 StepFlows& flows) {
  // Exhaust back pressure: a decaying pulse train after the exhaust opens.
  // With the valve shut nothing flows, and nothing else reads it.
  flows.exhaustPressure = sp.exhaustBase;
  if (!(exhaustArea > 0.0)) return true;
  const float p = s.pressure;
  const double phi = (s.theta - static_cast<double>(events_.evo)) * sp.pulsePhaseRate;
  if (phi < kPulseHalfWave) {
    flows.exhaustPressure += kBlowdownAmplitude * sp.pulseSize * std::sin(phi * kDegToRad);
  } else if (phi > kPulseHalfWave && phi < kPulseFullWave) {
    flows.exhaustPressure += exhaust_.pulseAmplitude * sp.pulseSize * std::sin(phi * kDegToRad);
  } else if (phi > kPulseFullWave) {
    flows.exhaustPressure += kLatePulseAmplitude * sp.pulseSize * std::sin(phi * kDegToRad);
  }

  // Exhaust flow [lbm/deg], positive out of the cylinder.
  const bool fromCylinder = p >= flows.exhaustPressure;
  const double up = fromCylinder ? p : flows.exhaustPressure;
  const double upT = fromCylinder ? static_cast<double>(s.temperature) : kExhaustTemperature;
  const double down = fromCylinder ? flows.exhaustPressure : p;
  const double r = down / up;
  if (r < 0.0 || std::isnan(r) || upT < 0.0 || lastPsi_ < 0.0f) return false;
  const float psiEx = static_cast<float>(FlowFunction(r));
  lastPsi_ = psiEx;
  const double a = std::sqrt(kSoundSpeedSquaredPerRankine * upT);
  flows.exhaust = a * up * kMassFlowFactor / upT * std::sqrt(static_cast<double>(psiEx)) *
                  exhaustArea * kSecondsPerDegreeAtOneRpm / sp.rpm;
  if (p < flows.exhaustPressure) flows.exhaust = -flows.exhaust;
  return true;
}

inline EngVexo::Rates EngVexo::EnergyBalance(const SpeedPoint& sp, const CycleState& s,
                                             const StepFlows& flows) const {
  const float theta = s.theta;
  const float p = s.pressure;
  const float temp = s.temperature;
  const double cv = gas::Cv(temp);
  const double u = gas::U(temp);
  const double hCyl = u + gas::kR * temp;
  const double hIn = p > portPressure_ ? hCyl : sp.manifoldEnthalpy;
  const double hEx = flows.exhaustPressure > p ? sp.exhaustEnthalpy : hCyl;
  const double v = s.volume.volume;
  const double dv = s.volume.volumeRate;
  const double wallHeat = sp.wallHeatFactor *
                          (kWallShapeFactor * v / bore_ + kHeadAndPistonArea * bore_ * bore_) *
                          (kWallTemperature - temp);
  // Half-sine release of the whole charge from 10° before to 50° after firing TDC.
  const double burnRate = (theta > kBurnStart && theta < kBurnEnd)
                              ? kBurnPeakRate * std::sin((theta - kBurnStart) * kBurnPhasePerDegree)
                              : 0.0;
  const double dm = flows.intake - flows.exhaust;
  const double kappa = cv * kCvOverR;
  const double y = wallHeat + burnRate * heatingValue_ * s.inducted / (mixtureRatio_ + 1.0) -
                   p * dv * kPsiCubicInchToBtu + flows.intake * hIn - flows.exhaust * hEx -
                   p * dv * kappa * kPsiCubicInchToBtu + (temp * cv - u) * dm;
  Rates rates;
  rates.dP = static_cast<float>(kBtuToPsiCubicInch * y / (kappa * v));
  rates.dT = static_cast<float>(((v * rates.dP + p * dv) * kPsiCubicInchToBtu - gas::kR * temp * dm) /
                                (gas::kR * s.mass));
  rates.dM = static_cast<float>(dm);
  return rates;
}

inline void EngVexo::Integrate(const SpeedPoint& sp, const Rates& rates, CycleState& s) const {
  // Second-order Adams–Bashforth step.
  const float dTheta = sp.step;
  const float pOld = s.pressure;
  s.pressure = static_cast<float>(s.pressure + dTheta * (1.5 * rates.dP - 0.5 * s.previous.dP));
  if (s.pressure < 0.0f) s.pressure = 0.0f;
  s.temperature = static_cast<float>(s.temperature + dTheta * (1.5 * rates.dT - 0.5 * s.previous.dT));
  s.mass = static_cast<float>(s.mass + dTheta * (1.5 * rates.dM - 0.5 * s.previous.dM));
  s.previous = rates;

  // Advance and integrate the indicated work.
  s.theta += dTheta;
  const PistonKinematics::State next = kinematics_.At(s.theta);
  s.work = static_cast<float>(s.work + (next.volume - s.volume.volume) *
                                           (static_cast<double>(s.pressure) + pOld) * 0.5);
  s.volume = next;
}

bool EngVexo::RunCycle(const SpeedPoint& sp, float startPressure, CycleResult& cycle) {
  const double end = events_.evo + kCycleDegrees;
  const double portArea = kQuarterPi * (kPortDiameterFraction * intakeDiameter_) *
                          (kPortDiameterFraction * intakeDiameter_);

  CycleState s;
  s.theta = events_.evo;
  s.pressure = startPressure;
  s.temperature = kStartTemperature;
  s.volume = kinematics_.At(s.theta);
  s.mass = static_cast<float>(s.volume.volume * s.pressure * kMassAt2000R);
  cycle.referenceMass = static_cast<float>(s.volume.volume * kAirDensity);

  do {
    // Effective valve areas; the intake's depends on the last port pressure.
    double intakeArea = 0.0;
    if (events_.ivo < s.theta && s.theta < events_.ivc) {
      intakeArea = IntakeEffectiveArea(intakeCd_, intakeLift_.Lift(s.theta), intakeDiameter_,
                                       static_cast<double>(portPressure_) / s.pressure);
    }
    double exhaustArea = 0.0;
    if (events_.evo < s.theta && s.theta < events_.evc) {
      exhaustArea = ExhaustEffectiveArea(exhaustCd_, exhaustLift_.Lift(s.theta), exhaustDiameter_);
    }

    StepFlows flows;
    if (!IntakeStep(sp, intakeArea, portArea, s, flows)) return false;
    if (!ExhaustStep(sp, exhaustArea, s, flows)) return false;
    Integrate(sp, EnergyBalance(sp, s, flows), s);
  } while (s.theta <= end);

  cycle.work = s.work;
  cycle.inductedMass = s.inducted;
  cycle.endPressure = s.pressure;
  return true;
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
