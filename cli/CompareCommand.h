#pragma once
// brisca-cli compare ENGINE.qen MEASURED.csv: runs the engine and prints how
// far the measured pull lies from the simulated curve.

#include <CLI/CLI.hpp>

namespace brisca::cli {

//! Adds the subcommand; when it runs it sets `status` (0 both read, 1 a file error).
void AddCompareCommand(CLI::App& app, int& status);

}  // namespace brisca::cli
