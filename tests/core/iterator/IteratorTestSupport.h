#pragma once
// A simulated small-block V8 as a series baseline, and a look at a series'
// kept results.

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "core/iterator/Iterator.h"
#include "tests/support/SampleDocuments.h"

namespace brisca::testing {

//! The sample V8 with its results.
inline void BuildSimulatedV8(CVexoDoc& doc) {
  samples::BuildSmallBlockV8(doc);
  ASSERT_TRUE(doc.RunSimulation(false, false));
}

//! Kept results as (test number, score) in slot order.
inline std::vector<std::tuple<int, float>> KeptResults(const Iterator& it) {
  std::vector<std::tuple<int, float>> kept;
  for (int i = 0; i < it.KeptCount(); ++i) kept.emplace_back(it.Result(i).testNumber, it.Result(i).score);
  return kept;
}

//! IVO, IVC and EVO of the low-speed lobe around the engine's own: 9 × 9 × 3 = 243 tests.
inline void SetCamSeries(Iterator& it, const CVexoDoc& engine) {
  it.EnableGroup(SlotGroup::Manifold, false);
  it.SetVariable(kSlotLowIvo, Iterator::ValueOf(kSlotLowIvo, engine), 16.0f, 4.0f);
  it.SetVariable(kSlotLowIvc, Iterator::ValueOf(kSlotLowIvc, engine), 16.0f, 4.0f);
  it.SetVariable(kSlotLowEvo, Iterator::ValueOf(kSlotLowEvo, engine), 8.0f, 8.0f);
}

}  // namespace brisca::testing
