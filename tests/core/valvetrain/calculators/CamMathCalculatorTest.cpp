#include <gtest/gtest.h>

#include "core/valvetrain/calculators/CamMathCalculator.h"
#include "tests/core/valvetrain/CamTestSupport.h"

namespace brisca {
namespace {

using testing_support::BuiltInCam;
using testing_support::kStockStreetCommand;

CCamProfile Card(int method, float lobeCenter, float intakeCenterline, float intakeDuration,
                 float exhaustDuration) {
  CCamProfile lobe = BuiltInCam(kStockStreetCommand).lowSpeedLobe;
  if (method == kFiftyThou) lobe.SwapTimingSets();
  lobe.LobeCenterAngle().SetValue(lobeCenter);
  lobe.IntakeCenterline().SetValue(intakeCenterline);
  lobe.IntakeDuration().SetValue(intakeDuration);
  lobe.ExhaustDuration().SetValue(exhaustDuration);
  return lobe;
}

// Worked examples: a seat-to-seat card, and a 0.050-inch card whose IVO of 65
// lies beyond that convention's limit of 50.
TEST(CamMathCalculatorTest, CardToEventsAndApply) {
  CCamProfile seat = Card(kSeatToSeat, 110, 106, 270, 280);
  CamCardToEvents(seat);
  EXPECT_FLOAT_EQ(seat.Event(TimingSet::Primary, kIVO).GetValue(), 29.0f);
  EXPECT_FLOAT_EQ(seat.Event(TimingSet::Primary, kIVC).GetValue(), 61.0f);
  EXPECT_FLOAT_EQ(seat.Event(TimingSet::Primary, kEVO).GetValue(), 74.0f);
  EXPECT_FLOAT_EQ(seat.Event(TimingSet::Primary, kEVC).GetValue(), 26.0f);
  EXPECT_FLOAT_EQ(seat.ExhaustCenterline().GetValue(), 114.0f);
  EXPECT_FLOAT_EQ(seat.Event(TimingSet::Secondary, kIVO).GetValue(), -6.0f);  // untouched
  int code = 0;
  EXPECT_TRUE(CheckCamMathApply(seat, code));

  CCamProfile fifty = Card(kFiftyThou, 110, 100, 330, 280);
  CamCardToEvents(fifty);
  EXPECT_FALSE(fifty.Event(TimingSet::Primary, kIVO).IsAssigned());
  EXPECT_TRUE(fifty.Event(TimingSet::Primary, kIVC).IsValid());
  EXPECT_FALSE(CheckCamMathApply(fifty, code));
  EXPECT_EQ(code, 34);
}

TEST(CamMathCalculatorTest, IncompleteCardClearsTheEvents) {
  CCamProfile lobe = Card(kSeatToSeat, 110, 106, 270, 280);
  lobe.ExhaustDuration().ResetValue();
  CamCardToEvents(lobe);
  for (int e = 0; e < kCamEventCount; ++e)
    EXPECT_FALSE(lobe.Event(TimingSet::Primary, static_cast<CamEvent>(e)).IsAssigned());
  EXPECT_TRUE(lobe.Event(TimingSet::Secondary, kIVO).IsValid());
}

TEST(CamMathCalculatorTest, ApplyChecksInOrder) {
  const struct {
    const char* name;
    void (*damage)(CCamProfile&);
    int code;
  } cases[] = {
      {"lobe centre", [](CCamProfile& p) { p.LobeCenterAngle().ResetValue(); }, 39},
      {"intake centreline", [](CCamProfile& p) { p.IntakeCenterline().ResetValue(); }, 38},
      {"intake duration", [](CCamProfile& p) { p.IntakeDuration().ResetValue(); }, 40},
      {"exhaust duration", [](CCamProfile& p) { p.ExhaustDuration().ResetValue(); }, 41},
      {"intake lift", [](CCamProfile& p) { p.IntakeLift().ResetValue(); }, 32},
      {"exhaust lift", [](CCamProfile& p) { p.ExhaustLift().ResetValue(); }, 33},
      {"IVC", [](CCamProfile& p) { p.Event(TimingSet::Primary, kIVC).ResetValue(); }, 35},
      {"EVC", [](CCamProfile& p) { p.Event(TimingSet::Primary, kEVC).ResetValue(); }, 37},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CCamProfile lobe = Card(kSeatToSeat, 110, 106, 270, 280);
    CamCardToEvents(lobe);
    c.damage(lobe);
    int code = 0;
    EXPECT_FALSE(CheckCamMathApply(lobe, code));
    EXPECT_EQ(code, c.code);
  }
}

}  // namespace
}  // namespace brisca
