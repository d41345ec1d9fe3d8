// A run reads its compressor map once. On the document's own thread a map
// that cannot be read is shown once for each model pass that needed it (both
// passes of a boosted run), then 42 when asked; iterator workers show nothing
// and the series reports the map's code as its first failure.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/document/DocumentHost.h"
#include "core/document/VexoDoc.h"
#include "core/iterator/Iterator.h"
#include "core/iterator/IteratorRunner.h"
#include "core/sim/induction/CompressorMap.h"
#include "tests/support/ScriptedPresenter.h"
#include "tests/support/TempDir.h"

namespace brisca {
namespace {

namespace fs = std::filesystem;

const fs::path kData = fs::path(BRISCA_FIXTURES_DIR) / ".." / ".." / "data";
const fs::path kTurboFour = kData / "EngineFiles (.QEN)" / "Turbo Four Intercooled.qen";

std::vector<int> Codes(const ScriptedPresenter& presenter) {
  std::vector<int> codes;
  for (const Message& message : presenter.Shown()) codes.push_back(message.code);
  return codes;
}

class CompressorMapRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(doc_.ReadEngineFile(kTurboFour));
    ASSERT_NE(doc_.Engine().compressorMap, 0);
    ASSERT_TRUE(doc_.RunSimulation(true, true));
    ASSERT_TRUE(Codes(presenter_).empty());
  }

  //! Points the document's maps at a folder where its map is missing (173) or
  //! cut short (45).
  void BreakMap(int code) {
    if (code == 45) {
      // Every map file present but cut off after three grid cells.
      for (const auto& entry : fs::directory_iterator(kData / "Manuals & Videos" / "Maps")) {
        temp_.Write(entry.path().filename().string(), "TEST\n60 60 60\n");
      }
    }
    host_.mapFolder = temp_.Path();
  }

  ScriptedPresenter presenter_;
  ScopedPresenter scope_{presenter_};
  TempDir temp_{"brisca-map-run"};
  HeadlessHost host_;
  CVexoDoc doc_{&host_};
};

TEST_F(CompressorMapRunTest, DocumentShowsTheMapErrorOncePerPass) {
  for (int code : {173, 45}) {
    SCOPED_TRACE(code);
    BreakMap(code);
    EXPECT_EQ(doc_.ReadCompressorMap().errorCode, code);

    presenter_.Clear();
    EXPECT_FALSE(doc_.RunSimulation(false, true));
    EXPECT_EQ(Codes(presenter_), (std::vector<int>{code, code, 42}));
    EXPECT_TRUE(doc_.Results().IsEmpty());

    // The engine-file writer and the report ask for no 42; the map is still shown.
    presenter_.Clear();
    EXPECT_FALSE(doc_.RunSimulation(false, false));
    EXPECT_EQ(Codes(presenter_), (std::vector<int>{code, code}));

    // Away from the document's thread nothing is shown; the code comes back.
    presenter_.Clear();
    int failure = 0;
    EXPECT_FALSE(doc_.RunSimulation(doc_.ReadCompressorMap(), failure));
    EXPECT_EQ(failure, code);
    EXPECT_TRUE(Codes(presenter_).empty());
  }
  host_.mapFolder.clear();
  EXPECT_TRUE(doc_.RunSimulation(true, true));
  EXPECT_TRUE(Codes(presenter_).empty());
}

TEST_F(CompressorMapRunTest, IteratorWorkersHandTheMapErrorToTheSeries) {
  Iterator it;
  int code = 0;
  ASSERT_TRUE(it.SetUp(doc_, code)) << code;
  it.EnableGroup(SlotGroup::Manifold, false);
  it.SetVariable(kSlotLowIvo, Iterator::ValueOf(kSlotLowIvo, doc_), 8.0f, 4.0f);
  ASSERT_TRUE(it.Validate(code)) << code;

  BreakMap(173);
  it.Prepare();
  ASSERT_GE(it.TotalTests(), 2);
  EXPECT_TRUE(IteratorRunner(it, 2).Run());
  EXPECT_EQ(it.FailedTests(), it.TotalTests());
  EXPECT_EQ(it.FirstFailureCode(), 173);
  EXPECT_EQ(it.KeptCount(), 0);
  EXPECT_TRUE(Codes(presenter_).empty());

  // The one-thread step reports the same way.
  it.Prepare();
  while (it.Step()) {
  }
  EXPECT_EQ(it.FailedTests(), it.TotalTests());
  EXPECT_EQ(it.FirstFailureCode(), 173);
  EXPECT_TRUE(Codes(presenter_).empty());
}

}  // namespace
}  // namespace brisca
