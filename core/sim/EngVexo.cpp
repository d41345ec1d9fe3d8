#include "core/sim/EngVexo.h"

#include <cmath>
#include <utility>

#include "core/sim/submodels/FuelModel.h"
#include "core/sim/submodels/GasProperties.h"
#include "core/sim/submodels/InductionRestriction.h"
#include "core/sim/submodels/PowerMath.h"
#include "core/sim/submodels/RamTables.h"
#include "core/sim/submodels/SimConstants.h"

namespace brisca {
namespace {

constexpr double kMassAt2000R = 7.8104307e-7;    //!< lbm per (in³·psia) at 2000 °R
constexpr double kAirDensity = 4.357242e-5;      //!< standard air [lbm/in³]
constexpr double kPsiCubicInchToBtu = 0.00010711225;
constexpr double kCvOverR = 14.587893;           //!< 1/0.06857
constexpr double kCycleDegrees = 720.0;
constexpr float kFirstStartPressure = 29.4f;     //!< [psia]
constexpr float kCycleStartTemperature = 2000.0f;  //!< [°R]

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

bool EngVexo::RunCycle(const SpeedPoint& sp, float startPressure, CycleResult& cycle) {
  const double rpm = sp.rpm;
  const float dTheta = sp.step;
  const double evo = events_.evo;
  const double end = evo + kCycleDegrees;
  const double valveArea = kQuarterPi * (0.85 * intakeDiameter_) * (0.85 * intakeDiameter_);

  float theta = events_.evo;
  float p = startPressure;
  float temp = kCycleStartTemperature;
  PistonKinematics::State vol = kinematics_.At(theta);
  float mass = static_cast<float>(vol.volume * p * kMassAt2000R);
  cycle.referenceMass = static_cast<float>(vol.volume * kAirDensity);
  float dPPrev = 0.0f, dTPrev = 0.0f, dmPrev = 0.0f;
  float work = 0.0f;
  float inducted = 0.0f;
  double ram = 0.0;  // p_ram: 0 until θ first passes 510°

  do {
    // 1. Effective valve areas.
    double intakeArea = 0.0;
    if (events_.ivo < theta && theta < events_.ivc) {
      intakeArea = IntakeEffectiveArea(intakeCd_, intakeLift_.Lift(theta), intakeDiameter_,
                                       static_cast<double>(portPressure_) / p);
    }
    double exhaustArea = 0.0;
    if (events_.evo < theta && theta < events_.evc) {
      exhaustArea = ExhaustEffectiveArea(exhaustCd_, exhaustLift_.Lift(theta), exhaustDiameter_);
    }

    // 2. Exhaust back pressure: a decaying pulse train after the exhaust opens.
    // With the valve shut nothing flows, and nothing else reads it.
    double exhaustPressure = sp.exhaustBase;
    if (exhaustArea > 0.0) {
      const double phi = (theta - evo) * sp.pulsePhaseRate;
      if (phi < 180.0) {
        exhaustPressure += 2.0 * sp.pulseSize * std::sin(phi * kDegToRad);
      } else if (phi > 180.0 && phi < 360.0) {
        exhaustPressure += exhaust_.pulseAmplitude * sp.pulseSize * std::sin(phi * kDegToRad);
      } else if (phi > 360.0) {
        exhaustPressure += 0.8 * sp.pulseSize * std::sin(phi * kDegToRad);
      }
    }

    // 4. Intake ram: a ramp up to BDC, then the tuned wave until well after it.
    if (theta > 510.0f && theta <= 540.0f) {
      ram = (theta - 510.0) * ram_ * 0.028571429;
    } else if (theta > 540.0f && theta < 650.0f) {
      ram = ram_ * std::sin((theta - 540.0) * sp.ramFrequency * kDegToRad);
    }

    // 5. Port pressure: manifold pressure less the dynamic head of the last intake flow.
    if (psiIn_ < 0.0f) return false;
    const double velocity = std::sqrt(static_cast<double>(psiIn_)) * soundSpeedIn_ * intakeArea / valveArea;
    portPressure_ = static_cast<float>(
        (144.0 * sp.manifoldPressure - 0.5 * densityIn_ * velocity * velocity) * 0.0069444445 + ram);
    if (intakeArea > 0.0 && portPressure_ < 0.0f) portPressure_ = 0.0f;

    // 6. Intake flow [lbm/deg], positive into the cylinder.
    double intakeFlow = 0.0;
    if (intakeArea > 0.0) {
      const bool fromPort = portPressure_ > p;
      const double up = fromPort ? portPressure_ : p;
      const double upT = fromPort ? sp.chargeTemperature : temp;
      const double down = fromPort ? p : portPressure_;
      const double r = down / up;
      if (r < 0.0 || std::isnan(r)) return false;
      psiIn_ = static_cast<float>(FlowFunction(r));
      lastPsi_ = psiIn_;
      if (upT < 0.0 || psiIn_ < 0.0f) return false;
      soundSpeedIn_ = static_cast<float>(std::sqrt(2405.018 * upT));
      intakeFlow = std::sqrt(static_cast<double>(psiIn_)) *
                   (soundSpeedIn_ * up * 0.018744143 / upT) * intakeArea * 0.16666667 / rpm;
      if (portPressure_ < p) intakeFlow = -intakeFlow;
      densityIn_ = static_cast<float>(portPressure_ * 144.0 / (upT * 1716.0));
      inducted = static_cast<float>(inducted + intakeFlow * dTheta);
    }

    // 7. Exhaust flow [lbm/deg], positive out of the cylinder.
    double exhaustFlow = 0.0;
    if (exhaustArea > 0.0) {
      const bool fromCylinder = p >= exhaustPressure;
      const double up = fromCylinder ? p : exhaustPressure;
      const double upT = fromCylinder ? static_cast<double>(temp) : kExhaustTemperature;
      const double down = fromCylinder ? exhaustPressure : p;
      const double r = down / up;
      if (r < 0.0 || std::isnan(r) || upT < 0.0 || lastPsi_ < 0.0f) return false;
      const float psiEx = static_cast<float>(FlowFunction(r));
      lastPsi_ = psiEx;
      const double a = std::sqrt(2405.018 * upT);
      exhaustFlow = a * up * 0.018744143 / upT * std::sqrt(static_cast<double>(psiEx)) *
                    exhaustArea * 0.16666667 / rpm;
      if (p < exhaustPressure) exhaustFlow = -exhaustFlow;
    }

    // 8. Energy balance of the cylinder's open system.
    const double cv = gas::Cv(temp);
    const double u = gas::U(temp);
    const double hCyl = u + gas::kR * temp;
    const double hIn = p > portPressure_ ? hCyl : sp.manifoldEnthalpy;
    const double hEx = exhaustPressure > p ? sp.exhaustEnthalpy : hCyl;
    const double v = vol.volume;
    const double dv = vol.volumeRate;
    const double wallHeat = sp.wallHeatFactor * (4.0 * v / bore_ + 1.57 * bore_ * bore_) * (800.0 - temp);
    // Half-sine release of the whole charge from 10° before to 50° after firing TDC.
    const double burnRate = (theta > 710.0f && theta < 770.0f)
                                ? 0.02617994 * std::sin((theta - 710.0) * 0.05235988)
                                : 0.0;
    const double dm = intakeFlow - exhaustFlow;
    const double kappa = cv * kCvOverR;
    const double y = wallHeat + burnRate * heatingValue_ * inducted / (mixtureRatio_ + 1.0) -
                     p * dv * kPsiCubicInchToBtu + intakeFlow * hIn - exhaustFlow * hEx -
                     p * dv * kappa * kPsiCubicInchToBtu + (temp * cv - u) * dm;
    const float dP = static_cast<float>(9336.0 * y / (kappa * v));
    const float dT = static_cast<float>(((v * dP + p * dv) * kPsiCubicInchToBtu - gas::kR * temp * dm) /
                                        (gas::kR * mass));
    const float dM = static_cast<float>(dm);

    // 9. Second-order Adams–Bashforth step.
    const float pOld = p;
    p = static_cast<float>(p + dTheta * (1.5 * dP - 0.5 * dPPrev));
    if (p < 0.0f) p = 0.0f;
    temp = static_cast<float>(temp + dTheta * (1.5 * dT - 0.5 * dTPrev));
    mass = static_cast<float>(mass + dTheta * (1.5 * dM - 0.5 * dmPrev));
    dPPrev = dP;
    dTPrev = dT;
    dmPrev = dM;

    // 10. Advance and integrate the indicated work.
    theta += dTheta;
    const PistonKinematics::State next = kinematics_.At(theta);
    work = static_cast<float>(work + (next.volume - v) * (static_cast<double>(p) + pOld) * 0.5);
    vol = next;
  } while (theta <= end);

  cycle.work = work;
  cycle.inductedMass = inducted;
  cycle.endPressure = p;
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
