#include "core/sim/submodels/FrictionModel.h"

#include <cmath>

#include "core/sim/submodels/SimConstants.h"

namespace brisca {

FrictionModel::FrictionModel(float stroke, float rodLength, float compressionRatio,
                             float displacement)
    : stroke_(stroke), compressionRatio_(compressionRatio), displacement_(displacement) {
  // The 181-term sum depends on the geometry only; IMEP factors out of it.
  const double lambda = (stroke / 2.0) / rodLength;
  double sum = 0.0;
  for (int phi = 0; phi <= 180; ++phi) {
    const double s = std::sin(phi * kDegToRad);
    sum += lambda * s / std::sqrt(1.0 - lambda * lambda * s * s);
  }
  sideThrustPerImep_ = sum;
}

float FrictionModel::Fmep(float imep, float rpm, float driveLossMep) const {
  const double u = rpm * stroke_ * 0.17241378;
  const double sideThrust = imep * sideThrustPerImep_;
  return static_cast<float>((compressionRatio_ - 5.0) * 0.06896552 * (rpm * 0.000475) +
                            0.025 * displacement_ + 0.001 * sideThrust +
                            u * (0.0030476 + 6.5476e-7 * u) + driveLossMep);
}

}  // namespace brisca
