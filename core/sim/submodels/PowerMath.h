#pragma once
// Conversions between mean effective pressure and power, and the crank step.

namespace brisca {

//! HP from a mean effective pressure [psi], displacement [in³] and speed: MEP·D·rpm/792000.
inline double HorsepowerFromMep(double mep, double displacement, double rpm) {
  return mep * displacement * rpm * 1.2626263e-6;
}

//! Mean effective pressure [psi] of a power [HP]: HP·792000/(D·rpm).
inline double MepFromHorsepower(double hp, double displacement, double rpm) {
  return hp * 792000.0 / (displacement * rpm);
}

//! Crank step Δθ [deg] at `rpm`: a fixed time step of g/6000 s with g = 0.3 for
//! strokes of 3 in and more, 0.1·S from 1 to 3 in and 0.1 below.
float CrankStep(float stroke, float rpm);

}  // namespace brisca
