#include "cli/ConvertCommand.h"

#include <memory>
#include <string>

#include "cli/EngineLoader.h"

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
  command->add_option("input", options->input, "Engine file to read (.qen)")->required();
  command->add_option("output", options->output, "Engine file to write (.qen)")->required();
  CLI::Option* metric =
      command->add_flag("--metric", options->metric, "Store the metric unit system");
  CLI::Option* domestic =
      command->add_flag("--domestic", options->domestic, "Store the domestic unit system");
  metric->excludes(domestic);
  AddDataDirOption(*command, options->dataDir);
  command->callback([options, &status] {
    // Opened as the program opens it, so an Auto Run engine keeps its results block.
    const std::unique_ptr<EngineSession> session =
        OpenEngine(options->input, options->dataDir, OpenRun::AsStored);
    if (!session) {
      status = kExitEngineError;
      return;
    }
    if (options->metric || options->domestic) session->doc.SetUnits(options->metric);
    status = session->doc.WriteEngineFile(options->output) ? kExitOk : kExitEngineError;
  });
}

}  // namespace brisca::cli
