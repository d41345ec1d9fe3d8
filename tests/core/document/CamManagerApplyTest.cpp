#include <gtest/gtest.h>

#include "core/document/CamManagerApply.h"
#include "core/document/CommandIds.h"
#include "core/document/DocumentHost.h"
#include "core/document/VexoDoc.h"
#include "core/valvetrain/CamWorkingCopies.h"
#include "tests/support/ScriptedPresenter.h"
#include "tests/support/TempDir.h"

#include <filesystem>
#include <string>

namespace brisca {
namespace {

constexpr int kStockStreetCam = 32879;
constexpr int kVvtStreetCam = 33868;

class CamManagerApplyTest : public testing::Test {
 protected:
  void SetUp() override {
    doc.Engine().autoRun = false;
    ASSERT_TRUE(doc.OnComponentCommand(kStockStreetCam));
    doc.UpdateDerivedValues();
    doc.SetModified(false);
    copies.Load(e.camshaft);
  }

  std::vector<int> ShownCodes() const {
    std::vector<int> codes;
    for (const Message& m : presenter.Shown()) codes.push_back(m.code);
    return codes;
  }

  ScriptedPresenter presenter;
  ScopedPresenter scope{presenter};
  HeadlessHost host;
  CVexoDoc doc{&host};
  EngineParameters& e = doc.Engine();
  CamWorkingCopies copies;
};

TEST_F(CamManagerApplyTest, UnchangedCopiesFromAFileKeepTheFileName) {
  TempDir temp("brisca-camapply");
  ASSERT_TRUE(copies.Save(temp.Path() / "stock.qcm"));
  ASSERT_TRUE(copies.Open(temp.Path(), "stock.qcm", false));
  ASSERT_TRUE(ApplyCamCopies(doc, copies));
  EXPECT_EQ(e.camDataFile.GetText(), "stock.qcm");
  EXPECT_TRUE(doc.IsModified());  // loaded from a file
  EXPECT_TRUE(presenter.Shown().empty());
}

TEST_F(CamManagerApplyTest, ChangedCopiesAsk109AndLoseTheFileName) {
  TempDir temp("brisca-camapply");
  ASSERT_TRUE(copies.Save(temp.Path() / "stock.qcm"));
  copies.SetText(kCamManufacturer, "Someone");

  presenter.Answer(MessageButton::Cancel);
  EXPECT_FALSE(ApplyCamCopies(doc, copies));
  EXPECT_EQ(ShownCodes(), std::vector<int>{109});
  EXPECT_TRUE(e.camshaft.lowSpeedLobe.Text(kCamManufacturer).empty());

  presenter.Clear();
  ASSERT_TRUE(ApplyCamCopies(doc, copies));
  EXPECT_EQ(ShownCodes(), std::vector<int>{109});
  EXPECT_FALSE(e.camDataFile.IsValid());
  EXPECT_EQ(e.camshaft.lowSpeedLobe.Text(kCamManufacturer), "Someone");
  EXPECT_FALSE(e.camshaft.lowSpeedLobe.IsModified());
  EXPECT_TRUE(doc.IsModified());
}

TEST_F(CamManagerApplyTest, LiftsEditedUnderAutomaticLiftSwitchItOff) {
  e.intakeValveDiameter.SetValue(2.0f);
  e.camshaft.SetAutoValveLift(true);
  doc.UpdateDerivedValues();
  ASSERT_FLOAT_EQ(e.camshaft.lowSpeedLobe.IntakeLift().GetValue(), 2.0f * 0.201f);
  copies.Load(e.camshaft);
  ASSERT_TRUE(ApplyCamCopies(doc, copies));  // nothing edited: automatic lift stays
  EXPECT_TRUE(e.camshaft.lowSpeedLobe.AutoValveLiftOn());

  copies.Copy(kLowSpeedLobe, kSeatToSeat).IntakeLift().SetValue(0.6f);
  copies.LiftAccepted(kSeatToSeat);
  ASSERT_TRUE(ApplyCamCopies(doc, copies));
  EXPECT_FALSE(e.camshaft.lowSpeedLobe.AutoValveLiftOn());
  EXPECT_FALSE(e.camshaft.highSpeedLobe.AutoValveLiftOn());
  doc.UpdateDerivedValues();
  EXPECT_FLOAT_EQ(e.camshaft.lowSpeedLobe.IntakeLift().GetValue(), 0.6f);
}

TEST_F(CamManagerApplyTest, InvalidCopiesAreReportedAndNothingChanges) {
  copies.Clear();
  EXPECT_FALSE(ApplyCamCopies(doc, copies));
  EXPECT_EQ(ShownCodes(), std::vector<int>{kErrCamLifterType});
  EXPECT_EQ(e.camshaft.lowSpeedLobe.CamType().GetValue(), 1);

  presenter.Clear();
  copies.Load([&] {
    doc.OnComponentCommand(kVvtStreetCam);
    return e.camshaft;
  }());
  copies.SetVariableValveTiming(true);
  copies.Copy(kHighSpeedLobe, kSeatToSeat).Event(TimingSet::Primary, kEVO).Unassign();
  EXPECT_FALSE(ApplyCamCopies(doc, copies));
  EXPECT_EQ(ShownCodes(), std::vector<int>{kErrCamEVO});
}

TEST_F(CamManagerApplyTest, AutomaticRampRateThatCannotBeComputedOpensTheManager) {
  e.camshaft.lowSpeedLobe.Event(TimingSet::Secondary, kIVO).Unassign();
  CSimSpec* edited = &e.camshaft.lowSpeedLobe.RampRate();
  host.editedSpec = edited;

  presenter.Answer(MessageButton::Cancel);
  ASSERT_TRUE(doc.OnComponentCommand(command::kAutoRampRate));
  EXPECT_EQ(ShownCodes(), std::vector<int>{107});
  EXPECT_FALSE(e.camshaft.lowSpeedLobe.AutoRampRateOn());
  EXPECT_EQ(host.camManagerRuns, 0);

  presenter.Clear();
  host.editedSpec = edited;  // the command closed the edit dialog
  ASSERT_TRUE(doc.OnComponentCommand(command::kAutoRampRate));
  EXPECT_EQ(ShownCodes(), std::vector<int>{107});
  EXPECT_TRUE(e.camshaft.lowSpeedLobe.AutoRampRateOn());
  EXPECT_EQ(host.camManagerRuns, 1);
}

// What the cam manager command does after OK: the document follows the cam.
void Recalculate(CVexoDoc& doc) {
  doc.UpdateDerivedValues();
  doc.SetUnits(doc.IsMetric());
}

std::string EngineText(CVexoDoc& doc, const TempDir& temp, const char* name) {
  EXPECT_TRUE(doc.WriteEngineFile(temp / name));
  return temp.Read(name);
}

const std::filesystem::path kData = std::filesystem::path(BRISCA_FIXTURES_DIR) / ".." / ".." / "data";

// Opening the manager and pressing OK (or Apply, then OK) with nothing edited
// leaves every sample engine as it was, in either unit system: a two-lobe
// cam's high-speed lobe keeps its lifts, automatic lifts stay automatic.
TEST(CamManagerUnchanged, EverySampleEngineStaysAsItWas) {
  ScriptedPresenter presenter;
  ScopedPresenter scope{presenter};
  HeadlessHost host;
  TempDir temp("brisca-camapply");
  int engines = 0;
  for (const auto& entry : std::filesystem::directory_iterator(kData / "EngineFiles (.QEN)")) {
    for (bool metric : {false, true}) {
      SCOPED_TRACE(entry.path().filename().string() + (metric ? " metric" : " domestic"));
      CVexoDoc doc{&host};
      ASSERT_TRUE(doc.ReadEngineFile(entry.path()));
      doc.Engine().autoRun = false;
      doc.SetUnits(metric);
      Recalculate(doc);
      doc.SetModified(false);
      const std::string before = EngineText(doc, temp, "before.qen");

      CamWorkingCopies copies;
      LoadCamCopies(doc, copies);
      ASSERT_TRUE(ApplyCamCopies(doc, copies));  // Apply
      Recalculate(doc);
      LoadCamCopies(doc, copies);
      ASSERT_TRUE(ApplyCamCopies(doc, copies));  // then OK
      Recalculate(doc);
      EXPECT_EQ(EngineText(doc, temp, "after.qen"), before);
      EXPECT_FALSE(doc.IsModified());
      EXPECT_TRUE(presenter.Shown().empty());
    }
    ++engines;
  }
  EXPECT_GE(engines, 8);
}

TEST_F(CamManagerApplyTest, TwoLobeCamKeepsItsHighSpeedLifts) {
  ASSERT_TRUE(doc.OnOpenDocument(kData / "EngineFiles (.QEN)" / "Two-Lobe Cam Four.qen"));
  e.autoRun = false;
  ASSERT_TRUE(e.camshaft.highSpeedLobe.AutoValveLiftOn());
  LoadCamCopies(doc, copies);
  copies.SetText(kCamManufacturer, "Someone");  // an edit: the copies are merged
  ASSERT_TRUE(ApplyCamCopies(doc, copies));
  Recalculate(doc);
  EXPECT_EQ(e.camshaft.highSpeedLobe.IntakeLift().GetText(), "0.378");
  EXPECT_EQ(e.camshaft.highSpeedLobe.ExhaustLift().GetText(), "0.359");
  EXPECT_EQ(e.camshaft.lowSpeedLobe.IntakeLift().GetText(), "0.315");
  EXPECT_EQ(e.camshaft.highSpeedLobe.Text(kCamManufacturer), "Someone");
}

// The copies stand for the engine's cam file: OK with nothing edited keeps
// the link; an edit still asks 109 and drops it.
TEST_F(CamManagerApplyTest, CopiesStartFromTheEnginesCamFile) {
  host.openPaths = {kData / "CamFiles (.QCM)" / "VVT Max Street.qcm"};
  ASSERT_TRUE(doc.OnCamFileOpen());
  ASSERT_EQ(e.camDataFile.GetText(), "VVT Max Street.qcm");
  doc.SetModified(false);

  LoadCamCopies(doc, copies);
  EXPECT_EQ(copies.FileName(), "VVT Max Street.qcm");
  EXPECT_FALSE(copies.LoadedFromFile());
  ASSERT_TRUE(ApplyCamCopies(doc, copies));
  EXPECT_EQ(e.camDataFile.GetText(), "VVT Max Street.qcm");
  EXPECT_FALSE(doc.IsModified());
  EXPECT_TRUE(presenter.Shown().empty());

  copies.SetText(kCamManufacturer, "Someone");
  presenter.Answer(MessageButton::Ok);
  ASSERT_TRUE(ApplyCamCopies(doc, copies));
  EXPECT_EQ(ShownCodes(), std::vector<int>{109});
  EXPECT_FALSE(e.camDataFile.IsValid());
  EXPECT_TRUE(doc.IsModified());
}

TEST_F(CamManagerApplyTest, ManagerCommandRunsThroughTheHost) {
  EXPECT_FALSE(doc.OnCamManager());
  EXPECT_EQ(host.camManagerRuns, 1);
}

}  // namespace
}  // namespace brisca
