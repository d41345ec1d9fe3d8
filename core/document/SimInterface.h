#pragma once
// The door between an engine document and the engine-cycle model: fills the
// inputs of a pass from the document's parameters, runs the model and hands the
// results back. A pass's inputs and results are its own values, so passes on
// different documents may run at once.

#include <span>

#include "core/sim/ResultSet.h"
#include "core/sim/SimInputs.h"
#include "core/sim/SimResults.h"
#include "core/sim/induction/CompressorMap.h"

namespace brisca {

struct EngineParameters;

namespace SimInterface {

//! Clears `in` and fills it from an engine in domestic units; the active cam
//! profile is the high-speed lobe when `highSpeedLobe` is set.
void Fill(const EngineParameters& engine, bool highSpeedLobe, SimInputs& in);

//! What one pass hands back: success, and how often the compressor map it
//! needed was missing (the code to report that often is the supply's).
struct PassResult {
  bool ok = false;
  int mapFailures = 0;
};

//! Fills the inputs, runs the model over `results` (cleared first) with the
//! compressor map `maps`; shows nothing.
PassResult RunPass(const EngineParameters& engine, bool highSpeedLobe,
                   const CompressorMapSupply& maps, SimResults& results);

//! Up to EngVexo::kMaxTogether passes in one thread with their crank loops
//! interleaved: passes[j] and results[j] are exactly what RunPass gives for
//! engines[j] alone.
void RunPasses(std::span<const EngineParameters* const> engines, bool highSpeedLobe,
               const CompressorMapSupply& maps, std::span<SimResults> results,
               std::span<PassResult> passes);

//! Overwrites every array but the engine speed of `displayed` with the
//! high-speed lobe's from `activationRpm` (truncated) up, and takes its warnings.
void MergeLobes(ResultSet& displayed, const ResultSet& highSpeed, float activationRpm);

//! The speed [rpm] where the high-speed lobe first makes more power than the
//! low-speed one, clamped to 2500..8000; 5000 when it never does or when there
//! are no results of both lobes (an empty set of either lobe counts as none).
float AutomaticActivationSpeed(const ResultSet& displayed, const ResultSet& lowSpeed,
                               const ResultSet& highSpeed);

struct ValveDiameters {
  float intake;   //!< [in]
  float exhaust;  //!< [in]
};

//! Valve sizes for a "Cylinder Head Type" (1..24) and a bore [in]: bore × the
//! head's factors, intake clamped to 0.75..4.0 in and exhaust to 0.5..3.25 in.
ValveDiameters AutoValveSizes(int headType, float bore);

}  // namespace SimInterface
}  // namespace brisca
