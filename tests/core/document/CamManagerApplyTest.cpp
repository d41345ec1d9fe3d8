#include <gtest/gtest.h>

#include "core/document/CamManagerApply.h"
#include "core/document/CommandIds.h"
#include "core/document/DocumentHost.h"
#include "core/document/VexoDoc.h"
#include "core/valvetrain/CamWorkingCopies.h"
#include "tests/support/ScriptedPresenter.h"
#include "tests/support/TempDir.h"

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

TEST_F(CamManagerApplyTest, ManagerCommandRunsThroughTheHost) {
  EXPECT_FALSE(doc.OnCamManager());
  EXPECT_EQ(host.camManagerRuns, 1);
}

}  // namespace
}  // namespace brisca
