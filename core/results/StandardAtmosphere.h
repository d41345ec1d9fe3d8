#pragma once
// The altitude a barometric pressure stands for in the standard atmosphere:
// the inverse of PressureAtAltitudeInHg, so a dialog can keep the two in step.

namespace brisca {

//! Altitude [m] of the standard atmosphere (ICAO) at `pressureInHg`:
//! h = (1 − (p / 101.325 kPa)^(1/5.25588)) / 2.25577e-5.
double AltitudeAtPressureM(double pressureInHg);

}  // namespace brisca
