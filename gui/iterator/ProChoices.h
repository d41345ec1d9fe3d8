#pragma once
// The fixed choice lists of the Pro Iterator's pages, in one place.

#include <array>

namespace brisca {

//! Valve event tolerances "+/-" [deg] and steps [deg].
inline constexpr std::array<float, 8> kCamTolerances = {0, 1, 2, 4, 8, 16, 24, 32};
inline constexpr std::array<float, 4> kCamSteps = {1, 2, 4, 8};
//! Activation speed tolerances 0..5000 rpm in 500s; the step is fixed.
inline constexpr int kActivationChoices = 11;
inline constexpr float kActivationChoiceStep = 500.0f;

//! Bore and stroke tolerances and steps, inches and millimetres.
inline constexpr std::array<float, 9> kLengthTolerancesIn = {0, 0.010f, 0.050f, 0.080f, 0.100f,
                                                             0.250f, 0.500f, 1.000f, 2.000f};
inline constexpr std::array<float, 9> kLengthTolerancesMm = {0, 0.10f, 0.50f, 1.00f, 2.00f,
                                                             5.00f, 10.00f, 20.00f, 50.00f};
inline constexpr std::array<float, 9> kLengthStepsIn = {0.001f, 0.002f, 0.005f, 0.010f, 0.020f,
                                                        0.050f, 0.100f, 0.125f, 0.500f};
inline constexpr std::array<float, 9> kLengthStepsMm = {0.01f, 0.02f, 0.05f, 0.10f, 0.20f,
                                                        0.50f, 1.0f, 5.0f, 10.0f};

//! The "Induction" page's manifold groups: title and "Manifold Type" items.
struct ManifoldGroup {
  const char* title;
  int first;
  int last;
};
inline constexpr std::array<ManifoldGroup, 5> kManifoldGroups = {{
    {"Tubing-Type Manifolds", 4, 6},
    {"Modern Production Tuned Manifolds", 7, 10},
    {"Honda-Type Tuned Intake", 11, 14},
    {"Basic Intake Manifolds", 1, 3},
    {"Injector Stacks/Individual Runner", 15, 19},
}};
inline constexpr int kManifoldTypes = 19;

//! The index of the entry of `list` nearest `value`.
template <std::size_t N>
int NearestChoice(const std::array<float, N>& list, float value) {
  int best = 0;
  for (int i = 1; i < static_cast<int>(N); ++i) {
    const float d = list[i] > value ? list[i] - value : value - list[i];
    const float b = list[best] > value ? list[best] - value : value - list[best];
    if (d < b) best = i;
  }
  return best;
}

}  // namespace brisca
