#include "core/document/RunWithoutNitrous.h"

#include <gtest/gtest.h>

#include <string>

#include "core/document/VexoDoc.h"
#include "tests/support/SampleDocuments.h"
#include "tests/support/ScriptedPresenter.h"

namespace brisca {
namespace {

TEST(RunWithoutNitrousTest, MethanolNitrousFuelsFallBackToMethanolEveryOtherToGasoline) {
  struct Case {
    int fuel;
    int expected;
    const char* name;
  };
  // Every "Fuel Type" item of the catalogue, and the edges of the methanol run.
  const Case cases[] = {
      {1, 1, "Gasoline"},  {3, 1, "Gasoline"},  {4, 1, "Gasoline"},   {5, 1, "Gasoline"},
      {6, 1, "Gasoline"},  {7, 1, "Gasoline"},  {8, 1, "Gasoline"},   {10, 1, "Gasoline"},
      {11, 1, "Gasoline"}, {12, 10, "Methanol"}, {13, 10, "Methanol"}, {14, 10, "Methanol"},
      {15, 10, "Methanol"}, {16, 10, "Methanol"}, {17, 10, "Methanol"}, {18, 1, "Gasoline"},
      {19, 1, "Gasoline"}, {20, 1, "Gasoline"}, {21, 1, "Gasoline"},
  };
  for (const Case& c : cases) {
    const FuelChoice fuel = FuelWithoutNitrous(c.fuel);
    EXPECT_EQ(fuel.item, c.expected) << c.fuel;
    EXPECT_STREQ(fuel.name, c.name) << c.fuel;
  }
}

TEST(RunWithoutNitrousTest, GivesTheMethanolRunAndLeavesTheEngineAsItWas) {
  ScriptedPresenter presenter;
  ScopedPresenter installed(presenter);
  CVexoDoc doc;
  samples::BuildSmallBlockV8(doc);
  EngineParameters& e = doc.Engine();
  e.fuelType.SetSelection(14, "Methanol/Nitrous");
  e.nitrousFlowRate.SetValue(100.0f);
  ASSERT_TRUE(doc.RunSimulation(true, true));
  const ResultSet withNitrous = doc.Results();

  const ResultSet without = RunWithoutNitrous(doc);

  CVexoDoc methanol;
  samples::BuildSmallBlockV8(methanol);
  methanol.Engine().fuelType.SetSelection(10, "Methanol");
  ASSERT_TRUE(methanol.RunSimulation(true, true));
  ASSERT_EQ(without.count, methanol.Results().count);
  for (int k = 0; k < without.count; ++k) EXPECT_EQ(without.power[k], methanol.Results().power[k]) << k;
  EXPECT_EQ(e.fuelType.GetValue(), 14);
  EXPECT_EQ(e.fuelType.GetName(), "Methanol/Nitrous");
  EXPECT_FLOAT_EQ(e.nitrousFlowRate.GetValue(), 100.0f);
  ASSERT_EQ(doc.Results().count, withNitrous.count);
  for (int k = 0; k < withNitrous.count; ++k) EXPECT_EQ(doc.Results().power[k], withNitrous.power[k]) << k;
  EXPECT_TRUE(presenter.Shown().empty());
}

// An engine that no longer runs (here: its bore taken away after the last run)
// gives no results without nitrous, and keeps the results it shows.
TEST(RunWithoutNitrousTest, AnEngineThatCannotRunGivesNothingAndKeepsItsResults) {
  ScriptedPresenter presenter;
  ScopedPresenter installed(presenter);
  CVexoDoc doc;
  samples::BuildSmallBlockV8(doc);
  EngineParameters& e = doc.Engine();
  e.fuelType.SetSelection(5, "Gas/Nitrous");
  e.nitrousFlowRate.SetValue(100.0f);
  ASSERT_TRUE(doc.RunSimulation(true, true));
  const ResultSet shown = doc.Results();
  e.bore.Unassign();

  const ResultSet without = RunWithoutNitrous(doc);

  EXPECT_TRUE(without.IsEmpty());
  EXPECT_EQ(without.power[8], 0.0f);
  EXPECT_EQ(doc.Results().count, shown.count);
  EXPECT_EQ(doc.Results().power[8], shown.power[8]);
  EXPECT_EQ(e.fuelType.GetValue(), 5);
  EXPECT_EQ(e.fuelType.GetName(), "Gas/Nitrous");
  EXPECT_FLOAT_EQ(e.nitrousFlowRate.GetValue(), 100.0f);
  EXPECT_TRUE(presenter.Shown().empty());
}

}  // namespace
}  // namespace brisca
