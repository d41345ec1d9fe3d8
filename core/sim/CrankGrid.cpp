#include "core/sim/CrankGrid.h"

#include <algorithm>
#include <utility>

#include "core/sim/CycleConstants.h"
#include "core/sim/submodels/SimConstants.h"
#include "core/sim/submodels/SinCosDegrees.h"

namespace brisca {

using namespace cycle;

void CrankGrid::Resize(int n) {
  for (std::vector<float>* a : {&volume, &volumeRate, &intakeLift, &intakeCd, &exhaustArea,
                                &exhaustPressure, &ram, &burnRate, &wallHeat}) {
    a->resize(static_cast<std::size_t>(n));
  }
}

void CrankGrid::Build(const CrankGridEngine& engine, const CrankGridPoint& point) {
  // The angles as the cycle steps them: from EVO by Δθ in float while θ ≤ EVO + 720°.
  const float start = engine.events->evo;
  const double end = start + kCycleDegrees;
  theta.clear();
  float t = start;
  do {
    theta.push_back(t);
    t += point.step;
  } while (t <= end);
  steps_ = static_cast<int>(theta.size());
  theta.push_back(t);
  const int n = steps_ + 1;
  Resize(n);

  engine.kinematics->Fill(theta.data(), n, volume.data(), volumeRate.data());
  FillIntake(engine);
  FillExhaust(engine, point);
  FillRamAndBurn(point);

  const float heat = static_cast<float>(point.wallHeatFactor);
  const float liner = static_cast<float>(kWallShapeFactor / engine.bore);
  const float headAndPiston =
      static_cast<float>(kHeadAndPistonArea * engine.bore * static_cast<double>(engine.bore));
  for (int k = 0; k < n; ++k) wallHeat[k] = heat * (liner * volume[k] + headAndPiston);
}

std::pair<int, int> CrankGrid::OpenRange(float open, float close) const {
  // θ rises step by step, so the angles strictly between the events are one run.
  const int n = steps_ + 1;
  int first = 0;
  while (first < n && !(open < theta[first])) ++first;
  int last = first;
  while (last < n && theta[last] < close) ++last;
  return {first, last};
}

void CrankGrid::FillIntake(const CrankGridEngine& engine) {
  std::fill(intakeLift.begin(), intakeLift.end(), 0.0f);
  std::fill(intakeCd.begin(), intakeCd.end(), 0.0f);
  const auto [first, last] = OpenRange(engine.events->ivo, engine.events->ivc);
  if (first >= last) return;
  engine.intakeLift->Fill(theta.data() + first, last - first, intakeLift.data() + first);
  for (int k = first; k < last; ++k) {
    intakeCd[k] = static_cast<float>(engine.intakeCd->At(intakeLift[k]));
  }
}

void CrankGrid::FillExhaust(const CrankGridEngine& engine, const CrankGridPoint& point) {
  // Shut, the exhaust passes no flow and sees the base pressure.
  const float base = static_cast<float>(point.exhaustBase);
  std::fill(exhaustArea.begin(), exhaustArea.end(), 0.0f);
  std::fill(exhaustPressure.begin(), exhaustPressure.end(), base);
  const float evo = engine.events->evo;
  const auto [first, last] = OpenRange(evo, engine.events->evc);
  if (first >= last) return;

  const float diameterPi = static_cast<float>(engine.exhaustDiameter * kPi);
  float* area = exhaustArea.data();
  engine.exhaustLift->Fill(theta.data() + first, last - first, area + first);  // lift, then area
  for (int k = first; k < last; ++k) {
    const float c = std::clamp(static_cast<float>(engine.exhaustCd->At(area[k])), 0.0f, 1.0f);
    area[k] = area[k] * c * diameterPi;
  }

  // A decaying pulse train after the exhaust opens: the blowdown half-wave, the
  // reflected one, then a late tail (nothing is added at exactly 180° or 360°).
  const float rate = static_cast<float>(point.pulsePhaseRate);
  const float blowdown = static_cast<float>(kBlowdownAmplitude * point.pulseSize);
  const float reflected = static_cast<float>(point.pulseAmplitude * point.pulseSize);
  const float late = static_cast<float>(kLatePulseAmplitude * point.pulseSize);
  const float halfWave = static_cast<float>(kPulseHalfWave);
  const float fullWave = static_cast<float>(kPulseFullWave);
  for (int k = first; k < last; ++k) {
    const float phi = (theta[k] - evo) * rate;
    const float amplitude = phi < halfWave                         ? blowdown
                            : ((phi > halfWave) & (phi < fullWave)) ? reflected
                            : phi > fullWave                         ? late
                                                                     : 0.0f;
    exhaustPressure[k] = base + amplitude * SinCosDegrees(phi).sin;
  }
}

void CrankGrid::FillRamAndBurn(const CrankGridPoint& point) {
  // Intake ram: a ramp up to BDC, then the tuned wave until well after it; at
  // other angles the term keeps its last value (0 before the first ramp).
  const float rampStart = static_cast<float>(kRamRampStart);
  const float bdc = static_cast<float>(kIntakeBdc);
  const float waveEnd = static_cast<float>(kRamWaveEnd);
  const float rampRate = static_cast<float>(point.ramAmplitude * kRamRampPerDegree);
  const float frequency = static_cast<float>(point.ramFrequency);
  // θ rises step by step: [0, ramp) before the ramp, [ramp, wave) on it,
  // [wave, after) in the wave, then the last value held.
  const int n = steps_ + 1;
  int ramp = 0;
  while (ramp < n && !(theta[ramp] > rampStart)) ++ramp;
  int wave = ramp;
  while (wave < n && theta[wave] <= bdc) ++wave;
  int after = wave;
  while (after < n && theta[after] < waveEnd) ++after;
  for (int k = 0; k < ramp; ++k) ram[k] = 0.0f;
  for (int k = ramp; k < wave; ++k) ram[k] = (theta[k] - rampStart) * rampRate;
  for (int k = wave; k < after; ++k) {
    ram[k] = point.ramAmplitude * SinCosDegrees((theta[k] - bdc) * frequency).sin;
  }
  const float held = after > 0 ? ram[after - 1] : 0.0f;
  for (int k = after; k < n; ++k) ram[k] = held;

  // Half-sine release of the whole charge from 10° before to 50° after firing TDC.
  const float burnStart = static_cast<float>(kBurnStart);
  const float burnEnd = static_cast<float>(kBurnEnd);
  const float peak = static_cast<float>(kBurnPeakRate);
  const float phase = static_cast<float>(kBurnPhasePerDegree / kDegToRad);
  std::fill(burnRate.begin(), burnRate.end(), 0.0f);
  const auto [first, last] = OpenRange(burnStart, burnEnd);
  for (int k = first; k < last; ++k) {
    burnRate[k] = peak * SinCosDegrees((theta[k] - burnStart) * phase).sin;
  }
}

}  // namespace brisca
