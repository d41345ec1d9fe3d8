#include "core/iterator/ShardLog.h"

namespace brisca {

bool ShardKeeper::Commit(const TestOutcome& outcome) {
  ++state_.testsRun;
  PassTo(outcome.testNumber);
  if (!outcome.ok) {
    if (state_.failures++ == 0) {
      state_.firstFailedTest = outcome.testNumber;
      state_.firstFailureCode = outcome.failureCode;
    }
    ++state_.failureCounts[outcome.failureCode];
    return false;
  }
  if (keeper_.Offer(outcome.score, outcome.testNumber) < 0) return false;
  state_.admissions.push_back({outcome.testNumber, outcome.score});
  return true;
}

void ShardKeeper::PassTo(std::int64_t test) {
  if (test > state_.lastTest) state_.lastTest = test;
}

bool ShardKeeper::Restore(const ShardState& state) {
  KeepTen keeper;
  int previous = 0;
  for (const KeepTen::Entry& e : state.admissions) {
    if (e.testNumber <= previous || e.testNumber > state.lastTest) return false;
    if (keeper.Offer(e.score, e.testNumber) < 0) return false;
    previous = e.testNumber;
  }
  if (state.testsRun < 0 || state.testsRun > state.lastTest || state.failures < 0 ||
      state.failures > state.testsRun || (state.failures > 0) != (state.firstFailedTest > 0)) {
    return false;
  }
  std::int64_t counted = 0;
  for (const auto& [code, count] : state.failureCounts) {
    if (count < 1) return false;
    counted += count;
  }
  if (counted > state.failures) return false;
  keeper_ = keeper;
  state_ = state;
  return true;
}

int UncountedFailures(const ShardState& state) {
  int counted = 0;
  for (const auto& [code, count] : state.failureCounts) counted += count;
  return state.failures - counted;
}

int ShardOfTest(std::int64_t test, int shards) {
  return static_cast<int>(((test - 1) / kShardBlock) % shards) + 1;
}

}  // namespace brisca
