#pragma once
// The one-button searches: cam timing or bore/stroke, for the highest peak
// power or torque near the engine's current peak, as a coarse phase 1 and a
// fine phase 2 around phase 1's best engine.

#include "core/iterator/Iterator.h"

namespace brisca {

enum class QuickPreset { CamPower, CamTorque, BoreStrokePower, BoreStrokeTorque };

//! Event tolerance and step of the cam search [deg], per phase.
struct QuickCamSteps {
  float tolerance;
  float step;
};
//! Bore tolerance and step of the bore/stroke search [in or mm], per phase.
struct QuickBoreSteps {
  float tolerance;
  float step;
};
inline constexpr QuickCamSteps kQuickCamSteps[2] = {{16.0f, 8.0f}, {4.0f, 2.0f}};
inline constexpr QuickBoreSteps kQuickBoreStepsDomestic[2] = {{0.25f, 0.05f}, {0.05f, 0.01f}};
inline constexpr QuickBoreSteps kQuickBoreStepsMetric[2] = {{5.0f, 1.0f}, {1.0f, 0.2f}};
//! The activation speed keeps still: tolerance 0 with this step [rpm].
inline constexpr float kActivationRpmStep = 500.0f;

//! Peak power (2) or peak torque (0) criterion of a preset.
int QuickCriterion(QuickPreset preset);
bool IsCamPreset(QuickPreset preset);

//! Speed of the baseline's peak of the criterion's quantity ± 500 rpm, held
//! within the sweep (1000..14500).
void QuickSpeedRange(const CVexoDoc& baseline, int criterion, float& low, float& high);

//! Clears both phases, sets them up from `baseline`, applies `preset` and
//! prepares them. False with the first error code (setup, then validation of
//! phase 1, then phase 2).
bool ApplyQuickPreset(const CVexoDoc& baseline, QuickPreset preset, Iterator& phase1,
                      Iterator& phase2, int& code);

//! Phase 2 takes phase 1's best engine as its baseline (it must outlive phase
//! 2's use of it), re-centres every enabled group but the manifold list on
//! that engine's values and is prepared. False (code 62) when phase 1 kept nothing.
bool BeginPhase2(const Iterator& phase1, Iterator& phase2, int& code);

}  // namespace brisca
