// The result bar chart's axis moves only when the bars near its ends or fill
// too little of it, and then to whole numbers around them.
#include <gtest/gtest.h>

#include "core/iterator/BarChartScale.h"

namespace brisca {
namespace {

struct RescaleCase {
  const char* what;
  BarAxis before;
  double lo, hi;
  bool rescaled;
  BarAxis after;
};

TEST(BarChartScaleTest, RescalesOnlyNearTheEndsOrWhenTheBarsFillTooLittle) {
  const RescaleCase cases[] = {
      // 0..300 from the baseline: the first kept result sits on the maximum.
      {"first result at the top", {0, 300}, 300, 312.5, true, {297, 314}},
      {"well inside", {268, 344}, 272, 340, false, {268, 344}},
      {"hi within 2 of the maximum", {268, 344}, 272, 342.5, true, {263, 350}},
      {"lo within 2 of the minimum", {268, 344}, 269.5, 340, true, {261, 348}},
      {"bars fill under 80 % of the span", {200, 400}, 290, 340, true, {284, 346}},
      {"exactly 80 % stays", {200, 300}, 210, 290, false, {200, 300}},
      {"minimum never below 0", {0, 10}, 0.5, 9.5, true, {0, 11}},
  };
  for (const RescaleCase& c : cases) {
    SCOPED_TRACE(c.what);
    BarAxis axis = c.before;
    EXPECT_EQ(RescaleBarAxis(axis, c.lo, c.hi), c.rescaled);
    EXPECT_DOUBLE_EQ(axis.min, c.after.min);
    EXPECT_DOUBLE_EQ(axis.max, c.after.max);
  }
}

TEST(BarChartScaleTest, StartsFromZeroToTheBaseline) {
  const BarAxis axis = InitialBarAxis(287.5f);
  EXPECT_DOUBLE_EQ(axis.min, 0.0);
  EXPECT_DOUBLE_EQ(axis.max, 287.5);
}

}  // namespace
}  // namespace brisca
