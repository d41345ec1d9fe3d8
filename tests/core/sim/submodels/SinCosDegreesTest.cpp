// The single-precision sine and cosine in degrees against double precision.
#include <gtest/gtest.h>

#include <cmath>

#include "core/sim/submodels/SinCosDegrees.h"

namespace brisca {
namespace {

constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;

void ExpectClose(float degrees) {
  const SinCos a = SinCosDegrees(degrees);
  const double radians = static_cast<double>(degrees) * kRadiansPerDegree;
  EXPECT_NEAR(a.sin, std::sin(radians), 2e-7) << degrees;
  EXPECT_NEAR(a.cos, std::cos(radians), 2e-7) << degrees;
}

TEST(SinCosDegreesTest, MatchesDoublePrecisionOverTheCycleAndBeyond) {
  // Dense steps, then the last float on either side of every quarter turn,
  // where the reduction changes quadrant.
  for (int i = -900 * 64; i <= 2000 * 64; ++i) ExpectClose(static_cast<float>(i) / 64.0f + 0.0037f);
  for (int q = -10; q <= 22; ++q) {
    const float quarter = 90.0f * static_cast<float>(q);
    for (float d : {std::nextafter(quarter, -1e9f), quarter, std::nextafter(quarter, 1e9f),
                    quarter + 44.99999f, quarter - 44.99999f, quarter + 45.0f}) {
      ExpectClose(d);
    }
  }
}

TEST(SinCosDegreesTest, QuarterTurnsAreExact) {
  const float expectedSin[] = {0.0f, 1.0f, 0.0f, -1.0f};
  const float expectedCos[] = {1.0f, 0.0f, -1.0f, 0.0f};
  for (int q = -10; q <= 22; ++q) {
    const SinCos a = SinCosDegrees(90.0f * static_cast<float>(q));
    const int m = ((q % 4) + 4) % 4;
    EXPECT_EQ(a.sin, expectedSin[m]) << q;
    EXPECT_EQ(a.cos, expectedCos[m]) << q;
  }
}

}  // namespace
}  // namespace brisca
