#include "core/sim/submodels/PistonKinematics.h"

#include <cmath>

#include "core/sim/submodels/SimConstants.h"

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

}  // namespace brisca
