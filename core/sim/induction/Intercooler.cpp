#include "core/sim/induction/Intercooler.h"

#include <algorithm>

#include "core/sim/SimInputs.h"

namespace brisca {

void CIntercooler::Initialise(const SimInputs& inputs) {
  efficiency = inputs.intercoolerEfficiency * 0.01f;
  pressureDrop = inputs.intercoolerPressureDrop;
}

void CIntercooler::Compute(const SimInputs& inputs) {
  if (inputs.forcedInductionKind != 0 && efficiency != 0.0f) {
    outletTemperature =
        std::max(inletTemperature - (inletTemperature - 539.67f) * efficiency, 491.67f);
    outletPressure = std::max(inletPressure - pressureDrop, 1.0f);
  } else {
    outletTemperature = inletTemperature;
    outletPressure = inletPressure;
  }
}

}  // namespace brisca
