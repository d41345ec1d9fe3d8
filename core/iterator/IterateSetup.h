#pragma once
// A test series described in text, one statement per line; '#' starts a
// comment. Ranges are "TOLERANCE STEP" around the engine's own value, an
// optional second pair giving the phase-2 range (which makes the series
// dual-phase); "-range" forms give absolute limits "MIN MAX STEP" instead.
//
//   criterion peak-torque|torque-area|peak-power|power-area
//   speed LOW HIGH                     engine-speed range [rpm]
//   cam TOL STEP [TOL2 STEP2]          low-speed lobe: IVO IVC EVO EVC [deg]
//   cam-high TOL STEP [TOL2 STEP2]     high-speed lobe (two-lobe cams)
//   activation TOL [TOL2]              activation speed, 500 rpm steps
//   bore TOL STEP [TOL2 STEP2]         [in or mm, the engine's units]
//   stroke TOL STEP [TOL2 STEP2]
//   bore-range MIN MAX STEP            (likewise stroke-range, cam-range, activation-range)
//   displacement stroke|bore           constant displacement, that one derived
//   manifolds ITEM ITEM ...            "Manifold Type" items to try (phase 1)
//   raise-induction-flow               more flow for individual runners
//   phases 1|2                         1: run phase 1 only

#include <istream>
#include <string>

#include "core/iterator/Iterator.h"

namespace brisca {

//! Text names of the criteria, by criterion number.
inline constexpr const char* kCriterionNames[] = {"peak-torque", "torque-area", "peak-power",
                                                  "power-area"};

//! Why a setup was refused.
struct IterateSetupError {
  int line = 0;         //!< 1-based line of the statement at fault; 0: the engine itself
  int code = 0;         //!< the engine's validation code when line is 0
  std::string message;  //!< what is wrong with the statement
};

//! What a setup asks for beyond the two iterators.
struct IterateSetup {
  bool dualPhase = false;  //!< a second phase runs around phase 1's best engine
};

//! Sets both phases up from `engine` with the full iterator's defaults, then
//! applies the statements of `in`. False at the first statement at fault (or
//! when the engine does not validate), with `error` saying which and why.
bool ReadIterateSetup(std::istream& in, const CVexoDoc& engine, Iterator& phase1,
                      Iterator& phase2, IterateSetup& setup, IterateSetupError& error);

}  // namespace brisca
