#pragma once
// Runs a prepared test series on a pool of worker threads. Each worker owns a
// working copy of the engine for each test it runs side by side (two, their
// crank loops interleaved); combinations are handed out in odometer order
// and the outcomes are committed to the result slots strictly in test-number
// order, so the kept results, their test numbers and scores are exactly those
// of a one-thread run.
//
//   dispatch (lock):  odometer -> test 1 2 3 4 5 ...      up to two a worker
//   workers:          [w1: 1+2][w2: 3+4][w1: 5+6] ...     any finishing order
//   pending:          {4: done, 3: running} -> waits for 3
//   commit (lock):    while pending holds nextCommit: Commit(nextCommit++)
//   => slots see 1, 2, 3, 4, ... exactly as Step() would feed them
//
// The look-ahead is bounded: a worker takes test N only while
// N − nextCommit < LookAhead() (a small multiple of the threads), so a slow
// test keeps at most that many finished ones waiting in memory.
//
// Stop takes effect after the tests in flight (at most LookAhead() of them):
// Run returns with every handed-out test committed, so a later Run resumes
// with the next combination.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>

#include "core/iterator/Iterator.h"
#include "core/sim/SimResults.h"

namespace brisca {

//! Flywheel power and torque of one tested engine over its sweep.
struct TestCurve {
  int count = 0;           //!< points in use; 0 when the test failed
  ResultArray rpm{};       //!< [rpm]
  ResultArray power{};     //!< [HP]
  ResultArray torque{};    //!< [lb-ft]
  float score = 0.0f;      //!< by the series' criterion [criterion unit]
};

//! The displayed results of `engine` as a curve (count 0 when it has none).
TestCurve CurveOf(const CVexoDoc& engine);

//! What a progress callback learns after each committed test.
struct IteratorProgress {
  std::int64_t done = 0;    //!< tests committed
  std::int64_t total = 0;   //!< tests of the series
  int failed = 0;           //!< tests whose engine failed validation or the run
  bool kept = false;        //!< this test's result went into a slot
  std::int64_t issued = 0;  //!< tests handed out: done + in flight
  int testNumber = 0;       //!< the test just committed (1-based)
  TestCurve last;           //!< that test's curve: the last committed test
};

//! Tests a worker may run ahead of the next commit, per thread.
inline constexpr int kLookAheadPerThread = 2;

class IteratorRunner {
 public:
  //! Called after each commit, on a worker thread, one call at a time.
  using ProgressFn = std::function<void(const IteratorProgress&)>;

  //! `threads` ≤ 0 uses every hardware thread.
  explicit IteratorRunner(Iterator& iterator, int threads = 0);

  //! Runs the prepared series until it finishes or a stop is requested. True
  //! when the series is finished.
  bool Run(const ProgressFn& progress = {});
  //! Thread-safe, also before Run; the tests in flight still complete and
  //! commit. A stop ends one Run only.
  void RequestStop() { stop_.store(true); }
  bool StopRequested() const { return stop_.load(); }
  int Threads() const { return threads_; }
  //! Tests that may be handed out beyond the next one to commit.
  int LookAhead() const;

  //! Hardware threads, at least 1.
  static int DefaultThreads();

 private:
  Iterator& iterator_;
  int threads_;
  std::atomic<bool> stop_{false};
};

}  // namespace brisca
