#include "core/iterator/IteratorRunner.h"

#include <array>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "core/document/VexoDoc.h"
#include "core/iterator/EvaluateTogether.h"
#include "core/sim/EngVexo.h"
#include "core/sim/induction/CompressorMap.h"

namespace brisca {
namespace {

//! An evaluated test waiting for its turn to commit.
struct Pending {
  TestOutcome outcome;
  TestCurve curve;
  std::unique_ptr<EngineParameters> engine;  //!< only when it could be kept
};

}  // namespace

TestCurve CurveOf(const CVexoDoc& engine) {
  const ResultSet& set = engine.Results();
  TestCurve curve;
  curve.count = set.count;
  curve.rpm = set.rpm;
  curve.power = set.power;
  curve.torque = set.torque;
  return curve;
}

IteratorRunner::IteratorRunner(Iterator& iterator, int threads)
    : iterator_(iterator), threads_(threads > 0 ? threads : DefaultThreads()) {}

int IteratorRunner::DefaultThreads() {
  const unsigned n = std::thread::hardware_concurrency();
  return n > 0 ? static_cast<int>(n) : 1;
}

int IteratorRunner::LookAhead() const { return kLookAheadPerThread * threads_; }

bool IteratorRunner::Run(const ProgressFn& progress) {
  std::mutex mutex;  // the iterator, pending, issued and nextCommit
  std::condition_variable committed;
  std::map<int, Pending> pending;
  int nextCommit = static_cast<int>(iterator_.TestsDone()) + 1;
  int issued = nextCommit - 1;
  const int lookAhead = LookAhead();
  // The compressor map is read once for the whole run and shared: a worker
  // reads no file and shows no message, a map error is its tests' failure code.
  const CompressorMapSupply maps =
      iterator_.Baseline() ? iterator_.Baseline()->ReadCompressorMap() : CompressorMapSupply{};

  // A worker takes up to EngVexo::kMaxTogether tests at a time and runs them
  // side by side (their crank loops interleaved), which gives each exactly
  // the result it has alone.
  constexpr int kTogether = EngVexo::kMaxTogether;
  auto worker = [&] {
    std::array<CVexoDoc, kTogether> works;
    std::array<CVexoDoc*, kTogether> workOf{};
    std::array<TestPoint, kTogether> points;
    std::array<TestOutcome, kTogether> outcomes;
    for (int j = 0; j < kTogether; ++j) workOf[j] = &works[j];
    for (;;) {
      std::size_t taken = 0;
      {
        std::unique_lock lock(mutex);
        // Test N is taken only while N − nextCommit < lookAhead: one slow test
        // holds back at most that many finished ones, and a stop waits for no
        // more than those. While the window is full, test nextCommit is being
        // evaluated, so its commit always reopens it.
        committed.wait(lock, [&] { return stop_.load() || issued + 1 - nextCommit < lookAhead; });
        while (taken < kTogether && !stop_.load() && issued + 1 - nextCommit < lookAhead &&
               iterator_.NextTest(points[taken])) {
          issued = points[taken++].testNumber;
        }
        if (taken == 0) return;
      }
      EvaluateTogether(iterator_, {workOf.data(), taken}, {points.data(), taken}, maps,
                       {outcomes.data(), taken});
      std::array<Pending, kTogether> results;
      for (std::size_t j = 0; j < taken; ++j) {
        results[j].outcome = outcomes[j];
        if (progress && outcomes[j].ok) {
          results[j].curve = CurveOf(works[j]);
          results[j].curve.score = outcomes[j].score;
        }
      }

      std::lock_guard lock(mutex);
      for (std::size_t j = 0; j < taken; ++j) {
        // The worst kept score only rises, so a result that cannot be kept now
        // never will be; only a possible keeper pays for a copy of its engine.
        if (results[j].outcome.ok && iterator_.WouldKeep(results[j].outcome.score)) {
          results[j].engine = std::make_unique<EngineParameters>(works[j].Engine());
        }
        pending.emplace(points[j].testNumber, std::move(results[j]));
      }
      for (auto it = pending.find(nextCommit); it != pending.end(); it = pending.find(nextCommit)) {
        const int slot = iterator_.Commit(it->second.outcome, it->second.engine.get());
        const Pending done = {it->second.outcome, it->second.curve, nullptr};
        pending.erase(it);
        ++nextCommit;
        if (progress) {
          IteratorProgress p;
          p.done = iterator_.TestsDone();
          p.total = iterator_.TotalTests();
          p.failed = iterator_.FailedTests();
          p.kept = slot >= 0;
          p.issued = issued;
          p.testNumber = done.outcome.testNumber;
          p.last = done.curve;
          progress(p);
        }
      }
      committed.notify_all();
    }
  };

  std::vector<std::thread> pool;
  pool.reserve(threads_);
  for (int i = 0; i < threads_; ++i) pool.emplace_back(worker);
  for (std::thread& t : pool) t.join();
  stop_.store(false);  // a stop ends this run only; the next Run resumes
  return iterator_.IsFinished() && iterator_.TestsDone() >= iterator_.TotalTests();
}

}  // namespace brisca
