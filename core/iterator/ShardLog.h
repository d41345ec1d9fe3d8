#pragma once
// What one shard of a test series keeps: every result its own keeper admitted
// (test number and score, in test order), the tests it ran and its failures.
//
// A result the whole series admits beats the tenth best of all earlier tests,
// so it also beats the tenth best of its own shard's earlier tests: the union
// of the shards' admission logs holds every admission of the whole series.
// Replayed in test order through the same keeper it gives the whole series'
// slots, best and worst, whichever tests each shard ran - as long as each
// shard's keeper saw its tests in rising order.

#include <cstdint>
#include <map>
#include <vector>

#include "core/iterator/Iterator.h"
#include "core/iterator/KeepTen.h"

namespace brisca {

//! A shard's progress and log.
struct ShardState {
  std::int64_t lastTest = 0;  //!< every test up to this one was run or is another shard's
  std::int64_t testsRun = 0;
  int failures = 0;
  int firstFailedTest = 0;  //!< 0: none failed
  int firstFailureCode = 0;
  //! Failed tests by failure code. Records of older versions hold no counts:
  //! the failures beyond their sum have no known reason (UncountedFailures).
  std::map<int, int> failureCounts;
  std::vector<KeepTen::Entry> admissions;  //!< in test order

  bool operator==(const ShardState&) const = default;
};

//! The failures of `state` whose reason is not counted (0 for any state this
//! version wrote).
int UncountedFailures(const ShardState& state);

inline bool operator==(const KeepTen::Entry& a, const KeepTen::Entry& b) {
  return a.testNumber == b.testNumber && a.score == b.score;
}

//! A shard's keeper: commits outcomes in rising test order and logs admissions.
class ShardKeeper {
 public:
  //! Counts the test and offers a successful result; true when admitted.
  bool Commit(const TestOutcome& outcome);
  //! Notes that every test up to `test` has been dealt with.
  void PassTo(std::int64_t test);
  //! Takes over a saved state, replaying its admissions. False when the log
  //! cannot be what this keeper wrote (out of order, or an entry not admitted).
  bool Restore(const ShardState& state);

  const ShardState& State() const { return state_; }
  const KeepTen& Keeper() const { return keeper_; }

 private:
  KeepTen keeper_;
  ShardState state_;
};

//! The shard a test belongs to when a series is cut into `shards` shards:
//! blocks of kShardBlock consecutive tests dealt out in turn, so every shard
//! gets tests from the whole series. 1-based.
inline constexpr std::int64_t kShardBlock = 16;
int ShardOfTest(std::int64_t test, int shards);

}  // namespace brisca
