#include "core/sim/induction/Supercharger.h"

#include <algorithm>
#include <cmath>

#include "core/base/FatalAssert.h"
#include "core/sim/SimInputs.h"

namespace brisca {
namespace {

constexpr float kAtmosphere = 14.7f;           // [psia]
constexpr float kRadiansPerDegree = 0.017453292f;
constexpr float kTwoPi = 6.2831855f;
constexpr int kBlowerRounds = 101;
constexpr int kTurboRounds = 10001;

float Pow(float base, float exponent) { return std::pow(base, exponent); }

}  // namespace

bool CSupercharger::Initialise(const SimInputs& inputs, const CompressorMap* compressorMap) {
  inletPressure = outletPressure = kAtmosphere;
  inletTemperature = outletTemperature = 539.67f;
  pressureRatio = 1.0f;
  driveLossMep = 0.0f;

  turbos = inputs.turbos;
  turbineRadius = inputs.turbineDiameter * 0.5f;
  turbineAR = inputs.turbineAR;
  effectiveAR = turbineAR;
  internalGearRatio = inputs.internalGearRatio;
  beltGearRatio = inputs.beltGearRatio;
  ratedEfficiency = inputs.blowerEfficiency * 0.01f;
  maxRatedSpeed = inputs.blowerMaxSpeed;
  blowerDisplacement = inputs.blowerDisplacement;
  blowerVolumetricEfficiency = 0.0f;
  blowerDelivery = 0.0f;

  efficiency = 0.5f;
  backPressureAddition = 0.0f;
  airDemand = 0.0f;
  shaftSpeed = 0.0f;
  surge = choke = overspeed = 0;
  surgeRpm = surgeShaftSpeed = chokeRpm = chokeShaftSpeed = 0.0f;
  overspeedRpm = overspeedShaftSpeed = 0.0f;
  previousOutletPressure = 0.0f;
  deviceOutletPressure = 0.0f;
  surgeCounter = 0;
  wastegateRounds = 0;

  turbinePeakEfficiency = 0.6f + 0.02f * (inputs.turbineDiameter - 1.0f);
  turbineReferenceSpeed = 80000.0f + 13333.333f * (inputs.turbineDiameter - 1.0f);

  map = CompressorMap{};
  if (inputs.compressorMap == 0) return true;
  if (compressorMap == nullptr) return false;
  map = *compressorMap;
  return true;
}

float CSupercharger::AirDemand(float rpm, float displacement, float pr, float eta,
                               float t1) const {
  const int index =
      std::clamp(static_cast<int>(std::lround(rpm / 500.0f)) - 1, 0, kVeTableSize - 1);
  float ve = veTable[static_cast<std::size_t>(index)];
  if (!(ve > 0.2f)) ve = 0.2f;
  // Swept air per minute at 0.0691 lb/ft³.
  const float swept = ve * displacement * rpm * 0.00028935185f * 0.0691f;
  if (pr >= 1.0f) return pr * t1 / (t1 + (Pow(pr, 0.283f) - 1.0f) * t1 / eta) * swept;
  return swept;
}

float CSupercharger::OutletTemperature(float pr, float t1, float eta) {
  return t1 + t1 * (Pow(std::max(pr, 0.9f), 0.283f) - 1.0f) / eta;
}

void CSupercharger::Compute(const SimInputs& inputs, float rpm, float displacement,
                            float exhaustTemperature, float ambientTemperature,
                            float exhaustBasePressure, float afr) {
  pressureRatio = outletPressure / inletPressure;

  int warning = CompressorMap::kNoWarning;
  switch (inputs.forcedInductionKind) {
    case kTurbocharger:
      warning = Turbocharger(inputs, rpm, displacement, exhaustTemperature, ambientTemperature,
                             exhaustBasePressure, afr);
      break;
    case kCentrifugal: warning = Centrifugal(rpm, displacement); break;
    case kRoots: warning = Blower(rpm, displacement, false); break;
    case kScrew: warning = Blower(rpm, displacement, true); break;
    default:
      outletPressure = inletPressure;
      driveLossMep = 0.0f;
      backPressureAddition = 0.0f;
      break;
  }
  deviceOutletPressure = outletPressure;
  if (outletPressure < 1.0f) outletPressure = 1.0f;

  UpdateWarnings(warning, rpm, rpm * inputs.stroke / 6.0f);

  pressureRatio = outletPressure / inletPressure;
  outletTemperature = OutletTemperature(pressureRatio, inletTemperature, efficiency);

  // Boost limit: close in on it from the last point instead of jumping there.
  const float limit = inputs.boostLimit + kAtmosphere;
  if (outletPressure > limit) {
    outletPressure = previousOutletPressure + (limit - previousOutletPressure) * 0.65f;
  }
  previousOutletPressure = outletPressure;
  pressureRatio = outletPressure / inletPressure;
  if (inputs.forcedInductionKind == kTurbocharger) {
    outletTemperature = OutletTemperature(pressureRatio, inletTemperature, efficiency);
  }
}

bool CSupercharger::ReadsAlikeAbove(int warning) const {
  return warning == CompressorMap::kOverspeed || map.LinesInUse() == 0;
}

int CSupercharger::MapLookup(float flow) {
  const CompressorMap::Reading reading = map.Lookup(shaftSpeed, flow);
  if (reading.warning == CompressorMap::kNoWarning) {
    efficiency =
        std::max(static_cast<float>(map.GridEfficiency(reading.pressureRatio, flow)) * 0.01f, 0.5f);
  }
  outletPressure = reading.pressureRatio * kAtmosphere;
  return reading.warning;
}

int CSupercharger::Blower(float rpm, float displacement, bool screw) {
  const float n = rpm * beltGearRatio * 0.998f;
  shaftSpeed = n;

  float eta = 0.0f;
  float ve = 0.0f;
  if (screw) {
    eta = ratedEfficiency * (0.00030729f * n - 3.2184e-8f * Pow(n, 2.0f) +
                             1.3785e-12f * Pow(n, 3.0f) - 2.205e-17f * Pow(n, 4.0f) - 0.001753f);
    ve = 0.00026249f * n - 3.679e-8f * Pow(n, 2.0f) + 2.822e-12f * Pow(n, 3.0f) -
         1.0967e-16f * Pow(n, 4.0f) + 1.6713e-21f * Pow(n, 5.0f) - 0.00040163f;
  } else {
    // Efficiency falls off either side of the maximum rated speed.
    const float x = (n - maxRatedSpeed) / 100.0f;
    eta = ratedEfficiency *
          (3.0f * std::cos(0.3f * x * kRadiansPerDegree) + std::cos(0.6f * x * kRadiansPerDegree)) /
          4.0f;
    ve = 0.00094f + 0.00026f * n - 2.9e-8f * Pow(n, 2.0f) + 1.5e-12f * Pow(n, 3.0f) -
         2.9e-17f * Pow(n, 4.0f) - 0.08f * pressureRatio;
  }
  efficiency = std::max(eta, 0.3f);
  ve = std::max(ve, 0.05f);
  if (n > 16000.0f) ve = 0.95f;
  blowerVolumetricEfficiency = ve;
  blowerDelivery = n * blowerDisplacement * ve * 0.0691f;

  // A screw compresses internally: its outlet starts 30 % above ambient.
  const float base = screw ? 19.11f : kAtmosphere;
  for (int round = 0; round < kBlowerRounds; ++round) {
    const float previous = pressureRatio;
    airDemand = AirDemand(rpm, displacement, previous, efficiency, inletTemperature);
    outletPressure = kAtmosphere * (blowerDelivery - airDemand) / airDemand + base;
    pressureRatio = outletPressure / inletPressure;
    if (std::fabs(previous - pressureRatio) <= 0.01f) break;
  }
  driveLossMep = airDemand * ((Pow(pressureRatio, 0.2366f) - 1.0f) / efficiency) * 0.2710126f *
                 792000.0f / (rpm * displacement);
  return CompressorMap::kNoWarning;
}

int CSupercharger::Centrifugal(float rpm, float displacement) {
  shaftSpeed = beltGearRatio * internalGearRatio * rpm * 0.998f;

  int warning = CompressorMap::kNoWarning;
  for (int round = 0; round < kBlowerRounds; ++round) {
    const float previous = pressureRatio;
    airDemand = AirDemand(rpm, displacement, previous, efficiency, inletTemperature);
    warning = MapLookup(airDemand);
    pressureRatio = outletPressure / inletPressure;
    if (std::fabs(previous - pressureRatio) <= 0.01f) break;
  }
  const float kappa = 1.0f / (3.4722223f * efficiency);
  driveLossMep = (Pow(pressureRatio, kappa) - 1.0f) *
                 (inletTemperature * 1545.0f / (kappa * 28.96f)) * airDemand /
                 (efficiency * 33000.0f) * 792000.0f / (rpm * displacement);
  return warning;
}

int CSupercharger::Turbocharger(const SimInputs& inputs, float rpm, float displacement,
                                float exhaustTemperature, float ambientTemperature,
                                float exhaustBasePressure, float afr) {
  effectiveAR = exhaustBasePressure > 0.0f
                    ? turbineAR / Pow(30.0f / exhaustBasePressure, 1.4f)
                    : turbineAR;

  // Balance turbine and compressor: the exhaust flow sets the shaft speed, the
  // map at that speed sets the pressure ratio and with it the engine's demand.
  // The ratio fed back moves at most 0.2 per round so that the search settles.
  int warning = CompressorMap::kNoWarning;
  float used = pressureRatio;
  bool converged = false;
  for (int round = 0; round < kTurboRounds; ++round) {
    if (round > 0) {
      const float change = pressureRatio - used;
      if (std::fabs(change) > 0.2f) {
        used += change > 0.0f ? 0.2f : -0.2f;
      } else {
        used = pressureRatio;
      }
    }
    airDemand = AirDemand(rpm, displacement, used, efficiency, inletTemperature);
    const float exhaustFlow = (airDemand + airDemand / afr) / turbos;

    const float r = std::min(shaftSpeed / turbineReferenceSpeed, 1.7f);
    const float turbineEfficiency =
        turbinePeakEfficiency * (0.57428f + 1.5715f * r - 1.1282f * Pow(r, 2.0f) -
                                 1.7672f * Pow(r, 3.0f) + 2.7049f * Pow(r, 4.0f) -
                                 0.96708f * Pow(r, 5.0f));
    float speed = 0.55f * (exhaustTemperature / ambientTemperature) * exhaustFlow * 25007.236f *
                  turbineEfficiency / (kTwoPi * Pow(turbineRadius, 2.0f) * effectiveAR) * 0.998f;
    if (speed < shaftSpeed) speed = shaftSpeed * (1.0f + 0.25f * turbineEfficiency);
    shaftSpeed = speed;
    BRISCA_ASSERT(shaftSpeed >= 0.0f);

    warning = MapLookup(airDemand);
    pressureRatio = outletPressure / inletPressure;
    if (std::fabs(used - pressureRatio) <= 0.01f) {
      converged = true;
      break;
    }
  }
  if (!converged) {
    pressureRatio = 1.0f;
    outletPressure = kAtmosphere;
  }
  outletPressure *= turbos;

  warning = Wastegate(inputs, rpm, displacement, warning);

  // The turbine's restriction grows with its speed and with the work it must do.
  const float s = std::min(shaftSpeed / turbineReferenceSpeed, 5.0f);
  const float speedFactor =
      1.0f + 0.6f * (0.91208f * Pow(s, 3.0f) - 0.13792f * Pow(s, 4.0f) - 0.92791f * Pow(s, 2.0f) +
                     0.25935f * s - 0.012743f);
  const float work = (Pow(pressureRatio, 0.285f) - 1.0f) * inletTemperature * 0.24f /
                     (turbinePeakEfficiency * efficiency * exhaustTemperature * 0.28107f);
  backPressureAddition = 0.8f * speedFactor * kAtmosphere / Pow(1.0f - work, 3.90625f);
  driveLossMep = 0.0f;
  return warning;
}

int CSupercharger::Wastegate(const SimInputs& inputs, float rpm, float displacement, int warning) {
  // Bleed shaft speed until the outlet sits on the limit, halving the step
  // each time it overshoots. The search has no round limit: it ends on the
  // limit, when its step falls below 0.1 rpm, or when no further round could
  // change where it ends.
  wastegateRounds = 0;
  const float gateLimit = inputs.boostLimit + 15.7f;
  if (outletPressure - gateLimit > 0.1f) {
    float step = -10000.0f;
    while (std::fabs(step) >= 0.1f) {
      // The shaft cannot turn backwards (below zero the turbine would later
      // compute a negative speed). Stopped at zero, or with a step too small
      // to move a float this large, every further round repeats this one.
      const float next = std::max(shaftSpeed + step, 0.0f);
      if (next == shaftSpeed) break;
      shaftSpeed = next;
      ++wastegateRounds;
      airDemand = AirDemand(rpm, displacement, pressureRatio, efficiency, inletTemperature);
      warning = MapLookup(airDemand);
      pressureRatio = outletPressure / inletPressure;
      outletPressure *= turbos;
      const float excess = outletPressure - gateLimit;
      // Climbing above the map's highest line reads the same ratio at every
      // speed and leaves η alone: below the limit it would climb for ever.
      if (step > 0.0f && excess < 0.0f && ReadsAlikeAbove(warning)) break;
      if ((excess > 0.0f && step > 0.0f) || (excess < 0.0f && step < 0.0f)) step = -0.5f * step;
      if (std::fabs(excess) <= 0.1f) break;
    }
    if (std::fabs(outletPressure - gateLimit) > 0.1f) outletPressure = gateLimit;
  }
  return warning;
}

void CSupercharger::UpdateWarnings(int warning, float rpm, float pistonSpeed) {
  const bool aboveLowestLine = shaftSpeed > map.LowestSpeed();
  switch (warning) {
    case CompressorMap::kSurge:
      // One surging point is tolerated; the second and third raise the state.
      if (aboveLowestLine && pistonSpeed >= 1000.0f && pistonSpeed <= 5000.0f) {
        ++surgeCounter;
        if (surgeCounter >= 2) {
          surge = surgeCounter == 2 ? 1 : 2;
          surgeRpm = rpm;
          surgeShaftSpeed = shaftSpeed;
        }
      }
      break;
    case CompressorMap::kChoke:
      if (aboveLowestLine && pistonSpeed >= 1000.0f && pistonSpeed <= 4500.0f) {
        choke = 1;
        chokeRpm = rpm;
        chokeShaftSpeed = shaftSpeed;
      }
      break;
    case CompressorMap::kOverspeed:
      if (pistonSpeed >= 1000.0f && pistonSpeed <= 5000.0f) {
        overspeed = shaftSpeed <= 1.25f * map.HighestSpeed() ? 1 : 2;
        overspeedRpm = rpm;
        overspeedShaftSpeed = shaftSpeed;
      }
      break;
    default: break;
  }
}

}  // namespace brisca
