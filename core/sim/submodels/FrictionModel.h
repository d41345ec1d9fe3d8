#pragma once
// Friction mean effective pressure: a compression term, a displacement term,
// piston side thrust from the indicated pressure, and a piston-speed term.

namespace brisca {

class FrictionModel {
 public:
  FrictionModel() = default;
  //! Stroke and rod length [in], compression ratio, total displacement [in³].
  FrictionModel(float stroke, float rodLength, float compressionRatio, float displacement);

  //! FMEP [psi] at `rpm` for an indicated mean pressure `imep` (nitrous included);
  //! the compressor drive loss `driveLossMep` is added on top.
  float Fmep(float imep, float rpm, float driveLossMep) const;

 private:
  double stroke_ = 0.0;
  double compressionRatio_ = 0.0;
  double displacement_ = 0.0;
  //! Σ over φ = 0..180° of λ·sin φ/√(1 − λ²sin²φ): the side-thrust sum per psi of IMEP.
  double sideThrustPerImep_ = 0.0;
};

}  // namespace brisca
