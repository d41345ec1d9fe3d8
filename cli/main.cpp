// brisca-cli: the headless program. Runs, checks and converts engines without a screen.

#include <CLI/CLI.hpp>

#include <cstdio>

#include "cli/StderrPresenter.h"
#include "core/document/FatalAssert.h"
#include "core/document/Version.h"

int main(int argc, char** argv) {
  brisca::StderrPresenter presenter;
  brisca::InstallPresenter(&presenter);

  CLI::App app{"Brisca engine-dynamometer simulator, headless program", "brisca-cli"};
  app.set_version_flag("--version", std::string("brisca-cli ") + brisca::ProgramVersion() +
                                        " (engine file version " + brisca::kFileVersionText + ")");
  app.require_subcommand(0, 1);

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int status = app.exit(e);
    // CLI11 reports --help and --version as "errors" with status 0; usage errors are 2.
    return status == 0 ? 0 : 2;
  }
  if (app.get_subcommands().empty()) {
    std::fputs(app.help().c_str(), stdout);
  }
  return 0;
}
