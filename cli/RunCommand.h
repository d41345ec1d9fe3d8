#pragma once
// brisca-cli run ENGINE.qen: opens the engine, runs it and prints the displayed results.

#include <CLI/CLI.hpp>

namespace brisca::cli {

//! Adds the subcommand; when it runs it sets `status` (0 ok, 1 engine error).
void AddRunCommand(CLI::App& app, int& status);

}  // namespace brisca::cli
