#pragma once
// brisca-cli report ENGINE.qen --output FILE.html [--template FILE]: writes the
// engine's report without a screen. The report is made in the user's report
// folder, filled from the installed report pieces; the logo it names is copied
// beside the report file when missing there. No chart images are made, and the
// report says so.

#include <CLI/CLI.hpp>

namespace brisca::cli {

//! Adds the subcommand; when it runs it sets `status` (0 ok, 1 engine or report error).
void AddReportCommand(CLI::App& app, int& status);

}  // namespace brisca::cli
