#pragma once
// Opening an engine file for a subcommand: a document with a headless host,
// compressor maps from the program data (or from --data-dir), its derived
// values computed, and the run done or left undone as the subcommand needs.
// Failures are reported through the installed presenter (stderr).

#include <filesystem>
#include <memory>
#include <string>

#include <CLI/CLI.hpp>

#include "core/document/DocumentHost.h"
#include "core/document/VexoDoc.h"

namespace brisca::cli {

//! Exit statuses of every subcommand.
enum ExitStatus : int { kExitOk = 0, kExitEngineError = 1, kExitUsage = 2 };

//! One open engine and the host it lives in.
struct EngineSession {
  HeadlessHost host;
  CVexoDoc doc{&host};
};

//! Whether opening runs the simulation.
enum class OpenRun {
  AsStored,  //!< as the program opens it: runs when the engine's Auto Run is on
  Never,     //!< derived values only
  Always,    //!< runs whatever Auto Run says; a failed run is reported (its code, or 42)
};

//! Opens `path`; nullptr after a reported failure. `dataDir` (may be empty)
//! replaces the program-data folder for the compressor maps.
std::unique_ptr<EngineSession> OpenEngine(const std::filesystem::path& path,
                                          const std::string& dataDir, OpenRun run);

//! Adds "--data-dir DIR" to a subcommand that runs engines.
void AddDataDirOption(CLI::App& command, std::string& dataDir);

}  // namespace brisca::cli
