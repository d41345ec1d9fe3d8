#include "core/document/SimInterface.h"

#include <gtest/gtest.h>

#include "core/document/DocumentHost.h"
#include "core/document/VexoDoc.h"
#include "tests/support/SampleDocuments.h"
#include "tests/support/ScriptedPresenter.h"

namespace brisca {
namespace {

ResultSet Sweep(float powerBase, float powerStep) {
  ResultSet set;
  set.count = kResultPoints;
  for (int k = 0; k < kResultPoints; ++k) {
    set.rpm[k] = 1000.0f + 500.0f * k;
    set.power[k] = powerBase + powerStep * k;
    set.torque[k] = 2.0f * set.power[k];
  }
  return set;
}

TEST(SimInterfaceTest, MergeTakesHighSpeedLobeFromActivationSpeedUp) {
  struct Case { float activation; float firstHigh; };
  for (const Case c : {Case{6250.0f, 6500.0f}, Case{6000.0f, 6000.0f}}) {
    SCOPED_TRACE(c.activation);
    ResultSet displayed = Sweep(100.0f, 10.0f);
    ResultSet high = Sweep(50.0f, 20.0f);
    high.surge = 2;
    SimInterface::MergeLobes(displayed, high, c.activation);
    for (int k = 0; k < kResultPoints; ++k) {
      const bool fromHigh = displayed.rpm[k] >= c.firstHigh;
      EXPECT_FLOAT_EQ(displayed.power[k], fromHigh ? 50.0f + 20.0f * k : 100.0f + 10.0f * k);
      EXPECT_FLOAT_EQ(displayed.torque[k], 2.0f * displayed.power[k]);
      EXPECT_FLOAT_EQ(displayed.rpm[k], 1000.0f + 500.0f * k);
    }
    EXPECT_EQ(displayed.surge, 2);
  }
}

TEST(SimInterfaceTest, AutomaticActivationSpeedClampsAndNeedsMorePower) {
  const ResultSet low = Sweep(100.0f, 10.0f);
  ResultSet empty;
  EXPECT_FLOAT_EQ(SimInterface::AutomaticActivationSpeed(empty, low, low), 5000.0f);
  // Better from 1000 rpm on: 2500 at the least.
  EXPECT_FLOAT_EQ(SimInterface::AutomaticActivationSpeed(low, low, Sweep(101.0f, 10.0f)), 2500.0f);
  // Equal power is no crossing.
  EXPECT_FLOAT_EQ(SimInterface::AutomaticActivationSpeed(low, low, low), 5000.0f);
  // Crossing at 4000 rpm (k = 6): 40 + 20·6 = 160 = 100 + 10·6, above from k = 7.
  EXPECT_FLOAT_EQ(SimInterface::AutomaticActivationSpeed(low, low, Sweep(40.0f, 20.0f)), 4500.0f);
  // A crossing above 8000 rpm is held at 8000.
  EXPECT_FLOAT_EQ(SimInterface::AutomaticActivationSpeed(low, low, Sweep(-100.0f, 20.5f)), 8000.0f);
}

TEST(SimInterfaceTest, AutoValveSizesByHeadFamilyWithClamps) {
  struct Case { int head; float bore, intake, exhaust; };
  const Case cases[] = {
      {1, 3.0f, 1.32f, 1.05f},
      {1, 12.0f, 4.0f, 3.25f},     // both clamped
      {7, 4.0f, 2.116f, 1.824f},
      {23, 3.5f, 1.3825f, 1.2075f},
      {14, 1.5f, 0.75f, 0.5f},     // clamped from below
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.head);
    const SimInterface::ValveDiameters d = SimInterface::AutoValveSizes(c.head, c.bore);
    EXPECT_NEAR(d.intake, c.intake, 1e-5);
    EXPECT_NEAR(d.exhaust, c.exhaust, 1e-5);
  }
}

TEST(SimInterfaceTest, FillTakesDocumentValuesInDomesticUnits) {
  ScriptedPresenter presenter;
  ScopedPresenter scope(presenter);
  CVexoDoc doc;
  samples::BuildSmallBlockV8(doc);
  EngineParameters& e = doc.Engine();
  e.inductionFlow.SetValue(750.9f);
  e.pressureDrop.SetValue(3.0f);
  SimInputs in;
  SimInterface::Fill(e, false, in);
  EXPECT_EQ(in.inductionFlow, 750);  // truncated
  EXPECT_EQ(in.inductionRating, 2);  // rated at 3.0 inHg
  EXPECT_FLOAT_EQ(in.bore, 4.0f);
  EXPECT_EQ(in.cylinders, 8);
  EXPECT_EQ(in.manifoldType, 2);
  EXPECT_EQ(in.exhaustType, 5);
  EXPECT_EQ(in.forcedInductionKind, 0);
  EXPECT_FLOAT_EQ(in.turbineDiameter, 0.0f);  // forced-induction fields only with a kind
  const CCamProfile& cam = e.camshaft.lowSpeedLobe;
  EXPECT_FLOAT_EQ(in.nominalIvo, cam.Event(TimingSet::Primary, kIVO).GetValue());
  EXPECT_FLOAT_EQ(in.intakeValveLift, cam.IntakeLift().GetValue());
  const int points = e.flow.GetPointCount();
  EXPECT_FLOAT_EQ(in.intakeFlowPerValve[0], e.flow.Flow(FlowSide::Intake, 0).GetValue() /
                                                e.flow.ValvesPerPort(FlowSide::Intake).GetValue());
  if (points < SimInputs::kFlowPoints) {
    EXPECT_FLOAT_EQ(in.intakeFlowPerValve[points], 0.0f);
  }
  // A metric document fills the same inches.
  doc.SetUnits(true);
  doc.SetUnits(false);
  SimInputs again;
  SimInterface::Fill(e, false, again);
  EXPECT_FLOAT_EQ(again.bore, 4.0f);
}

TEST(SimInterfaceTest, TwoLobeCamRunsBothLobesAndMerges) {
  ScriptedPresenter presenter;
  ScopedPresenter scope(presenter);
  CVexoDoc doc;
  samples::BuildSmallBlockV8(doc);
  doc.Engine().camshaft.LoadCamType(33868);  // "V-V-T Street Cam", a two-lobe type
  doc.Engine().camshaft.SetAutoValveLift(true);
  doc.UpdateDerivedValues();
  ASSERT_TRUE(doc.Engine().camshaft.variableValveTiming);
  ASSERT_TRUE(doc.RunSimulation(true, true)) << (presenter.Shown().empty() ? "" : presenter.Shown()[0].text);
  const ResultSet& shown = doc.Results(ResultSetId::Displayed);
  const ResultSet& low = doc.Results(ResultSetId::LowSpeedLobe);
  const ResultSet& high = doc.Results(ResultSetId::HighSpeedLobe);
  ASSERT_EQ(low.count, 28);
  ASSERT_EQ(high.count, 28);
  const float activation = doc.Engine().camshaft.activationRpm.GetValue();
  for (int k = 0; k < 28; ++k) {
    EXPECT_FLOAT_EQ(shown.power[k], shown.rpm[k] >= activation ? high.power[k] : low.power[k]);
  }
}

}  // namespace
}  // namespace brisca

namespace brisca {
namespace {

TEST(SimInterfaceTest, FailingHighSpeedLobeClearsEveryResultSet) {
  ScriptedPresenter presenter;
  ScopedPresenter scope(presenter);
  CVexoDoc doc;
  samples::BuildSmallBlockV8(doc);
  EngineParameters& e = doc.Engine();
  e.camshaft.LoadCamType(33868);
  e.camshaft.SetAutoValveLift(false);
  doc.UpdateDerivedValues();
  ASSERT_TRUE(doc.RunSimulation(false, true));
  ASSERT_FALSE(doc.Results(ResultSetId::HighSpeedLobe).IsEmpty());

  // A one-cylinder 4.7 ci engine cannot take 1.5 in of lift: the high-speed
  // lobe's pass fails after the low-speed lobe's succeeded.
  e.bore.SetValue(2.0f);
  e.stroke.SetValue(1.5f);
  e.cylinders.SetValue(1);
  doc.UpdateDerivedValues();
  e.camshaft.highSpeedLobe.IntakeLift().SetValue(1.5f);
  e.camshaft.highSpeedLobe.ExhaustLift().SetValue(1.5f);
  EXPECT_FALSE(doc.RunSimulation(false, true));
  for (ResultSetId id : {ResultSetId::Displayed, ResultSetId::LowSpeedLobe, ResultSetId::HighSpeedLobe}) {
    EXPECT_TRUE(doc.Results(id).IsEmpty());
  }
  ASSERT_FALSE(presenter.Shown().empty());
  EXPECT_EQ(presenter.Shown().back().code, 42);
  // The low-speed lobe alone still runs.
  e.camshaft.variableValveTiming = false;
  EXPECT_TRUE(doc.RunSimulation(false, true));
}

}  // namespace
}  // namespace brisca
