// A kept result opened as a new document is the engine that was scored.
#include "core/iterator/ResultDocument.h"

#include <gtest/gtest.h>

#include "core/iterator/QuickPresets.h"
#include "core/iterator/TwoPhaseSeries.h"
#include "tests/core/iterator/IteratorTestSupport.h"
#include "tests/support/ScriptedPresenter.h"
#include "tests/support/TempDir.h"

namespace brisca {
namespace {

TEST(ResultDocumentTest, TitleIsBestAndTheBaselineTitleBeforeItsFirstDot) {
  EXPECT_EQ(ResultDocumentTitle(0, "Small Block.v2.qen"), "Best1-Small Block");
  EXPECT_EQ(ResultDocumentTitle(9, "Untitled"), "Best10-Untitled");
}

// The baseline gives the rod as a ratio and lets the document size the valves
// from the bore and the lifts from the valves. The bore/stroke search varies
// the bore: a kept engine that recomputed its automatic values on opening would
// no longer be the engine that was scored.
TEST(ResultDocumentTest, KeptEnginesWrittenAndReopenedReproduceTheirScores) {
  ScriptedPresenter presenter;
  ScopedPresenter scope(presenter);
  CVexoDoc baseline;
  testing::BuildSimulatedV8(baseline);
  baseline.SetTitle("V8.qen");
  ASSERT_TRUE(baseline.Engine().rodByRatio);
  ASSERT_TRUE(baseline.GetAutoValveSizes());
  Iterator phase1, phase2;
  int code = 0;
  ASSERT_TRUE(ApplyQuickPreset(baseline, QuickPreset::BoreStrokePower, phase1, phase2, code)) << code;
  TwoPhaseSeries series(phase1, phase2, true, 2);
  ASSERT_TRUE(series.Run(code)) << code;
  const Iterator& results = series.ResultPhase();
  ASSERT_EQ(results.KeptCount(), kIteratorResults);

  TempDir dir;
  for (int slot = 0; slot < results.KeptCount(); ++slot) {
    const ResultSlot& kept = results.Result(slot);
    CVexoDoc received;
    ReceiveKeptResult(results, slot, received);
    EXPECT_EQ(received.GetTitle(), "Best" + std::to_string(slot + 1) + "-V8");
    EXPECT_TRUE(received.IsModified());
    EXPECT_FALSE(received.GetAutoValveSizes());
    EXPECT_EQ(received.Engine().bore.GetValue(), kept.engine->Engine().bore.GetValue());
    EXPECT_EQ(received.Engine().intakeValveDiameter.GetValue(),
              baseline.Engine().intakeValveDiameter.GetValue());
    ASSERT_TRUE(received.RunSimulation(false, false));
    EXPECT_EQ(results.Score(received), kept.score) << "slot " << slot;
    const auto path = dir / (received.GetTitle() + ".qen");
    ASSERT_TRUE(received.WriteEngineFile(path));

    CVexoDoc reopened;
    ASSERT_TRUE(reopened.OnOpenDocument(path));
    ASSERT_TRUE(reopened.RunSimulation(false, false));
    // The file keeps six decimals: a derived stroke comes back within 5e-7 in,
    // which moves the score by a few parts per million (the recomputed valves
    // of an automatic sizing would move it by percent).
    EXPECT_NEAR(results.Score(reopened), kept.score, 1e-5f * kept.score) << "slot " << slot;
  }
  EXPECT_TRUE(presenter.Shown().empty());
}

}  // namespace
}  // namespace brisca
