#include "core/sim/submodels/PowerMath.h"

namespace brisca {

float CrankStep(float stroke, float rpm) {
  double g;
  if (stroke >= 3.0f) {
    g = 0.3;
  } else if (stroke >= 1.0f) {
    g = 0.1 * stroke;
  } else {
    g = 0.1;
  }
  return static_cast<float>(g * rpm * 0.001);
}

}  // namespace brisca
