#pragma once
// Copying a pass's results into a document's result set, filtered by engine speed.

#include "core/sim/ResultSet.h"
#include "core/sim/SimResults.h"

namespace brisca {

//! Share of flywheel power and torque that reaches the wheels.
inline constexpr float kWheelFactor = 0.85f;
//! Standard atmosphere [psia]; boost is manifold pressure above it.
inline constexpr float kAtmosphere = 14.7f;

//! Appends array[k] transformed by `scale` and `offset` for every entry whose
//! speed r satisfies minRpm ≤ r ≤ maxRpm; returns the count written.
int CopyResultArray(const SimResults& results, const ResultArray& source, ResultArray& destination,
                    float minRpm, float maxRpm, float scale = 1.0f, float offset = 0.0f);

//! Fills `set` from `results` for the speed window (both bounds inclusive):
//! every array with its transform (wheel values × 0.85, boost = manifold − 14.7)
//! and the three warning states. Returns the count, which becomes set.count.
int FillResultSet(const SimResults& results, ResultSet& set, float minRpm = kSweepMinRpm,
                  float maxRpm = kSweepMaxRpm);

}  // namespace brisca
