#include "cli/ShardRun.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "cli/EngineLoader.h"
#include "cli/FailureReport.h"
#include "cli/OptionChecks.h"
#include "cli/SeriesSession.h"
#include "cli/json/JsonText.h"
#include "core/base/AtomicFile.h"
#include "core/base/ErrCode.h"
#include "core/base/FileError.h"
#include "core/iterator/ShardMerge.h"
#include "core/iterator/ShardRunner.h"

namespace brisca::cli {
namespace {

//! A saved progress this shard may resume from: same series, same shard.
bool Resumable(const ShardRecord& saved, const ShardRecord& shard) {
  return saved.kind == ShardRecordKind::Part && saved.fingerprint == shard.fingerprint &&
         saved.series == shard.series && saved.phase == shard.phase && saved.shard == shard.shard &&
         saved.shards == shard.shards && saved.total == shard.total;
}

// The checkpoint was checked before the work (CheckOutputFile): a path that
// cannot be looked at never reaches here.
bool CheckpointExists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::status(path, ec).type() != std::filesystem::file_type::not_found;
}

// A finished shard's checkpoint must go: the next run would take it up again.
// The result is written by now, so a failure is told but loses nothing.
bool RemoveCheckpoint(const std::string& path) {
  if (path.empty()) return true;
  std::error_code ec;
  std::filesystem::remove(path, ec);
  if (!ec) return true;
  NoteFailurePath(path);
  ReportErrorCode(kErrRemove, false, (path + ": " + ec.message()).c_str());
  return false;
}

}  // namespace

ShardSeries SourceOf(const IterateOptions& o) {
  ShardSeries s;
  s.engine = AbsolutePath(o.engine);
  s.preset = o.preset;
  s.setup = AbsolutePath(o.setup);
  s.dataDir = AbsolutePath(o.dataDir);
  s.from = AbsolutePath(o.from);
  return s;
}

bool ParseShard(const std::string& text, int& shard, int& shards) {
  int k = 0, n = 0;
  char tail = 0;
  if (std::sscanf(text.c_str(), "%d/%d%c", &k, &n, &tail) != 2 || k < 1 || n < 1 || k > n ||
      n > 1000000) {
    return false;
  }
  shard = k;
  shards = n;
  return true;
}

int RunShard(const std::string& shardText, const IterateOptions& options) {
  ShardRecord record;
  if (!ParseShard(shardText, record.shard, record.shards)) {
    ReportFailureText("iterate: --shard wants K/N with 1 <= K <= N, not \"" + shardText + "\"");
    return kExitUsage;
  }
  if (options.out.empty() || (options.phase == 2) != !options.from.empty()) {
    ReportFailureText("iterate: a shard needs --out, and --from exactly with --phase 2");
    return kExitUsage;
  }
  if (!CheckOutputFile(options.out)) return kExitEngineError;
  if (!options.checkpoint.empty() && !CheckOutputFile(options.checkpoint)) return kExitEngineError;
  SeriesSession session;
  if (!OpenSeries(SourceOf(options), session)) return kExitEngineError;
  Iterator* phase = &session.phase1;
  std::string fromDigest;
  if (options.phase == 2) {
    if (!session.dual) {
      ReportFailureText("iterate: this series has one phase only");
      return kExitUsage;
    }
    ShardRecord phase1;
    std::string error;
    if (!ReadPhase1Record(session, session.source.from, phase1, fromDigest, error)) {
      NoteFailurePath(options.from);
      ReportFailureText("iterate: " + error);
      return kExitEngineError;
    }
    KeepTen keeper;
    for (const KeepTen::Entry& e : phase1.state.admissions) keeper.Offer(e.score, e.testNumber);
    int code = kErrNoBaseline;
    if (keeper.BestSlot() < 0 ||
        !StartPhase2(session, keeper.At(keeper.BestSlot()).testNumber, code)) {
      ReportErrorCode(code);
      return kExitEngineError;
    }
    phase = &session.phase2;
  }

  record.kind = ShardRecordKind::Part;
  record.series = session.source;
  record.phase = options.phase;
  record.total = phase->TotalTests();
  record.fingerprint = FingerprintOf(session, *phase, fromDigest);

  ShardRunner runner(*phase, options.threads);
  // What a save killed before its rename left behind is of no use to anyone.
  RemoveStaleTemporaries(options.out);
  if (!options.checkpoint.empty()) RemoveStaleTemporaries(options.checkpoint);
  if (!options.checkpoint.empty() && CheckpointExists(options.checkpoint)) {
    ShardRecord saved;
    std::string error;
    if (!ReadShardRecord(options.checkpoint, saved, error)) {
      NoteFailurePath(options.checkpoint);
      ReportFailureText("iterate: checkpoint " + options.checkpoint + ": " + error);
      return kExitEngineError;
    }
    if (!Resumable(saved, record) || !runner.Resume(saved.state)) {
      NoteFailurePath(options.checkpoint);
      ReportFailureText("iterate: checkpoint " + options.checkpoint +
                        " belongs to another shard or series");
      return kExitEngineError;
    }
    std::fprintf(stderr, "resuming shard %d/%d after test %lld\n", record.shard, record.shards,
                 static_cast<long long>(saved.state.lastTest));
  }

  const int k = record.shard, n = record.shards;
  auto lastSave = std::chrono::steady_clock::now();
  bool saveFailed = false;
  const bool finished = runner.RunThrough(
      record.total, [k, n](std::int64_t t) { return ShardOfTest(t, n) == k; },
      [&](const ShardState& state) {
        if (options.checkpoint.empty()) return;
        const auto now = std::chrono::steady_clock::now();
        if (now - lastSave < std::chrono::duration<double>(options.checkpointSeconds)) return;
        lastSave = now;
        ShardRecord progress = record;
        progress.state = state;
        std::string error;
        if (!WriteShardRecord(options.checkpoint, progress, error) && !saveFailed) {
          saveFailed = true;
          std::fprintf(stderr, "iterate: %s\n", error.c_str());
        }
      });
  if (!finished) return kExitEngineError;

  record.state = runner.State();
  record.complete = true;
  std::string error;
  if (!WriteShardRecord(options.out, record, error)) {
    NoteFailurePath(options.out);
    ReportFailureText("iterate: " + error);
    return kExitEngineError;
  }
  // With JSON one object only: the checkpoint's removal failing makes it the failure's.
  if (options.format == "json") {
    if (!RemoveCheckpoint(options.checkpoint)) return kExitEngineError;
    json::Json document;
    document["schema"] = json::kSchemaVersion;
    document["ok"] = true;
    document["shard"] = k;
    document["shards"] = n;
    document["phase"] = record.phase;
    document["tests"] = record.state.testsRun;
    document["failed"] = record.state.failures;
    document["admitted"] = record.state.admissions.size();
    document["output"] = options.out;
    std::fputs(json::Text(document).c_str(), stdout);
  } else {
    std::printf("shard %d/%d of phase %d: %lld tests, %d failed, %zu admitted; written to %s\n", k,
                n, record.phase, static_cast<long long>(record.state.testsRun),
                record.state.failures, record.state.admissions.size(), options.out.c_str());
    if (!RemoveCheckpoint(options.checkpoint)) return kExitEngineError;
  }
  return std::fflush(stdout) == 0 ? kExitOk : kExitEngineError;
}

}  // namespace brisca::cli
