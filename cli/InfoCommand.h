#pragma once
// brisca-cli info ENGINE.qen: the engine's components and derived values.

#include <CLI/CLI.hpp>

namespace brisca::cli {

void AddInfoCommand(CLI::App& app, int& status);

}  // namespace brisca::cli
