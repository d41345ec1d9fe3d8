#include "cli/MergeCommand.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "cli/EngineLoader.h"
#include "cli/FailureReport.h"
#include "cli/FileProblems.h"
#include "cli/KeptResults.h"
#include "cli/OptionChecks.h"
#include "cli/SeriesSession.h"
#include "cli/ShardMergeRun.h"
#include "core/base/ErrCode.h"
#include "core/iterator/QuickPresets.h"

namespace brisca::cli {
namespace {

struct MergeOptions {
  std::vector<std::string> parts;
  std::string out;
  std::string format = "text";
};

int Run(const MergeOptions& options) {
  if (!CheckOutputFolder(options.out)) return kExitEngineError;
  std::vector<ShardRecord> parts(options.parts.size());
  std::string error;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (!CheckInputFile(options.parts[i])) return kExitEngineError;
    if (!ReadShardRecord(options.parts[i], parts[i], error)) {
      NoteFailurePath(options.parts[i]);
      ReportFailureText("iterate-merge: " + options.parts[i] + ": " + error);
      return kExitEngineError;
    }
  }
  if (!CheckParts(parts, options.parts, error)) {
    ReportFailureText("iterate-merge: " + error);
    return kExitEngineError;
  }
  SeriesSession session;
  if (!OpenSeries(parts[0].series, session)) return kExitEngineError;
  const ShardRecord& first = parts[0];
  ShardRecord phase1;
  std::string fromDigest;
  if (first.phase == 2) {
    if (!ReadPhase1Record(session, first.series.from, phase1, fromDigest, error)) {
      ReportFailureText("iterate-merge: " + error);
      return kExitEngineError;
    }
    const MergedPhase p1 = ReplayRecord(phase1);
    int code = kErrNoBaseline;
    if (p1.keeper.BestSlot() < 0 ||
        !StartPhase2(session, p1.keeper.At(p1.keeper.BestSlot()).testNumber, code)) {
      ReportErrorCode(code);
      return kExitEngineError;
    }
  }
  const Iterator& phase = first.phase == 1 ? session.phase1 : session.phase2;
  if (!CheckFingerprint(first.fingerprint, FingerprintOf(session, phase, fromDigest), error)) {
    ReportFailureText("iterate-merge: " + error);
    return kExitEngineError;
  }
  std::vector<const ShardState*> logs;
  for (const ShardRecord& p : parts) logs.push_back(&p.state);
  MergedResult result;
  if (!MergePhase(session, first.phase, logs, &phase1, first.fingerprint, result, error)) {
    ReportFailureText("iterate-merge: " + error);
    return kExitEngineError;
  }
  if (options.format != "json")
    return WriteMergedResult(session, result, options.out) ? kExitOk : kExitEngineError;
  json::Json document = json::EngineDocument(session.engine->doc.GetTitle());
  document["phase"] = first.phase;
  if (!WriteMergedResult(session, result, options.out, &document)) return kExitEngineError;
  std::fputs(json::Text(document).c_str(), stdout);
  return std::fflush(stdout) == 0 ? kExitOk : kExitEngineError;
}

}  // namespace

void AddMergeCommand(CLI::App& app, int& status) {
  auto options = std::make_shared<MergeOptions>();
  CLI::App* command = app.add_subcommand(
      "iterate-merge", "Merge the shards of a test series into the ten best variants");
  command->add_option("parts", options->parts, "Partial results of every shard (.json)")
      ->required();
  command
      ->add_option("-o,--output,--out", options->out,
                   "Write the kept engines and the merged record into DIR")
      ->required();
  command->add_option("-f,--format", options->format, "The ranking as text or json")
      ->check(CLI::IsMember({"text", "json"}))
      ->capture_default_str();
  command->callback([options, &status] {
    if (options->format == "json") WantJsonFailure();
    status = Run(*options);
  });
}

}  // namespace brisca::cli
