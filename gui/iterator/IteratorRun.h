#pragma once
// A two-phase test series running off the user-interface thread, seen by its
// window only through snapshots.
//
//   UI thread                      controller thread       worker threads
//   Start() ---------------------> TwoPhaseSeries::Run --> IteratorRunner workers
//   QTimer: Snapshot() (lock) <---------------------------- progress: Capture (lock)
//   RequestStop() ---------------> the tests in flight finish and commit
//   Snapshot().running == false -> Join(): the iterators are the window's again
//
// While a run is going the window never touches the iterators: the progress
// callback is called under the runner's lock, copies what the window shows
// into the snapshot under the snapshot's own lock, and the window reads that
// copy. Destroying a run stops it and joins every thread first.

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

#include "core/iterator/Iterator.h"
#include "core/iterator/IteratorRunner.h"

namespace brisca {

class TwoPhaseSeries;

//! What an iterator window shows of a series.
struct RunSnapshot {
  bool running = false;
  int phase = 1;                  //!< the phase current: 1 or 2
  std::int64_t done = 0;          //!< "Completed Sims:": phase 1, plus phase 2 while it runs
  std::int64_t total = 0;         //!< "Total Simulations:": both phases' totals
  int percent = 0;                //!< the current phase's progress
  int failed = 0;                 //!< failed tests, both phases
  bool tested = false;            //!< the current phase has done a test
  int criterion = kPeakPower;     //!< of the current phase
  float baselineScore = 0.0f;     //!< of the user's engine (phase 1's baseline)
  float phaseStartScore = 0.0f;   //!< of the current phase's baseline (phase 2: phase 1's best)
  int keptCount = 0;              //!< of the current phase
  float bestScore = 0.0f;
  float worstScore = 0.0f;
  std::array<float, kIteratorResults> scores{};   //!< kept scores by slot
  std::array<bool, kIteratorResults> keep{};      //!< keep flags by slot
  std::array<TestCurve, kIteratorResults> kept;   //!< kept engines' curves by slot
  TestCurve baseline;             //!< the user's engine (phase 1's baseline)
  TestCurve best;                 //!< the current phase's best engine (count 0: none)
  TestCurve last;                 //!< the last committed test (count 0: none or failed)
  std::int64_t commits = 0;       //!< committed tests seen by this run
};

//! Fills `snapshot` from the two phases; `phase` is the current one. `last`
//! and `commits` are left alone. The iterators must not change meanwhile.
void CaptureSnapshot(const Iterator& phase1, const Iterator& phase2, int phase, bool dual,
                     RunSnapshot& snapshot);

class IteratorRun {
 public:
  IteratorRun(Iterator& phase1, Iterator& phase2, bool dual, int threads = 0);
  //! Stops and joins.
  ~IteratorRun();
  IteratorRun(const IteratorRun&) = delete;
  IteratorRun& operator=(const IteratorRun&) = delete;

  //! Starts the controller thread. The iterators belong to it until Join.
  void Start();
  //! Thread-safe; the tests in flight finish and commit.
  void RequestStop();
  //! A copy of the latest snapshot (thread-safe).
  RunSnapshot Snapshot() const;
  //! Waits for the run's end (after RequestStop, or once Snapshot says it is
  //! over). Afterwards the iterators are free again.
  void Join();
  bool Joinable() const { return thread_.joinable(); }
  //! After Join: the phase current at the end, and the error that ended the
  //! run early (0 none: validation or the start of phase 2).
  int Phase() const { return phase_; }
  int ErrorCode() const { return code_; }

 private:
  void Main();

  Iterator& phase1_;
  Iterator& phase2_;
  bool dual_;
  //! A stop asked for before the series began listening is passed on at its first commit.
  std::atomic<bool> stop_{false};
  std::unique_ptr<TwoPhaseSeries> series_;
  mutable std::mutex mutex_;  //!< the snapshot
  RunSnapshot snapshot_;
  std::thread thread_;
  int phase_ = 1;
  int code_ = 0;
};

}  // namespace brisca
