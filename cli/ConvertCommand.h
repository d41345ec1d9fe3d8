#pragma once
// brisca-cli convert IN.qen OUT.qen [--metric|--domestic]: reads an engine file
// of any accepted version and writes it as the current version.

#include <CLI/CLI.hpp>

namespace brisca::cli {

void AddConvertCommand(CLI::App& app, int& status);

}  // namespace brisca::cli
