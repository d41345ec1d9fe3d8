#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "core/valvetrain/Cam.h"
#include "tests/core/valvetrain/CamTestSupport.h"

namespace brisca {
namespace {

using testing_support::BuiltInCam;
using testing_support::CamFixture;
using testing_support::CamText;
using testing_support::kProStockCommand;
using testing_support::kStockStreetCommand;
using testing_support::ReadCamCode;

CCamProfile StockStreet() { return BuiltInCam(kStockStreetCommand).lowSpeedLobe; }

std::string FileText(const char* fixture) {
  std::ifstream in(CamFixture(fixture), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Worked example: "Stock Street/Economy" without advance, in both conventions.
TEST(CamProfileTest, DerivedValuesOfStockStreetInBothConventions) {
  const struct {
    int method;
    float intakeDuration, exhaustDuration, intakeCenterline, exhaustCenterline, lobeCenter,
        overlap;
  } cases[] = {
      {kSeatToSeat, 252.0f, 261.0f, 106.0f, 112.5f, 109.25f, 38.0f},
      {kFiftyThou, 200.0f, 206.0f, 106.0f, 114.0f, 110.0f, -17.0f},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.method);
    CCamProfile lobe = StockStreet();
    if (c.method == kFiftyThou) lobe.SwapTimingSets();
    EXPECT_EQ(lobe.Method(TimingSet::Primary).GetValue(), c.method);
    EXPECT_FLOAT_EQ(lobe.IntakeDuration().GetValue(), c.intakeDuration);
    EXPECT_FLOAT_EQ(lobe.ExhaustDuration().GetValue(), c.exhaustDuration);
    EXPECT_FLOAT_EQ(lobe.IntakeCenterline().GetValue(), c.intakeCenterline);
    EXPECT_FLOAT_EQ(lobe.ExhaustCenterline().GetValue(), c.exhaustCenterline);
    EXPECT_FLOAT_EQ(lobe.LobeCenterAngle().GetValue(), c.lobeCenter);
    EXPECT_FLOAT_EQ(lobe.ValveOverlap().GetValue(), c.overlap);
    EXPECT_TRUE(lobe.ValveOverlap().IsValid());
  }
}

TEST(CamProfileTest, AdvanceMovesTheActualEventsOnly) {
  CCamProfile lobe = StockStreet();
  lobe.IntakeAdvance().SetValue(4.0f);
  lobe.ExhaustAdvance().SetValue(-2.0f);
  lobe.ComputeDerived();
  EXPECT_FLOAT_EQ(lobe.ActualEvent(kIVO).GetValue(), 24.0f);
  EXPECT_FLOAT_EQ(lobe.ActualEvent(kIVC).GetValue(), 48.0f);
  EXPECT_FLOAT_EQ(lobe.ActualIntakeCenterline().GetValue(), 102.0f);
  EXPECT_FLOAT_EQ(lobe.ActualEvent(kEVO).GetValue(), 61.0f);
  EXPECT_FLOAT_EQ(lobe.ActualEvent(kEVC).GetValue(), 20.0f);
  EXPECT_FLOAT_EQ(lobe.ActualExhaustCenterline().GetValue(), 110.5f);
  EXPECT_FLOAT_EQ(lobe.Event(TimingSet::Primary, kIVO).GetValue(), 20.0f);
  EXPECT_FLOAT_EQ(lobe.IntakeCenterline().GetValue(), 106.0f);
  EXPECT_FLOAT_EQ(lobe.LobeCenterAngle().GetValue(), 109.25f);
}

TEST(CamProfileTest, MissingEventGivesItsCodeAndUnassignsEveryDerivedValue) {
  const struct {
    const char* name;
    void (*unassign)(CCamProfile&);
    int code;
  } cases[] = {
      {"IVO", [](CCamProfile& p) { p.Event(TimingSet::Primary, kIVO).ResetValue(); }, 34},
      {"IVC", [](CCamProfile& p) { p.Event(TimingSet::Primary, kIVC).ResetValue(); }, 35},
      {"EVO", [](CCamProfile& p) { p.Event(TimingSet::Primary, kEVO).ResetValue(); }, 36},
      {"EVC", [](CCamProfile& p) { p.Event(TimingSet::Primary, kEVC).ResetValue(); }, 37},
      {"intake advance", [](CCamProfile& p) { p.IntakeAdvance().ResetValue(); }, 31},
      {"exhaust advance", [](CCamProfile& p) { p.ExhaustAdvance().ResetValue(); }, 172},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CCamProfile lobe = StockStreet();
    c.unassign(lobe);
    int code = 0;
    EXPECT_FALSE(lobe.CheckEvents(code));
    EXPECT_EQ(code, c.code);
    lobe.ComputeDerived();
    const CCamProfile& view = lobe;
    for (const CFloatPtSpec* derived :
         {&view.IntakeDuration(), &view.ExhaustDuration(), &view.IntakeCenterline(),
          &view.ExhaustCenterline(), &view.LobeCenterAngle(), &view.ValveOverlap(),
          &view.ActualEvent(kIVO), &view.ActualEvent(kEVC), &view.ActualIntakeCenterline(),
          &view.ActualExhaustCenterline()})
      EXPECT_FALSE(derived->IsAssigned()) << derived->GetLabel();
  }
}

TEST(CamProfileTest, ValidateReportsTheFirstMissingValue) {
  const struct {
    const char* name;
    void (*damage)(CCamProfile&);
    int code;
  } cases[] = {
      {"cam type", [](CCamProfile& p) { p.CamType() = CPartTypeSpec("Camshaft Type", 1, 13); }, 27},
      {"lifter",
       [](CCamProfile& p) { p.LifterType() = CPartTypeSpec("Camshaft Lifter Type", 1, 5); }, 29},
      {"ramp rate", [](CCamProfile& p) { p.RampRate().ResetValue(); }, 105},
      {"intake lift", [](CCamProfile& p) { p.IntakeLift().ResetValue(); }, 32},
      {"exhaust lift", [](CCamProfile& p) { p.ExhaustLift().ResetValue(); }, 33},
      {"EVO", [](CCamProfile& p) { p.Event(TimingSet::Primary, kEVO).ResetValue(); }, 36},
      {"cam type before the lift",
       [](CCamProfile& p) {
         p.IntakeLift().ResetValue();
         p.CamType() = CPartTypeSpec("Camshaft Type", 1, 13);
       },
       27},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CCamProfile lobe = StockStreet();
    int code = 0;
    ASSERT_TRUE(lobe.Validate(code));
    c.damage(lobe);
    EXPECT_FALSE(lobe.Validate(code));
    EXPECT_EQ(code, c.code);
  }
  CCamProfile cleared;
  int code = 0;
  EXPECT_FALSE(cleared.Validate(code));
  EXPECT_EQ(code, 27);
}

TEST(CamProfileTest, ClearKeepsUnitsAndRestoresDefaults) {
  CCamProfile lobe = StockStreet();
  lobe.SetUnits(true);
  lobe.SetModified(true);
  lobe.SetAutoRampRate(true);
  lobe.IntakeAdvance().SetValue(5.0f);
  lobe.SetText(kCamUsage, "street");
  lobe.Clear();
  EXPECT_TRUE(lobe.IsMetric());
  EXPECT_FALSE(lobe.IsModified());
  EXPECT_FALSE(lobe.AutoRampRateOn());
  EXPECT_FALSE(lobe.Method(TimingSet::Primary).IsAssigned());
  EXPECT_FALSE(lobe.Event(TimingSet::Secondary, kIVO).IsAssigned());
  EXPECT_FALSE(lobe.IntakeLift().IsAssigned());
  EXPECT_EQ(lobe.IntakeAdvance().GetValue(), 0.0f);
  EXPECT_TRUE(lobe.IntakeAdvance().IsValid());
  EXPECT_EQ(lobe.RampRate().GetValue(), 3.0f);
  EXPECT_TRUE(lobe.Text(kCamUsage).empty());
}

TEST(CamProfileTest, NewLimitsUnassignAnEventOutsideThem) {
  CCamProfile lobe = BuiltInCam(kProStockCommand).lowSpeedLobe;  // seat-to-seat EVO 110
  lobe.SetPrimaryMethod(kFiftyThou);                             // EVO limits -10..105
  EXPECT_FALSE(lobe.Event(TimingSet::Primary, kEVO).IsAssigned());
  EXPECT_FALSE(lobe.Event(TimingSet::Primary, kIVC).IsAssigned());  // 96 > 95
  EXPECT_TRUE(lobe.Event(TimingSet::Primary, kIVO).IsValid());   // 48 within -25..50
}

// Worked example: A = 26.75, J = 0.98616, R = 35 / (A J) + 1.5 = 2.83.
TEST(CamProfileTest, RampRateOfStockStreetInEitherUnitsAndConvention) {
  for (const bool metric : {false, true}) {
    for (const bool swapped : {false, true}) {
      SCOPED_TRACE(testing::Message() << "metric " << metric << " swapped " << swapped);
      CCamProfile lobe = StockStreet();
      lobe.SetUnits(metric);
      if (swapped) lobe.SwapTimingSets();
      ASSERT_TRUE(lobe.CanComputeRampRate());
      EXPECT_TRUE(lobe.ComputeRampRate());
      EXPECT_NEAR(lobe.RampRate().GetValue(), 2.8268f, 0.0005f);
      EXPECT_EQ(lobe.RampRate().GetText(), "2.83");
    }
  }
}

TEST(CamProfileTest, RampRateNeedsLongerSeatToSeatEvents) {
  CCamProfile lobe = StockStreet();
  // 0.050-inch events equal to the seat-to-seat ones: no ramp at all (A = 0).
  for (int e = 0; e < kCamEventCount; ++e) {
    const auto event = static_cast<CamEvent>(e);
    lobe.Event(TimingSet::Secondary, event).SetValue(
        lobe.Event(TimingSet::Primary, event).GetValue());
  }
  EXPECT_FALSE(lobe.CanComputeRampRate());
  EXPECT_FALSE(lobe.ComputeRampRate());
  EXPECT_FALSE(lobe.RampRate().IsAssigned());

  // Shorter seat-to-seat events (A < 0) are refused the same way by the recalculation.
  lobe.Event(TimingSet::Secondary, kIVC).SetValue(60.0f);
  lobe.RampRate().SetValue(4.0f);
  lobe.SetAutoRampRate(true);
  lobe.UpdateAutoRampRate();
  EXPECT_FALSE(lobe.RampRate().IsAssigned());
}

TEST(CamProfileTest, AutoRampRateFollowsTheEvents) {
  CCamProfile lobe = StockStreet();
  lobe.UpdateAutoRampRate();  // off: the catalogue's value stays
  EXPECT_FLOAT_EQ(lobe.RampRate().GetValue(), 2.9f);
  lobe.SetAutoRampRate(true);
  lobe.UpdateAutoRampRate();
  EXPECT_EQ(lobe.RampRate().GetText(), "2.83");
  lobe.Event(TimingSet::Secondary, kEVC).ResetValue();
  lobe.UpdateAutoRampRate();
  EXPECT_FALSE(lobe.RampRate().IsAssigned());
}

TEST(CamProfileTest, ConvertToTakesTheSetOfTheWantedConvention) {
  const CCamProfile lobe = StockStreet();
  CCamProfile fifty;
  lobe.ConvertTo(fifty, kFiftyThou);
  EXPECT_EQ(fifty.Method(TimingSet::Primary).GetValue(), kFiftyThou);
  EXPECT_EQ(fifty.Method(TimingSet::Secondary).GetValue(), kSeatToSeat);
  EXPECT_FLOAT_EQ(fifty.Event(TimingSet::Primary, kIVO).GetValue(), -6.0f);
  EXPECT_FLOAT_EQ(fifty.Event(TimingSet::Primary, kEVC).GetValue(), -11.0f);
  EXPECT_FALSE(fifty.Event(TimingSet::Secondary, kIVO).IsAssigned());
  EXPECT_FLOAT_EQ(fifty.IntakeDuration().GetValue(), 200.0f);
  EXPECT_FLOAT_EQ(fifty.LobeCenterAngle().GetValue(), 110.0f);
  EXPECT_EQ(fifty.CamType().GetName(), "Stock Street/Economy");

  CCamProfile seat;
  lobe.ConvertTo(seat, kSeatToSeat);
  EXPECT_FLOAT_EQ(seat.Event(TimingSet::Primary, kIVO).GetValue(), 20.0f);
  EXPECT_FLOAT_EQ(seat.ValveOverlap().GetValue(), 38.0f);

  // A profile with only seat-to-seat events has nothing for the other convention.
  CCamProfile onlySeat = lobe;
  for (int e = 0; e < kCamEventCount; ++e)
    onlySeat.Event(TimingSet::Secondary, static_cast<CamEvent>(e)).ResetValue();
  onlySeat.ConvertTo(fifty, kFiftyThou);
  EXPECT_FALSE(fifty.Event(TimingSet::Primary, kIVO).IsAssigned());
  EXPECT_FALSE(fifty.IntakeDuration().IsAssigned());
  EXPECT_FALSE(fifty.ValveOverlap().IsAssigned());
}

TEST(CamProfileTest, EventsFromCardStayWithinTheConventionsLimits) {
  // Worked examples of the cam card: seat-to-seat, then 0.050-inch with an IVO of 65.
  const struct {
    int method;
    float lobeCenter, intakeCenterline, intakeDuration, exhaustDuration;
    bool ivoValid;
    float ivo, ivc, evo, evc, exhaustCenterline;
  } cases[] = {
      {kSeatToSeat, 110, 106, 270, 280, true, 29, 61, 74, 26, 114},
      {kFiftyThou, 110, 100, 330, 280, false, 65, 85, 80, 20, 120},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.method);
    CCamProfile lobe = StockStreet();
    if (c.method == kFiftyThou) lobe.SwapTimingSets();
    lobe.LobeCenterAngle().SetValue(c.lobeCenter);
    lobe.IntakeCenterline().SetValue(c.intakeCenterline);
    lobe.IntakeDuration().SetValue(c.intakeDuration);
    lobe.ExhaustDuration().SetValue(c.exhaustDuration);
    lobe.EventsFromCard();
    EXPECT_EQ(lobe.Event(TimingSet::Primary, kIVO).IsValid(), c.ivoValid);
    if (c.ivoValid) {
      EXPECT_FLOAT_EQ(lobe.Event(TimingSet::Primary, kIVO).GetValue(), c.ivo);
    }
    EXPECT_FLOAT_EQ(lobe.Event(TimingSet::Primary, kIVC).GetValue(), c.ivc);
    EXPECT_FLOAT_EQ(lobe.Event(TimingSet::Primary, kEVO).GetValue(), c.evo);
    EXPECT_FLOAT_EQ(lobe.Event(TimingSet::Primary, kEVC).GetValue(), c.evc);
    EXPECT_FLOAT_EQ(lobe.ExhaustCenterline().GetValue(), c.exhaustCenterline);
    EXPECT_EQ(lobe.ValveOverlap().IsValid(), c.ivoValid);
    if (c.ivoValid) {
      EXPECT_FLOAT_EQ(lobe.ValveOverlap().GetValue(), c.ivo + c.evc);
    }
  }
}

TEST(CamProfileTest, TextsAreSingleTrimmedLines) {
  CCamProfile lobe;
  lobe.SetText(kCamEngine, "  350 ci\r\nsmall block  ");
  EXPECT_EQ(lobe.Text(kCamEngine), "350 ci  small block");
  lobe.SetText(kCamEmailWeb, std::string(2000, 'w'));
  EXPECT_EQ(lobe.Text(kCamEmailWeb).size(), kMaxCamTextLength);
}

TEST(CamProfileTest, ProfileTextRoundTripsAndHoldsInches) {
  CCamProfile lobe = StockStreet();
  lobe.SetText(kCamManufacturer, "Maker");
  lobe.SetText(kCamExtraText2, "kept");
  lobe.SetAutoRampRate(true);
  const std::string domestic = CamText(lobe);
  lobe.SetUnits(true);
  EXPECT_EQ(CamText(lobe), domestic);  // the text always holds inches
  EXPECT_TRUE(lobe.IsMetric());        // and the profile was not converted
  EXPECT_FLOAT_EQ(lobe.IntakeLift().GetValue(), 0.51f * 25.4f);

  CCamProfile read;
  read.SetModified(true);
  ASSERT_EQ(ReadCamCode(read, domestic), 0);
  EXPECT_EQ(CamText(read), domestic);
  EXPECT_FALSE(read.IsModified());
  EXPECT_FALSE(read.IsMetric());
  EXPECT_EQ(read.Text(kCamExtraText2), "kept");
  EXPECT_TRUE(read.Text(kCamEmailWeb).empty());
}

TEST(CamProfileTest, UnassignedPartTypesRoundTrip) {
  CCamProfile lobe;  // nothing chosen yet: the high-speed lobe of most engines
  const std::string text = CamText(lobe);
  EXPECT_NE(text.find("***\n1\n"), std::string::npos);
  CCamProfile read = StockStreet();
  ASSERT_EQ(ReadCamCode(read, text), 0);
  EXPECT_FALSE(read.CamType().IsAssigned());
  EXPECT_FALSE(read.Method(TimingSet::Primary).IsAssigned());
  EXPECT_FALSE(read.Event(TimingSet::Primary, kIVO).IsAssigned());
  EXPECT_EQ(CamText(read), text);
}

TEST(CamProfileTest, OldProfileHasNoSecondarySet) {
  CCamProfile lobe = StockStreet();
  lobe.SetText(kCamUsage, "stays");
  lobe.RampRate().SetValue(4.5f);
  ASSERT_EQ(ReadCamCode(lobe, FileText("cam-profile-308.txt")), 0);
  EXPECT_EQ(lobe.Method(TimingSet::Primary).GetValue(), kSeatToSeat);
  EXPECT_FLOAT_EQ(lobe.Event(TimingSet::Primary, kIVC).GetValue(), 52.0f);
  EXPECT_EQ(lobe.Method(TimingSet::Secondary).GetValue(), kFiftyThou);
  EXPECT_TRUE(lobe.Method(TimingSet::Secondary).IsValid());
  for (int e = 0; e < kCamEventCount; ++e)
    EXPECT_FALSE(lobe.Event(TimingSet::Secondary, static_cast<CamEvent>(e)).IsAssigned());
  EXPECT_EQ(lobe.Text(kCamUsage), "stays");
  EXPECT_FLOAT_EQ(lobe.RampRate().GetValue(), 4.5f);

  lobe.SetAutoRampRate(true);
  EXPECT_FALSE(lobe.CanComputeRampRate());
  lobe.UpdateAutoRampRate();
  EXPECT_FALSE(lobe.RampRate().IsAssigned());
}

TEST(CamProfileTest, BadProfileTextGivesItsCodeAndChangesNothing) {
  const std::string good = CamText(StockStreet());
  auto replaced = [&](const std::string& from, const std::string& to) {
    std::string text = good;
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return text.replace(at, from.size(), to);
  };
  const struct {
    const char* name;
    std::string text;
    int code;
  } cases[] = {
      {"empty", "", 45},
      {"unknown version", replaced("4.2\n", "4.3\n"), 50},
      {"units flag 2", replaced("4.2\n0\n", "4.2\n2\n"), 47},
      {"cam type code 14", replaced("Economy\n1\n", "Economy\n14\n"), 47},
      {"lift beyond 1.5 in", replaced("1 0.510000\n1 0.510000", "1 1.600000\n1 0.510000"), 47},
      {"lift not a number", replaced("1 0.510000\n1 0.510000", "1 lots\n1 0.510000"), 45},
      {"secondary repeats the primary", replaced("0.050-inch\n2\n", "0.050-inch\n1\n"), 47},
      {"truncated texts", good.substr(0, good.size() - 8), 45},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CCamProfile lobe = BuiltInCam(kProStockCommand).lowSpeedLobe;
    const std::string before = CamText(lobe);
    EXPECT_EQ(ReadCamCode(lobe, c.text), c.code);
    EXPECT_EQ(CamText(lobe), before);
  }
}

}  // namespace
}  // namespace brisca
