#include "cli/ValidateCommand.h"

#include <cstdio>
#include <memory>
#include <string>

#include "cli/EngineLoader.h"
#include "cli/FailureReport.h"
#include "cli/json/JsonText.h"
#include "core/base/ErrCode.h"

namespace brisca::cli {

void AddValidateCommand(CLI::App& app, int& status) {
  auto engine = std::make_shared<std::string>();
  CLI::App* command =
      app.add_subcommand("validate", "Check an engine file and its engine without running it");
  auto format = std::make_shared<std::string>("text");
  command->add_option("engine", *engine, "Engine file (.qen; -: standard input)")->required();
  command->add_option("-f,--format", *format, "Output: text or json")
      ->check(CLI::IsMember({"text", "json"}))
      ->capture_default_str();
  command->callback([engine, format, &status] {
    if (*format == "json") WantJsonFailure();
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
    if (*format == "json") {
      json::Json document;
      document["schema"] = json::kSchemaVersion;
      document["ok"] = true;
      document["engine"] = session->doc.GetTitle();
      std::fputs(json::Text(document).c_str(), stdout);
    } else {
      std::puts("valid");
    }
    status = kExitOk;
  });
}

}  // namespace brisca::cli
