#include "core/iterator/ShardRunner.h"

#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

#include "core/document/VexoDoc.h"
#include "core/iterator/IteratorRunner.h"

namespace brisca {

ShardRunner::ShardRunner(Iterator& series, int threads)
    : series_(series), threads_(threads > 0 ? threads : IteratorRunner::DefaultThreads()) {
  if (series_.Baseline()) maps_ = series_.Baseline()->ReadCompressorMap();
}

bool ShardRunner::Resume(const ShardState& state) {
  if (cursor_ != 0 || state.lastTest > series_.TotalTests()) return false;
  if (!keeper_.Restore(state)) return false;
  SkipTo(state.lastTest);
  return true;
}

void ShardRunner::SkipTo(std::int64_t test) {
  TestPoint point;
  while (cursor_ < test && series_.NextTest(point)) cursor_ = point.testNumber;
}

bool ShardRunner::RunThrough(std::int64_t last, const OwnsFn& owns, const CommitFn& commit) {
  if (last > series_.TotalTests()) last = series_.TotalTests();
  std::mutex mutex;  // the series' odometer, the keeper, inFlight, done
  std::condition_variable committed;
  std::deque<int> inFlight;         // owned tests handed out, in test order
  std::map<int, TestOutcome> done;  // evaluated, waiting for their turn
  const std::size_t lookAhead = static_cast<std::size_t>(kLookAheadPerThread * threads_);

  auto worker = [&] {
    CVexoDoc work(nullptr);
    TestPoint point;
    for (;;) {
      {
        std::unique_lock lock(mutex);
        committed.wait(lock, [&] { return stop_.load() || inFlight.size() < lookAhead; });
        bool found = false;
        while (!stop_.load() && cursor_ < last && series_.NextTest(point)) {
          cursor_ = point.testNumber;
          if (owns(cursor_)) {
            found = true;
            break;
          }
        }
        if (!found) return;
        inFlight.push_back(point.testNumber);
      }
      const TestOutcome outcome = series_.Evaluate(work, point, maps_);

      std::lock_guard lock(mutex);
      done.emplace(outcome.testNumber, outcome);
      while (!inFlight.empty()) {
        auto it = done.find(inFlight.front());
        if (it == done.end()) break;
        keeper_.Commit(it->second);
        done.erase(it);
        inFlight.pop_front();
        if (commit) commit(keeper_.State());
      }
      committed.notify_all();
    }
  };

  std::vector<std::thread> pool;
  pool.reserve(threads_);
  for (int i = 0; i < threads_; ++i) pool.emplace_back(worker);
  for (std::thread& t : pool) t.join();
  const bool stopped = stop_.exchange(false);
  if (stopped) return false;
  // Tests past the last owned one up to `last` belong to other shards.
  keeper_.PassTo(last);
  return true;
}

}  // namespace brisca
