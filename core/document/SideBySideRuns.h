#pragma once
// Simulation runs of up to two engine documents in one thread, with the
// model's crank loops of their passes interleaved (EngVexo::RunTogether):
// each document gets exactly the results, bit for bit, and the outcome it gets
// when run alone. The one-document run is the same code with one document.

#include <span>

#include "core/sim/induction/CompressorMap.h"

namespace brisca {

class CVexoDoc;

//! CVexoDoc::RunSimulation(maps, failureCodes[j]) of each of up to
//! EngVexo::kMaxTogether distinct documents, side by side; ok[j] is its return.
void RunSimulationsTogether(std::span<CVexoDoc* const> docs, const CompressorMapSupply& maps,
                            std::span<int> failureCodes, std::span<bool> ok);

//! The passes of validated documents side by side, with their result sets
//! filled (cleared on failure): shows the map's code (when `showMapErrors`) and
//! 42 (when `showRunFailure`); failureCodes[j] is the map's code or 42.
void RunPassesTogether(std::span<CVexoDoc* const> docs, const CompressorMapSupply& maps,
                       bool showMapErrors, bool showRunFailure, std::span<int> failureCodes,
                       std::span<bool> ok);

}  // namespace brisca
