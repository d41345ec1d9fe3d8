#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/base/FatalAssert.h"
#include "core/valvetrain/BuiltInHeads.h"
#include "core/valvetrain/CylHeadFlow.h"

namespace brisca {
namespace {

constexpr FlowSide kIn = FlowSide::Intake;
constexpr FlowSide kEx = FlowSide::Exhaust;

std::vector<float> Lifts(const CCylHeadFlow& flow, FlowSide side) {
  std::vector<float> lifts;
  for (int i = 0; i < flow.GetPointCount(); ++i) lifts.push_back(flow.Lift(side, i).GetValue());
  return lifts;
}

void SetLifts(CCylHeadFlow& flow, FlowSide side, const std::vector<float>& lifts) {
  for (std::size_t i = 0; i < lifts.size(); ++i)
    flow.Lift(side, static_cast<int>(i)).SetValue(lifts[i]);
}

bool NoPointAssignedFrom(const CCylHeadFlow& flow, int first) {
  for (FlowSide side : {kIn, kEx}) {
    for (int i = first; i < kMaxFlowPoints; ++i) {
      if (flow.Lift(side, i).IsAssigned() || flow.Flow(side, i).IsAssigned()) return false;
    }
  }
  return true;
}

TEST(CylHeadFlowTest, NewRecordHoldsLowerLimitsAndNoPoints) {
  const CCylHeadFlow flow;
  EXPECT_FALSE(flow.IsModified());
  EXPECT_EQ(flow.GetDescription(), "");
  EXPECT_EQ(flow.GetNotes(), "");
  EXPECT_FALSE(flow.IsMetric());
  EXPECT_EQ(flow.GetPointCount(), 4);
  EXPECT_EQ(flow.TestDiameter(kIn).GetValue(), 0.75f);
  EXPECT_EQ(flow.TestDiameter(kEx).GetValue(), 0.5f);
  for (FlowSide side : {kIn, kEx}) {
    EXPECT_TRUE(flow.TestDiameter(side).IsValid());
    EXPECT_EQ(flow.PressureDrop(side).GetValue(), 1.0f);
    EXPECT_TRUE(flow.PressureDrop(side).IsValid());
    EXPECT_EQ(flow.ValvesPerPort(side).GetValue(), 1);
    EXPECT_TRUE(flow.ValvesPerPort(side).IsValid());
  }
  EXPECT_TRUE(NoPointAssignedFrom(flow, 0));
  EXPECT_STREQ(flow.Lift(kEx, 9).GetLabel(), "Exhaust Valve Lift");
  EXPECT_STREQ(flow.Flow(kIn, 0).GetLabel(), "Intake Valve Airflow");
  EXPECT_EQ(flow.Lift(kIn, 0).GetPrompt(),
            "Enter Intake Valve Lift Value Within Range: 0.010 to 1.500 in");
}

TEST(CylHeadFlowTest, EveryBuiltInHeadLoadsValidWithEightPoints) {
  for (int key = 1; key <= kBuiltInHeadCount; ++key) {
    SCOPED_TRACE(key);
    CCylHeadFlow flow;
    flow.SetNotes("old notes");
    flow.LoadBuiltIn(key);
    int code = 0;
    EXPECT_TRUE(flow.Validate(code)) << "code " << code;
    EXPECT_EQ(flow.GetPointCount(), 8);
    EXPECT_EQ(flow.GetDescription(), CCylHeadFlow::BuiltInDescription(key));
    EXPECT_EQ(flow.GetNotes(), "");
    EXPECT_EQ(flow.PressureDrop(kIn).GetValue(), 28.0f);
    EXPECT_EQ(flow.PressureDrop(kEx).GetValue(), 28.0f);
    EXPECT_EQ(Lifts(flow, kIn), Lifts(flow, kEx));
    EXPECT_TRUE(IsBuiltInDescription(flow.GetDescription()));
  }
  EXPECT_EQ(FindBuiltInHead(0), nullptr);
  EXPECT_EQ(FindBuiltInHead(kCustomHeadKey), nullptr);
  EXPECT_FALSE(IsBuiltInDescription("Custom Airflow"));
}

// Spot checks against the head table: first and last numbers of a few rows,
// and the pentroof rows that share their flows with the hemi rows.
TEST(CylHeadFlowTest, BuiltInHeadsCarryTheirTableValues) {
  CCylHeadFlow flow;
  flow.LoadBuiltIn(8);
  EXPECT_EQ(flow.TestDiameter(kIn).GetValue(), 1.441f);
  EXPECT_EQ(flow.TestDiameter(kEx).GetValue(), 1.143f);
  EXPECT_EQ(flow.Lift(kIn, 0).GetValue(), 0.05f);
  EXPECT_EQ(flow.Flow(kIn, 7).GetValue(), 224.0f);
  EXPECT_EQ(flow.Flow(kEx, 0).GetValue(), 21.0f);

  flow.LoadBuiltIn(14);
  EXPECT_EQ(flow.IntakeValvesPerPort(), 2);
  EXPECT_EQ(flow.ExhaustValvesPerPort(), 2);
  EXPECT_EQ(flow.Lift(kIn, 7).GetValue(), 0.5f);
  EXPECT_EQ(flow.Flow(kEx, 7).GetValue(), 215.0f);

  for (int hemi = 9; hemi <= 16; ++hemi) {
    SCOPED_TRACE(hemi);
    CCylHeadFlow pentroof;
    flow.LoadBuiltIn(hemi);
    pentroof.LoadBuiltIn(hemi + 8);
    for (FlowSide side : {kIn, kEx}) {
      EXPECT_EQ(pentroof.TestDiameter(side).GetValue(), flow.TestDiameter(side).GetValue());
      EXPECT_EQ(pentroof.ValvesPerPort(side).GetValue(), flow.ValvesPerPort(side).GetValue());
      for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(pentroof.Lift(side, i).GetValue(), flow.Lift(side, i).GetValue());
        EXPECT_EQ(pentroof.Flow(side, i).GetValue(), flow.Flow(side, i).GetValue());
      }
    }
  }
}

TEST(CylHeadFlowTest, LoadingAHeadShrinksTheCountAndKeepsMetricUnits) {
  CCylHeadFlow flow;
  flow.SetPointCount(10);
  flow.Reset();
  flow.SetUnits(true);
  flow.LoadBuiltIn(1);
  EXPECT_TRUE(flow.IsMetric());
  EXPECT_TRUE(NoPointAssignedFrom(flow, 8));
  EXPECT_FLOAT_EQ(flow.TestDiameter(kIn).GetValue(), 1.4f * 25.4f);
  EXPECT_FLOAT_EQ(flow.PressureDrop(kEx).GetValue(), 28.0f * 2.54f);
  EXPECT_FLOAT_EQ(flow.Lift(kIn, 0).GetValue(), 0.2f * 25.4f);
  EXPECT_EQ(flow.Flow(kIn, 0).GetValue(), 87.0f);  // cfm in both systems
}

TEST(CylHeadFlowTest, ResetKeepsCountAndUnitsAndSpacesLifts) {
  CCylHeadFlow flow;
  flow.LoadBuiltIn(14);
  flow.SetNotes("notes");
  flow.SetPointCount(6);
  flow.SetUnits(true);
  flow.Reset();
  EXPECT_EQ(flow.GetDescription(), "");
  EXPECT_EQ(flow.GetNotes(), "");
  EXPECT_EQ(flow.GetPointCount(), 6);
  EXPECT_TRUE(flow.IsMetric());
  EXPECT_EQ(flow.ValvesPerPort(kIn).GetValue(), 1);
  EXPECT_FLOAT_EQ(flow.TestDiameter(kIn).GetValue(), 0.75f * 25.4f);
  EXPECT_FLOAT_EQ(flow.TestDiameter(kEx).GetValue(), 0.5f * 25.4f);
  for (int i = 0; i < 6; ++i) {
    EXPECT_FLOAT_EQ(flow.Lift(kEx, i).GetValue(), 0.05f * static_cast<float>(i + 1) * 25.4f);
    EXPECT_EQ(flow.Flow(kIn, i).GetValue(), 100.0f);
  }
  EXPECT_TRUE(NoPointAssignedFrom(flow, 6));
  int code = 0;
  EXPECT_FALSE(flow.Validate(code));
  EXPECT_EQ(code, kErrFlowDescription);  // only the description is missing
  flow.SetDescription("Reset");
  EXPECT_TRUE(flow.Validate(code));
}

TEST(CylHeadFlowTest, UnitRoundTripKeepsValues) {
  CCylHeadFlow flow;
  flow.LoadBuiltIn(13);
  const CCylHeadFlow before = flow;
  flow.SetUnits(true);
  EXPECT_EQ(flow.Lift(kIn, 7).GetUnitCode(), UnitMillimeter);
  EXPECT_EQ(flow.PressureDrop(kIn).GetUnitCode(), UnitCmH2O);
  EXPECT_EQ(flow.Flow(kIn, 7).GetUnitCode(), UnitCfm);
  flow.SetUnits(false);
  EXPECT_FALSE(flow.IsMetric());
  for (FlowSide side : {kIn, kEx}) {
    EXPECT_FLOAT_EQ(flow.TestDiameter(side).GetValue(), before.TestDiameter(side).GetValue());
    for (int i = 0; i < 8; ++i)
      EXPECT_FLOAT_EQ(flow.Lift(side, i).GetValue(), before.Lift(side, i).GetValue());
  }
  EXPECT_TRUE(NoPointAssignedFrom(flow, 8));
}

TEST(CylHeadFlowTest, CopyTakesEveryMember) {
  CCylHeadFlow source;
  source.LoadBuiltIn(16);
  source.SetNotes("two\nlines");
  source.SetModified(true);
  source.SetUnits(true);
  CCylHeadFlow copy;
  copy.SetPointCount(10);
  copy.Reset();
  copy.CopyFrom(source);
  EXPECT_TRUE(copy.IsModified());
  EXPECT_TRUE(copy.IsMetric());
  EXPECT_EQ(copy.GetNotes(), "two\nlines");
  EXPECT_EQ(copy.GetPointCount(), 8);
  EXPECT_TRUE(NoPointAssignedFrom(copy, 8));
  EXPECT_EQ(copy.Lift(kEx, 3).GetValue(), source.Lift(kEx, 3).GetValue());
  EXPECT_EQ(copy.Lift(kEx, 3).GetUnitCode(), UnitMillimeter);
}

TEST(CylHeadFlowTest, ValidateReportsTheFirstFaultInItsOrder) {
  using Damage = std::function<void(CCylHeadFlow&)>;
  const auto unassignValves = [](CCylHeadFlow& f, FlowSide side, const char* label) {
    f.ValvesPerPort(side) = CIntegerSpec(label, 1, 3);
  };
  const struct {
    const char* name;
    Damage damage;
    int code;
  } cases[] = {
      {"intact", [](CCylHeadFlow&) {}, 0},
      {"no description", [](CCylHeadFlow& f) { f.SetDescription("  "); }, 61},
      {"description before all else",
       [](CCylHeadFlow& f) {
         f.SetDescription("");
         f.TestDiameter(kIn).ResetValue();
       },
       61},
      {"intake diameter", [](CCylHeadFlow& f) { f.TestDiameter(kIn).ResetValue(); }, 53},
      {"intake drop", [](CCylHeadFlow& f) { f.PressureDrop(kIn).ResetValue(); }, 54},
      {"intake valves",
       [&](CCylHeadFlow& f) { unassignValves(f, kIn, "Number of Intake Valves Per Port"); }, 6},
      {"exhaust diameter", [](CCylHeadFlow& f) { f.TestDiameter(kEx).ResetValue(); }, 55},
      {"exhaust drop", [](CCylHeadFlow& f) { f.PressureDrop(kEx).ResetValue(); }, 56},
      {"exhaust valves",
       [&](CCylHeadFlow& f) { unassignValves(f, kEx, "Number of Exhaust Valves Per Port"); }, 7},
      {"intake lift", [](CCylHeadFlow& f) { f.Lift(kIn, 7).ResetValue(); }, 57},
      {"intake flow", [](CCylHeadFlow& f) { f.Flow(kIn, 7).ResetValue(); }, 58},
      {"exhaust lift", [](CCylHeadFlow& f) { f.Lift(kEx, 7).ResetValue(); }, 59},
      {"exhaust flow", [](CCylHeadFlow& f) { f.Flow(kEx, 7).ResetValue(); }, 60},
      {"scalars before points",
       [](CCylHeadFlow& f) {
         f.Lift(kIn, 0).ResetValue();
         f.PressureDrop(kEx).ResetValue();
       },
       56},
      {"earlier point first",
       [](CCylHeadFlow& f) {
         f.Flow(kIn, 5).ResetValue();
         f.Lift(kEx, 2).ResetValue();
       },
       59},
      {"intake lifts equal",
       [](CCylHeadFlow& f) {
         SetLifts(f, kIn, {0.2f, 0.2f});
       },
       51},
      {"exhaust lifts equal",
       [](CCylHeadFlow& f) {
         SetLifts(f, kEx, {0.2f, 0.2f});
       },
       52},
      {"intake lifts fall at the end", [](CCylHeadFlow& f) { f.Lift(kIn, 7).SetValue(0.6f); }, 51},
      {"both sides fall",
       [](CCylHeadFlow& f) {
         SetLifts(f, kEx, {0.3f, 0.2f});
         SetLifts(f, kIn, {0.3f, 0.2f});
       },
       51},
      {"missing value before order",
       [](CCylHeadFlow& f) {
         SetLifts(f, kIn, {0.3f, 0.2f});
         f.Flow(kEx, 7).ResetValue();
       },
       60},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CCylHeadFlow flow;
    flow.LoadBuiltIn(1);
    c.damage(flow);
    int code = 0;
    EXPECT_EQ(flow.Validate(code), c.code == 0);
    EXPECT_EQ(code, c.code);
  }
}

TEST(CylHeadFlowTest, LiftStepChecks) {
  CCylHeadFlow flow;
  flow.Reset();
  SetLifts(flow, kEx, {0.2f, 0.2f, 0.3f, 0.25f});
  int code = 0;
  EXPECT_TRUE(flow.CheckLiftStep(kEx, 0, code));
  EXPECT_FALSE(flow.CheckLiftStep(kEx, 1, code));
  EXPECT_EQ(code, 52);
  code = 0;
  EXPECT_TRUE(flow.CheckLiftStep(kEx, 2, code));
  EXPECT_FALSE(flow.CheckLiftStep(kEx, 3, code));
  EXPECT_TRUE(flow.CheckLiftsAscending(kIn, code));
  EXPECT_FALSE(flow.CheckLiftsAscending(kEx, code));
  EXPECT_EQ(code, 52);
}

TEST(CylHeadFlowTest, ExtendLiftsContinuesTheSpacingUpToTheLimit) {
  const struct {
    const char* name;
    int count;
    std::vector<float> lifts;  // entered lifts [in]
    int index;
    std::vector<float> expected;  // all lifts afterwards [in]
  } cases[] = {
      {"first row steps by itself", 5, {0.1f}, 0, {0.1f, 0.2f, 0.3f, 0.4f, 0.5f}},
      {"spacing of rows 2 and 3",
       6,
       {0.1f, 0.2f, 0.35f, 0.5f},
       2,
       {0.1f, 0.2f, 0.35f, 0.5f, 0.65f, 0.8f}},
      {"stops at 1.5 in",
       10,
       {0.6f, 0.9f},
       1,
       {0.6f, 0.9f, 1.2f, 1.5f, 1.5f, 1.5f, 1.5f, 1.5f, 1.5f, 1.5f}},
      {"last row changes nothing", 4, {0.1f, 0.2f, 0.3f, 0.4f}, 3, {0.1f, 0.2f, 0.3f, 0.4f}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    for (bool metric : {false, true}) {
      CCylHeadFlow flow;
      flow.SetPointCount(c.count);
      SetLifts(flow, kIn, c.lifts);
      flow.SetUnits(metric);
      int code = -1;
      EXPECT_TRUE(flow.ExtendLifts(kIn, c.index, code));
      EXPECT_EQ(code, 0);
      flow.SetUnits(false);
      EXPECT_THAT(Lifts(flow, kIn), ::testing::Pointwise(::testing::FloatNear(1e-5f), c.expected));
      EXPECT_TRUE(NoPointAssignedFrom(flow, c.count));
    }
  }
}

// A zero or negative step would make every following lift fall or repeat:
// the record refuses and keeps the lifts the user entered.
TEST(CylHeadFlowTest, ExtendLiftsRefusesLiftsThatDoNotRise) {
  const struct {
    const char* name;
    FlowSide side;
    std::vector<float> lifts;
    int index;
    int code;
  } cases[] = {
      {"intake equal", kIn, {0.2f, 0.2f, 0.5f, 0.6f}, 1, 51},
      {"exhaust falling", kEx, {0.3f, 0.2f, 0.5f, 0.6f}, 1, 52},
      {"unassigned lift used", kIn, {0.2f}, 1, 57},
      {"unassigned first lift", kEx, {}, 0, 59},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CCylHeadFlow flow;
    SetLifts(flow, c.side, c.lifts);
    const std::vector<float> before = Lifts(flow, c.side);
    int code = 0;
    EXPECT_FALSE(flow.ExtendLifts(c.side, c.index, code));
    EXPECT_EQ(code, c.code);
    EXPECT_EQ(Lifts(flow, c.side), before);
  }
}

TEST(CylHeadFlowTest, GrowingAddsAnExtrapolatedPointWithTheLastFlow) {
  CCylHeadFlow flow;
  flow.Reset();
  SetLifts(flow, kIn, {0.1f, 0.2f, 0.3f, 0.4f});
  SetLifts(flow, kEx, {0.9f, 1.1f, 1.3f, 1.45f});
  flow.Flow(kIn, 3).SetValue(180.0f);
  flow.Flow(kEx, 3).SetValue(140.0f);
  int code = -1;
  ASSERT_TRUE(flow.StepPointCount(+1, code));
  EXPECT_EQ(code, 0);
  EXPECT_TRUE(flow.IsModified());
  EXPECT_EQ(flow.GetPointCount(), 5);
  EXPECT_NEAR(flow.Lift(kIn, 4).GetValue(), 0.5f, 1e-6f);
  EXPECT_EQ(flow.Lift(kEx, 4).GetValue(), 1.5f);  // 1.6 stops at the limit
  EXPECT_EQ(flow.Flow(kIn, 4).GetValue(), 180.0f);
  EXPECT_EQ(flow.Flow(kEx, 4).GetValue(), 140.0f);
  int validateCode = 0;
  flow.SetDescription("grown");
  EXPECT_TRUE(flow.Validate(validateCode)) << validateCode;
}

TEST(CylHeadFlowTest, ShrinkThenGrowGivesFreshPoints) {
  CCylHeadFlow flow;
  flow.LoadBuiltIn(14);  // lifts 0.05 ... 0.3 by 0.05, then 0.4, 0.5
  int code = 0;
  ASSERT_TRUE(flow.StepPointCount(-1, code));
  ASSERT_TRUE(flow.StepPointCount(-1, code));
  EXPECT_EQ(flow.GetPointCount(), 6);
  EXPECT_TRUE(NoPointAssignedFrom(flow, 6));
  ASSERT_TRUE(flow.StepPointCount(+1, code));
  ASSERT_TRUE(flow.StepPointCount(+1, code));
  EXPECT_EQ(flow.GetPointCount(), 8);
  for (FlowSide side : {kIn, kEx}) {
    EXPECT_NEAR(flow.Lift(side, 6).GetValue(), 0.35f, 1e-5f);  // dropped: 0.4
    EXPECT_NEAR(flow.Lift(side, 7).GetValue(), 0.40f, 1e-5f);  // dropped: 0.5
  }
  EXPECT_EQ(flow.Flow(kIn, 6).GetValue(), 194.0f);  // point 5 repeated; dropped: 233
  EXPECT_EQ(flow.Flow(kIn, 7).GetValue(), 194.0f);
  EXPECT_EQ(flow.Flow(kEx, 7).GetValue(), 165.0f);  // dropped: 215
}

TEST(CylHeadFlowTest, PointCountStaysWithinItsRange) {
  CCylHeadFlow flow;
  flow.Reset();
  int code = 0;
  EXPECT_FALSE(flow.StepPointCount(-1, code));
  EXPECT_FALSE(flow.IsModified());
  EXPECT_TRUE(flow.StepPointCount(+5, code));  // one step at a time
  EXPECT_EQ(flow.GetPointCount(), 5);
  for (int i = 0; i < 10; ++i) flow.StepPointCount(+1, code);
  EXPECT_EQ(flow.GetPointCount(), 10);
  EXPECT_FALSE(flow.StepPointCount(+1, code));
}

TEST(CylHeadFlowTest, GrowingPastFlatLiftsLeavesTheNewLiftOpen) {
  CCylHeadFlow flow;
  flow.Reset();
  SetLifts(flow, kEx, {0.1f, 0.2f, 0.3f, 0.3f});
  int code = 0;
  ASSERT_TRUE(flow.StepPointCount(+1, code));
  EXPECT_EQ(code, 52);
  EXPECT_FALSE(flow.Lift(kEx, 4).IsAssigned());
  EXPECT_TRUE(flow.Lift(kIn, 4).IsValid());
}

TEST(CylHeadFlowTest, DescriptionIsKeptToOneReadableLine) {
  const struct {
    std::string given;
    std::string stored;
  } cases[] = {
      {"  Ported Hemi \t", "Ported Hemi"},
      {"Two\nlines\r\nhere", "Two lines  here"},
      {std::string(1030, 'x'), std::string(1023, 'x')},
      // A cut inside a two-byte character drops the whole character.
      {std::string(1022, 'x') + "\xC3\xA9" + "y", std::string(1022, 'x')},
  };
  for (const auto& c : cases) {
    CCylHeadFlow flow;
    flow.SetDescription(c.given);
    EXPECT_EQ(flow.GetDescription(), c.stored);
  }
}

TEST(CylHeadFlowTest, ProposedFileNameReplacesForbiddenCharacters) {
  CCylHeadFlow flow;
  flow.LoadBuiltIn(13);
  EXPECT_EQ(flow.ProposedFileName(""), "2-Valve, Hemi, High-Flow, All-Out Porting_Mods");
  flow.SetDescription(R"(a\b/c:d*e?f<g>h|i"j)");
  EXPECT_EQ(flow.ProposedFileName(""), R"(a_b_c_d_e_f_g_h_i"j)");
  EXPECT_EQ(flow.ProposedFileName("mine.qfw"), "mine.qfw");
}

TEST(CylHeadFlowDeathTest, InternalErrorsEndTheProgram) {
  const auto fatal = ::testing::ExitedWithCode(kFatalAssertExitStatus % 256);
  CCylHeadFlow flow;
  int code = 0;
  EXPECT_EXIT(flow.SetPointCount(3), fatal, "ASSERTION FAILURE");
  EXPECT_EXIT(flow.SetPointCount(11), fatal, "ASSERTION FAILURE");
  EXPECT_EXIT(flow.LoadBuiltIn(kCustomHeadKey), fatal, "ASSERTION FAILURE");
  EXPECT_EXIT(flow.ExtendLifts(kIn, 10, code), fatal, "ASSERTION FAILURE");
  EXPECT_EXIT(flow.Lift(kEx, -1), fatal, "ASSERTION FAILURE");
  flow.ValvesPerPort(kEx) = CIntegerSpec("Number of Exhaust Valves Per Port", 1, 3);
  EXPECT_EXIT(flow.ExhaustValvesPerPort(), fatal, "ASSERTION FAILURE");
}

}  // namespace
}  // namespace brisca
