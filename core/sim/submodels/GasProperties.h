#pragma once
// Properties of the cylinder gas per lbm, T in °R.

namespace brisca::gas {

//! Gas constant [BTU/lbm/°R].
inline constexpr double kR = 0.06857;

//! Specific heat at constant volume c_v(T) [BTU/lbm/°R].
inline double Cv(double t) {
  return 0.16528 + t * (1.0396e-5 + t * (1.17048e-8 + t * (-3.74528e-12 + t * 3.1578e-16)));
}

//! Internal energy u(T) [BTU/lbm], the integral of c_v from 0.
inline double U(double t) {
  return t * (0.16528 + t * (5.1979e-6 + t * (3.9016e-9 + t * (-9.3632e-13 + t * 6.3156e-17))));
}

//! c_v and u in single precision, for the crank-angle loop.
inline float CvSingle(float t) {
  return 0.16528f + t * (1.0396e-5f + t * (1.17048e-8f + t * (-3.74528e-12f + t * 3.1578e-16f)));
}
inline float USingle(float t) {
  return t * (0.16528f + t * (5.1979e-6f + t * (3.9016e-9f + t * (-9.3632e-13f + t * 6.3156e-17f))));
}

}  // namespace brisca::gas
