#pragma once
// brisca-cli print ENGINE.qen --output FILE.pdf: the engine's seven printed
// pages as a PDF file, as the desktop prints them, so engines can be printed
// in batches. Drawn by the desktop library on the offscreen platform; a build
// without it says so and fails.

#include <CLI/CLI.hpp>

namespace brisca::cli {

//! Adds the subcommand; when it runs it sets `status` (0 ok, 1 engine or file error).
void AddPrintCommand(CLI::App& app, int& status);

}  // namespace brisca::cli
