#include "core/iterator/ShardMerge.h"

#include <algorithm>
#include <map>
#include <memory>

#include "core/document/VexoDoc.h"
#include "core/sim/induction/CompressorMap.h"

namespace brisca {

bool MergeLogs(const std::vector<const ShardState*>& logs, MergedPhase& merged,
               std::string& error) {
  std::vector<KeepTen::Entry> all;
  MergedPhase out;
  for (const ShardState* log : logs) {
    all.insert(all.end(), log->admissions.begin(), log->admissions.end());
    out.state.lastTest = std::max(out.state.lastTest, log->lastTest);
    out.state.testsRun += log->testsRun;
    out.state.failures += log->failures;
    for (const auto& [code, count] : log->failureCounts) out.state.failureCounts[code] += count;
    if (log->failures > 0 &&
        (out.state.firstFailedTest == 0 || log->firstFailedTest < out.state.firstFailedTest)) {
      out.state.firstFailedTest = log->firstFailedTest;
      out.state.firstFailureCode = log->firstFailureCode;
    }
  }
  std::sort(all.begin(), all.end(), [](const KeepTen::Entry& a, const KeepTen::Entry& b) {
    return a.testNumber < b.testNumber;
  });
  for (std::size_t i = 0; i < all.size(); ++i) {
    if (i > 0 && all[i].testNumber == all[i - 1].testNumber) {
      error = "test " + std::to_string(all[i].testNumber) + " was run by two shards";
      return false;
    }
    if (out.keeper.Offer(all[i].score, all[i].testNumber) >= 0)
      out.state.admissions.push_back(all[i]);
  }
  merged = std::move(out);
  return true;
}

std::int64_t ShardTestCount(std::int64_t total, int shard, int shards) {
  const std::int64_t round = kShardBlock * shards;
  const std::int64_t full = total / round;
  const std::int64_t rest = total % round;
  const std::int64_t before = kShardBlock * (shard - 1);
  return full * kShardBlock + std::clamp<std::int64_t>(rest - before, 0, kShardBlock);
}

namespace {

// Which input differs, named as the part `p` names it.
std::string FingerprintDifference(const ShardRecord& p, const ShardFingerprint& b) {
  const ShardFingerprint& a = p.fingerprint;
  auto named = [](const char* what, const std::string& path) {
    return path.empty() ? std::string(what) : std::string(what) + " " + path;
  };
  if (a.build != b.build) return "build";
  if (a.engine != b.engine) return named("engine file", p.series.engine);
  if (a.setup != b.setup) return p.series.setup.empty() ? "setup" : named("setup", p.series.setup);
  if (a.maps != b.maps) return "compressor map files";
  if (a.probe != b.probe) return "probe score";
  return named("phase-1 record", p.series.from);
}

// Where the parts' files lie does not matter (each node may stage its own
// copies): their digests are in the fingerprint. Only the search itself must agree.
const char* SeriesDifference(const ShardRecord& p, const ShardRecord& first) {
  if (p.series.preset != first.series.preset) return "preset";
  if (p.phase != first.phase) return "phase";
  if (p.total != first.total) return "number of tests";
  if (p.shards != first.shards) return "number of shards";
  return nullptr;
}

}  // namespace

bool CheckParts(const std::vector<ShardRecord>& parts, const std::vector<std::string>& names,
                std::string& error) {
  if (parts.empty()) {
    error = "no parts to merge";
    return false;
  }
  const ShardRecord& first = parts[0];
  std::map<int, std::size_t> seen;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const ShardRecord& p = parts[i];
    const std::string& name = names[i];
    if (p.kind != ShardRecordKind::Part) {
      error = name + " is a merged record, not a shard's part";
      return false;
    }
    if (!p.complete) {
      error = name + " is not finished: it is the saved progress of a running shard";
      return false;
    }
    if (!(p.fingerprint == first.fingerprint)) {
      error = name + " belongs to another series than " + names[0] + " (its " +
              FingerprintDifference(p, first.fingerprint) + " differs)";
      return false;
    }
    if (const char* differs = SeriesDifference(p, first)) {
      error = name + " belongs to another series than " + names[0] + " (its " + differs +
              " differs)";
      return false;
    }
    if (auto [it, fresh] = seen.emplace(p.shard, i); !fresh) {
      error =
          name + " is shard " + std::to_string(p.shard) + " again (as " + names[it->second] + ")";
      return false;
    }
    const auto foreignTest = std::find_if(
        p.state.admissions.begin(), p.state.admissions.end(),
        [&](const KeepTen::Entry& e) { return ShardOfTest(e.testNumber, p.shards) != p.shard; });
    if (foreignTest != p.state.admissions.end() ||
        (p.state.failures > 0 && ShardOfTest(p.state.firstFailedTest, p.shards) != p.shard)) {
      error = name + " is damaged: it logs a test of another shard";
      return false;
    }
    if (p.state.testsRun != ShardTestCount(p.total, p.shard, p.shards)) {
      error = name + " is damaged: shard " + std::to_string(p.shard) + " has " +
              std::to_string(ShardTestCount(p.total, p.shard, p.shards)) + " tests, it ran " +
              std::to_string(p.state.testsRun);
      return false;
    }
  }
  for (int k = 1; k <= first.shards; ++k) {
    if (!seen.count(k)) {
      error = "shard " + std::to_string(k) + " of " + std::to_string(first.shards) + " is missing";
      return false;
    }
  }
  return true;
}

TestOutcome EvaluateTest(const Iterator& series, int testNumber, CVexoDoc& work) {
  Iterator walk(series);
  walk.Prepare();  // from the first combination, whatever `series` ran
  TestPoint point;
  while (walk.NextTest(point) && point.testNumber < testNumber) {
  }
  if (point.testNumber != testNumber) return TestOutcome{testNumber, false, 0, 0.0f};
  return series.Evaluate(work, point);
}

bool RebuildKept(Iterator& series, const MergedPhase& merged, std::string& error) {
  // The tests that end up kept, by test number.
  std::map<int, std::unique_ptr<CVexoDoc>> engines;
  for (int i = 0; i < merged.keeper.Count(); ++i) engines[merged.keeper.At(i).testNumber];
  // One walk of the odometer evaluates them all.
  Iterator walk(series);
  walk.Prepare();
  const CompressorMapSupply maps = series.Baseline()->ReadCompressorMap();
  TestPoint point;
  auto next = engines.begin();
  while (next != engines.end() && walk.NextTest(point)) {
    if (point.testNumber != next->first) continue;
    next->second = std::make_unique<CVexoDoc>(nullptr);
    const TestOutcome outcome = series.Evaluate(*next->second, point, maps);
    const auto logged =
        std::find_if(merged.state.admissions.begin(), merged.state.admissions.end(),
                     [&](const KeepTen::Entry& e) { return e.testNumber == point.testNumber; });
    if (!outcome.ok || logged == merged.state.admissions.end() ||
        !(outcome.score == logged->score)) {
      error = "test " + std::to_string(point.testNumber) +
              " does not give its logged score here: the parts come from another build or machine";
      return false;
    }
    ++next;
  }
  if (next != engines.end()) {
    error = "test " + std::to_string(next->first) + " is not a test of this series";
    return false;
  }
  // Results evicted later hold any engine meanwhile: the baseline's.
  const EngineParameters& standIn = series.Baseline()->Engine();
  for (const KeepTen::Entry& e : merged.state.admissions) {
    auto it = engines.find(e.testNumber);
    series.OfferResult(e.score, e.testNumber,
                       it != engines.end() ? it->second->Engine() : standIn);
  }
  return true;
}

}  // namespace brisca
