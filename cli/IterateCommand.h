#pragma once
// brisca-cli iterate ENGINE.qen: a test series run headless on every core.
//
// Either a one-button search (--preset cam-hp|cam-torque|bore-stroke-hp|
// bore-stroke-torque, always two phases) or a series described in a setup
// file (--setup FILE). The setup file has one statement per line; '#' starts
// a comment. Ranges are "TOLERANCE STEP" around the engine's own value, an
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
//   bore-range MIN MAX STEP            (likewise stroke-range, activation-range)
//   displacement stroke|bore           constant displacement, that one derived
//   manifolds ITEM ITEM ...            "Manifold Type" items to try (phase 1)
//   raise-induction-flow               more flow for individual runners
//   phases 1                           run phase 1 only
//
// Prints the best results and writes the kept engines as "Best%d-<title>.qen"
// into --out.

#include <CLI/CLI.hpp>

namespace brisca::cli {

//! Adds the subcommand; when it runs it sets `status` (0 ok, 1 engine or setup error).
void AddIterateCommand(CLI::App& app, int& status);

}  // namespace brisca::cli
