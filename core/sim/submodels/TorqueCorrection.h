#pragma once
// Empirical shaping of the brake power curve from point to point: a rising
// factor F1 from the induction factor and the torque ratio, a falling factor F2
// when torque drops, both capped at 1.3 and averaged with the previous point's.

namespace brisca {

class TorqueCorrection {
 public:
  //! Corrected brake power F1·F2·H at `rpm` for the corrected brake power `h`
  //! and volumetric efficiency `ve` [%]; remembers this point for the next.
  float Apply(float h, float rpm, float ve, int manifoldType, int intakeValves);

  //! F2 from the list of torque-ratio thresholds (1.0 below 1.01 and above 1.18).
  static float FallingFactor(float ratio);

 private:
  float previousTorque_ = 0.0f;   //!< Q_prev, uncorrected [lb-ft]
  float ratio_ = 0.0f;            //!< b
  float previousRatio_ = 0.5f;    //!< b_prev
  float previousRising_ = 1.3f;   //!< F1_prev
  float previousFalling_ = 1.0f;  //!< F2_prev
};

}  // namespace brisca
