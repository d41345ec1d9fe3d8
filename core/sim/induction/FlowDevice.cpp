#include "core/sim/induction/FlowDevice.h"

namespace brisca {

void CFlowDevice::Reset() {
  inletTemperature = inletPressure = outletTemperature = outletPressure = pressureRatio = 0.0f;
}

void CFlowDevice::Compute() {
  outletTemperature = inletTemperature;
  outletPressure = inletPressure;
  pressureRatio = 1.0f;
}

void CAirfilter::Compute() { CFlowDevice::Compute(); }

}  // namespace brisca
