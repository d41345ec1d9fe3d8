#pragma once
// Valve events and the valve-lift profile, built from the cam's nominal timing,
// its lobe advances and the lifter ramp rate.

namespace brisca {

struct SimInputs;

//! Lift-shape constant k and ramp widening c from the lifter ramp rate R.
struct RampConstants {
  float k = 0.0f;          //!< lift-shape constant
  float widening = 0.0f;   //!< c [deg]: added to each 0.050-inch event

  static RampConstants ForRampRate(float rampRate);
};

//! Opening and closing angles in the cycle's crank convention (0 = firing TDC).
struct ValveEvents {
  float ivo = 0.0f;  //!< intake opens [deg]
  float ivc = 0.0f;  //!< intake closes [deg]
  float evo = 0.0f;  //!< exhaust opens [deg] (20° after its nominal angle)
  float evc = 0.0f;  //!< exhaust closes [deg]

  //! w is the ramp widening with 0.050-inch timing, 0 with seat-to-seat timing.
  static ValveEvents FromInputs(const SimInputs& inputs, float widening);
};

//! Flank–nose–flank lift profile of one valve. The construction works at two
//! thirds of the lift around a base circle r_b and scales the lift back by 1.5.
class LiftProfile {
 public:
  static constexpr float kBaseCircle = 0.55032f;  //!< r_b [in]

  //! Builds the geometry; false when it has no real solution (the duration is
  //! too short for the lift and ramp rate).
  bool Build(float openAngle, float closeAngle, float maxLift, float k);

  //! Valve lift [in] at crank angle θ between the opening and closing angles.
  double Lift(double theta) const;

  //! Lift [in] in single precision at n crank angles; only those between the
  //! opening and closing angles are meaningful (the others are finite).
  void Fill(const float* theta, int n, float* lift) const;

  float openAngle = 0.0f;
  float closeAngle = 0.0f;
  float k = 0.0f;
  float halfDuration = 0.0f;  //!< H, the duration in cam degrees
  float noseCentre = 0.0f;    //!< y_c = H/2
  float flankEnd = 0.0f;      //!< α [cam deg]
  float noseEnd = 0.0f;       //!< β = H − α [cam deg]
  float noseOffset = 0.0f;    //!< t [in]
  float noseRadius = 0.0f;    //!< ρ [in]
};

}  // namespace brisca
