#pragma once
// The ten best results of a series by score alone: which slot each result
// sits in, the best and the worst. The iterator keeps its engines beside it;
// shards and their merge use it on test numbers and scores only, so every
// keeper of a series decides with this one piece of code.
//
// Which of several tied results stay, which slot each takes and so which one
// is "best" depend on the order results are offered in: eviction takes the
// first slot holding the smallest score, best is the first slot holding the
// largest, and slot order is not test order.

#include <array>

namespace brisca {

inline constexpr int kKeptResults = 10;

class KeepTen {
 public:
  struct Entry {
    int testNumber = 0;
    float score = 0.0f;
  };

  //! A result with this score would be kept now (and so possibly later).
  bool WouldKeep(float score) const { return count_ < kKeptResults || score > worstScore_; }
  //! Replaces the worst of ten kept only when strictly better, else takes the
  //! next free slot. Returns the slot used, or −1 when dropped.
  int Offer(float score, int testNumber);
  void Clear() { *this = KeepTen(); }

  int Count() const { return count_; }
  const Entry& At(int slot) const { return slots_.at(slot); }
  int BestSlot() const { return bestSlot_; }
  int WorstSlot() const { return worstSlot_; }
  float BestScore() const { return bestScore_; }
  float WorstScore() const { return worstScore_; }

 private:
  void RecomputeBestWorst();

  std::array<Entry, kKeptResults> slots_{};
  int count_ = 0;
  int bestSlot_ = -1;
  int worstSlot_ = -1;
  float bestScore_ = 0.0f;
  float worstScore_ = 0.0f;
};

}  // namespace brisca
