#include "core/sim/submodels/PistonKinematics.h"

#include <cmath>

#include "core/sim/submodels/SimConstants.h"
#include "core/sim/submodels/SinCosDegrees.h"

namespace brisca {

PistonKinematics::PistonKinematics(float bore, float stroke, float rodLength, float clearanceVolume)
    : clearance_(clearanceVolume),
      pistonArea_(static_cast<double>(bore) * bore * kQuarterPi),
      crankRadius_(stroke / 2.0),
      rodLength_(rodLength),
      rodOverStroke_(2.0 * rodLength / stroke),
      lambda_(crankRadius_ / rodLength_) {}

PistonKinematics::State PistonKinematics::At(double theta) const {
  const double radians = theta * kDegToRad;
  const double s = std::sin(radians);
  const double c = std::cos(radians);
  const double ls = lambda_ * s;
  const double f = std::sqrt(1.0 - ls * ls);
  State state;
  state.volume = clearance_ + pistonArea_ * crankRadius_ * ((1.0 - c) + rodOverStroke_ * (1.0 - f));
  state.volumeRate =
      pistonArea_ * crankRadius_ * s * (1.0 + crankRadius_ * c / (rodLength_ * f)) * 0.017453292;
  return state;
}

void PistonKinematics::Fill(const float* theta, int n, float* volume, float* volumeRate) const {
  const float clearance = static_cast<float>(clearance_);
  const float sweep = static_cast<float>(pistonArea_ * crankRadius_);
  const float rodOverStroke = static_cast<float>(rodOverStroke_);
  const float lambda = static_cast<float>(lambda_);
  const float lambda2 = static_cast<float>(lambda_ * lambda_);
  const float rateFactor = static_cast<float>(pistonArea_ * crankRadius_ * 0.017453292);
  for (int k = 0; k < n; ++k) {
    const SinCos a = SinCosDegrees(theta[k]);
    const float ls2 = lambda2 * a.sin * a.sin;
    const float f = std::sqrt(1.0f - ls2);
    // 1 − f as (λ·sin θ)²/(1 + f): no cancellation near the dead centres.
    volume[k] = clearance + sweep * ((1.0f - a.cos) + rodOverStroke * (ls2 / (1.0f + f)));
    volumeRate[k] = rateFactor * a.sin * (1.0f + lambda * a.cos / f);
  }
}

}  // namespace brisca
