#pragma once
// Empirical brake-power corrections for cam timing: a lobe centreline beyond
// 115° and a large difference between intake and exhaust durations cost power,
// more so as speed rises (the counter n grows with the speed index up to 15).

namespace brisca {

struct SimInputs;

class CamCorrection {
 public:
  //! Brake power after the centreline and duration-difference corrections at
  //! speed index `index`. Both corrections use the nominal timing and the intake advance.
  float Apply(const SimInputs& inputs, int index, float brakePower);

  int count() const { return count_; }

 private:
  //! n = i + 1 while that is at most 15; it keeps its last value above.
  void Advance(int index);

  int count_ = 0;
};

}  // namespace brisca
