#pragma once
// The columns of the two results tables (standard: 8, extended: 12): their two
// header lines, the result array each shows and its number format, and the
// texts of a row. Column 0 is the row's engine speed; every other value is read
// at the row's speed (ResultsTableRow::ValueOf). Units are those of the result
// set and never change with the document's units.

#include <span>
#include <string>
#include <vector>

#include "core/results/ResultsTableRows.h"
#include "core/sim/ResultSet.h"

namespace brisca {

struct ResultsTableColumn {
  const char* line1;                 //!< first header line
  const char* line2;                 //!< second header line
  ResultArray ResultSet::*values;    //!< the array shown
  int decimals;                      //!< "%.<decimals>f"
};

enum class ResultsTableKind { Standard, Extended };

std::span<const ResultsTableColumn> ResultsTableColumns(ResultsTableKind kind);

//! The texts of `row` in the columns of `kind`: the speed "%.0f", then each
//! value in its format; a row without values has its speed and empty texts.
std::vector<std::string> ResultsTableCells(ResultsTableKind kind, const ResultsTableRow& row,
                                           const ResultSet& results);

//! The rows of `results` laid out from `secondChartX` (one per valid sweep point).
std::vector<ResultsTableRow> ResultsTableRowsOf(const ChartAxisSpec& secondChartX,
                                                const ResultSet& results);

}  // namespace brisca
