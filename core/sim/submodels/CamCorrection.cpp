#include "core/sim/submodels/CamCorrection.h"

#include <cmath>

#include "core/sim/SimInputs.h"

namespace brisca {
namespace {
constexpr float kCentrelineLimit = 115.0f;  //!< [deg]
}

void CamCorrection::Advance(int index) {
  if (index + 1 <= 15) count_ = index + 1;
}

float CamCorrection::Apply(const SimInputs& in, int index, float h) {
  const float a = in.intakeAdvance;
  const float intakeCentre =
      static_cast<float>((in.nominalIvc + 900.0 - in.nominalIvo) / 2.0 - 360.0 - a);
  const float exhaustCentre = static_cast<float>(360.0 - (540.0 - in.nominalEvo + in.nominalEvc) / 2.0);
  const float x = exhaustCentre + a;
  const float sum = x + intakeCentre;
  float z = 0.0f;
  if (intakeCentre <= kCentrelineLimit && x > kCentrelineLimit) {
    z = x;
  } else if (intakeCentre > kCentrelineLimit && x > kCentrelineLimit) {
    z = sum - kCentrelineLimit;
  } else if (intakeCentre > kCentrelineLimit && x <= kCentrelineLimit) {
    z = intakeCentre;
  }
  if (z != 0.0f) {
    Advance(index);
    h = static_cast<float>(h * (1.0 - (1.0 - kCentrelineLimit / z) * count_ * 0.06666667));
  }

  const float intakeDuration = in.nominalIvc + in.nominalIvo + 180.0f;
  const float exhaustDuration = in.nominalEvc + in.nominalEvo + 180.0f;
  const float m = std::fabs(exhaustDuration - intakeDuration);
  const bool timing050 = in.timing050 != 0;
  const float threshold = timing050 ? 8.0f : 12.0f;
  const double factor = timing050 ? 0.0046666665 : 0.006666667;
  if (m > threshold) {
    Advance(index);
    h = static_cast<float>(h * (1.0 - (1.0 - threshold / m) * count_ * factor));
  }
  return h;
}

}  // namespace brisca
