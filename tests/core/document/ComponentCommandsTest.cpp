#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/document/ComponentMenus.h"
#include "core/document/DocumentHost.h"
#include "core/document/PartCat.h"
#include "core/document/VexoDoc.h"
#include "core/sim/induction/CompressorMapNames.h"
#include "tests/support/SampleDocuments.h"
#include "tests/support/ScriptedPresenter.h"
#include "tests/support/TempDir.h"

namespace brisca {
namespace {

constexpr int kChevy350 = 34104;
constexpr int kTurboT58 = 33690;
constexpr int kNoForcedInductionCommand = 33689;
constexpr int kRootsB144 = 33737;
constexpr int kIntercooler10 = 33651;

class ComponentCommandsTest : public testing::Test {
 protected:
  ComponentCommandsTest() { doc.Engine().autoRun = false; }

  std::vector<int> ShownCodes() const {
    std::vector<int> codes;
    for (const Message& m : presenter.Shown()) codes.push_back(m.code);
    return codes;
  }
  // A short block and its derived volume, as the form leaves it after a choice.
  void ChooseShortBlock() {
    ASSERT_TRUE(doc.OnComponentCommand(kChevy350));
    doc.UpdateDerivedValues();
  }

  ScriptedPresenter presenter;
  ScopedPresenter scope{presenter};
  HeadlessHost host;
  CVexoDoc doc{&host};
  EngineParameters& e = doc.Engine();
};

TEST_F(ComponentCommandsTest, ShortBlockFillsBlockAndKeepsTheUnitSystem) {
  doc.SetUnits(true);
  ASSERT_TRUE(doc.OnComponentCommand(kChevy350));
  EXPECT_EQ(e.shortBlockType.GetValue(), 125);
  EXPECT_EQ(e.shortBlockType.GetName(), "Chevy 350");
  EXPECT_EQ(e.cylinders.GetValue(), 8);
  EXPECT_FLOAT_EQ(e.rodRatio.GetValue(), 1.636f);
  EXPECT_TRUE(e.bore.IsMetric());
  EXPECT_EQ(e.bore.GetText(), "101.60");
  doc.SetUnits(false);
  EXPECT_FLOAT_EQ(e.bore.GetValue(), 4.0f);
  EXPECT_FLOAT_EQ(e.stroke.GetValue(), 3.484f);
  EXPECT_TRUE(e.rodByRatio);
}

TEST_F(ComponentCommandsTest, CancelAtTheChangeCheckLeavesEverythingAlone) {
  ChooseShortBlock();
  e.crDataValid = true;
  presenter.Answer(MessageButton::Cancel);
  EXPECT_FALSE(doc.OnComponentCommand(34105));  // "Chevy 350 LS1"
  EXPECT_EQ(ShownCodes(), std::vector<int>{203});
  EXPECT_EQ(e.shortBlockType.GetName(), "Chevy 350");
  EXPECT_FLOAT_EQ(e.bore.GetValue(), 4.0f);
  EXPECT_TRUE(e.crDataValid);
}

TEST_F(ComponentCommandsTest, TurbochargerIsMatchedToTheEngineAndKeptOnASecondChoice) {
  ChooseShortBlock();
  e.beltGearRatio.SetValue(2.0f);
  ASSERT_TRUE(doc.OnComponentCommand(kTurboT58));
  EXPECT_EQ(e.forcedInductionType.GetName(), "Turbo-Garrett-T-58");
  EXPECT_EQ(e.forcedInductionKind, kTurbocharger);
  EXPECT_EQ(e.compressorMap, 1);
  // 350.2 ci at the T-58's best line (97500 rpm) wants 3.119 in; the nearest
  // catalogue size is 3.111 in.
  EXPECT_FLOAT_EQ(e.turbineDiameter.GetValue(), 3.111f);
  EXPECT_FLOAT_EQ(e.turbineAR.GetValue(), 0.7f);
  EXPECT_EQ(e.turbos.GetValue(), 1);
  EXPECT_FLOAT_EQ(e.beltGearRatio.GetValue(), 1.0f);
  EXPECT_FLOAT_EQ(e.boostLimit.GetValue(), 10.0f);
  EXPECT_TRUE(e.intercoolerEfficiency.IsValid());
  EXPECT_FLOAT_EQ(e.intercoolerPressureDrop.GetValue(), 0.0f);

  ASSERT_TRUE(doc.OnComponentCommand(33804));  // turbine size 5.118
  ASSERT_TRUE(doc.OnComponentCommand(33691));  // another turbocharger
  EXPECT_FLOAT_EQ(e.turbineDiameter.GetValue(), 5.118f);
  EXPECT_TRUE(presenter.Shown().empty());
}

TEST_F(ComponentCommandsTest, TurbochargerWithoutBlockVolumeTakesTheRowDefaults) {
  ASSERT_TRUE(doc.OnComponentCommand(kTurboT58));
  EXPECT_FLOAT_EQ(e.turbineDiameter.GetValue(), 2.319f);
  EXPECT_FLOAT_EQ(e.turbineAR.GetValue(), 0.7f);
}

// A map whose grid holds no efficiency cannot say which line is best.
TEST_F(ComponentCommandsTest, MapWithoutEfficiencyFallsBackToTheRowDefaults) {
  const TempDir temp("brisca-flat-map");
  const std::filesystem::path& folder = temp.Path();
  {
    std::ofstream map(folder / std::string(kCompressorMapNames[0]));
    map << "flat map\n";
    for (int cell = 0; cell < 100 * 120; ++cell) map << "0\n";
    for (int line = 0; line < 20; ++line) {
      map << (line == 0 ? 60000.0 : -1.0) << "\n";
      for (int p = 0; p < 20; ++p) map << 1.1 + 0.05 * p << " " << 5.0 + 3.0 * p << "\n";
    }
  }
  host.mapFolder = folder;
  ChooseShortBlock();
  ASSERT_TRUE(doc.OnComponentCommand(kTurboT58));
  EXPECT_FLOAT_EQ(e.turbineDiameter.GetValue(), 2.319f);
  EXPECT_FLOAT_EQ(e.turbineAR.GetValue(), 0.7f);
  EXPECT_TRUE(presenter.Shown().empty());
}

TEST_F(ComponentCommandsTest, NoneResetsTheBeltRatioButKeepsTurbineAndIntercooler) {
  ASSERT_TRUE(doc.OnComponentCommand(kTurboT58));
  ASSERT_TRUE(doc.OnComponentCommand(kIntercooler10 + 4));  // 50 %
  ASSERT_TRUE(doc.OnComponentCommand(kNoForcedInductionCommand));
  EXPECT_EQ(e.forcedInductionType.GetName(), "None");
  EXPECT_EQ(e.forcedInductionKind, kNoForcedInduction);
  EXPECT_FALSE(e.beltGearRatio.IsValid());
  EXPECT_FLOAT_EQ(e.turbineDiameter.GetValue(), 2.319f);
  EXPECT_FLOAT_EQ(e.intercoolerEfficiency.GetValue(), 50.0f);
  EXPECT_FLOAT_EQ(e.intercoolerPressureDrop.GetValue(), 3.0f);
}

TEST_F(ComponentCommandsTest, RootsBlowerTakesItsDisplacementSpeedAndEfficiency) {
  ASSERT_TRUE(doc.OnComponentCommand(kRootsB144));
  EXPECT_EQ(e.forcedInductionKind, kRootsBlower);
  EXPECT_NEAR(e.blowerFlowPerRevolution.GetValue(), 0.0833427f, 1e-6f);
  EXPECT_FLOAT_EQ(e.blowerMaxSpeed, 5000.0f);
  EXPECT_FLOAT_EQ(e.blowerEfficiency, 60.0f);
  EXPECT_FALSE(e.turbineDiameter.IsValid());
  EXPECT_FALSE(e.turbos.IsValid());
}

TEST_F(ComponentCommandsTest, IntercoolerEfficiencyTakesItsDropOnlyWhenThereIsNone) {
  struct Case {
    float dropBefore;
    float dropAfter;
  };
  for (const Case c : {Case{0.0f, 3.0f}, Case{2.0f, 2.0f}}) {
    e.intercoolerPressureDrop.SetValue(c.dropBefore);
    ASSERT_TRUE(doc.OnComponentCommand(kIntercooler10));
    EXPECT_FLOAT_EQ(e.intercoolerEfficiency.GetValue(), 10.0f);
    EXPECT_FLOAT_EQ(e.intercoolerPressureDrop.GetValue(), c.dropAfter) << c.dropBefore;
  }
  ASSERT_TRUE(doc.OnComponentCommand(33650));  // "None"
  EXPECT_FLOAT_EQ(e.intercoolerEfficiency.GetValue(), 0.0f);
  EXPECT_FLOAT_EQ(e.intercoolerPressureDrop.GetValue(), 0.0f);
}

TEST_F(ComponentCommandsTest, ValveCountsAndLayoutsShowTheirNotices) {
  ASSERT_TRUE(doc.OnComponentCommand(32914));  // one intake valve
  ASSERT_TRUE(doc.OnComponentCommand(32917));  // two exhaust valves
  EXPECT_EQ(ShownCodes(), std::vector<int>{103});
  presenter.Clear();
  ASSERT_TRUE(doc.OnComponentCommand(32795 + 13));  // head 14: four valves
  EXPECT_EQ(e.intakeValves.GetValue(), 2);
  EXPECT_EQ(ShownCodes(), std::vector<int>{104});
  presenter.Clear();
  ASSERT_TRUE(doc.OnComponentCommand(32795));  // head 1: two valves, no notice
  EXPECT_EQ(e.cylinderHeadType.GetValue(), 1);
  EXPECT_TRUE(presenter.Shown().empty());
  ASSERT_TRUE(doc.OnComponentCommand(33685));  // "Individual Runner (Carbs)"
  EXPECT_EQ(e.manifoldType.GetName(), "Individual Runner (Carbs)");
  EXPECT_EQ(ShownCodes(), std::vector<int>{105});
}

TEST_F(ComponentCommandsTest, FuelSetsItsNitrous) {
  ASSERT_TRUE(doc.OnComponentCommand(32829));
  EXPECT_EQ(e.fuelType.GetValue(), 5);
  EXPECT_EQ(e.fuelType.GetName(), "Gas/Nitrous");
  EXPECT_FLOAT_EQ(e.nitrousFlowRate.GetValue(), 100.0f);
  ASSERT_TRUE(doc.OnComponentCommand(32826));
  EXPECT_FLOAT_EQ(e.nitrousFlowRate.GetValue(), 0.0f);
}

TEST_F(ComponentCommandsTest, LiftChoiceActsOnTheEditedLobeAndEndsAutomaticLift) {
  ASSERT_TRUE(doc.OnComponentCommand(33868));  // V-V-T Street Cam
  ASSERT_TRUE(doc.OnComponentCommand(32905));
  ASSERT_TRUE(doc.IsCommandChecked(32905));
  CCamshaft& cam = e.camshaft;
  EXPECT_FALSE(doc.IsCommandEnabled(33090));  // no dialog: no target
  host.editedSpec = &cam.highSpeedLobe.ExhaustLift();
  EXPECT_TRUE(doc.IsCommandEnabled(33090));
  EXPECT_FALSE(doc.IsCommandEnabled(33080));  // an intake lift does not fit
  ASSERT_TRUE(doc.OnComponentCommand(33090));  // 0.700 in
  EXPECT_FLOAT_EQ(cam.highSpeedLobe.ExhaustLift().GetValue(), 0.7f);
  EXPECT_FALSE(cam.lowSpeedLobe.ExhaustLift().IsValid());
  EXPECT_FALSE(cam.lowSpeedLobe.AutoValveLiftOn());
  EXPECT_FALSE(cam.highSpeedLobe.AutoValveLiftOn());
  EXPECT_EQ(host.editedSpec, nullptr);  // the dialog was closed as accepted
}

TEST_F(ComponentCommandsTest, RampRateAndAdvanceActOnTheEditedValue) {
  ASSERT_TRUE(doc.OnComponentCommand(32879));
  CCamProfile& low = e.camshaft.lowSpeedLobe;
  host.editedSpec = &low.RampRate();
  ASSERT_TRUE(doc.OnComponentCommand(33520));
  EXPECT_TRUE(low.AutoRampRateOn());
  host.editedSpec = &low.RampRate();
  EXPECT_TRUE(doc.IsCommandChecked(33520));
  ASSERT_TRUE(doc.OnComponentCommand(33531));  // 6.0
  EXPECT_FLOAT_EQ(low.RampRate().GetValue(), 6.0f);
  EXPECT_FALSE(low.AutoRampRateOn());
  host.editedSpec = &low.ExhaustAdvance();
  ASSERT_TRUE(doc.OnComponentCommand(33580 + 14));  // +4
  EXPECT_FLOAT_EQ(low.ExhaustAdvance().GetValue(), 4.0f);
  EXPECT_FLOAT_EQ(low.IntakeAdvance().GetValue(), 0.0f);
}

TEST_F(ComponentCommandsTest, CamTypesTimingAndActivationSpeed) {
  ASSERT_TRUE(doc.OnComponentCommand(33868));
  CCamshaft& cam = e.camshaft;
  EXPECT_TRUE(cam.variableValveTiming);
  EXPECT_FLOAT_EQ(cam.activationRpm.GetValue(), 4500.0f);
  EXPECT_EQ(cam.highSpeedLobe.CamType().GetValue(), 9);
  EXPECT_FALSE(doc.OnComponentCommand(33869));  // a key, not a menu item

  ASSERT_TRUE(doc.OnComponentCommand(32901));
  ASSERT_TRUE(doc.OnComponentCommand(32901));  // already 0.050-inch: no notice
  ASSERT_TRUE(doc.OnComponentCommand(32900));
  EXPECT_EQ(ShownCodes(), (std::vector<int>{102, 101}));

  ASSERT_TRUE(doc.OnComponentCommand(33863));
  EXPECT_TRUE(cam.autoActivationRpm);
  EXPECT_FLOAT_EQ(cam.activationRpm.GetValue(), 5000.0f);
  ASSERT_TRUE(doc.OnComponentCommand(33862));
  EXPECT_FLOAT_EQ(cam.activationRpm.GetValue(), 8000.0f);
  EXPECT_FALSE(doc.IsCommandChecked(33863));

  ASSERT_TRUE(doc.OnComponentCommand(33543));
  EXPECT_EQ(cam.lowSpeedLobe.LifterType().GetName(), "Roller Solid");
  EXPECT_EQ(cam.highSpeedLobe.LifterType().GetValue(), 3);

  host.texts = {"Grind 2280"};
  ASSERT_TRUE(doc.OnComponentCommand(32885));
  EXPECT_EQ(cam.lowSpeedLobe.CamType().GetName(), "Grind 2280");
  EXPECT_EQ(cam.highSpeedLobe.CamType().GetValue(), 6);
  EXPECT_FALSE(doc.OnComponentCommand(32885));  // the prompt was cancelled
  EXPECT_EQ(cam.lowSpeedLobe.CamType().GetName(), "Grind 2280");
}

TEST_F(ComponentCommandsTest, AutoValveSizesIsOfferedForBuiltInHeadsOnly) {
  EXPECT_FALSE(doc.IsCommandEnabled(32904));
  ASSERT_TRUE(doc.OnComponentCommand(32795));
  EXPECT_TRUE(doc.IsCommandEnabled(32904));
  ASSERT_TRUE(doc.OnComponentCommand(32904));
  EXPECT_TRUE(doc.IsCommandChecked(32904));
  ASSERT_TRUE(doc.OnComponentCommand(33035));  // a fixed intake valve diameter
  EXPECT_FALSE(doc.IsCommandChecked(32904));
  EXPECT_FALSE(doc.OnComponentCommand(12345));
  EXPECT_FALSE(doc.IsCommandEnabled(12345));
}

TEST_F(ComponentCommandsTest, EngineAssembledFromComponentsValidatesAndRuns) {
  samples::BuildSmallBlockV8FromComponents(doc);
  int code = 0;
  ASSERT_TRUE(doc.Validate(code)) << code;
  ASSERT_TRUE(doc.RunSimulation(false, false));
  EXPECT_GT(doc.PeakInWindow(2, 1000, 14500), 100.0f);
  EXPECT_TRUE(presenter.Shown().empty());
}

// After a choice the menu ticks that item, and only it, in either unit system:
// a value item is the engine's while the value shows as the item would leave it.
struct CurrentItemCase {
  const char* what;
  CatalogueCategory category;
  bool metric;
};

class CurrentItemTest : public ComponentCommandsTest, public testing::WithParamInterface<CurrentItemCase> {};

TEST_P(CurrentItemTest, TheChosenItemIsTheOnlyOneChecked) {
  const CurrentItemCase& c = GetParam();
  ChooseShortBlock();
  doc.SetUnits(c.metric);
  const CatalogueCategoryInfo& info = ComponentCatalogue::Category(c.category);
  std::vector<int> items;
  for (const CatalogueRow& row : ComponentCatalogue::Instance().CategoryRows(c.category)) {
    if (info.Handles(row.command) && IsMenuItem(row.command)) items.push_back(row.command);
  }
  ASSERT_GT(items.size(), 2u);
  const int chosen = items[2];
  ASSERT_TRUE(doc.OnComponentCommand(chosen));
  std::vector<int> checked;
  for (int command : items) {
    if (doc.IsCommandChecked(command)) checked.push_back(command);
  }
  EXPECT_EQ(checked, std::vector<int>{chosen});
}

INSTANTIATE_TEST_SUITE_P(
    Menus, CurrentItemTest,
    testing::Values(CurrentItemCase{"short_block", CatalogueCategory::ShortBlocks, false},
                    CurrentItemCase{"cylinders", CatalogueCategory::NumberOfCylinders, false},
                    CurrentItemCase{"rod_ratio", CatalogueCategory::RodRatio, true},
                    CurrentItemCase{"head", CatalogueCategory::CylinderHeads, false},
                    CurrentItemCase{"valve_metric", CatalogueCategory::IntakeValveDiameter, true},
                    CurrentItemCase{"valve", CatalogueCategory::ExhaustValveDiameter, false},
                    CurrentItemCase{"compression", CatalogueCategory::CompressionRatio, false},
                    CurrentItemCase{"airflow_metric", CatalogueCategory::InductionAirflow, true},
                    CurrentItemCase{"manifold", CatalogueCategory::Manifolds, false},
                    CurrentItemCase{"fuel", CatalogueCategory::Fuels, false},
                    CurrentItemCase{"forced_induction", CatalogueCategory::ForcedInduction, true},
                    CurrentItemCase{"exhaust", CatalogueCategory::ExhaustSystems, false},
                    CurrentItemCase{"cam_type", CatalogueCategory::CamTypes, false},
                    CurrentItemCase{"lifters", CatalogueCategory::LifterTypes, false}),
    [](const testing::TestParamInfo<CurrentItemCase>& info) { return std::string(info.param.what); });

}  // namespace
}  // namespace brisca
