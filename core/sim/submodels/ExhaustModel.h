#pragma once
// Exhaust system parameters per speed point, by "Exhaust System" (catalogue value 1..10).

namespace brisca {

struct ExhaustParameters {
  float basePressure = 0.0f;    //!< P0_exh [psia]
  float pulseAmplitude = 0.0f;  //!< A_exh, factor on the pulse between 180° and 360°
  float pulseFrequency = 0.0f;  //!< F_exh
  float pulseExponent = 0.0f;   //!< n_exh: the pulse grows as rpm^n_exh
};

//! Sets the parameters of `exhaustType` at `rpm` and compresses the ram amplitude
//! above the system's cap. An exhaust type outside 1..10 leaves both untouched.
void ApplyExhaustSystem(int exhaustType, float rpm, ExhaustParameters& params, float& ramAmplitude);

}  // namespace brisca
