#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

#include "core/base/ErrCode.h"
#include "core/valvetrain/Cam.h"
#include "tests/core/valvetrain/CamTestSupport.h"
#include "tests/support/ScriptedPresenter.h"
#include "tests/support/TempDir.h"

namespace brisca {
namespace {

namespace fs = std::filesystem;
using testing_support::BuiltInCam;
using testing_support::CamFixture;
using testing_support::CamText;
using testing_support::kStockStreetCommand;
using testing_support::kVvtStreetCommand;
using testing_support::ReadCamCode;

CFloatPtSpec IntakeValveDiameter(float inches) {
  CFloatPtSpec d("Intake Valve Diameter", UnitInch, 0.75f, 4.0f, UnitMillimeter, kInchToMillimeter);
  d.SetValue(inches);
  return d;
}

std::string FileText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A scratch folder for one test, removed afterwards.
class CamFileTest : public testing::Test {
 protected:
  brisca::TempDir temp_{"brisca-cam"};
  const fs::path& dir_ = temp_.Path();
  ScriptedPresenter presenter_;
  ScopedPresenter installed_{presenter_};
};

TEST(CamshaftTest, FixedCamTypeFillsBothLobes) {
  CCamshaft cam;
  cam.variableValveTiming = true;
  cam.LoadCamType(kStockStreetCommand);
  EXPECT_FALSE(cam.variableValveTiming);
  const CCamProfile& low = cam.lowSpeedLobe;
  EXPECT_EQ(low.CamType().GetValue(), 1);
  EXPECT_EQ(low.CamType().GetName(), "Stock Street/Economy");
  EXPECT_EQ(low.LifterType().GetName(), "Roller Hydraulic");
  EXPECT_EQ(low.LifterType().GetValue(), 4);
  EXPECT_EQ(low.Method(TimingSet::Primary).GetText(), "Seat-To-Seat");
  EXPECT_FLOAT_EQ(low.Event(TimingSet::Primary, kEVO).GetValue(), 63.0f);
  EXPECT_FLOAT_EQ(low.Event(TimingSet::Secondary, kEVC).GetValue(), -11.0f);
  EXPECT_FLOAT_EQ(low.IntakeLift().GetValue(), 0.51f);
  EXPECT_FLOAT_EQ(low.RampRate().GetValue(), 2.9f);
  const CCamProfile& high = cam.highSpeedLobe;
  EXPECT_EQ(high.CamType().GetValue(), 1);
  EXPECT_EQ(high.LifterType().GetValue(), 4);
  EXPECT_EQ(high.Method(TimingSet::Primary).GetValue(), kSeatToSeat);
  EXPECT_EQ(high.Method(TimingSet::Secondary).GetValue(), kFiftyThou);
  EXPECT_FALSE(high.Event(TimingSet::Primary, kIVO).IsAssigned());
  int code = 0;
  EXPECT_TRUE(cam.Validate(code));
}

TEST(CamshaftTest, TwoLobeCamTypesFillTheHighSpeedLobeAndActivationSpeed) {
  const struct {
    int command;
    int highCode;
    float rpm;
    float highIntakeLift;
  } cases[] = {{33868, 9, 4500, 0.459f}, {33870, 11, 5500, 0.472f}, {33872, 13, 6000, 0.5f}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.command);
    CCamshaft cam;
    cam.SetUnits(true);
    cam.LoadCamType(c.command);
    EXPECT_TRUE(cam.variableValveTiming);
    EXPECT_FLOAT_EQ(cam.activationRpm.GetValue(), c.rpm);
    EXPECT_EQ(cam.highSpeedLobe.CamType().GetValue(), c.highCode);
    EXPECT_EQ(cam.highSpeedLobe.LifterType().GetName(), "None (Overhead Cam)");
    EXPECT_TRUE(cam.highSpeedLobe.IsMetric());
    EXPECT_NEAR(cam.highSpeedLobe.IntakeLift().GetValue(), c.highIntakeLift * 25.4f, 1e-4f);
    int code = 0;
    EXPECT_TRUE(cam.Validate(code)) << code;
    cam.activationRpm.ResetValue();
    EXPECT_FALSE(cam.Validate(code));
    EXPECT_EQ(code, 171);
  }
}

TEST(CamshaftTest, TimingCommandSwapsBothLobesAndNamesTheNotice) {
  CCamshaft cam;
  EXPECT_EQ(cam.SetTimingMethod(kFiftyThou), 0);  // nothing assigned yet
  EXPECT_EQ(cam.highSpeedLobe.Method(TimingSet::Primary).GetValue(), kFiftyThou);
  EXPECT_EQ(cam.lowSpeedLobe.Method(TimingSet::Secondary).GetValue(), kSeatToSeat);
  EXPECT_FLOAT_EQ(cam.lowSpeedLobe.Event(TimingSet::Primary, kIVO).GetMin(), -25.0f);

  cam = BuiltInCam(kVvtStreetCommand);
  EXPECT_EQ(cam.SetTimingMethod(kSeatToSeat), 0);  // already seat to seat
  EXPECT_EQ(cam.SetTimingMethod(kFiftyThou), kNoticeSeatToFifty);
  for (const CCamProfile* lobe : {&cam.lowSpeedLobe, &cam.highSpeedLobe}) {
    EXPECT_EQ(lobe->Method(TimingSet::Primary).GetValue(), kFiftyThou);
    EXPECT_TRUE(lobe->IntakeDuration().IsValid());
  }
  EXPECT_FLOAT_EQ(cam.highSpeedLobe.Event(TimingSet::Primary, kIVO).GetValue(), 12.5f);
  EXPECT_FLOAT_EQ(cam.highSpeedLobe.Event(TimingSet::Secondary, kIVO).GetValue(), 26.0f);
  EXPECT_EQ(cam.SetTimingMethod(kSeatToSeat), kNoticeFiftyToSeat);
  EXPECT_FLOAT_EQ(cam.lowSpeedLobe.Event(TimingSet::Primary, kIVO).GetValue(), 6.5f);

  // Lobes that disagree (as a hand-made file may) both end in the chosen convention.
  cam.highSpeedLobe.SwapTimingSets();
  EXPECT_EQ(cam.SetTimingMethod(kFiftyThou), kNoticeSeatToFifty);
  EXPECT_EQ(cam.highSpeedLobe.Method(TimingSet::Primary).GetValue(), kFiftyThou);
  EXPECT_FLOAT_EQ(cam.highSpeedLobe.Event(TimingSet::Primary, kIVO).GetValue(), 12.5f);
}

TEST(CamshaftTest, CustomCamTypeNamesBothLobesAndKeepsTheTwoLobeFlag) {
  CCamshaft cam = BuiltInCam(kVvtStreetCommand);
  EXPECT_FALSE(cam.SetCustomCamType(""));
  EXPECT_EQ(cam.lowSpeedLobe.CamType().GetValue(), 8);
  ASSERT_TRUE(cam.SetCustomCamType("My grind"));
  EXPECT_TRUE(cam.variableValveTiming);
  for (const CCamProfile* lobe : {&cam.lowSpeedLobe, &cam.highSpeedLobe}) {
    EXPECT_EQ(lobe->CamType().GetValue(), kCustomCamTypeCode);
    EXPECT_EQ(lobe->CamType().GetName(), "My grind");
    EXPECT_FALSE(lobe->Event(TimingSet::Primary, kIVO).IsAssigned());
  }
}

TEST(CamshaftTest, AutomaticValveLiftFollowsTheIntakeValveAndCamType) {
  // Worked example: a 1.80-inch intake valve with cam type 7.
  EXPECT_NEAR(AutoValveLift(7, 1.8f).intake, 0.6228f, 1e-4f);
  EXPECT_NEAR(AutoValveLift(7, 1.8f).exhaust, 0.5917f, 1e-4f);
  const struct {
    int code;
    float factor;
  } factors[] = {{1, 0.201f}, {2, 0.23f}, {3, 0.26f}, {4, 0.297f}, {5, 0.346f},
                 {6, 0.297f}, {8, 0.2f},  {9, 0.25f}, {10, 0.25f}, {11, 0.3f},
                 {12, 0.3f},  {13, 0.35f}};
  for (const auto& f : factors) EXPECT_FLOAT_EQ(AutoValveLift(f.code, 2.0f).intake, 2.0f * f.factor);
  EXPECT_FLOAT_EQ(AutoValveLift(13, 4.0f).intake, 1.4f);   // largest valve: below the limit
  EXPECT_FLOAT_EQ(AutoValveLift(8, 0.4f).exhaust, 0.1f);   // limited to 0.1 in

  CCamshaft cam = BuiltInCam(kVvtStreetCommand);
  cam.SetAutoValveLift(true);
  EXPECT_FALSE(cam.lowSpeedLobe.IntakeLift().IsAssigned());
  EXPECT_FALSE(cam.highSpeedLobe.ExhaustLift().IsAssigned());
  cam.SetUnits(true);
  CFloatPtSpec diameter = IntakeValveDiameter(1.8f);
  diameter.ToMetric();
  cam.UpdateDerived(diameter);
  EXPECT_NEAR(cam.lowSpeedLobe.IntakeLift().GetValue(), 1.8f * 0.2f * 25.4f, 1e-3f);
  EXPECT_NEAR(cam.highSpeedLobe.IntakeLift().GetValue(), 1.8f * 0.25f * 25.4f, 1e-3f);
  EXPECT_NEAR(cam.highSpeedLobe.ExhaustLift().GetValue(), 1.8f * 0.25f * 0.95f * 25.4f, 1e-3f);
  EXPECT_TRUE(cam.lowSpeedLobe.IsMetric());
  EXPECT_TRUE(cam.lowSpeedLobe.IntakeDuration().IsValid());
}

TEST(CamshaftTest, RecalculationComputesOrUnassignsAutomaticRampRates) {
  CCamshaft cam = BuiltInCam(kStockStreetCommand);
  cam.lowSpeedLobe.SetAutoRampRate(true);
  cam.highSpeedLobe.SetAutoRampRate(true);  // no events: cannot be computed
  cam.UpdateDerived(IntakeValveDiameter(2.0f));
  EXPECT_EQ(cam.lowSpeedLobe.RampRate().GetText(), "2.83");
  EXPECT_FALSE(cam.highSpeedLobe.RampRate().IsAssigned());
  EXPECT_FLOAT_EQ(cam.lowSpeedLobe.IntakeLift().GetValue(), 0.51f);  // automatic lift is off
}

TEST(CamshaftTest, AutoActivationSpeedStartsAt5000) {
  CCamshaft cam;
  cam.SetAutoActivationRpm(true);
  EXPECT_TRUE(cam.autoActivationRpm);
  EXPECT_FLOAT_EQ(cam.activationRpm.GetValue(), 5000.0f);
  cam.Clear();
  EXPECT_FALSE(cam.autoActivationRpm);
  EXPECT_FALSE(cam.activationRpm.IsAssigned());
}

TEST(CamshaftTest, OuterVersionsDifferFromProfileVersions) {
  const struct {
    const char* outer;
    int code;
  } cases[] = {{"4.2", 0}, {"4.11", 0}, {"4.10", 0}, {"4.06", 50}, {"3.08", 50}, {"4.2x", 50}};
  const std::string text = CamText(BuiltInCam(kVvtStreetCommand));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.outer);
    CCamshaft cam;
    EXPECT_EQ(ReadCamCode(cam, c.outer + text.substr(3)), c.code);
    EXPECT_EQ(cam.variableValveTiming, c.code == 0);
  }
}

TEST_F(CamFileTest, SavedFileLoadsBackTheSameCamshaft) {
  CCamshaft cam = BuiltInCam(kVvtStreetCommand);
  cam.lowSpeedLobe.SetText(kCamManufacturer, "Maker");
  cam.lowSpeedLobe.SetModified(true);
  cam.SetAutoActivationRpm(true);
  const fs::path path = dir_ / "vvt.qcm";
  ASSERT_TRUE(cam.SaveToFile(path));
  EXPECT_EQ(FileText(path), CamText(cam));

  CCamshaft read;
  ASSERT_TRUE(read.LoadFromFile(path));
  EXPECT_EQ(CamText(read), CamText(cam));
  EXPECT_FALSE(read.lowSpeedLobe.IsModified());
  EXPECT_TRUE(read.autoActivationRpm);
  EXPECT_TRUE(presenter_.Shown().empty());
}

TEST_F(CamFileTest, SavingReplacesTheOldFileWholeAndLeavesNoTemporaryFile) {
  const fs::path path = dir_ / "cam.qcm";
  { std::ofstream(path) << std::string(5000, 'x'); }
  const CCamshaft cam = BuiltInCam(kStockStreetCommand);
  ASSERT_TRUE(cam.SaveToFile(path));
  EXPECT_EQ(FileText(path), CamText(cam));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(CamFileTest, SaveThatCannotStartReportsAndLeavesTheOldFile) {
  // The target is a folder: nothing can be renamed over it.
  const fs::path path = dir_ / "folder.qcm";
  fs::create_directories(path / "inside");
  EXPECT_FALSE(BuiltInCam(kStockStreetCommand).SaveToFile(path));
  ASSERT_EQ(presenter_.Shown().size(), 1u);
  EXPECT_EQ(presenter_.Shown()[0].code, 43);
  EXPECT_TRUE(fs::is_directory(path / "inside"));

  presenter_.Clear();
  EXPECT_FALSE(BuiltInCam(kStockStreetCommand).SaveToFile(dir_ / "missing" / "cam.qcm"));
  ASSERT_EQ(presenter_.Shown().size(), 1u);
  EXPECT_EQ(presenter_.Shown()[0].code, 43);
}

TEST_F(CamFileTest, GoodFixturesLoad) {
  for (const char* name : {"cam-stock-street.qcm", "cam-crlf.qcm", "cam-embedded-406.qcm"}) {
    SCOPED_TRACE(name);
    CCamshaft cam;
    ASSERT_TRUE(cam.LoadFromFile(CamFixture(name)));
    EXPECT_EQ(cam.lowSpeedLobe.CamType().GetName(), "Stock Street/Economy");
    EXPECT_EQ(cam.lowSpeedLobe.Text(kCamEngine), "Fixture engine");
    EXPECT_FLOAT_EQ(cam.lowSpeedLobe.Event(TimingSet::Secondary, kEVO).GetValue(), 37.0f);
    EXPECT_FLOAT_EQ(cam.lowSpeedLobe.RampRate().GetValue(), 2.9f);
    EXPECT_EQ(cam.highSpeedLobe.Method(TimingSet::Secondary).GetValue(), kFiftyThou);
  }
  EXPECT_TRUE(presenter_.Shown().empty());
}

TEST_F(CamFileTest, DamagedFilesReportTheirCodeAndLeaveTheCamshaftUntouched) {
  const struct {
    const char* name;
    int code;
  } cases[] = {
      {"no-such-file.qcm", 43},          {"cam-truncated.qcm", 45},
      {"cam-bad-number.qcm", 45},        {"cam-overlong-text.qcm", 45},
      {"cam-event-out-of-range.qcm", 47}, {"cam-same-method-twice.qcm", 47},
      {"cam-bad-flag.qcm", 47},          {"cam-outer-version-406.qcm", 50},
      {"cam-binary.qcm", 50},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    presenter_.Clear();
    CCamshaft cam = BuiltInCam(kVvtStreetCommand);
    cam.lowSpeedLobe.SetModified(true);
    const std::string before = CamText(cam);
    EXPECT_FALSE(cam.LoadFromFile(CamFixture(c.name)));
    ASSERT_EQ(presenter_.Shown().size(), 1u);
    EXPECT_EQ(presenter_.Shown()[0].code, c.code);
    EXPECT_EQ(CamText(cam), before);
    EXPECT_TRUE(cam.variableValveTiming);
    EXPECT_TRUE(cam.lowSpeedLobe.IsModified());
  }
}

TEST(CamshaftTest, SampleCamFilesLoadAndValidate) {
  const fs::path folder = fs::path(BRISCA_FIXTURES_DIR).parent_path().parent_path() / "data" /
                          "CamFiles (.QCM)";
  int count = 0;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.is_directory()) continue;  // the samples lie one folder deep too
    SCOPED_TRACE(entry.path().filename().string());
    CCamshaft cam;
    ASSERT_TRUE(cam.LoadFromFile(entry.path()));
    int code = 0;
    EXPECT_TRUE(cam.Validate(code)) << code;
    EXPECT_EQ(CamText(cam), FileText(entry.path()));
    ++count;
  }
  EXPECT_GE(count, 11);  // street, race and two-lobe samples, the search's samples too
}

}  // namespace
}  // namespace brisca
