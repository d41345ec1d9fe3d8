#pragma once
// The rows of the results tables: which engine speeds they show and how each
// row's values are read from the sweep.
//
// When the second chart plots Engine Speed on X, the rows follow that axis's
// stored limits (kept even under Auto-Range), clipped to the sweep:
//   start = max(minimum, first sweep speed), end = min(maximum, last sweep speed)
//   step  = 25 × trunc((end − start) / n × 0.04) + 25        [rpm, single precision]
//   row k = start + k × step, k = 0..n−1
// and every value is interpolated linearly between the two sweep points around
// the row's speed; a row beyond the last sweep point shows its speed only.
// With any other X item the rows are the sweep points themselves.
//
// Limits that leave nothing between them (maximum below the first sweep speed,
// or above it but under the minimum) would give a step of 0 or less; the step
// is then 25, so speeds still rise from row to row.

#include <vector>

#include "core/sim/ResultSet.h"

namespace brisca {

class ChartAxisSpec;

struct ResultsTableRow {
  float rpm = 0.0f;        //!< engine speed shown in the row [rpm]
  bool hasValues = false;  //!< false: the row lies beyond the sweep and shows its speed only
  int lower = 0;           //!< sweep point at or below rpm
  int upper = 0;           //!< sweep point at or above rpm (== lower on a sweep point)

  //! The row's value of `values` (an array of the same result set as `speeds`):
  //! v[lower] + (v[upper] − v[lower]) × (rpm − speeds[lower]) / (speeds[upper] − speeds[lower]).
  //! Only for rows with values (FatalAssert otherwise).
  float ValueOf(const ResultArray& speeds, const ResultArray& values) const;
};

//! One row per sweep point: `pointCount` rows (0..28; FatalAssert outside),
//! laid out from the second chart's X axis as described above. `speeds` holds
//! the sweep's engine speeds, rising.
std::vector<ResultsTableRow> MakeResultsTableRows(const ChartAxisSpec& secondChartX,
                                                  const ResultArray& speeds, int pointCount);

}  // namespace brisca
