#pragma once
// Telling the user about the tests of a series that fail: how many will fail
// before it runs (values outside their parameters' limits), and afterwards how
// many failed, by reason. A large series can fail thousands of tests, so each
// is told as one message with counts, never one message per test.

#include <cstdint>
#include <map>
#include <string>

namespace brisca {

class Iterator;

//! Question: "… lie outside the limits … Run the series anyway?" (Yes/No).
constexpr int kOutsideLimitsQuestion = 331;
//! Notice: "Tests that failed, by reason: …".
constexpr int kFailureReasonsNotice = 332;
//! Notice: "… lie outside the limits …" (where nobody can be asked).
constexpr int kOutsideLimitsNotice = 333;

//! "12 of the 81 tests" (`phase` > 0: "… of phase 2").
std::string OutsideLimitsDetail(std::int64_t outside, std::int64_t total, int phase = 0);

//! The failures of both phases together, by code.
std::map<int, int> FailureCounts(const Iterator& phase1, const Iterator& phase2);

//! One line per reason, the most frequent first:
//! "46875 tests: Error 53 (Valid IVO value Required)". `uncounted` failures
//! (told by shard records of an older version, which kept no reasons) get a
//! last line of their own rather than a guessed reason.
std::string FailureReasonsDetail(const std::map<int, int>& counts, int uncounted = 0);

//! Shows notice 332 with `counts` (nothing when there are no failures).
void ReportFailureReasons(const std::map<int, int>& counts, int uncounted = 0);

}  // namespace brisca
