#pragma once
// Cylinder volume and its rate of change over crank angle (degrees, 0 = firing TDC).

namespace brisca {

class PistonKinematics {
 public:
  PistonKinematics() = default;
  //! Bore and stroke [in], rod length [in], clearance volume [in³].
  PistonKinematics(float bore, float stroke, float rodLength, float clearanceVolume);

  struct State {
    double volume;       //!< V(θ) [in³]
    double volumeRate;   //!< dV/dθ [in³/deg]
  };

  //! V(θ) = Vc + A_p·r·((1 − cos θ) + (2L/S)(1 − f)), f = √(1 − (r/L·sin θ)²);
  //! dV/dθ = A_p·r·sin θ·(1 + r·cos θ/(L·f)) per degree.
  State At(double theta) const;
  double Volume(double theta) const { return At(theta).volume; }

  //! The same in single precision at n crank angles, for a whole cycle at once.
  void Fill(const float* theta, int n, float* volume, float* volumeRate) const;

 private:
  double clearance_ = 0.0;      //!< Vc [in³]
  double pistonArea_ = 0.0;     //!< B²·π/4 [in²]
  double crankRadius_ = 0.0;    //!< r = S/2 [in]
  double rodLength_ = 0.0;      //!< L [in]
  double rodOverStroke_ = 0.0;  //!< 2L/S
  double lambda_ = 0.0;         //!< r/L
};

}  // namespace brisca
