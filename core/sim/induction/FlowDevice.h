#pragma once
// Induction devices in flow order: air filter, compressor, intercooler. Each
// passes air from its inlet to its outlet; the base passes it through unchanged.

namespace brisca {

class CFlowDevice {
 public:
  virtual ~CFlowDevice() = default;

  //! All five values to 0.
  virtual void Reset();
  //! Pass-through: outlet = inlet, pressure ratio 1.
  virtual void Compute();

  void SetInlet(float temperature, float pressure) {
    inletTemperature = temperature;
    inletPressure = pressure;
  }

  float inletTemperature = 0.0f;   //!< [°R]
  float inletPressure = 0.0f;      //!< [psia]
  float outletTemperature = 0.0f;  //!< [°R]
  float outletPressure = 0.0f;     //!< [psia]
  float pressureRatio = 0.0f;      //!< outlet / inlet
};

//! The air filter takes no pressure: it passes ambient air straight through.
class CAirfilter final : public CFlowDevice {
 public:
  void Compute() override;
};

}  // namespace brisca
