#pragma once

#include "core/sim/induction/FlowDevice.h"

namespace brisca {

struct SimInputs;

//! Cools the compressed charge towards ambient and takes its pressure drop.
class CIntercooler final : public CFlowDevice {
 public:
  //! ε = "Intercooler Efficiency" × 0.01, ΔP = "Intercooler Pressure Drop".
  void Initialise(const SimInputs& inputs);
  // The device does its work in its own Compute; the pass-through stays visible.
  using CFlowDevice::Compute;
  //! With forced induction and ε ≠ 0: T_out = T_in − (T_in − 539.67)·ε, at least
  //! 491.67 °R; P_out = P_in − ΔP, at least 1 psia. Otherwise outlet = inlet.
  void Compute(const SimInputs& inputs);

  float efficiency = 0.0f;    //!< ε, fraction
  float pressureDrop = 0.0f;  //!< ΔP_ic [psi]
};

}  // namespace brisca
