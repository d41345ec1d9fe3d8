// The text description of a test series: what each statement sets, and which
// line a faulty setup is refused at.
#include "core/iterator/IterateSetup.h"

#include <gtest/gtest.h>

#include <sstream>

#include "core/iterator/QuickPresets.h"
#include "tests/core/iterator/IteratorTestSupport.h"
#include "tests/support/ScriptedPresenter.h"

namespace brisca {
namespace {

class IterateSetupTest : public ::testing::Test {
 protected:
  void SetUp() override { testing::BuildSimulatedV8(doc_); }

  bool Read(const std::string& text) {
    std::istringstream in(text);
    return ReadIterateSetup(in, doc_, phase1_, phase2_, setup_, error_);
  }

  ScriptedPresenter presenter_;
  ScopedPresenter scope_{presenter_};
  CVexoDoc doc_;
  Iterator phase1_, phase2_;
  IterateSetup setup_;
  IterateSetupError error_;
};

struct SetupCase {
  const char* name;
  const char* text;
  int errorLine;  //!< 0: accepted
  bool dual;      //!< when accepted: a second phase runs
};

TEST_F(IterateSetupTest, AcceptsOrRefusesAtTheFaultyLine) {
  const SetupCase cases[] = {
      {"comments and blank lines", "# nothing\n\n   \n", 0, false},
      {"phase-2 pair makes it dual", "criterion power-area\nspeed 3000 6000\ncam 8 8 2 2\n", 0, true},
      {"phases 1 keeps it single", "cam 8 8 2 2\nphases 1\n", 0, false},
      {"absolute range", "bore-range 3.9 4.1 0.05\n", 0, false},
      {"comment after a statement", "bore 0.1 0.05 # coarse\n", 0, false},
      {"manifolds and more flow", "manifolds 2 3 17\nraise-induction-flow\n", 0, false},
      {"constant displacement", "bore 0.1 0.05\ndisplacement stroke\n", 0, false},
      {"unknown statement", "turbo 1 2\n", 1, false},
      {"unknown criterion", "\ncriterion fastest\n", 2, false},
      {"three numbers for a range", "bore 9 9 9\n", 1, false},
      {"text after the numbers", "cam 8 8 x\n", 1, false},
      {"decimal comma", "bore 0,1 0,05\n", 1, false},
      {"step not positive", "stroke 0.1 -0.05\n", 1, false},
      {"negative tolerance", "stroke -0.1 0.05\n", 1, false},
      {"absolute range reversed", "speed 3000 6000\nstroke-range 3.6 3.4 0.05\n", 2, false},
      {"manifold item past 19", "manifolds 2 20\n", 1, false},
      {"no manifolds", "manifolds\n", 1, false},
      {"speed range reversed", "speed 6000 3000\n", 1, false},
      {"speed outside the sweep", "speed 500 3000\n", 1, false},
      {"high-speed lobe of a one-lobe cam", "cam-high 8 8\n", 1, false},
      {"activation of a one-lobe cam", "activation 500\n", 1, false},
      {"three phases", "phases 3\n", 1, false},
      {"both derived", "displacement both\n", 1, false},
  };
  for (const SetupCase& c : cases) {
    const bool accepted = Read(c.text);
    EXPECT_EQ(accepted, c.errorLine == 0) << c.name << ": " << error_.message;
    EXPECT_EQ(error_.line, c.errorLine) << c.name;
    if (accepted) {
      EXPECT_EQ(setup_.dualPhase, c.dual) << c.name;
    } else {
      EXPECT_FALSE(error_.message.empty()) << c.name;
    }
  }
  EXPECT_TRUE(presenter_.Shown().empty());
}

TEST_F(IterateSetupTest, StatementsSetBothPhasesAroundTheEnginesOwnValues) {
  ASSERT_TRUE(Read("criterion torque-area\n"
                   "speed 3000 6000\n"
                   "cam 8 8 2 2\n"
                   "bore-range 3.9 4.1 0.05\n"
                   "manifolds 2 17\n"
                   "raise-induction-flow\n"))
      << error_.line << ": " << error_.message;
  EXPECT_TRUE(setup_.dualPhase);
  for (const Iterator* it : {&phase1_, &phase2_}) {
    EXPECT_EQ(it->GetCriterion(), kTorqueArea);
    EXPECT_EQ(it->LowSpeed(), 3000.0f);
    EXPECT_EQ(it->HighSpeed(), 6000.0f);
  }
  const IterationVariable& ivo1 = phase1_.Variable(kSlotLowIvo);
  const IterationVariable& ivo2 = phase2_.Variable(kSlotLowIvo);
  EXPECT_EQ(ivo1.Centre(), Iterator::ValueOf(kSlotLowIvo, doc_));
  EXPECT_EQ(ivo1.Tolerance(), 8.0f);
  EXPECT_EQ(ivo1.Step(), 8.0f);
  EXPECT_EQ(ivo2.Tolerance(), 2.0f);
  EXPECT_EQ(ivo2.Step(), 2.0f);
  EXPECT_TRUE(phase2_.IsGroupEnabled(SlotGroup::LowSpeedCam));
  const IterationVariable& bore = phase1_.Variable(kSlotBore);
  EXPECT_FLOAT_EQ(bore.Minimum(), 3.9f);
  EXPECT_FLOAT_EQ(bore.Maximum(), 4.1f);
  EXPECT_EQ(bore.ValueCount(), 5);
  EXPECT_FALSE(phase2_.IsGroupEnabled(SlotGroup::BoreStroke));  // absolute ranges are phase 1's
  EXPECT_TRUE(phase1_.ListContains(kSlotManifold, 2));
  EXPECT_TRUE(phase1_.ListContains(kSlotManifold, 17));
  EXPECT_TRUE(phase1_.IsGroupEnabled(SlotGroup::Manifold));
  EXPECT_TRUE(phase1_.RaiseInductionFlow());
  int code = 0;
  EXPECT_TRUE(phase1_.Validate(code)) << code;
}

TEST_F(IterateSetupTest, ActivationTakesTolerancesInFixedSteps) {
  doc_.Engine().camshaft.LoadCamType(33868);  // a two-lobe type
  doc_.Engine().camshaft.SetAutoValveLift(true);
  doc_.UpdateDerivedValues();
  ASSERT_TRUE(doc_.RunSimulation(false, false));
  ASSERT_TRUE(Read("activation 1000 500\ncam-high 8 8\n")) << error_.message;
  EXPECT_EQ(phase1_.Variable(kSlotActivationRpm).Tolerance(), 1000.0f);
  EXPECT_EQ(phase1_.Variable(kSlotActivationRpm).Step(), kActivationRpmStep);
  EXPECT_EQ(phase2_.Variable(kSlotActivationRpm).Tolerance(), 500.0f);
  EXPECT_TRUE(setup_.dualPhase);
}

TEST_F(IterateSetupTest, AnEngineThatDoesNotValidateIsRefusedWithItsCode) {
  doc_.Engine().bore.Unassign();
  EXPECT_FALSE(Read("cam 8 8\n"));
  EXPECT_EQ(error_.line, 0);
  EXPECT_EQ(error_.code, 2);
}

}  // namespace
}  // namespace brisca
