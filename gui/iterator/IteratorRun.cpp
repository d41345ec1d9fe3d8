#include "gui/iterator/IteratorRun.h"

#include "core/document/VexoDoc.h"
#include "core/iterator/TwoPhaseSeries.h"

namespace brisca {

void CaptureSnapshot(const Iterator& phase1, const Iterator& phase2, int phase, bool dual,
                     RunSnapshot& s) {
  const Iterator& current = phase == 2 ? phase2 : phase1;
  s.phase = phase;
  s.total = phase1.TotalTests() + (dual ? phase2.TotalTests() : 0);
  s.done = phase1.TestsDone() + (phase == 2 ? phase2.TestsDone() : 0);
  s.percent = current.ProgressPercent();
  s.failed = phase1.FailedTests() + (phase == 2 ? phase2.FailedTests() : 0);
  s.tested = current.TestsDone() > 0;
  s.criterion = current.GetCriterion();
  // The gain is told against the user's engine, phase 1's baseline, also
  // while phase 2 searches around phase 1's best.
  s.baselineScore = phase1.BaselineScore();
  s.phaseStartScore = current.BaselineScore();
  s.keptCount = current.KeptCount();
  s.bestScore = current.BestScore();
  s.worstScore = current.WorstScore();
  for (int i = 0; i < kIteratorResults; ++i) {
    const bool held = i < current.KeptCount();
    s.scores[i] = held ? current.Result(i).score : 0.0f;
    s.keep[i] = held && current.Result(i).keep;
    s.kept[i] = held ? CurveOf(*current.Result(i).engine) : TestCurve{};
  }
  s.baseline = phase1.Baseline() ? CurveOf(*phase1.Baseline()) : TestCurve{};
  s.best = current.BestEngine() ? CurveOf(*current.BestEngine()) : TestCurve{};
}

IteratorRun::IteratorRun(Iterator& phase1, Iterator& phase2, bool dual, int threads)
    : phase1_(phase1),
      phase2_(phase2),
      dual_(dual),
      series_(std::make_unique<TwoPhaseSeries>(phase1, phase2, dual, threads)) {
  phase_ = series_->CurrentPhase();
  CaptureSnapshot(phase1_, phase2_, phase_, dual_, snapshot_);
}

IteratorRun::~IteratorRun() {
  RequestStop();
  Join();
}

void IteratorRun::Start() {
  if (thread_.joinable()) return;
  {
    std::lock_guard lock(mutex_);
    snapshot_.running = true;
  }
  thread_ = std::thread([this] { Main(); });
}

void IteratorRun::Main() {
  int code = 0;
  const bool ok = series_->Run(code, [this](const TwoPhaseSeries::Progress& p) {
    // Called under the runner's lock: the iterators hold still while read.
    if (stop_.load()) series_->RequestStop();
    RunSnapshot next;
    {
      std::lock_guard lock(mutex_);
      next.last = snapshot_.last;
      next.commits = snapshot_.commits;
    }
    CaptureSnapshot(phase1_, phase2_, p.phase, dual_, next);
    next.running = true;
    next.last = p.last;
    ++next.commits;
    std::lock_guard lock(mutex_);
    snapshot_ = std::move(next);
  });
  // The series is over: nothing else touches the iterators now.
  phase_ = series_->CurrentPhase();
  code_ = ok ? 0 : code;
  RunSnapshot end;
  {
    std::lock_guard lock(mutex_);
    end.last = snapshot_.last;
    end.commits = snapshot_.commits;
  }
  CaptureSnapshot(phase1_, phase2_, phase_, dual_, end);
  end.running = false;
  std::lock_guard lock(mutex_);
  snapshot_ = std::move(end);
}

void IteratorRun::RequestStop() {
  stop_.store(true);
  series_->RequestStop();
}

RunSnapshot IteratorRun::Snapshot() const {
  std::lock_guard lock(mutex_);
  return snapshot_;
}

void IteratorRun::Join() {
  if (thread_.joinable()) thread_.join();
}

}  // namespace brisca
