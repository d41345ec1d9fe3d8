#include "cli/RunCommand.h"

#include <cstdio>
#include <memory>
#include <string>

#include "cli/ConditionOptions.h"
#include "cli/EngineLoader.h"
#include "cli/FailureReport.h"
#include "cli/FileProblems.h"
#include "cli/StdStreams.h"
#include "cli/OptionChecks.h"
#include "cli/ResultFormat.h"
#include "core/base/AtomicFile.h"
#include "core/base/ErrCode.h"
#include "core/base/FileError.h"
#include "core/sim/SimResults.h"
#include "core/base/TextWriter.h"

namespace brisca::cli {
namespace {

struct RunOptions {
  std::string engine;
  std::string format = "table";
  std::string output;
  std::string dataDir;
  float rpmMin = kSweepMinRpm;
  float rpmMax = kSweepMaxRpm;
  std::string units = "us";
  ConditionOptions conditions;
  ResultFrame frame;  //!< from `units` and `conditions`, set before the run
};

// The output file is saved like any other: the previous file survives a failure.
bool WriteOutputFile(const std::string& path, const std::string& text) {
  try {
    AtomicFileWriter file(path, "brisca-cli run --output");
    TextWriter out(file.Stream());
    out.Write(text);
    out.Flush();
    file.Commit();
  } catch (const FileError& error) {
    ReportFileProblem(error.code(), path, *error.detail() ? error.detail() : WhyCannotWrite(path));
    return false;
  }
  return true;
}

int Run(const RunOptions& options) {
  const std::unique_ptr<EngineSession> session =
      OpenEngine(options.engine, options.dataDir, OpenRun::Always);
  if (!session) return kExitEngineError;
  const std::vector<int> points = PointsInWindow(session->doc, options.rpmMin, options.rpmMax);
  std::string text;
  if (options.format == "csv") {
    text = FormatResultsCsv(session->doc, points, options.frame);
  } else if (options.format == "json") {
    text = FormatResultsJson(session->doc, points, options.frame);
  } else {
    text = FormatResultsTable(session->doc, points, options.frame);
  }
  if (!options.output.empty() && !IsStdStream(options.output)) {
    return WriteOutputFile(options.output, text) ? kExitOk : kExitEngineError;
  }
  std::fwrite(text.data(), 1, text.size(), stdout);
  return std::fflush(stdout) == 0 ? kExitOk : kExitEngineError;
}

}  // namespace

void AddRunCommand(CLI::App& app, int& status) {
  auto options = std::make_shared<RunOptions>();
  CLI::App* command = app.add_subcommand("run", "Open an engine file, run it and print its results");
  command->add_option("engine", options->engine, "Engine file (.qen)")->required();
  command->add_option("-f,--format", options->format, "Output: table, csv or json")
      ->check(CLI::IsMember({"table", "csv", "json"}))
      ->capture_default_str();
  command->add_option("-o,--output,--out", options->output,
                      "Write the results to FILE instead of standard output (-: standard output)")
      ->check(NonEmptyPath());
  command->add_option("--rpm-min", options->rpmMin, "Lowest engine speed shown [rpm]")
      ->check(FiniteNumber())
      ->check(CLI::Range(kSweepMinRpm, kSweepMaxRpm))
      ->capture_default_str();
  command->add_option("--rpm-max", options->rpmMax, "Highest engine speed shown [rpm]")
      ->check(FiniteNumber())
      ->check(CLI::Range(kSweepMinRpm, kSweepMaxRpm))
      ->capture_default_str();
  command->add_option("--units", options->units, "Units of the output: us (HP, lb-ft, psi) or metric (kW, N\u00B7m, kPa)")
      ->check(CLI::IsMember({"us", "metric"}))
      ->capture_default_str();
  AddConditionOptions(*command, options->conditions);
  AddDataDirOption(*command, options->dataDir);
  command->callback([options, command, &status] {
    if (options->rpmMin > options->rpmMax) {
      throw CLI::ValidationError("--rpm-min", "must not exceed --rpm-max");
    }
    options->frame.conditions = options->conditions.Conditions();
    options->frame.metric = options->units == "metric";
    if (options->format == "json") WantJsonFailure();
    status = Run(*options);
  });
}

}  // namespace brisca::cli
