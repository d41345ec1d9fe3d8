#include "cli/ValidateCommand.h"

#include <cstdio>
#include <memory>
#include <string>

#include "cli/EngineLoader.h"
#include "core/base/ErrCode.h"

namespace brisca::cli {

void AddValidateCommand(CLI::App& app, int& status) {
  auto engine = std::make_shared<std::string>();
  CLI::App* command =
      app.add_subcommand("validate", "Check an engine file and its engine without running it");
  command->add_option("engine", *engine, "Engine file (.qen)")->required();
  command->callback([engine, &status] {
    const std::unique_ptr<EngineSession> session = OpenEngine(*engine, "", OpenRun::Never);
    if (!session) {
      status = kExitEngineError;
      return;
    }
    int code = 0;
    if (!session->doc.Validate(code)) {
      ReportErrorCode(code);
      status = kExitEngineError;
      return;
    }
    std::puts("valid");
    status = kExitOk;
  });
}

}  // namespace brisca::cli
