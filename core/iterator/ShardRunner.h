#pragma once
// Runs part of a prepared test series - the tests a shard owns - on a pool of
// worker threads, committing the outcomes to the shard's keeper strictly in
// test order, as IteratorRunner does for a whole series. The series' own
// result slots are left alone: a shard keeps only its admission log.
//
// A runner goes forward only: each RunThrough continues after the tests the
// last one dealt with, so blocks of tests handed out in rising order may be
// run one after another, and a shard resumed from a saved state skips what
// that state covers.

#include <atomic>
#include <cstdint>
#include <functional>

#include "core/iterator/ShardLog.h"
#include "core/sim/induction/CompressorMap.h"

namespace brisca {

class ShardRunner {
 public:
  //! Whether the shard runs `test`.
  using OwnsFn = std::function<bool(std::int64_t test)>;
  //! After each commit, on a worker thread, one call at a time.
  using CommitFn = std::function<void(const ShardState&)>;

  //! `series` must be set up and prepared, and must not run elsewhere.
  //! `threads` ≤ 0 uses every hardware thread.
  ShardRunner(Iterator& series, int threads);

  //! Before the first run: continues from `state` (false, nothing changed,
  //! when the state cannot belong to this series).
  bool Resume(const ShardState& state);
  //! Runs the owned tests up to `last` (at most the series' total). True when
  //! every one was committed; false after a stop, with every test handed out
  //! committed, so the next call resumes with the next one.
  bool RunThrough(std::int64_t last, const OwnsFn& owns, const CommitFn& commit = {});
  //! Thread-safe; takes effect after the tests in flight.
  void RequestStop() { stop_.store(true); }

  const ShardState& State() const { return keeper_.State(); }
  //! Tests enumerated so far (owned or not).
  std::int64_t Cursor() const { return cursor_; }

 private:
  void SkipTo(std::int64_t test);

  Iterator& series_;
  int threads_;
  CompressorMapSupply maps_;
  ShardKeeper keeper_;
  std::int64_t cursor_ = 0;  //!< the last test taken from the odometer
  std::atomic<bool> stop_{false};
};

}  // namespace brisca
