#pragma once
// A phase-1 series followed, when asked, by a phase-2 series around phase 1's
// best engine, run by IteratorRunner. Stop and Run again resume where the
// series stood; neither phase starts over.

#include <atomic>
#include <cstdint>
#include <mutex>

#include "core/iterator/IteratorRunner.h"

namespace brisca {

class TwoPhaseSeries {
 public:
  //! Progress over both phases: tests done of phase 1 (and 2 once it runs).
  struct Progress {
    int phase = 1;               //!< the phase running, 1 or 2
    std::int64_t done = 0;       //!< tests committed, both phases
    std::int64_t total = 0;      //!< phase-1 total + phase-2 total
    int failed = 0;              //!< failed tests, both phases
    bool kept = false;           //!< the test just committed went into a slot
    TestCurve last;              //!< that test's curve (count 0 when it failed)
  };
  //! Called after each committed test, on a worker thread, one call at a time,
  //! while the running phase's iterator is locked: the callback may read both
  //! iterators but must not call back into the series.
  using ProgressFn = std::function<void(const Progress&)>;

  //! Both phases must be set up; phase 2 only runs with `dualPhase`.
  TwoPhaseSeries(Iterator& phase1, Iterator& phase2, bool dualPhase, int threads = 0);

  //! Validates (phase 2 too with dual phase), prepares a phase that has done no
  //! test, then runs until everything is finished or Stop. False with `code`
  //! when validation or the start of phase 2 failed.
  bool Run(int& code, const ProgressFn& progress = {});
  //! Thread-safe; takes effect after the tests in flight.
  void RequestStop();
  bool IsFinished() const;
  //! The phase whose results count: phase 2 once it kept anything.
  const Iterator& ResultPhase() const;
  int CurrentPhase() const { return phase_; }

 private:
  Iterator& phase1_;
  Iterator& phase2_;
  bool dual_;
  int threads_;
  int phase_ = 1;
  std::atomic<bool> stop_{false};
  std::mutex runnerMutex_;              //!< guards runner_ against its end
  IteratorRunner* runner_ = nullptr;    //!< the phase running, if any
};

}  // namespace brisca
