// Value counts and value sequences of one varied parameter.
#include <gtest/gtest.h>

#include <vector>

#include "core/iterator/IterationVariable.h"

namespace brisca {
namespace {

std::vector<float> AllValues(IterationVariable& v) {
  std::vector<float> values;
  v.Restart();
  while (!v.EndReached()) {
    v.MoveNext();
    values.push_back(v.CurrentValue());
  }
  return values;
}

struct CountCase {
  const char* name;
  float tolerance;
  float step;
  int count;
};

// Worked examples: ±16° by 8° and ±1.0 by 0.3; the empty and too-coarse ranges.
TEST(IterationVariableTest, ValueCounts) {
  const CountCase cases[] = {
      {"16 by 8", 16.0f, 8.0f, 5},      {"1.0 by 0.3", 1.0f, 0.3f, 8},
      {"tolerance 0", 0.0f, 8.0f, 0},   {"step over twice tolerance", 4.0f, 8.5f, 0},
      {"step exactly the span", 4.0f, 8.0f, 2}, {"0.25 in by 0.05", 0.25f, 0.05f, 11},
      {"0.05 in by 0.01", 0.05f, 0.01f, 11},    {"step 0", 4.0f, 0.0f, 0},
  };
  for (const CountCase& c : cases) {
    IterationVariable v;
    v.SetRange(100.0f, c.tolerance, c.step);
    EXPECT_EQ(v.ValueCount(), c.count) << c.name;
    if (c.count > 1) {
      EXPECT_EQ(AllValues(v).size(), static_cast<size_t>(c.count)) << c.name;
    }
  }
}

TEST(IterationVariableTest, LastValueIsExactlyTheMaximum) {
  IterationVariable v;
  v.SetRange(50.0f, 1.0f, 0.3f);
  const std::vector<float> values = AllValues(v);
  const std::vector<float> expected = {49.0f, 49.3f, 49.6f, 49.9f, 50.2f, 50.5f, 50.8f, 51.0f};
  ASSERT_EQ(values.size(), expected.size());
  for (size_t i = 0; i < values.size(); ++i) EXPECT_NEAR(values[i], expected[i], 1e-4f) << i;
  EXPECT_EQ(values.back(), 51.0f);
}

TEST(IterationVariableTest, GridStaysCentredAndRecentringKeepsToleranceAndStep) {
  // No limits move the grid: the centre is always one of its values.
  IterationVariable v;
  v.SetRange(-11.0f, 16.0f, 8.0f);
  EXPECT_EQ(AllValues(v), (std::vector<float>{-27.0f, -19.0f, -11.0f, -3.0f, 5.0f}));

  v.Recentre(4.0f);
  EXPECT_FLOAT_EQ(v.Minimum(), -12.0f);
  EXPECT_FLOAT_EQ(v.Maximum(), 20.0f);
  EXPECT_EQ(v.Tolerance(), 16.0f);
  EXPECT_EQ(v.Step(), 8.0f);
  EXPECT_EQ(v.ValueCount(), 5);
}

TEST(IterationVariableTest, ListHoldsDistinctEntriesUpToItsCapacity) {
  IterationVariable v;
  v.SetList(2);
  CPartTypeSpec a("Manifold Type", 1, 19), b("Manifold Type", 1, 19), c("Manifold Type", 1, 19);
  a.SetSelection(2, "Dual-Plane");
  b.SetSelection(16, "Stack");
  c.SetSelection(3, "Single-Plane");
  EXPECT_TRUE(v.AddEntry(a));
  EXPECT_FALSE(v.AddEntry(a));
  EXPECT_TRUE(v.AddEntry(b));
  EXPECT_FALSE(v.AddEntry(c));
  EXPECT_EQ(v.ValueCount(), 2);
  EXPECT_TRUE(v.Contains(16));
  EXPECT_TRUE(v.RemoveEntry(2));
  EXPECT_FALSE(v.RemoveEntry(2));
  EXPECT_EQ(v.ValueCount(), 1);
}

}  // namespace
}  // namespace brisca
