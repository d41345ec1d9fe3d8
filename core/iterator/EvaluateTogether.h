#pragma once
// Tests of a series evaluated side by side in one thread, their runs'
// crank loops interleaved: each outcome, and each working copy's results,
// exactly as Iterator::Evaluate gives them for the test alone (which is this
// with one test).

#include <span>

#include "core/iterator/Iterator.h"
#include "core/sim/induction/CompressorMap.h"

namespace brisca {

//! Up to EngVexo::kMaxTogether tests of `series` on distinct working copies
//! (never the baseline); safe on several threads with different copies.
void EvaluateTogether(const Iterator& series, std::span<CVexoDoc* const> works,
                      std::span<const TestPoint> points, const CompressorMapSupply& maps,
                      std::span<TestOutcome> outcomes);

}  // namespace brisca
