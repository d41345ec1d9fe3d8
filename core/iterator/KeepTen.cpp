#include "core/iterator/KeepTen.h"

namespace brisca {

int KeepTen::Offer(float score, int testNumber) {
  int slot = -1;
  if (count_ == kKeptResults) {
    if (!(score > worstScore_)) return -1;
    slot = worstSlot_;
  } else {
    slot = count_++;
  }
  slots_[slot] = Entry{testNumber, score};
  RecomputeBestWorst();
  return slot;
}

void KeepTen::RecomputeBestWorst() {
  bestSlot_ = worstSlot_ = -1;
  for (int i = 0; i < count_; ++i) {
    const float s = slots_[i].score;
    if (bestSlot_ < 0 || s > bestScore_) {
      bestSlot_ = i;
      bestScore_ = s;
    }
    if (worstSlot_ < 0 || s < worstScore_) {
      worstSlot_ = i;
      worstScore_ = s;
    }
  }
}

}  // namespace brisca
