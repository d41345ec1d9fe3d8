#include "cli/ValidateCommand.h"

#include <cstdio>

#include "cli/EngineCommand.h"
#include "cli/EngineLoader.h"
#include "cli/json/JsonText.h"
#include "core/base/ErrCode.h"
#include "core/document/VexoDoc.h"

namespace brisca::cli {

void AddValidateCommand(CLI::App& app, int& status) {
  AddEngineCommand(app, status, "validate", "Check an engine file and its engine without running it",
                   [](const CVexoDoc& engine, bool asJson) {
                     int code = 0;
                     if (!engine.Validate(code)) {
                       ReportErrorCode(code);
                       return static_cast<int>(kExitEngineError);
                     }
                     if (asJson) {
                       std::fputs(json::Text(json::EngineDocument(engine.GetTitle())).c_str(), stdout);
                     } else {
                       std::puts("valid");
                     }
                     return static_cast<int>(kExitOk);
                   });
}

}  // namespace brisca::cli
