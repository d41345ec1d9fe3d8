// A kept engine written as a file stores the results of the engine the file
// holds: a fresh run of the file reproduces them exactly, though the file
// keeps fewer decimals than the engine that was scored.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "core/document/VexoDoc.h"
#include "core/iterator/Iterator.h"
#include "core/iterator/KeptEngineFile.h"
#include "core/sim/induction/CompressorMap.h"
#include "tests/core/iterator/IteratorTestSupport.h"
#include "tests/support/ScriptedPresenter.h"
#include "tests/support/TempDir.h"

namespace brisca {
namespace {

using testing::BuildSimulatedV8;

std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(KeptEngineFileTest, AFileStoresTheResultsOfTheEngineItHolds) {
  ScriptedPresenter presenter;
  ScopedPresenter scope(presenter);
  CVexoDoc doc;
  BuildSimulatedV8(doc);
  doc.SetTitle("Street.qen");
  Iterator it;
  int code = 0;
  ASSERT_TRUE(it.SetUp(doc, code)) << code;
  it.EnableGroup(SlotGroup::Manifold, false);
  // Strokes derived from the bores keep the displacement: long fractions,
  // which the file cuts to six decimals.
  it.SetVariable(kSlotBore, Iterator::ValueOf(kSlotBore, doc), 0.1f, 0.05f);
  it.SetConstantDisplacement(false, true);
  it.Prepare();
  while (it.Step()) {
  }
  ASSERT_EQ(it.KeptCount(), 5);

  TempDir dir("kept-engine");
  const CompressorMapSupply maps = doc.ReadCompressorMap();
  int rounded = 0;
  for (int slot = 0; slot < it.KeptCount(); ++slot) {
    SCOPED_TRACE(slot);
    KeptEngineFile file;
    ASSERT_TRUE(WriteKeptEngineFile(it, slot, 4 - slot, maps, dir.Path(), file));
    EXPECT_EQ(file.name, "Best" + std::to_string(5 - slot) + "-Street.qen");
    ASSERT_TRUE(file.ran);
    // The results block is written, not read back: a fresh run of the file's
    // engine, written again, gives the same file byte for byte.
    CVexoDoc fresh(nullptr);
    ASSERT_TRUE(fresh.OnOpenDocument(dir / file.name));
    ASSERT_TRUE(fresh.RunSimulation(maps, code)) << code;
    ASSERT_TRUE(fresh.WriteEngineFile(dir / "again.qen"));
    EXPECT_TRUE(ReadAll(dir / "again.qen") == ReadAll(dir / file.name)) << "the results stored in " << file.name;
    EXPECT_EQ(file.score, it.Score(fresh));
    rounded += fresh.Results().power != it.Result(slot).engine->Results().power;
  }
  // The fixture shows the cut: some file's engine runs other than the kept one.
  EXPECT_GT(rounded, 0);
  EXPECT_TRUE(presenter.Shown().empty());
}

}  // namespace
}  // namespace brisca
