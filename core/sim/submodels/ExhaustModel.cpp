#include "core/sim/submodels/ExhaustModel.h"

#include <array>

namespace brisca {
namespace {

struct ExhaustRow {
  const char* name;
  float basePressure;
  float pulseAmplitude;
  float pulseFrequency;
  float pulseExponent;
  float ramCap;    //!< ram amplitude above which it is compressed; 0: no cap
  float ramSlope;  //!< share of the amplitude above the cap that remains
};

constexpr std::array<ExhaustRow, 10> kExhaustSystems{{
    {"Stock Manifolds, Mufflers W/Cat", 37.0f, 0.3f, 4000.0f, 1.07f, 5.0f, 0.25f},
    {"H.P. Manifolds, Mufflers W/Cat", 34.0f, 0.3f, 4000.0f, 1.05f, 6.0f, 0.35f},
    {"H.P. Manifolds, Mufflers WO/Cat", 32.0f, 0.3f, 4000.0f, 1.04f, 7.0f, 0.4f},
    {"Small-Tube Headers, Mufflers W/Cat", 29.5f, 0.4f, 4500.0f, 1.04f, 8.0f, 0.5f},
    {"Small-Tube Headers, Mufflers WO/Cat", 26.5f, 0.5f, 5000.0f, 1.04f, 12.0f, 0.5f},
    {"Small-Tube Headers, Open Exhaust", 23.5f, 0.5f, 5000.0f, 1.0f, 12.0f, 0.5f},
    {"Large-Tube Headers, Mufflers W/Cat", 28.7f, 0.4f, 5500.0f, 1.03f, 9.0f, 0.6f},
    {"Large-Tube Headers, Mufflers WO/Cat", 23.5f, 0.5f, 5500.0f, 1.02f, 12.0f, 0.7f},
    {"Large-Tube Headers, Open Exhaust", 19.2f, 0.6f, 5800.0f, 0.98f, 0.0f, 0.0f},
    {"Large Stepped-Tube Headers, Open Exhaust", 19.2f, 0.6f, 6200.0f, 0.95f, 0.0f, 0.0f},
}};

constexpr int kSteppedHeaders = 10;

}  // namespace

void ApplyExhaustSystem(int exhaustType, float rpm, ExhaustParameters& params, float& ram) {
  if (exhaustType < 1 || exhaustType > static_cast<int>(kExhaustSystems.size())) return;
  const ExhaustRow& row = kExhaustSystems[exhaustType - 1];
  params.basePressure = row.basePressure;
  // Stepped headers scavenge less well below their step's tuned speed.
  if (exhaustType == kSteppedHeaders && rpm < 5500.0f) {
    params.basePressure = static_cast<float>(19.2 + 3.0 * (5500.0 - rpm) / rpm);
  }
  params.pulseAmplitude = row.pulseAmplitude;
  params.pulseFrequency = row.pulseFrequency;
  params.pulseExponent = row.pulseExponent;
  if (row.ramCap > 0.0f && ram > row.ramCap) {
    ram = static_cast<float>(row.ramCap + (static_cast<double>(ram) - row.ramCap) * row.ramSlope);
  }
}

}  // namespace brisca
