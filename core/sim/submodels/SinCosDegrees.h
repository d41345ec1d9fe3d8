#pragma once
// Sine and cosine of an angle in degrees, in single precision, by our own
// polynomial: the angle is reduced exactly to within ±45° of a multiple of 90°,
// so the result is the same on every processor and with every maths library,
// and loops over it vectorise. Absolute error about 1e-7.

namespace brisca {

struct SinCos {
  float sin;
  float cos;
};

inline SinCos SinCosDegrees(float degrees) {
  // Nearest quarter turn; r = θ − 90°·k is exact in float (|r| ≤ 45° < |θ|).
  const float turns = degrees * (1.0f / 90.0f);
  const int k = static_cast<int>(turns + (turns < 0.0f ? -0.5f : 0.5f));
  const float r = degrees - 90.0f * static_cast<float>(k);
  const float r2 = r * r;
  // Taylor coefficients of sin and cos in degrees: (π/180)^n / n!.
  const float s = r * (1.745329252e-02f +
                       r2 * (-8.860961557e-07f +
                             r2 * (1.349601623e-11f + r2 * (-9.788384862e-17f + r2 * 4.141267417e-22f))));
  const float c =
      1.0f + r2 * (-1.523087099e-04f +
                   r2 * (3.866323852e-09f +
                         r2 * (-3.925831986e-14f + r2 * (2.135494304e-19f - r2 * 7.227875164e-25f))));
  // Rotate by k quarter turns (k & 3 is k mod 4 also for negative k).
  const int q = k & 3;
  const bool swap = (q & 1) != 0;
  const float sinMagnitude = swap ? c : s;
  const float cosMagnitude = swap ? s : c;
  return {(q & 2) != 0 ? -sinMagnitude : sinMagnitude,
          ((q + 1) & 2) != 0 ? -cosMagnitude : cosMagnitude};
}

}  // namespace brisca
