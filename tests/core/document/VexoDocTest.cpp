#include "core/document/VexoDoc.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/document/DocumentHost.h"
#include "tests/support/SampleDocuments.h"
#include "tests/support/ScriptedPresenter.h"

namespace brisca {
namespace {

class VexoDocTest : public testing::Test {
 protected:
  ScriptedPresenter presenter;
  ScopedPresenter scope{presenter};
  HeadlessHost host;
};

TEST_F(VexoDocTest, NewDocumentIsClearedExceptItsDefaults) {
  CVexoDoc doc(&host);
  const EngineParameters& e = doc.Engine();
  EXPECT_EQ(e.rodRatio.GetText(), "1.636");
  EXPECT_EQ(e.fuelType.GetText(), "Gasoline");
  EXPECT_EQ(e.nitrousFlowRate.GetText(), "0.0");
  EXPECT_EQ(e.forcedInductionType.GetText(), "None");
  EXPECT_EQ(e.forcedInductionKind, kNoForcedInduction);
  for (const CSimSpec* spec : std::initializer_list<const CSimSpec*>{
           &e.shortBlockType, &e.bore, &e.stroke, &e.cylinders, &e.cylinderVolume,
           &e.totalBlockVolume, &e.rodLength, &e.cylinderHeadType, &e.intakeValveDiameter,
           &e.compressionRatio, &e.inductionFlow, &e.manifoldType, &e.exhaustSystem, &e.notes,
           &e.turbos, &e.boostLimit, &e.chamberVolume}) {
    EXPECT_EQ(spec->GetText(), "***") << spec->GetLabel();
  }
  EXPECT_TRUE(doc.GetAutoRun());
  EXPECT_FALSE(doc.IsMetric());
  EXPECT_TRUE(doc.Results().IsEmpty());
  CVexoDoc second(&host);
  EXPECT_GT(second.GetDocumentNumber(), doc.GetDocumentNumber());
}

TEST_F(VexoDocTest, DerivedVolumesAndRodLength) {
  CVexoDoc doc(&host);
  EngineParameters& e = doc.Engine();
  e.autoRun = false;
  e.shortBlockType.SetSelection(125, "Chevy 350");
  e.bore.SetValue(4.0f);
  e.stroke.SetValue(3.48f);
  e.cylinders.SetValue(8);
  e.compressionRatio.SetValue(10.0f);
  doc.UpdateDerivedValues();
  EXPECT_EQ(e.cylinderVolume.GetText(), "716.62");
  EXPECT_EQ(e.totalBlockVolume.GetText(), "349.8");
  EXPECT_NEAR(e.totalBlockVolume.GetValue(), 349.85f, 0.005f);
  EXPECT_EQ(e.combustionSpace.GetText(), "79.62");
  EXPECT_EQ(e.rodLength.GetText(), "5.693");
  EXPECT_TRUE(presenter.Shown().empty());
}

TEST_F(VexoDocTest, RodLengthOutOfRangeUnassignsBothRodValues) {
  CVexoDoc doc(&host);
  EngineParameters& e = doc.Engine();
  e.autoRun = false;
  e.stroke.SetValue(7.0f);
  e.rodRatio.SetValue(3.0f);
  doc.UpdateDerivedValues();
  ASSERT_EQ(presenter.Shown().size(), 1u);
  EXPECT_EQ(presenter.Shown()[0].code, 170);
  EXPECT_NE(presenter.Shown()[0].text.find("21.000 in"), std::string::npos);
  EXPECT_FALSE(e.rodLength.IsAssigned());
  EXPECT_FALSE(e.rodRatio.IsAssigned());
  int code = 0;
  e.shortBlockType.SetSelection(1, "Block");
  e.bore.SetValue(4.0f);
  e.cylinders.SetValue(8);
  EXPECT_FALSE(doc.ValidateShortBlock(code));
  EXPECT_EQ(code, 168);
}

TEST_F(VexoDocTest, CompressionRatioWarningCancelKeepsCalculatorData) {
  CVexoDoc doc(&host);
  EngineParameters& e = doc.Engine();
  e.crDataValid = true;
  e.chamberVolume.SetValue(64.0f);
  presenter.Answer(MessageButton::Cancel);
  presenter.Answer(MessageButton::Ok);
  EXPECT_FALSE(doc.ConfirmSpecChange(e.compressionRatio));
  EXPECT_TRUE(e.crDataValid);
  EXPECT_TRUE(e.chamberVolume.IsAssigned());
  EXPECT_TRUE(doc.ConfirmSpecChange(e.compressionRatio));
  EXPECT_FALSE(e.crDataValid);
  EXPECT_FALSE(e.chamberVolume.IsAssigned());
  ASSERT_EQ(presenter.Shown().size(), 2u);
  EXPECT_EQ(presenter.Shown()[0].code, 202);
  // Without calculator data nothing is asked.
  EXPECT_TRUE(doc.ConfirmSpecChange(e.bore));
  EXPECT_EQ(presenter.Shown().size(), 2u);
}

struct IteratorWithResults final : BaselineIterator {
  bool HoldsResults() const override { return true; }
};

TEST_F(VexoDocTest, ChangingTheProIteratorBaselineAsksFirst) {
  CVexoDoc doc(&host);
  doc.Iterator(0) = std::make_unique<IteratorWithResults>();
  doc.SetBaselineChanged(false);
  presenter.Answer(MessageButton::Cancel);
  EXPECT_FALSE(doc.ConfirmSpecChange(doc.Engine().bore));
  EXPECT_FALSE(doc.GetBaselineChanged());
  EXPECT_TRUE(doc.ConfirmSpecChange(doc.Engine().bore));
  EXPECT_TRUE(doc.GetBaselineChanged());
  ASSERT_EQ(presenter.Shown().size(), 2u);
  EXPECT_EQ(presenter.Shown()[0].code, 205);
  // Once changed, further edits are not asked about; Clear Components drops the iterators.
  EXPECT_TRUE(doc.ConfirmSpecChange(doc.Engine().stroke));
  EXPECT_EQ(presenter.Shown().size(), 2u);
  doc.ClearComponents();
  EXPECT_EQ(doc.Iterator(0), nullptr);
}

TEST_F(VexoDocTest, DocumentsAreRecognisedByPresenceAndNumber) {
  CVexoDoc a(&host), b(&host);
  host.documents = {&a};
  EXPECT_TRUE(a.IsDocumentOpen(&a));
  EXPECT_FALSE(a.IsDocumentOpen(&b));
  EXPECT_TRUE(b.IsSameDocument(&a, a.GetDocumentNumber()));
  EXPECT_FALSE(b.IsSameDocument(&a, b.GetDocumentNumber()));
  EXPECT_FALSE(a.IsSameDocument(&b, b.GetDocumentNumber()));
}

TEST_F(VexoDocTest, ClearComponentsOnMetricDocumentLeavesItDomesticAndUnmodified) {
  CVexoDoc doc(&host);
  samples::BuildSmallBlockV8(doc);
  doc.OnUnits(true);
  EXPECT_TRUE(doc.IsMetric());
  EXPECT_EQ(doc.Engine().bore.GetText(), "101.60");
  doc.SetModified(true);
  EXPECT_TRUE(doc.OnClearComponents());
  EXPECT_FALSE(doc.IsMetric());
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(doc.Engine().bore.GetText(), "***");
  EXPECT_EQ(doc.Engine().bore.GetUnitLabel(), std::string("in"));
}

// A cleared engine counts as unchanged: unsaved work is put to the user first,
// and kept whole when the user keeps it.
TEST_F(VexoDocTest, ClearComponentsAsksBeforeUnsavedChangesGo) {
  CVexoDoc doc(&host);
  samples::BuildSmallBlockV8(doc);
  EXPECT_TRUE(doc.OnClearComponents());
  EXPECT_EQ(host.saveQuestions, 0);  // nothing unsaved: nothing to ask

  samples::BuildSmallBlockV8(doc);
  doc.SetModified(true);
  host.saveModifiedAnswer = false;
  EXPECT_FALSE(doc.OnClearComponents());
  EXPECT_EQ(host.saveQuestions, 1);
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(doc.Engine().bore.GetValue(), 4.0f);

  host.saveModifiedAnswer = true;
  EXPECT_TRUE(doc.OnClearComponents());
  EXPECT_EQ(host.saveQuestions, 2);
  EXPECT_FALSE(doc.IsModified());
  EXPECT_FALSE(doc.Engine().bore.IsAssigned());
}

// Whoever changes the flag, the host hears of it at once (and only of changes).
TEST_F(VexoDocTest, ModifiedFlagChangesAreToldToTheHost) {
  CVexoDoc doc(&host);
  doc.SetModified(true);
  doc.SetModified(true);
  EXPECT_EQ(host.modifiedChanges, 1);
  doc.SetModified(false);
  EXPECT_EQ(host.modifiedChanges, 2);
}

struct ValidationCase {
  const char* what;
  void (*spoil)(EngineParameters&);
  int code;
};

TEST_F(VexoDocTest, ValidationOrderDecidesTheFirstCode) {
  const ValidationCase cases[] = {
      {"complete engine", [](EngineParameters&) {}, 0},
      {"no short block, exhaust missing too",
       [](EngineParameters& e) {
         e.shortBlockType.Unassign();
         e.exhaustSystem.Unassign();
         e.compressionRatio.Unassign();
       },
       1},
      {"exhaust only", [](EngineParameters& e) { e.exhaustSystem.Unassign(); }, 26},
      {"rod ratio", [](EngineParameters& e) { e.rodRatio.Unassign(); }, 168},
      {"intake valves", [](EngineParameters& e) { e.intakeValves.Unassign(); }, 6},
      {"compression ratio", [](EngineParameters& e) { e.compressionRatio.Unassign(); }, 10},
      {"nitrous", [](EngineParameters& e) { e.nitrousFlowRate.Unassign(); }, 15},
      {"turbo count",
       [](EngineParameters& e) {
         e.forcedInductionType.SetSelection(2, "Turbo");
         e.forcedInductionKind = kTurbocharger;
         e.turbineDiameter.SetValue(2.5f);
         e.turbineAR.SetValue(0.7f);
         e.boostLimit.SetValue(10.0f);
         e.intercoolerEfficiency.SetValue(70.0f);
         e.intercoolerPressureDrop.SetValue(1.0f);
       },
       21},
      {"Roots belt ratio",
       [](EngineParameters& e) {
         e.forcedInductionType.SetSelection(50, "Roots");
         e.forcedInductionKind = kRootsBlower;
       },
       23},
      {"no forced induction ignores blower values",
       [](EngineParameters& e) {
         e.turbos.Unassign();
         e.boostLimit.ResetValue();
       },
       0},
      {"cam type", [](EngineParameters& e) { e.camshaft.Clear(); }, 27},
  };
  for (const ValidationCase& c : cases) {
    SCOPED_TRACE(c.what);
    CVexoDoc doc(&host);
    samples::BuildSmallBlockV8(doc);
    c.spoil(doc.Engine());
    int code = 0;
    EXPECT_EQ(doc.Validate(code), c.code == 0);
    if (c.code != 0) {
      EXPECT_EQ(code, c.code);
    }
  }
}

TEST_F(VexoDocTest, EngineBuiltInCodeRunsEndToEnd) {
  CVexoDoc doc(&host);
  samples::BuildSmallBlockV8(doc);
  EXPECT_NEAR(doc.Engine().intakeValveDiameter.GetValue(), 4.0f * 0.44f, 1e-5);
  EXPECT_TRUE(doc.Engine().camshaft.lowSpeedLobe.IntakeLift().IsValid());
  ASSERT_TRUE(doc.OnRun()) << (presenter.Shown().empty() ? "" : presenter.Shown()[0].text);
  const ResultSet& r = doc.Results();
  EXPECT_EQ(r.count, 28);
  EXPECT_FLOAT_EQ(r.rpm[0], 1000.0f);
  EXPECT_GT(doc.PeakInWindow(2, 1000.0f, 14500.0f), 150.0f);
  EXPECT_LT(r.boost[5], 0.0f);
  EXPECT_EQ(host.viewUpdates, 1);
  // The speed of peak power lies inside the window that holds the peak.
  const float peakSpeed = doc.SpeedOfPeak(2);
  EXPECT_FLOAT_EQ(doc.PeakInWindow(2, peakSpeed - 500.0f, peakSpeed + 500.0f),
                  doc.PeakInWindow(2, 1000.0f, 14500.0f));
  // Auto Run reruns after a change; a run that fails clears every result set
  // and says why. A 2155 ci engine breathing through 100 cfm collapses its manifold.
  doc.Engine().autoRun = true;
  doc.Engine().inductionFlow.SetValue(100.0f);
  doc.Engine().bore.SetValue(7.0f);
  doc.Engine().stroke.SetValue(7.0f);
  doc.Engine().rodRatio.SetValue(1.5f);
  doc.UpdateDerivedValues();
  EXPECT_TRUE(doc.Results().IsEmpty());
  ASSERT_FALSE(presenter.Shown().empty());
  EXPECT_EQ(presenter.Shown().back().code, 42);
}

// With Auto Run off, a one-lobe run leaves results without lobe sets; choosing
// a two-lobe cam with the automatic activation speed on must then recalculate
// from "no results" (5000 rpm, and a run of both lobes), not stop the program.
TEST_F(VexoDocTest, AutomaticActivationSpeedAfterAOneLobeRunStartsFromNoResults) {
  constexpr int kTwoLobeCam = 33868;  // "V-V-T Street Cam", activation 4500 rpm
  constexpr int kOneLobeCam = 32879;  // "Stock Street/Economy"
  constexpr int kAutoActivation = 33863;
  CVexoDoc doc(&host);
  samples::BuildSmallBlockV8(doc);  // Auto Run off
  const CCamshaft& cam = doc.Engine().camshaft;
  for (int command : {kTwoLobeCam, kAutoActivation, kOneLobeCam}) {
    ASSERT_TRUE(doc.OnComponentCommand(command));
    doc.UpdateDerivedValues();
  }
  ASSERT_TRUE(doc.OnRun());
  EXPECT_FALSE(doc.Results().IsEmpty());
  EXPECT_TRUE(doc.Results(ResultSetId::HighSpeedLobe).IsEmpty());

  ASSERT_TRUE(doc.OnComponentCommand(kTwoLobeCam));
  ASSERT_TRUE(cam.autoActivationRpm);
  EXPECT_FLOAT_EQ(cam.activationRpm.GetValue(), 4500.0f);
  doc.UpdateDerivedValues();
  // No lobe results gave 5000 rpm, which differs from 4500: both lobes ran.
  EXPECT_FLOAT_EQ(cam.activationRpm.GetValue(), 5000.0f);
  EXPECT_EQ(doc.Results(ResultSetId::LowSpeedLobe).count, kResultPoints);
  EXPECT_EQ(doc.Results(ResultSetId::HighSpeedLobe).count, kResultPoints);
  // From those results the next recalculation finds the real crossing speed.
  doc.UpdateDerivedValues();
  const ResultSet& low = doc.Results(ResultSetId::LowSpeedLobe);
  const ResultSet& high = doc.Results(ResultSetId::HighSpeedLobe);
  float crossing = 5000.0f;
  for (int k = 0; k < kResultPoints; ++k) {
    if (high.power[k] > low.power[k]) {
      crossing = std::clamp(high.rpm[k], 2500.0f, 8000.0f);
      break;
    }
  }
  EXPECT_FLOAT_EQ(cam.activationRpm.GetValue(), crossing);
  EXPECT_TRUE(presenter.Shown().empty());
}

TEST_F(VexoDocTest, AreaInWindowIsTheTrapezoidSum) {
  CVexoDoc doc(&host);
  ResultSet& r = doc.Results();
  r.count = 28;
  for (int k = 0; k < 28; ++k) {
    r.rpm[k] = 1000.0f + 500.0f * k;
    r.power[k] = 100.0f + 10.0f * k;
  }
  // Four segments from 1000 to 3000 rpm: ∫ = 500·(105 + 115 + 125 + 135) = 240000.
  EXPECT_FLOAT_EQ(doc.AreaInWindow(2, 1000.0f, 3000.0f), 240.0f);
  EXPECT_FLOAT_EQ(doc.PeakInWindow(2, 3000.0f, 6000.0f), 200.0f);
  EXPECT_FLOAT_EQ(doc.SpeedOfPeak(2), 14500.0f);
  // Points at or past the count do not exist, whatever the arrays hold.
  r.count = 5;
  EXPECT_FLOAT_EQ(doc.AreaInWindow(2, 1000.0f, 14500.0f), 240.0f);
  EXPECT_FLOAT_EQ(doc.PeakInWindow(2, 1000.0f, 14500.0f), 140.0f);
  EXPECT_FLOAT_EQ(doc.SpeedOfPeak(2), 3000.0f);
  EXPECT_FLOAT_EQ(doc.ResultAt(2, 4), 140.0f);
  EXPECT_FLOAT_EQ(doc.ResultAt(2, 5), 0.0f);
}

TEST_F(VexoDocTest, AFailedRunLeavesNothingForAnyReader) {
  CVexoDoc doc(&host);
  samples::BuildSmallBlockV8(doc);
  ASSERT_TRUE(doc.RunSimulation(false, false));
  ASSERT_GT(doc.PeakInWindow(2, 1000.0f, 14500.0f), 150.0f);
  // A 2155 ci engine breathing through 100 cfm collapses its manifold: the run fails.
  doc.Engine().inductionFlow.SetValue(100.0f);
  doc.Engine().bore.SetValue(7.0f);
  doc.Engine().stroke.SetValue(7.0f);
  doc.Engine().rodRatio.SetValue(1.5f);
  doc.UpdateDerivedValues();
  ASSERT_FALSE(doc.RunSimulation(false, false));
  ASSERT_TRUE(doc.Results().IsEmpty());
  // The arrays still hold the earlier engine's numbers; no reader may see them.
  ASSERT_GT(doc.Results().power[10], 0.0f);
  for (int quantity = 2; quantity <= 9; ++quantity) {
    EXPECT_EQ(doc.PeakInWindow(quantity, 1000.0f, 14500.0f), 0.0f) << quantity;
    EXPECT_EQ(doc.AreaInWindow(quantity, 1000.0f, 14500.0f), 0.0f) << quantity;
  }
  EXPECT_EQ(doc.SpeedOfPeak(2), 0.0f);
  EXPECT_EQ(doc.SpeedOfPeak(3), 0.0f);
  for (int quantity = 1; quantity <= 23; ++quantity) {
    EXPECT_EQ(doc.ResultCount(quantity), 0) << quantity;
    EXPECT_EQ(doc.GetResultArray(quantity), ResultArray{}) << quantity;
    EXPECT_EQ(doc.ResultAt(quantity, 10), 0.0f) << quantity;
  }
}

}  // namespace
}  // namespace brisca
