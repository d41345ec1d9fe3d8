#pragma once
// The deviations of a measured run as a table of texts: what the desktop's
// "Measured vs Simulated" window shows and copies. Every number is one of
// MeasuredDeviation's, rounded for reading: speeds to whole rpm, figures and
// deviations to 0.1, percentages to 0.01.

#include <string>
#include <vector>

#include "core/results/MeasuredDeviation.h"

namespace brisca {

struct DeviationTable {
  std::vector<std::string> headings;          //!< one per column, with its unit
  std::vector<std::vector<std::string>> rows;  //!< one per compared point
  //! The air both sides are compared in, then RMS and largest of power and
  //! of torque, then how many points were compared.
  std::vector<std::string> summary;
};

//! The summary lines of `deviation`: the air both sides are compared in (from
//! `conditions` when the run states none), RMS and largest of power, of torque,
//! and how many points were compared.
std::vector<std::string> DeviationSummary(const MeasuredDeviation& deviation, const TestConditions& conditions);

//! The table of `deviation`; `conditions` names the air when the run states none.
DeviationTable MakeDeviationTable(const MeasuredDeviation& deviation, const TestConditions& conditions);

//! The table as tab-separated text: the headings, the rows, an empty line and
//! the summary lines, each line ended by "\n".
std::string DeviationTableText(const DeviationTable& table);

}  // namespace brisca
