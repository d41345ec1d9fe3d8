#pragma once
// Intake ram: the pressure wave amplitude [psi] each manifold type adds at the
// port near intake closing, by speed point (index i for 500·(i + 1) rpm).
// Manifold types (catalogue values): 1-3 non-tuned, 4-6 long runners with a
// common plenum, 7-10 tuned runners, 11-14 large- and factory-volume runner and
// plenum designs, 15-18 stacks without plenum, 19 individual runners.

#include <array>

#include "core/sim/SimResults.h"

namespace brisca {

inline constexpr int kManifoldTypes = 19;

//! Ram table T[i] of a manifold type (0 for types outside 1..19).
float RamTableValue(int manifoldType, int speedIndex);
//! Single-valve correction T2[i] (0 where the type defines none).
float SingleValveRamValue(int manifoldType, int speedIndex);
//! R_ram = T[i]·m, plus T2[i] with exactly one intake valve per cylinder on
//! manifold types 7 and 11..19; m is 1.2 for 15, 16, 18, 1.3 for 17, 1.15 for 19.
float RamAmplitude(int manifoldType, int intakeValves, int speedIndex);

}  // namespace brisca
