#pragma once
// Discharge coefficients of one valve, from the flow-bench data of its port,
// and the valve's effective flow area.

#include <array>

namespace brisca {

class FlowCoefficients {
 public:
  static constexpr int kPoints = 10;

  //! Cd[j] = F[j]/(K·λ[j]/12) with K = √(423.943·Δp)·(D_t/12)·618.26544, so that
  //! K·λ/12 is the ideal flow [cfm] through the curtain π·D_t·λ. Test points
  //! beyond the record's count have λ = 0 and Cd = 0. False when Δp < 0.
  bool Build(float testDiameter, float testPressureDrop, const std::array<float, kPoints>& lifts,
             const std::array<float, kPoints>& flowsPerValve);

  //! Cd at lift l: from 1.0 at zero lift to Cd[0] at λ[0], then linear between
  //! test points, the last used segment extended beyond the last test lift.
  double At(double lift) const;

  std::array<float, kPoints> lift{};         //!< λ[j] [in]
  std::array<float, kPoints> coefficient{};  //!< Cd[j]
};

//! Exhaust effective area [in²]: Cd clamped to 0..1, lift·Cd·D_v·π.
double ExhaustEffectiveArea(const FlowCoefficients& cd, double lift, double totalDiameter);

//! Intake effective area [in²]: Cd corrected for the port-to-cylinder pressure
//! ratio p = P_port/P, clamped to 0.43..1, then lift·Cd·D_v·π.
double IntakeEffectiveArea(const FlowCoefficients& cd, double lift, double totalDiameter,
                           double pressureRatio);

//! The intake's Cd as IntakeEffectiveArea corrects and clamps it, in single
//! precision, from the uncorrected Cd c and the pressure ratio p.
inline float IntakeCorrectedCd(float c, float p) {
  const float delta = (1.0f - c) * (c - 0.1f);
  if (p < 1.8929f) {
    c += delta * (p - 1.0f) * 0.78396237f;
  } else {
    const float q = 1.8929f / p;
    c = (1.0f - q * q) * (0.27f - 0.1f * c) * (1.0f - c) + c + 0.7f * delta;
  }
  return c < 0.43f ? 0.43f : (1.0f < c ? 1.0f : c);  // a NaN stays NaN, as with std::clamp
}

}  // namespace brisca
