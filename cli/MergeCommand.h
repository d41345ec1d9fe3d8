#pragma once
// brisca-cli iterate-merge PART.json... --out DIR: merges the shards of one
// phase into what one machine keeps, prints the ranking and writes the kept
// engines like `iterate --out`, plus the merged record "merged-phase<P>.json"
// a phase-2 round starts from. Missing, repeated, foreign or damaged parts are
// refused with the part named, and nothing is written.

#include <CLI/CLI.hpp>

namespace brisca::cli {

void AddMergeCommand(CLI::App& app, int& status);

}  // namespace brisca::cli
