// Telling a series' failures: the tests outside the limits counted before a
// run are exactly those that fail, and the failures are told by reason.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <numeric>

#include "core/base/ErrCode.h"
#include "core/iterator/Iterator.h"
#include "core/iterator/SeriesFailures.h"
#include "tests/core/iterator/IteratorTestSupport.h"
#include "tests/support/ScriptedPresenter.h"

namespace brisca {
namespace {

using testing::BuildSimulatedV8;

struct LimitCase {
  const char* name;
  std::function<void(CVexoDoc&)> engine;     //!< changes the baseline before the setup
  std::function<void(Iterator&, const CVexoDoc&)> setup;
  std::int64_t total;
  std::int64_t outside;
};

//! EVC 5° above its lower limit: ±16° by 8° reaches 3° below it (two of five values).
void EvcNearItsLimit(CVexoDoc& doc) {
  CCamProfile& lobe = doc.Engine().camshaft.lowSpeedLobe;
  CFloatPtSpec& evc = lobe.Event(TimingSet::Primary, kEVC);
  evc.SetValue(evc.GetMin() + 5.0f);
  lobe.ComputeDerived();
}

void EvcGrid(Iterator& it, const CVexoDoc& doc) {
  it.SetVariable(kSlotLowEvc, Iterator::ValueOf(kSlotLowEvc, doc), 16.0f, 8.0f);
}

//! Bores 2.0..4.0 in with the stroke derived at 350 ci: 2.0 and 2.5 in need strokes past the limit.
void DerivedStrokes(Iterator& it, const CVexoDoc&) {
  it.SetVariable(kSlotBore, 3.0f, 1.0f, 0.5f);
  it.SetConstantDisplacement(false, true);
}

TEST(SeriesFailuresTest, TestsOutsideTheLimitsAreExactlyThoseThatFail) {
  const LimitCase cases[] = {
      {"inside", nullptr,
       [](Iterator& it, const CVexoDoc& doc) {
         it.SetVariable(kSlotLowIvo, Iterator::ValueOf(kSlotLowIvo, doc), 8.0f, 8.0f);
       },
       3, 0},
      {"one event", EvcNearItsLimit, EvcGrid, 5, 2},
      {"event times another slot", EvcNearItsLimit,
       [](Iterator& it, const CVexoDoc& doc) {
         EvcGrid(it, doc);
         it.SetVariable(kSlotLowIvo, Iterator::ValueOf(kSlotLowIvo, doc), 8.0f, 8.0f);
       },
       15, 6},
      {"derived stroke", nullptr, DerivedStrokes, 5, 2},
      {"event and derived stroke", EvcNearItsLimit,
       [](Iterator& it, const CVexoDoc& doc) {
         EvcGrid(it, doc);
         DerivedStrokes(it, doc);
       },
       25, 16},
  };
  for (const LimitCase& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedPresenter presenter;
    ScopedPresenter scope(presenter);
    CVexoDoc doc;
    BuildSimulatedV8(doc);
    if (c.engine) {
      c.engine(doc);
      ASSERT_TRUE(doc.RunSimulation(false, false));
    }
    Iterator it;
    int code = 0;
    ASSERT_TRUE(it.SetUp(doc, code)) << code;
    it.EnableGroup(SlotGroup::Manifold, false);
    c.setup(it, doc);
    // Counted from the setup alone, before the series is prepared.
    EXPECT_EQ(it.SetupTests(), c.total);
    EXPECT_EQ(it.TestsOutsideLimits(), c.outside);
    it.Prepare();
    while (it.Step()) {
    }
    EXPECT_EQ(it.TestsDone(), c.total);
    EXPECT_EQ(it.FailedTests(), c.outside);
    const auto& counts = it.FailureCounts();
    EXPECT_EQ(std::accumulate(counts.begin(), counts.end(), 0,
                              [](int sum, const auto& entry) { return sum + entry.second; }),
              it.FailedTests());
    EXPECT_TRUE(presenter.Shown().empty());
  }
}

TEST(SeriesFailuresTest, FailuresAreToldOnceByReasonMostFrequentFirst) {
  ScriptedPresenter presenter;
  ScopedPresenter scope(presenter);
  ReportFailureReasons({});
  EXPECT_TRUE(presenter.Shown().empty());
  ReportFailureReasons({{3, 2}, {42, 46875}});
  ASSERT_EQ(presenter.Shown().size(), 1u);
  const Message& told = presenter.Shown().front();
  EXPECT_EQ(told.kind, MessageKind::Notice);
  EXPECT_EQ(told.code, kFailureReasonsNotice);
  EXPECT_NE(told.text.find("46875 tests: Error 42"), std::string::npos) << told.text;
  EXPECT_NE(told.text.find("\n2 tests: Error 3 (Valid Stroke value Required)"), std::string::npos)
      << told.text;
  EXPECT_LT(told.text.find("Error 42"), told.text.find("Error 3 "));
}

// Shard records of an older version counted their failures but kept no
// reasons: those failures are told as such, after the known ones, and never
// put under a reason.
TEST(SeriesFailuresTest, FailuresOfNoKnownReasonAreToldApart) {
  const struct {
    std::map<int, int> counts;
    int uncounted;
    const char* detail;
  } cases[] = {
      {{{3, 5}}, 2,
       "5 tests: Error 3 (Valid Stroke value Required)\n"
       "2 tests: reason not recorded (shard record of an older version)"},
      {{}, 1, "1 test: reason not recorded (shard record of an older version)"},
      {{{3, 1}}, 0, "1 test: Error 3 (Valid Stroke value Required)"},
  };
  for (const auto& c : cases) EXPECT_EQ(FailureReasonsDetail(c.counts, c.uncounted), c.detail);
  ScriptedPresenter presenter;
  ScopedPresenter scope(presenter);
  ReportFailureReasons({}, 3);
  ASSERT_EQ(presenter.Shown().size(), 1u);
  EXPECT_NE(presenter.Shown().front().text.find("3 tests: reason not recorded"), std::string::npos);
}

TEST(SeriesFailuresTest, QuestionsAnswerYesOrNo) {
  ScriptedPresenter presenter({MessageButton::Cancel});
  ScopedPresenter scope(presenter);
  const std::string detail = OutsideLimitsDetail(12, 81, 1);
  EXPECT_EQ(detail, "12 of the 81 tests of phase 1");
  EXPECT_FALSE(AskQuestionCode(kOutsideLimitsQuestion, detail.c_str()));
  EXPECT_TRUE(AskQuestionCode(kOutsideLimitsQuestion, detail.c_str()));
  const Message& asked = presenter.Shown().front();
  EXPECT_EQ(asked.kind, MessageKind::Question);
  EXPECT_EQ(asked.buttons, MessageButtons::YesNo);
  EXPECT_EQ(asked.icon, MessageIcon::Question);
  EXPECT_EQ(asked.text.rfind(detail, 0), 0u) << asked.text;
}

}  // namespace
}  // namespace brisca
