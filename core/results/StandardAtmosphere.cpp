#include "core/results/StandardAtmosphere.h"

#include <cmath>

#include "core/results/TestConditions.h"

namespace brisca {

double AltitudeAtPressureM(double pressureInHg) {
  const double ratio = pressureInHg * kKPaPerInHg / 101.325;
  return (1.0 - std::pow(ratio, 1.0 / 5.25588)) / 2.25577e-5;
}

}  // namespace brisca
