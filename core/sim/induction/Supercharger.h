#pragma once
// The compressor in front of the engine: turbocharger, centrifugal, Roots or
// screw blower. At each speed point of the boosted pass it finds the outlet
// pressure and temperature that match the engine's air demand, the drive-loss
// MEP it takes from the crank and the back pressure a turbine adds to the
// exhaust. In the naturally aspirated pass it is bypassed.
//
// Within a pass the shaft speed, efficiency, previous outlet pressure, surge
// counter and warning states carry from one speed point to the next; only
// Initialise clears them. The map (≈50 kB) is copied into the object; the
// device reads no file and shows no message.

#include <array>

#include "core/sim/induction/CompressorMap.h"
#include "core/sim/induction/FlowDevice.h"

namespace brisca {

struct SimInputs;

class CSupercharger final : public CFlowDevice {
 public:
  static constexpr int kVeTableSize = 30;

  enum Kind : int { kNone = 0, kTurbocharger = 1, kCentrifugal = 2, kRoots = 3, kScrew = 4 };

  //! Start of every pass: inlet/outlet 14.7 psia and 539.67 °R, blower and
  //! turbine constants from `inputs`, warnings cleared; takes `compressorMap`
  //! when inputs.compressorMap names one. False when a map is named and none
  //! is given (its file could not be read); true without a map.
  bool Initialise(const SimInputs& inputs, const CompressorMap* compressorMap);

  //! The naturally aspirated volumetric efficiencies as fractions, entry k read
  //! at speed index k (the engine model shifts them by one speed point).
  void SetVolumetricEfficiencies(const std::array<float, kVeTableSize>& table) { veTable = table; }

  // The device does its work in its own Compute; the pass-through stays visible.
  using CFlowDevice::Compute;
  //! One speed point of the boosted pass; the inlet is already set. `rpm` is
  //! 500·(i + 1) for speed index i.
  void Compute(const SimInputs& inputs, float rpm, float displacement, float exhaustTemperature,
               float ambientTemperature, float exhaustBasePressure, float afr);

  //! Engine air demand [lb/min] at `rpm` for pressure ratio `pr`, efficiency
  //! `eta` and inlet temperature `t1`: the swept air at the speed's volumetric
  //! efficiency (at least 0.2), at the density of the compressor outlet charge.
  float AirDemand(float rpm, float displacement, float pr, float eta, float t1) const;

  //! Compressor outlet temperature [°R]: T1 + T1·(max(PR, 0.9)^0.283 − 1)/η.
  static float OutletTemperature(float pr, float t1, float eta);

  //! The turbocharger's wastegate, after its balance left the outlet (all
  //! turbos) above "Blower Boost Level Limit" + 15.7: moves the shaft speed
  //! until the map's outlet is within 0.1 psi of that limit, else sets the
  //! outlet to it. Returns the warning of the last map lookup (`warning` when
  //! the outlet was not above the limit).
  int Wastegate(const SimInputs& inputs, float rpm, float displacement, int warning);

  //! Raises the surge, choke and overspeed states for a compute's warning
  //! index (CompressorMap::Warning) at `rpm` and mean piston speed [ft/min].
  void UpdateWarnings(int warning, float rpm, float pistonSpeed);

  float airDemand = 0.0f;             //!< engine air demand m_e [lb/min]
  float driveLossMep = 0.0f;          //!< crank power taken, as MEP [psi]
  float backPressureAddition = 0.0f;  //!< added to the exhaust pressure [psi]
  std::array<float, kVeTableSize> veTable{};  //!< naturally aspirated VE, fractions
  float shaftSpeed = 0.0f;            //!< compressor wheel speed N [rpm]
  float efficiency = 0.5f;            //!< compressor efficiency η

  CompressorMap map;  //!< turbochargers and centrifugal blowers only

  float turbos = 0.0f;                  //!< number of turbochargers
  float turbineRadius = 0.0f;           //!< R_t [in]
  float turbineAR = 0.0f;               //!< A/R as specified
  float effectiveAR = 0.0f;             //!< A/R corrected for the exhaust base pressure
  float turbinePeakEfficiency = 0.0f;   //!< η_t0 = 0.6 + 0.02·(D_t − 1)
  float turbineReferenceSpeed = 0.0f;   //!< N_t0 = 80000 + 13333.333·(D_t − 1) [rpm]

  float internalGearRatio = 0.0f;
  float beltGearRatio = 0.0f;
  float ratedEfficiency = 0.0f;         //!< η_r, fraction
  float maxRatedSpeed = 0.0f;           //!< N_max [rpm]
  float blowerDisplacement = 0.0f;      //!< V_b [ft^3/rev]
  float blowerVolumetricEfficiency = 0.0f;  //!< η_v, fraction
  float blowerDelivery = 0.0f;          //!< Q_b [lb/min]

  float previousOutletPressure = 0.0f;  //!< final outlet of the last speed point [psia]
  float deviceOutletPressure = 0.0f;    //!< outlet as the device left it, before the boost limit [psia]
  int surgeCounter = 0;
  int wastegateRounds = 0;  //!< rounds the last wastegate search took

  int surge = 0;      //!< 0 none, 1, 2
  int choke = 0;      //!< 0 none, 1
  int overspeed = 0;  //!< 0 none, 1, 2
  float surgeRpm = 0.0f;         //!< engine speed when `surge` was last set
  float surgeShaftSpeed = 0.0f;  //!< N when `surge` was last set
  float chokeRpm = 0.0f;
  float chokeShaftSpeed = 0.0f;
  float overspeedRpm = 0.0f;
  float overspeedShaftSpeed = 0.0f;

 private:
  int Turbocharger(const SimInputs& inputs, float rpm, float displacement, float exhaustTemperature,
                   float ambientTemperature, float exhaustBasePressure, float afr);
  int Centrifugal(float rpm, float displacement);
  int Blower(float rpm, float displacement, bool screw);
  //! Reads the map at (N, m): sets the outlet pressure, and η when no warning.
  int MapLookup(float flow);
  //! A lookup with this warning reads the same at every higher shaft speed
  //! (above the highest line, or no map at all) and leaves η unchanged.
  bool ReadsAlikeAbove(int warning) const;
};

}  // namespace brisca
