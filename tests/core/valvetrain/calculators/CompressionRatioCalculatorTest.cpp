#include <gtest/gtest.h>

#include "core/spec/FloatPtSpec.h"
#include "core/valvetrain/calculators/CompressionRatioCalculator.h"

namespace brisca {
namespace {

CFloatPtSpec Length(const char* label, float min, float max) {
  return CFloatPtSpec(label, UnitInch, min, max, UnitMillimeter, kInchToMillimeter);
}
CFloatPtSpec Volume(const char* label, float min, float max) {
  return CFloatPtSpec(label, UnitCubicCentimeter, min, max, UnitCubicCentimeter, kSameUnit);
}

// The document's parameters, unassigned, with the document's limits.
CompRatioInputs BlankInputs(int method) {
  return {method,
          Length("Bore", 2.0f, 7.0f),
          Volume("Cylinder Volume", 1.0f, 4415.0f),
          Volume("Cylinder Head Chamber Volume", 0.1f, 500.0f),
          Length("Head Gasket Bore Diameter", 1.0f, 8.0f),
          Length("Head Gasket Compressed Thickness", 0.0f, 0.15f),
          Volume("Piston Dome Volume", 0.0f, 500.0f),
          Volume("Piston Valve Reliefs Volume", 0.0f, 500.0f),
          Length("Piston To Deck Distance At TDC", -0.5f, 2.0f),
          Length("Piston Down Bore Distance from TDC", 0.1f, 2.0f),
          Volume("Piston to Deck Measured Volume", 0.1f, 6000.0f)};
}

// Bore 4.000 in, stroke 3.480 in (716.62 cc), chamber 64 cc, gasket 4.100 by 0.040 in.
CompRatioInputs Engine(int method, bool metric) {
  CompRatioInputs in = BlankInputs(method);
  const float length = metric ? kInchToMillimeter : 1.0f;
  for (CFloatPtSpec* spec : {&in.bore, &in.gasketBore, &in.gasketThickness, &in.deckClearance,
                             &in.downBoreDistance})
    if (metric) spec->ToMetric();
  in.bore.SetValue(4.0f * length);
  in.cylinderVolume.SetValue(716.62f);
  in.chamberVolume.SetValue(64.0f);
  in.gasketBore.SetValue(4.1f * length);
  in.gasketThickness.SetValue(0.04f * length);
  if (method == kPistonDeckSpecsMethod) {
    in.domeVolume.SetValue(5.0f);
    in.reliefsVolume.SetValue(4.0f);
    in.deckClearance.SetValue(0.01f * length);
  } else {
    in.downBoreDistance.SetValue(0.5f * length);
    in.measuredVolume.SetValue(110.0f);
  }
  return in;
}

CFloatPtSpec DocumentRatio() {
  return CFloatPtSpec("Compression Ratio", UnitRatio, 6.0f, 18.0f, UnitRatio, kSameUnit);
}

// Worked examples: specs known gives 10.72, the burette method 9.99; the same
// engine in millimetres gives the same volumes up to the rounding of the conversion.
TEST(CompressionRatioCalculatorTest, WorkedExamplesInBothUnitSystems) {
  const struct {
    int method;
    float gasket, deck, total, ratio;
  } cases[] = {
      {kPistonDeckSpecsMethod, 8.65f, 1.06f, 73.71f, 10.72f},
      {kBuretteMethod, 8.65f, 7.04f, 79.69f, 9.99f},
  };
  for (const auto& c : cases) {
    for (const bool metric : {false, true}) {
      SCOPED_TRACE(testing::Message() << "method " << c.method << " metric " << metric);
      const CompRatioInputs in = Engine(c.method, metric);
      CompRatioResults out;
      ComputeCompressionRatio(in, out);
      EXPECT_NEAR(out.headGasketVolume.GetValue(), c.gasket, 0.011f);
      EXPECT_NEAR(out.deckVolume.GetValue(), c.deck, 0.011f);
      EXPECT_NEAR(out.totalVolume.GetValue(), c.total, 0.021f);
      EXPECT_NEAR(out.compressionRatio.GetValue(), c.ratio, 0.011f);
      if (!metric) {
        EXPECT_FLOAT_EQ(out.compressionRatio.GetValue(), c.ratio);
      }
      EXPECT_EQ(in.bore.IsMetric(), metric);  // the inputs keep their units
      int code = -1;
      EXPECT_TRUE(CheckCompressionRatioApply(in, out, DocumentRatio(), code));
      EXPECT_EQ(code, 0);
    }
  }
}

TEST(CompressionRatioCalculatorTest, ZeroTotalGivesNoRatio) {
  CompRatioInputs in = Engine(kPistonDeckSpecsMethod, false);
  in.chamberVolume.SetValue(0.1f);
  in.gasketThickness.SetValue(0.0f);  // no gasket volume
  in.deckClearance.SetValue(0.0f);
  in.reliefsVolume.SetValue(0.0f);
  in.domeVolume.SetValue(0.1f);       // the dome fills the chamber exactly
  CompRatioResults out;
  ComputeCompressionRatio(in, out);
  EXPECT_FLOAT_EQ(out.deckVolume.GetValue(), -0.1f);
  EXPECT_TRUE(out.totalVolume.IsValid());
  EXPECT_EQ(out.totalVolume.GetValue(), 0.0f);
  EXPECT_FALSE(out.compressionRatio.IsAssigned());
  int code = 0;
  EXPECT_FALSE(CheckCompressionRatioApply(in, out, DocumentRatio(), code));
  EXPECT_EQ(code, 96);
}

TEST(CompressionRatioCalculatorTest, PartialInputsGivePartialResults) {
  CompRatioInputs in = BlankInputs(kBuretteMethod);
  in.bore.SetValue(4.0f);
  in.cylinderVolume.SetValue(716.62f);
  CompRatioResults out;
  out.totalVolume.SetValue(12.0f);  // a result of earlier inputs goes away
  ComputeCompressionRatio(in, out);
  EXPECT_FALSE(out.headGasketVolume.IsAssigned());
  EXPECT_FALSE(out.totalVolume.IsAssigned());

  in.gasketBore.SetValue(4.1f);
  in.gasketThickness.SetValue(0.04f);
  in.deckClearance.SetValue(0.01f);  // the other method's input plays no part
  in.domeVolume.SetValue(5.0f);
  in.reliefsVolume.SetValue(4.0f);
  ComputeCompressionRatio(in, out);
  EXPECT_FLOAT_EQ(out.headGasketVolume.GetValue(), 8.65f);
  EXPECT_FALSE(out.deckVolume.IsAssigned());
  EXPECT_FALSE(out.compressionRatio.IsAssigned());
}

TEST(CompressionRatioCalculatorTest, ApplyReportsTheFirstMissingInputOrABadRatio) {
  const struct {
    const char* name;
    int method;
    void (*damage)(CompRatioInputs&);
    int code;
  } cases[] = {
      {"chamber", kBuretteMethod, [](CompRatioInputs& in) { in.chamberVolume.ResetValue(); }, 90},
      {"gasket bore", kPistonDeckSpecsMethod,
       [](CompRatioInputs& in) { in.gasketBore.ResetValue(); }, 91},
      {"gasket thickness", kBuretteMethod,
       [](CompRatioInputs& in) { in.gasketThickness.ResetValue(); }, 92},
      {"dome", kPistonDeckSpecsMethod, [](CompRatioInputs& in) { in.domeVolume.ResetValue(); }, 177},
      {"reliefs", kPistonDeckSpecsMethod,
       [](CompRatioInputs& in) { in.reliefsVolume.ResetValue(); }, 178},
      {"deck clearance", kPistonDeckSpecsMethod,
       [](CompRatioInputs& in) { in.deckClearance.ResetValue(); }, 179},
      {"down-bore distance", kBuretteMethod,
       [](CompRatioInputs& in) { in.downBoreDistance.ResetValue(); }, 180},
      {"measured volume", kBuretteMethod,
       [](CompRatioInputs& in) { in.measuredVolume.ResetValue(); }, 181},
      {"ratio 19.05 above 18", kPistonDeckSpecsMethod,
       [](CompRatioInputs& in) { in.chamberVolume.SetValue(30.0f); }, 89},
      {"ratio 2.38 below 6", kBuretteMethod,
       [](CompRatioInputs& in) { in.measuredVolume.SetValue(550.0f); }, 89},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CompRatioInputs in = Engine(c.method, false);
    c.damage(in);
    CompRatioResults out;
    ComputeCompressionRatio(in, out);
    int code = 0;
    EXPECT_FALSE(CheckCompressionRatioApply(in, out, DocumentRatio(), code));
    EXPECT_EQ(code, c.code);
  }
}

}  // namespace
}  // namespace brisca
