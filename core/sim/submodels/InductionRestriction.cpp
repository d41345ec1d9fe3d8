#include "core/sim/submodels/InductionRestriction.h"

namespace brisca {

float InductionRestriction(int inductionFlow, int inductionRating, int manifoldType) {
  float k = static_cast<float>(inductionFlow * (inductionRating == 2 ? 3.810418e-5 : 5.387931e-5));
  if (manifoldType >= 15 && manifoldType <= 19) k = static_cast<float>(k * 0.25);
  return k;
}

double ManifoldPressureDrop(double displacement, double rpm, double ve, double restriction) {
  const double t = displacement * rpm * ve * 0.01 / (restriction * 207360.0);
  return t * t * 7.916e-6;
}

}  // namespace brisca
