#pragma once
// The full iterator's setup rules: its QuickStart presets, the test mode of
// each parameter group over the two phases, and when a second phase runs.

#include <vector>

#include "core/iterator/Iterator.h"

namespace brisca {

//! Test mode of a parameter group: left out, phase 1 only, or both phases.
enum class GroupMode { Exclude, Single, Dual };

//! Event tolerance and step of the "Cam Timing" preset [deg], per phase.
inline constexpr float kProCamTolerance[2] = {24.0f, 4.0f};
inline constexpr float kProCamStep[2] = {8.0f, 1.0f};

//! Both phases set up from `baseline` with every group excluded, criterion 2
//! over the whole sweep (the "Reset All" state). False with the setup code.
bool ProDefaults(const CVexoDoc& baseline, Iterator& phase1, Iterator& phase2, int& code);

//! "Cam Timing": events ±24° in 8° steps (phase 1), ±4° in 1° (phase 2) around
//! the engine's own; activation speed held. With variable valve timing the
//! high-speed lobe varies and the low-speed lobe is left alone.
void ProCamTimingPreset(const CVexoDoc& engine, Iterator& phase1, Iterator& phase2);
//! "Induction": phase 1 tries every manifold of `manifolds` but the engine's own.
void ProInductionPreset(const CVexoDoc& engine, const std::vector<CPartTypeSpec>& manifolds,
                        Iterator& phase1);
//! "Bore/Stroke": bore and stroke ranges of the quick search, displacement free.
void ProBoreStrokePreset(const CVexoDoc& engine, Iterator& phase1, Iterator& phase2);
//! "Peak Torque" / "Peak Horsepower" (or any criterion) in both phases.
void ProCriterionPreset(int criterion, Iterator& phase1, Iterator& phase2);

//! Enables `group` in phase 1 (Single, Dual) and phase 2 (Dual only). The
//! manifold group belongs to phase 1: Dual acts as Single.
void SetGroupMode(SlotGroup group, GroupMode mode, Iterator& phase1, Iterator& phase2);
//! A second phase runs when phase 2 varies any group other than the manifolds.
bool IsDualPhase(const Iterator& phase2);

}  // namespace brisca
