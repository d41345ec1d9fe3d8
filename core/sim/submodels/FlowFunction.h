#pragma once
// The subsonic compressible flow function for γ = 1.4, in single precision:
// Ψ(r) = 5·(r^1.428 − r^1.714) = −5·r^1.428·(r^0.286 − 1) for the pressure
// ratio r = downstream/upstream. Written as the product, the bracket comes from
// a short series near r = 1, where the plain difference of two powers loses all
// its digits; √Ψ is then good to about 1e-6 relative on all of [0, 1].
// Ψ(0) = Ψ(1) = 0; a negative r gives NaN (its logarithm), r > 1 a negative Ψ.

#include <cmath>

namespace brisca {

inline float FlowFunction(float r) {
  const float logR = std::log(r);
  const float x = 0.286f * logR;
  float bracket;  // r^0.286 − 1 = e^x − 1
  if (x > -0.1f) {
    bracket = x * (1.0f + x * (0.5f + x * (1.0f / 6.0f + x * (1.0f / 24.0f +
                                                                 x * (1.0f / 120.0f + x * (1.0f / 720.0f))))));
  } else {
    bracket = std::exp(x) - 1.0f;
  }
  // r^1.428 as r·r^0.428: the smaller exponent keeps the product's rounding
  // small for small r.
  return -5.0f * (r * std::exp(0.428f * logR)) * bracket;
}

}  // namespace brisca
