#include "core/results/ResultsTableRows.h"

#include <algorithm>

#include "core/base/FatalAssert.h"
#include "core/results/ChartAxisSpec.h"

namespace brisca {
namespace {

constexpr float kRowStepUnit = 25.0f;  //!< row speeds are multiples of this apart [rpm]

// The interval of the sweep that holds `rpm`: the first j ≥ 1 with
// speeds[j−1] ≤ rpm ≤ speeds[j].
ResultsTableRow RowAt(float rpm, const ResultArray& speeds, int pointCount) {
  ResultsTableRow row;
  row.rpm = rpm;
  for (int j = 1; j < pointCount; ++j) {
    if (speeds[j - 1] <= rpm && rpm <= speeds[j]) {
      row.hasValues = true;
      row.lower = j - 1;
      row.upper = j;
      return row;
    }
  }
  // A sweep of one point has no interval: only its own speed has values.
  if (pointCount == 1 && rpm == speeds[0]) row.hasValues = true;
  return row;
}

}  // namespace

float ResultsTableRow::ValueOf(const ResultArray& speeds, const ResultArray& values) const {
  BRISCA_ASSERT(hasValues);
  const float below = values[lower];
  if (upper == lower) return below;
  return below + (values[upper] - below) * (rpm - speeds[lower]) / (speeds[upper] - speeds[lower]);
}

std::vector<ResultsTableRow> MakeResultsTableRows(const ChartAxisSpec& secondChartX,
                                                  const ResultArray& speeds, int pointCount) {
  BRISCA_ASSERT(pointCount >= 0 && pointCount <= kResultPoints);
  std::vector<ResultsTableRow> rows;
  rows.reserve(static_cast<std::size_t>(pointCount));
  if (secondChartX.Item() != kItemEngineSpeed) {
    for (int i = 0; i < pointCount; ++i) {
      ResultsTableRow row;
      row.rpm = speeds[i];
      row.hasValues = true;
      row.lower = row.upper = i;
      rows.push_back(row);
    }
    return rows;
  }
  if (pointCount == 0) return rows;
  const float start = std::max(static_cast<float>(secondChartX.Minimum()), speeds[0]);
  const float end = std::min(static_cast<float>(secondChartX.Maximum()), speeds[pointCount - 1]);
  const float steps = (end - start) / static_cast<float>(pointCount) * 0.04f;
  const float step = std::max(kRowStepUnit * static_cast<float>(static_cast<int>(steps)) + kRowStepUnit,
                              kRowStepUnit);
  for (int k = 0; k < pointCount; ++k)
    rows.push_back(RowAt(start + static_cast<float>(k) * step, speeds, pointCount));
  return rows;
}

}  // namespace brisca
