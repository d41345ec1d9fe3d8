#include "cli/EngineCommand.h"

#include <memory>

#include "cli/EngineLoader.h"
#include "cli/FailureReport.h"
#include "core/base/ErrCode.h"

namespace brisca::cli {

CLI::App* AddEngineCommand(CLI::App& app, int& status, const std::string& name,
                           const std::string& description, EngineCommandBody body) {
  auto engine = std::make_shared<std::string>();
  auto format = std::make_shared<std::string>("text");
  CLI::App* command = app.add_subcommand(name, description);
  command->add_option("engine", *engine, "Engine file (.qen; -: standard input)")->required();
  command->add_option("-f,--format", *format, "Output: text or json")
      ->check(CLI::IsMember({"text", "json"}))
      ->capture_default_str();
  command->callback([engine, format, body = std::move(body), &status] {
    const bool asJson = *format == "json";
    if (asJson) WantJsonFailure();
    const std::unique_ptr<EngineSession> session = OpenEngine(*engine, "", OpenRun::Never);
    status = session ? body(session->doc, asJson) : kExitEngineError;
  });
  return command;
}

}  // namespace brisca::cli
