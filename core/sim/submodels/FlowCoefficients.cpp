#include "core/sim/submodels/FlowCoefficients.h"

#include <algorithm>
#include <cmath>

#include "core/sim/submodels/SimConstants.h"

namespace brisca {

bool FlowCoefficients::Build(float testDiameter, float testPressureDrop,
                             const std::array<float, kPoints>& lifts,
                             const std::array<float, kPoints>& flowsPerValve) {
  if (testPressureDrop < 0.0f) return false;
  const double k =
      std::sqrt(423.943 * testPressureDrop) * (static_cast<double>(testDiameter) / 12.0) * 618.26544;
  for (int j = 0; j < kPoints; ++j) {
    lift[j] = lifts[j];
    coefficient[j] =
        flowsPerValve[j] > 0.0f ? static_cast<float>(flowsPerValve[j] / (k * lifts[j] / 12.0)) : 0.0f;
  }
  return true;
}

double FlowCoefficients::At(double l) const {
  if (l <= lift[0]) return 1.0 + l * (coefficient[0] - 1.0) / lift[0];
  // Segment (a, b): the first test lift at or above l, else the last used one.
  int b = kPoints - 1;
  for (int j = 1; j < kPoints; ++j) {
    if (lift[j] == 0.0f) {
      b = j - 1;
      break;
    }
    if (l <= lift[j]) {
      b = j;
      break;
    }
  }
  if (b < 1) b = 1;  // a single used point: extend from the first two table entries
  const int a = b - 1;
  return coefficient[a] + (l - lift[a]) * (static_cast<double>(coefficient[b]) - coefficient[a]) /
                              (static_cast<double>(lift[b]) - lift[a]);
}

double ExhaustEffectiveArea(const FlowCoefficients& cd, double lift, double totalDiameter) {
  const double c = std::clamp(cd.At(lift), 0.0, 1.0);
  return lift * c * totalDiameter * kPi;
}

double IntakeEffectiveArea(const FlowCoefficients& cd, double lift, double totalDiameter,
                           double p) {
  double c = cd.At(lift);
  const double delta = (1.0 - c) * (c - 0.1);
  if (p < 1.8929) {
    c += delta * (p - 1.0) * 0.78396237;
  } else {
    const double q = 1.8929 / p;
    c = (1.0 - q * q) * (0.27 - 0.1 * c) * (1.0 - c) + c + 0.7 * delta;
  }
  c = std::clamp(c, 0.43, 1.0);
  return lift * c * totalDiameter * kPi;
}

}  // namespace brisca
