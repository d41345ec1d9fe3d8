#pragma once
// brisca-cli iterate ENGINE.qen: a test series run headless on every core.
//
// Either a one-button search (--preset cam-hp|cam-torque|bore-stroke-hp|
// bore-stroke-torque, always two phases) or a series described in a setup
// file (--setup FILE, statements as core/iterator/IterateSetup.h describes).
//
// Prints the best results and writes the kept engines as "Best%d-<title>.qen"
// into --out. With --shard K/N it runs one shard of one phase instead and
// writes its partial result (cli/ShardRun.h) for `iterate-merge`.

#include <CLI/CLI.hpp>

namespace brisca::cli {

//! Adds the subcommand; when it runs it sets `status` (0 ok, 1 engine or setup error).
void AddIterateCommand(CLI::App& app, int& status);

}  // namespace brisca::cli
