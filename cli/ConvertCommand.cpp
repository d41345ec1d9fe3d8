#include "cli/ConvertCommand.h"

#include <memory>
#include <string>

#include "cli/EngineLoader.h"
#include "cli/OptionChecks.h"
#include "cli/StdStreams.h"

namespace brisca::cli {
namespace {

struct ConvertOptions {
  std::string input;
  std::string output;
  std::string dataDir;
  bool metric = false;
  bool domestic = false;
};

}  // namespace

void AddConvertCommand(CLI::App& app, int& status) {
  auto options = std::make_shared<ConvertOptions>();
  CLI::App* command = app.add_subcommand(
      "convert", "Read an engine file of any accepted version and write it as version 4.2");
  command->add_option("input", options->input, "Engine file to read (.qen; -: standard input)")
      ->required();
  // The output is named either way: after the input, as it always was, or with -o.
  CLI::Option* positional =
      command->add_option("output", options->output, "Engine file to write (.qen)");
  CLI::Option* named = command->add_option("-o,--output,--out", options->output,
                                           "Engine file to write (.qen; -: standard output)");
  positional->excludes(named);
  CLI::Option* metric =
      command->add_flag("--metric", options->metric, "Store the metric unit system");
  CLI::Option* domestic =
      command->add_flag("--domestic", options->domestic, "Store the domestic unit system");
  metric->excludes(domestic);
  AddDataDirOption(*command, options->dataDir);
  command->callback([options, &status] {
    if (options->output.empty()) throw CLI::RequiredError("output (or --output)");
    // Opened as the program opens it, so an Auto Run engine keeps its results block.
    const std::unique_ptr<EngineSession> session =
        OpenEngine(options->input, options->dataDir, OpenRun::AsStored);
    if (!session) {
      status = kExitEngineError;
      return;
    }
    if (options->metric || options->domestic) session->doc.SetUnits(options->metric);
    if (!CheckOutputFile(options->output)) {
      status = kExitEngineError;
      return;
    }
    const OutputFile output(options->output, ".qen");
    status = output.Ok() && session->doc.WriteEngineFile(output.Path()) && output.Deliver()
                 ? kExitOk
                 : kExitEngineError;
  });
}

}  // namespace brisca::cli
