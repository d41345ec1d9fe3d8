#include "core/sim/induction/Intercooler.h"

#include <gtest/gtest.h>

#include "core/sim/SimInputs.h"

namespace brisca {
namespace {

TEST(IntercoolerTest, CoolsTowardsAmbientAndTakesItsPressureDrop) {
  struct {
    const char* name;
    std::int16_t kind;
    float efficiencyPercent, drop, inletT, inletP;
    float outletT, outletP;
  } const cases[] = {
      {"half way to ambient", 1, 50.0f, 1.5f, 700.0f, 25.0f, 619.835f, 23.5f},
      // 700 − 160.33·1.5 = 459.5 would be colder than freezing: held at 491.67.
      {"over-efficient held at freezing", 1, 150.0f, 0.0f, 700.0f, 20.0f, 491.67f, 20.0f},
      {"drop held at 1 psia", 3, 80.0f, 30.0f, 600.0f, 14.7f, 551.736f, 1.0f},
      {"naturally aspirated passes", 0, 80.0f, 2.0f, 700.0f, 20.0f, 700.0f, 20.0f},
      {"no efficiency passes", 1, 0.0f, 2.0f, 700.0f, 20.0f, 700.0f, 20.0f},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SimInputs inputs;
    inputs.forcedInductionKind = c.kind;
    inputs.intercoolerEfficiency = c.efficiencyPercent;
    inputs.intercoolerPressureDrop = c.drop;
    CIntercooler cooler;
    cooler.Initialise(inputs);
    cooler.SetInlet(c.inletT, c.inletP);
    cooler.Compute(inputs);
    EXPECT_NEAR(cooler.outletTemperature, c.outletT, 1e-3f);
    EXPECT_FLOAT_EQ(cooler.outletPressure, c.outletP);
  }
}

}  // namespace
}  // namespace brisca
