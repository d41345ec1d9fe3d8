#pragma once
// The test-condition options of the subcommands that show power and torque:
// --standard, --baro or --altitude, --temp, --humidity. Units are written with
// the value ("29.5inHg", "99kPa", "85F", "29C", "1600m", "40%").

#include <memory>
#include <string>

#include <CLI/CLI.hpp>

#include "core/document/VexoDoc.h"
#include "core/results/TestConditions.h"

namespace brisca::cli {

//! The typed options, as CLI11 fills them.
struct ConditionOptions {
  std::string standard;
  std::string baro;
  std::string altitude;
  std::string temp;
  std::string humidity;

  //! The conditions they state. A weather needs a pressure (--baro or
  //! --altitude) and --temp; humidity defaults to dry. Throws
  //! CLI::ValidationError (a usage error) for a weather only half given.
  TestConditions Conditions() const;
};

//! For the commands that hand a whole document to a writer (report, print):
//! the document shows its power and torque under `conditions` (its results
//! stay the model's) and the conditions are stated on stdout when they
//! transform anything.
void ApplyDisplayConditions(CVexoDoc& doc, const TestConditions& conditions);

//! Adds the options to `command`; each value is checked as it is read.
void AddConditionOptions(CLI::App& command, ConditionOptions& options);

}  // namespace brisca::cli
