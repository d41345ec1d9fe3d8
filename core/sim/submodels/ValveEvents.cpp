#include "core/sim/submodels/ValveEvents.h"

#include <cmath>

#include "core/sim/SimInputs.h"
#include "core/sim/submodels/SimConstants.h"
#include "core/sim/submodels/SinCosDegrees.h"

namespace brisca {

RampConstants RampConstants::ForRampRate(float r) {
  RampConstants rc;
  if (r >= 1.0f && r < 2.0f) {
    rc.k = static_cast<float>(1.46 + 0.04 * (r - 1.0));
    rc.widening = 34.0f - 7.0f * (r - 1.0f);
  } else if (r >= 2.0f && r < 3.0f) {
    rc.k = static_cast<float>(1.50 + 0.04 * (r - 2.0));
    rc.widening = 27.0f - 6.0f * (r - 2.0f);
  } else if (r >= 3.0f && r < 4.0f) {
    rc.k = static_cast<float>(1.54 + 0.04 * (r - 3.0));
    rc.widening = 21.0f - 3.0f * (r - 3.0f);
  } else if (r >= 4.0f && r < 5.0f) {
    rc.k = static_cast<float>(1.58 + 0.04 * (r - 4.0));
    rc.widening = 18.0f - 2.0f * (r - 4.0f);
  } else {
    rc.k = static_cast<float>(1.62 + 0.04 * (r - 5.0));
    rc.widening = 16.0f - (r - 5.0f);
  }
  return rc;
}

ValveEvents ValveEvents::FromInputs(const SimInputs& in, float w) {
  const float ai = in.intakeAdvance;
  const float ae = in.exhaustAdvance;
  ValveEvents e;
  e.ivo = 360.0f - (in.nominalIvo + w) - ai;
  e.ivc = in.nominalIvc + w + 540.0f - ai;
  e.evo = 180.0f - (in.nominalEvo + w) - ae + 20.0f;
  e.evc = in.nominalEvc + w + 360.0f - ae;
  return e;
}

bool LiftProfile::Build(float open, float close, float maxLift, float shape) {
  openAngle = open;
  closeAngle = close;
  k = shape;
  const double rb = kBaseCircle;
  const double lx = (2.0 / 3.0) * maxLift + rb;
  halfDuration = (close - open) / 2.0f;
  noseCentre = halfDuration / 2.0f;
  const double c = std::cos((180.0 - halfDuration / 2.0) * kDegToRad);
  const double a = k - rb;
  // t and ρ are kept as 32-bit values, like the rest of the model's state.
  const float t = static_cast<float>(
      (2.0 * lx * a * c - (lx * lx + a * a - static_cast<double>(k) * k)) /
      (2.0 * k - 2.0 * lx + 2.0 * a * c));
  const float rho = static_cast<float>(lx - t);
  const double kt = static_cast<double>(k) - t;
  const double w = (kt * kt + a * a - static_cast<double>(rho) * rho) / (2.0 * a * kt);
  if (!(w >= -1.0 && w <= 1.0)) return false;  // also refuses NaN
  noseOffset = t;
  noseRadius = rho;
  // The arctangent, not the arccosine: for negative w the flank ends at a
  // negative angle, which the lift formula below relies on.
  flankEnd = static_cast<float>(std::atan(std::sqrt(1.0 - w * w) / w) / kDegToRad);
  noseEnd = halfDuration - flankEnd;
  return true;
}

double LiftProfile::Lift(double theta) const {
  const double y = (theta - openAngle) / 2.0;
  const double rb = kBaseCircle;
  double lift;
  if (y <= flankEnd) {
    lift = 1.5 * (k - rb) * (1.0 - std::cos(y * kDegToRad));
  } else if (y < noseEnd) {
    lift = 1.5 * (noseOffset + noseRadius * std::cos((noseCentre - y) * kDegToRad) - rb);
  } else {
    lift = 1.5 * (k - rb) * (1.0 - std::cos((halfDuration - y) * kDegToRad));
  }
  return lift < 0.0 ? 1e-6 : lift;
}

void LiftProfile::Fill(const float* theta, int n, float* lift) const {
  const float flank = static_cast<float>(3.0 * (static_cast<double>(k) - kBaseCircle));
  const float nose = static_cast<float>(noseOffset - static_cast<double>(kBaseCircle));
  // In chunks, two loops each the compiler vectorises: the branch and its
  // argument in double, then the lift in float.
  constexpr int kChunk = 256;
  float arg[kChunk];
  float onNose[kChunk];
  for (int begin = 0; begin < n; begin += kChunk) {
    const int count = n - begin < kChunk ? n - begin : kChunk;
    for (int j = 0; j < count; ++j) {
      // Cam angle in double: θ − opening angle is exact there, and so is each
      // branch's argument, which near the seats is a small difference.
      const double y = (static_cast<double>(theta[begin + j]) - openAngle) * 0.5;
      const bool nose = (y > flankEnd) & (y < noseEnd);
      // All three arguments, then a choice: no branch in the loop.
      const double opening = y * 0.5;
      const double top = noseCentre - y;
      const double closing = (halfDuration - y) * 0.5;
      const double a = y <= flankEnd ? opening : nose ? top : closing;
      arg[j] = static_cast<float>(a);
      onNose[j] = nose ? 1.0f : 0.0f;
    }
    for (int j = 0; j < count; ++j) {
      const SinCos a = SinCosDegrees(arg[j]);
      // On the flanks 1 − cos y as 2·sin²(y/2), exact near the seats.
      const float onFlank = flank * a.sin * a.sin;
      const float atNose = 1.5f * (nose + noseRadius * a.cos);
      const float value = onNose[j] != 0.0f ? atNose : onFlank;
      lift[begin + j] = value < 0.0f ? 1e-6f : value;
    }
  }
}

}  // namespace brisca
