#pragma once
// The engine commands whose output is text or JSON (`info`, `validate`): an
// engine file (or "-") opened without running it, `-f/--format text|json`,
// and with JSON a failure told as the JSON failure object.

#include <CLI/CLI.hpp>

#include <functional>
#include <string>

namespace brisca {
class CVexoDoc;
}

namespace brisca::cli {

//! Prints the command's output for the opened engine and returns the exit
//! status; `asJson` when `-f json` was given.
using EngineCommandBody = std::function<int(const CVexoDoc& engine, bool asJson)>;

//! Adds the subcommand `name`; its status goes into `status`.
CLI::App* AddEngineCommand(CLI::App& app, int& status, const std::string& name,
                           const std::string& description, EngineCommandBody body);

}  // namespace brisca::cli
