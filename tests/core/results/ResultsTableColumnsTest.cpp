#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/results/ChartAxisSpec.h"
#include "core/results/ResultsTableColumns.h"

namespace brisca {
namespace {

// A full sweep whose every array holds speed / 1000 plus a small fraction, so
// the interpolated values and their rounding are easy to work by hand.
ResultSet Sweep() {
  ResultSet set;
  set.count = kResultPoints;
  for (int k = 0; k < kResultPoints; ++k) {
    const float rpm = 1000.0f + 500.0f * static_cast<float>(k);
    set.rpm[k] = rpm;
    for (const auto kind : {ResultsTableKind::Standard, ResultsTableKind::Extended}) {
      for (const ResultsTableColumn& column : ResultsTableColumns(kind)) {
        if (column.values != &ResultSet::rpm) (set.*column.values)[k] = rpm / 1000.0f + 0.125f;
      }
    }
  }
  return set;
}

ChartAxisSpec Custom(int min, int max) {
  ChartAxisSpec axis(kItemEngineSpeed, RangeMode::Mid);
  axis.SetCustomRange(min, max);
  return axis;
}

TEST(ResultsTableColumnsTest, CellsInterpolateAtTheRowSpeedInEachColumnsFormat) {
  const ResultSet set = Sweep();
  // 2000..4000: rows 2000, 2075, ...; row 1 lies between 2000 and 2500.
  const auto rows = ResultsTableRowsOf(Custom(2000, 4000), set);
  ASSERT_EQ(rows.size(), 28u);
  EXPECT_EQ(ResultsTableCells(ResultsTableKind::Standard, rows[1], set),
            (std::vector<std::string>{"2075", "2", "2", "2", "2", "2.20", "2.2", "2.2"}));
  EXPECT_EQ(ResultsTableCells(ResultsTableKind::Extended, rows[1], set),
            (std::vector<std::string>{"2075", "2", "2", "2", "2", "2.2", "2.2", "2", "2", "2.2",
                                      "2.2", "2.2"}));
}

TEST(ResultsTableColumnsTest, RowsPastTheSweepShowTheirSpeedOnly) {
  const ResultSet set = Sweep();
  const auto rows = ResultsTableRowsOf(Custom(10000, 20000), set);
  ASSERT_EQ(rows.size(), 28u);
  const auto last = ResultsTableCells(ResultsTableKind::Extended, rows.back(), set);
  EXPECT_EQ(last, (std::vector<std::string>{"14725", "", "", "", "", "", "", "", "", "", "", ""}));
}

}  // namespace
}  // namespace brisca
