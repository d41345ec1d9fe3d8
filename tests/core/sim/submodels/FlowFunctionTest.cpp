// The single-precision flow function against the double-precision difference
// of powers, which it replaces in the crank-angle loop.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/sim/submodels/FlowFunction.h"

namespace brisca {
namespace {

double Reference(double r) { return 5.0 * (std::pow(r, 1.428) - std::pow(r, 1.714)); }

TEST(FlowFunctionTest, RootMatchesDoublePrecisionOnTheWholeRange) {
  std::vector<float> ratios;
  for (int i = 1; i < 100000; ++i) ratios.push_back(static_cast<float>(i) / 100000.0f);
  // Towards 1, where the two powers nearly cancel, down to the last float below it;
  // towards 0, where both vanish (down to where Ψ leaves the normal floats); and
  // across the switch from series to exponential.
  for (float r = 0.999f; r < 1.0f; r = std::nextafter(r, 2.0f)) ratios.push_back(r);
  for (float r = 1e-26f; r < 1e-3f; r *= 1.7f) ratios.push_back(r);
  const float atSwitch = std::exp(-0.1f / 0.286f);
  for (int i = -50; i <= 50; ++i) ratios.push_back(atSwitch + static_cast<float>(i) * 6e-8f);

  for (float r : ratios) {
    const float psi = FlowFunction(r);
    ASSERT_GE(psi, 0.0f) << r;
    const double expected = std::sqrt(Reference(r));
    EXPECT_NEAR(std::sqrt(psi), expected, 2e-6 * expected) << r;
  }
}

TEST(FlowFunctionTest, VanishesAtBothEndsAndIsNaNBelowZero) {
  // Below r ≈ 1e-26, Ψ is a subnormal float: still never negative.
  for (float r = 1e-44f; r < 1e-26f; r *= 3.0f) EXPECT_GE(FlowFunction(r), 0.0f) << r;
  EXPECT_EQ(FlowFunction(0.0f), 0.0f);
  EXPECT_EQ(FlowFunction(1.0f), 0.0f);
  EXPECT_TRUE(std::isnan(FlowFunction(-0.5f)));
  EXPECT_TRUE(std::isnan(FlowFunction(std::nanf(""))));
  // The largest value, at the critical ratio of the exponents, is the double one.
  const double peak = std::pow(1.428 / 1.714, 1.0 / 0.286);
  EXPECT_NEAR(FlowFunction(static_cast<float>(peak)), Reference(peak), 1e-6);
}

}  // namespace
}  // namespace brisca
