#include "cli/ShardMergeRun.h"

#include <cstdio>
#include <filesystem>

#include "cli/KeptResults.h"

namespace brisca::cli {

MergedPhase ReplayRecord(const ShardRecord& record) {
  MergedPhase m;
  m.state = record.state;
  for (const KeepTen::Entry& e : record.state.admissions) m.keeper.Offer(e.score, e.testNumber);
  return m;
}

bool CheckFingerprint(const ShardFingerprint& expected, const ShardFingerprint& here,
                      std::string& error) {
  if (expected == here) return true;
  const char* what = expected.build != here.build     ? "build"
                     : expected.engine != here.engine ? "engine file"
                     : expected.setup != here.setup   ? "setup"
                     : expected.maps != here.maps     ? "compressor map files"
                     : expected.probe != here.probe   ? "probe score"
                                                      : "phase-1 record";
  error = std::string("the parts do not fit this machine's series: the ") + what + " differs";
  return false;
}

bool MergePhase(SeriesSession& s, int phase, const std::vector<const ShardState*>& logs,
                const ShardRecord* phase1, const ShardFingerprint& fingerprint,
                MergedResult& result, std::string& error) {
  result.phase = phase;
  if (!MergeLogs(logs, result.merged, error)) return false;
  Iterator& series = phase == 1 ? s.phase1 : s.phase2;
  if (!RebuildKept(series, result.merged, error)) return false;
  result.results = &series;
  result.failureCounts = result.merged.state.failureCounts;
  result.uncountedFailures = UncountedFailures(result.merged.state);
  if (phase == 2) {
    // As one machine tells them: both phases' failures together.
    const ShardState& p1 = phase1->state;
    for (const auto& [code, count] : p1.failureCounts) result.failureCounts[code] += count;
    result.uncountedFailures += UncountedFailures(p1);
    if (s.phase2.KeptCount() == 0) {
      // As on one machine: phase 1's results count when phase 2 kept nothing.
      if (s.phase1.KeptCount() == 0 && !RebuildKept(s.phase1, ReplayRecord(*phase1), error)) {
        return false;
      }
      result.results = &s.phase1;
    }
  }
  ShardRecord& r = result.record;
  r.kind = ShardRecordKind::Merged;
  r.fingerprint = fingerprint;
  r.series = s.source;
  r.phase = phase;
  r.shard = r.shards = 0;
  r.total = series.TotalTests();
  r.complete = true;
  r.state = result.merged.state;
  r.state.lastTest = r.total;
  return true;
}

bool WriteMergedResult(const SeriesSession& s, const MergedResult& result, const std::string& dir,
                       json::Json* document) {
  PrintFailures(result.failureCounts, result.uncountedFailures);
  const bool phase2Kept = result.phase == 2 && result.results == &s.phase2;
  if (!ReportKeptResults(*result.results, s.engine->doc, ShownSlots(s.phase1, s.phase2, result.phase == 2),
                         phase2Kept ? &s.phase2 : nullptr, dir, document)) {
    return false;
  }
  const std::filesystem::path record =
      std::filesystem::path(dir) / ("merged-phase" + std::to_string(result.phase) + ".json");
  std::string error;
  if (!WriteShardRecord(record, result.record, error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return false;
  }
  if (document) {
    (*document)["record"] = record.string();
  } else {
    std::printf("merged record written to %s\n", record.string().c_str());
  }
  return true;
}

}  // namespace brisca::cli
