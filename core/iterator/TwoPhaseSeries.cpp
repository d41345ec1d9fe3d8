#include "core/iterator/TwoPhaseSeries.h"

#include "core/iterator/QuickPresets.h"

namespace brisca {

TwoPhaseSeries::TwoPhaseSeries(Iterator& phase1, Iterator& phase2, bool dualPhase, int threads)
    : phase1_(phase1), phase2_(phase2), dual_(dualPhase), threads_(threads) {
  if (phase1_.IsFinished() && dual_ && phase2_.TestsDone() > 0) phase_ = 2;
}

void TwoPhaseSeries::RequestStop() {
  stop_.store(true);
  std::lock_guard lock(runnerMutex_);
  if (runner_) runner_->RequestStop();
}

bool TwoPhaseSeries::IsFinished() const {
  return phase1_.IsFinished() && (!dual_ || (phase_ == 2 && phase2_.IsFinished()));
}

const Iterator& TwoPhaseSeries::ResultPhase() const {
  return phase2_.KeptCount() > 0 ? phase2_ : phase1_;
}

bool TwoPhaseSeries::Run(int& code, const ProgressFn& progress) {
  stop_.store(false);
  if (!phase1_.Validate(code)) return false;
  if (dual_ && phase_ == 1 && !phase2_.Validate(code)) return false;
  if (phase1_.TestsDone() == 0 && !phase1_.IsFinished()) phase1_.Prepare();

  auto runPhase = [&](Iterator& it) {
    IteratorRunner runner(it, threads_);
    {
      std::lock_guard lock(runnerMutex_);
      runner_ = &runner;
      if (stop_.load()) runner.RequestStop();
    }
    runner.Run([&](const IteratorProgress& p) {
      if (!progress) return;
      Progress all;
      all.phase = phase_;
      all.total = phase1_.TotalTests() + (dual_ ? phase2_.TotalTests() : 0);
      all.done = phase_ == 1 ? p.done : phase1_.TestsDone() + p.done;
      all.failed = phase_ == 1 ? p.failed : phase1_.FailedTests() + p.failed;
      all.kept = p.kept;
      all.last = p.last;
      progress(all);
    });
    std::lock_guard lock(runnerMutex_);
    runner_ = nullptr;
  };

  if (phase_ == 1) {
    runPhase(phase1_);
    if (!phase1_.IsFinished() || !dual_ || stop_.load()) return true;
    if (!BeginPhase2(phase1_, phase2_, code)) return false;
    phase_ = 2;
  }
  if (!stop_.load()) runPhase(phase2_);
  return true;
}

}  // namespace brisca
