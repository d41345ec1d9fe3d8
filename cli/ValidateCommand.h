#pragma once
// brisca-cli validate ENGINE.qen: "valid", or the first validation error (exit 1).

#include <CLI/CLI.hpp>

namespace brisca::cli {

void AddValidateCommand(CLI::App& app, int& status);

}  // namespace brisca::cli
