// brisca-cli: the headless program. Runs, checks and converts engines without a screen.

#include <CLI/CLI.hpp>

#include <cstdio>
#include <string>

#include "cli/CatalogueCommand.h"
#include "cli/CompareCommand.h"
#include "cli/Completion.h"
#include "cli/ConvertCommand.h"
#include "cli/FailureReport.h"
#include "cli/InfoCommand.h"
#include "cli/IterateCommand.h"
#include "cli/MergeCommand.h"
#include "cli/PrintCommand.h"
#include "cli/ReportCommand.h"
#include "cli/RunCommand.h"
#include "cli/StderrPresenter.h"
#include "cli/ValidateCommand.h"
#include "core/base/FatalAssert.h"
#include "core/base/Version.h"

int main(int argc, char** argv) {
  brisca::StderrPresenter presenter;
  brisca::InstallPresenter(&presenter);

  CLI::App app{"Brisca engine-dynamometer simulator, headless program", "brisca-cli"};
  app.set_version_flag("-V,--version", std::string("brisca-cli ") + brisca::ProgramVersion() +
                                        " (engine file version " + brisca::kFileVersionText + ")");
  app.require_subcommand(0, 1);
  int status = 0;  // set by the subcommand that runs
  brisca::cli::AddRunCommand(app, status);
  brisca::cli::AddValidateCommand(app, status);
  brisca::cli::AddConvertCommand(app, status);
  brisca::cli::AddInfoCommand(app, status);
  brisca::cli::AddIterateCommand(app, status);
  brisca::cli::AddMergeCommand(app, status);
  brisca::cli::AddReportCommand(app, status);
  brisca::cli::AddPrintCommand(app, status);
  brisca::cli::AddCatalogueCommand(app);
  brisca::cli::AddCompareCommand(app, status);
  // The build writes the shells' completion with it; not for users, so not in the help.
  std::string completion;
  app.add_option("--completion", completion, "Print the completion script of a shell")
      ->check(CLI::IsMember({"bash", "zsh"}))
      ->group("");

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int status = app.exit(e);
    // CLI11 reports --help and --version as "errors" with status 0; usage errors are 2.
    if (status == 0) return 0;
    brisca::cli::ReportUsageFailure(argc, argv, e.what());
    return 2;
  } catch (...) {
    // Every error a user can cause has its numbered message; anything else is ours.
    brisca::FatalUncaughtException(__FILE__, __LINE__);
  }
  if (!completion.empty()) {
    const std::string script = completion == "bash" ? brisca::cli::BashCompletion(app)
                                                    : brisca::cli::ZshCompletion(app);
    std::fputs(script.c_str(), stdout);
    return 0;
  }
  if (app.get_subcommands().empty()) {
    std::fputs(app.help().c_str(), stdout);
  }
  brisca::cli::PrintJsonFailure(status);
  return status;
}
