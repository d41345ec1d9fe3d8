#include "cli/IterateCommand.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "cli/EngineLoader.h"
#include "cli/FailureReport.h"
#include "cli/FileProblems.h"
#include "cli/KeptResults.h"
#include "cli/OptionChecks.h"
#include "cli/SeriesSession.h"
#include "cli/ShardRun.h"
#include "core/base/ErrCode.h"
#include "core/iterator/SeriesFailures.h"
#include "core/iterator/TwoPhaseSeries.h"

namespace brisca::cli {
namespace {

std::string FormatDuration(double seconds) {
  const long s = static_cast<long>(seconds + 0.5);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%ld:%02ld:%02ld", s / 3600, (s / 60) % 60, s % 60);
  return buf;
}

int Run(const IterateOptions& options) {
  if (options.preset.empty() == options.setup.empty()) {
    ReportFailureText("iterate: give exactly one of --preset and --setup");
    return kExitUsage;
  }
  if (!options.shard.empty()) return RunShard(options.shard, options);
  if (options.phase != 1 || !options.from.empty() || !options.checkpoint.empty()) {
    ReportFailureText("iterate: --phase, --from and --checkpoint belong to a --shard run");
    return kExitUsage;
  }
  if (!CheckOutputFolder(options.out)) return kExitEngineError;
  if (!options.setup.empty() && !CheckInputFile(options.setup)) return kExitEngineError;
  SeriesSession session;
  if (!OpenSeries(SourceOf(options), session)) return kExitEngineError;
  CVexoDoc& doc = session.engine->doc;
  Iterator& phase1 = session.phase1;
  Iterator& phase2 = session.phase2;
  const bool dual = session.dual;
  int code = 0;

  if (!options.quiet) PrintOutsideLimits(phase1, dual ? 1 : 0);
  const bool terminal = isatty(fileno(stderr)) != 0;
  const auto start = std::chrono::steady_clock::now();
  auto lastLine = start;
  TwoPhaseSeries series(phase1, phase2, dual, options.threads);
  const bool ok = series.Run(code, [&](const TwoPhaseSeries::Progress& p) {
    if (options.quiet) return;
    const auto now = std::chrono::steady_clock::now();
    const double elapsed = std::chrono::duration<double>(now - start).count();
    const bool last = p.done == p.total;
    if (!terminal && !last && now - lastLine < std::chrono::seconds(5)) return;
    if (terminal && !last && now - lastLine < std::chrono::milliseconds(100)) return;
    lastLine = now;
    const double rate = elapsed > 0 ? static_cast<double>(p.done) / elapsed : 0.0;
    const double left = rate > 0 ? static_cast<double>(p.total - p.done) / rate : 0.0;
    if (terminal) {
      const int width = 30;
      const int filled = p.total > 0 ? static_cast<int>(width * p.done / p.total) : 0;
      std::fprintf(stderr, "\rphase %d [%s%s] %lld/%lld  %.1f tests/s  %s left ", p.phase,
                   std::string(filled, '#').c_str(), std::string(width - filled, '.').c_str(),
                   static_cast<long long>(p.done), static_cast<long long>(p.total), rate,
                   FormatDuration(left).c_str());
      if (last) std::fputc('\n', stderr);
    } else {
      std::fprintf(stderr, "phase %d: %lld/%lld tests, %.1f tests/s, %s left\n", p.phase,
                   static_cast<long long>(p.done), static_cast<long long>(p.total), rate,
                   FormatDuration(left).c_str());
    }
  });
  if (!ok) {
    ReportErrorCode(code);
    return kExitEngineError;
  }
  const bool phase2Ran = series.CurrentPhase() == 2;
  if (!options.quiet)
    PrintFailures(phase2Ran ? FailureCounts(phase1, phase2) : phase1.FailureCounts());

  const Iterator& results = series.ResultPhase();
  const bool asJson = options.format == "json";
  json::Json document = asJson ? json::EngineDocument(doc.GetTitle()) : json::Json();
  if (!ReportKeptResults(results, doc, ShownSlots(phase1, phase2, phase2Ran),
                         phase2Ran && &results == &phase2 ? &phase2 : nullptr, options.out,
                         asJson ? &document : nullptr)) {
    return kExitEngineError;
  }
  if (asJson) std::fputs(json::Text(document).c_str(), stdout);
  return std::fflush(stdout) == 0 ? kExitOk : kExitEngineError;
}

}  // namespace

void AddIterateCommand(CLI::App& app, int& status) {
  auto options = std::make_shared<IterateOptions>();
  CLI::App* command =
      app.add_subcommand("iterate", "Run a test series on an engine and keep the ten best variants");
  command->add_option("engine", options->engine, "Engine file (.qen)")->required();
  command->add_option("--preset", options->preset, "Two-phase search")
      ->check(CLI::IsMember(std::vector<std::string>(std::begin(kIteratePresets), std::end(kIteratePresets))));
  command->add_option("--setup", options->setup, "Series described in a setup file");
  command->add_option("-j,--threads", options->threads, "Worker threads (default: all)")
      ->check(CLI::Range(1, 256));
  command->add_option("-o,--output,--out", options->out,
                      "Write the kept engines into DIR (with --shard: the shard's partial result)");
  command->add_option("--shard", options->shard, "Run shard K of N of one phase (K/N)");
  command->add_option("--phase", options->phase, "The phase a shard runs (2: with --from)")
      ->check(CLI::Range(1, 2));
  command->add_option("--from", options->from, "Phase 2 starts from this merged phase-1 record");
  command->add_option("--checkpoint", options->checkpoint,
                      "Save the shard's progress in FILE and resume from it");
  command->add_option("--checkpoint-seconds", options->checkpointSeconds,
                      "Seconds between two saves of the progress (default 5)")
      ->check(FiniteNumber())
      ->check(CLI::Range(0.0, 86400.0));
  command->add_option("-f,--format", options->format, "The ranking as text or json")
      ->check(CLI::IsMember({"text", "json"}))
      ->capture_default_str();
  command->add_flag("-q,--quiet", options->quiet, "No progress lines and no notices");
  AddDataDirOption(*command, options->dataDir);
  command->callback([options, &status] {
    if (options->format == "json") WantJsonFailure();
    status = Run(*options);
  });
}

}  // namespace brisca::cli
