#include "core/sim/submodels/TorqueCorrection.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace brisca {
namespace {

struct FallingStep {
  float ratio;   //!< threshold the torque ratio b must reach
  float factor;  //!< F2 from that threshold on
};

// The torque ratio is a 32-bit value: thresholds are compared as 32-bit values
// too, so that a ratio of exactly 1.18 takes the 1.18 row.
constexpr std::array<FallingStep, 16> kFallingSteps{{
    {1.01f, 1.01f},  {1.02f, 1.0125f}, {1.03f, 1.0175f}, {1.04f, 1.02f},
    {1.05f, 1.025f}, {1.07f, 1.03f},   {1.09f, 1.035f},  {1.10f, 1.04f},
    {1.11f, 1.045f}, {1.12f, 1.045f},  {1.13f, 1.04f},   {1.14f, 1.035f},
    {1.15f, 1.03f},  {1.16f, 1.025f},  {1.17f, 1.02f},   {1.18f, 1.01f},
}};

bool IsTunedForFalling(int manifoldType) {
  switch (manifoldType) {
    case 7: case 8: case 11: case 12: case 15: case 16: return true;
    default: return false;
  }
}

// Long-runner and tuned manifolds fill better as VE rises.
bool HasStrongInductionFactor(int manifoldType) {
  switch (manifoldType) {
    case 4: case 5: case 7: case 8: case 11: case 12: case 15: case 16: return true;
    default: return false;
  }
}

}  // namespace

float TorqueCorrection::FallingFactor(float b) {
  if (b > kFallingSteps.back().ratio) return 1.0f;
  float factor = 1.0f;
  for (const FallingStep& step : kFallingSteps) {
    if (b >= step.ratio) factor = step.factor;
  }
  return factor;
}

float TorqueCorrection::Apply(float h, float rpm, float ve, int manifoldType, int intakeValves) {
  const float inductionFactor = HasStrongInductionFactor(manifoldType)
                                    ? std::min(static_cast<float>(ve * 0.0135), 1.15f)
                                    : std::min(static_cast<float>(ve * 0.011), 1.0f);
  const float q = static_cast<float>(h * 5252.0 / rpm);

  if (q > 0.0f) {
    ratio_ = previousTorque_ / q;
    if (ratio_ < 1.0f) ratio_ = (ratio_ + previousRatio_) / 2.0f;
  }
  const float b = ratio_;

  float falling = 1.0f;
  if (q > 0.0f && q <= previousTorque_) falling = FallingFactor(b);

  float rising;
  if (q <= 0.0f) {
    rising = 1.045f;
  } else if (b >= 1.0f) {
    rising = static_cast<float>(0.965 + inductionFactor * (0.1 * falling / std::fabs(b)));
  } else {
    // At b = 0 this is infinite; the cap below absorbs it.
    rising = static_cast<float>(0.965 + inductionFactor * (0.1 / (static_cast<double>(b) * b)));
  }

  if (IsTunedForFalling(manifoldType) || ((manifoldType == 4 || manifoldType == 5) && intakeValves == 1)) {
    falling = falling * falling;
  } else if (manifoldType == 4 || manifoldType == 5) {
    falling = 0.85f;
  } else {
    falling = 1.0f;
  }

  rising = std::min(rising, 1.3f);
  falling = std::min(falling, 1.3f);
  rising = (rising + previousRising_) / 2.0f;
  falling = (falling + previousFalling_) / 2.0f;

  previousRatio_ = b;
  previousTorque_ = q;
  previousRising_ = rising;
  previousFalling_ = falling;
  return rising * falling * h;
}

}  // namespace brisca
