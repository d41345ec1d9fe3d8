#pragma once
// Everything of one engine cycle that depends on crank angle alone, computed
// for a whole speed point before the cycle is stepped: the angles themselves
// (accumulated in float from EVO by the point's step, as the cycle loop steps
// them), cylinder volume and its rate, valve lifts and areas, exhaust back
// pressure, the intake ram term, the burn rate and the wall-heat area factor.
// In single precision, in loops the compiler vectorises.

#include <utility>
#include <vector>

#include "core/sim/submodels/FlowCoefficients.h"
#include "core/sim/submodels/PistonKinematics.h"
#include "core/sim/submodels/ValveEvents.h"

namespace brisca {

//! The engine's parts the grid reads; all fixed for a pass.
struct CrankGridEngine {
  const PistonKinematics* kinematics = nullptr;
  const ValveEvents* events = nullptr;
  const LiftProfile* intakeLift = nullptr;
  const LiftProfile* exhaustLift = nullptr;
  const FlowCoefficients* intakeCd = nullptr;
  const FlowCoefficients* exhaustCd = nullptr;
  float exhaustDiameter = 0.0f;  //!< total exhaust valve diameter [in]
  float bore = 0.0f;             //!< B [in]
};

//! What the grid needs of one speed point.
struct CrankGridPoint {
  float step = 0.0f;             //!< Δθ [deg]
  float ramAmplitude = 0.0f;     //!< R_ram [psi]
  double ramFrequency = 0.0;     //!< c_ram
  double pulseSize = 0.0;        //!< A_p [psi]
  double pulsePhaseRate = 0.0;   //!< φ per degree after EVO
  double pulseAmplitude = 0.0;   //!< A_exh
  double exhaustBase = 0.0;      //!< [psia]
  double wallHeatFactor = 0.0;
};

class CrankGrid {
 public:
  void Build(const CrankGridEngine& engine, const CrankGridPoint& point);

  //! Crank steps of the cycle; angles, volumes and rates have one entry more
  //! (the angle after the last step).
  int Steps() const { return steps_; }

  std::vector<float> theta;            //!< θ [deg]
  std::vector<float> volume;           //!< V [in³]
  std::vector<float> volumeRate;       //!< dV/dθ [in³/deg]
  std::vector<float> intakeLift;       //!< [in], 0 while the intake is shut
  std::vector<float> intakeCd;         //!< Cd at that lift, before the pressure correction
  std::vector<float> exhaustArea;      //!< effective area [in²], 0 while shut
  std::vector<float> exhaustPressure;  //!< back pressure P_exh [psia]
  std::vector<float> ram;              //!< p_ram [psi], holding between its windows
  std::vector<float> burnRate;         //!< fraction of the charge released per degree
  std::vector<float> wallHeat;         //!< wall-heat factor × wall area: × (T_w − T) gives the heat

 private:
  void Resize(int n);
  //! [first, last) of the angles strictly between `open` and `close`.
  std::pair<int, int> OpenRange(float open, float close) const;
  void FillIntake(const CrankGridEngine& engine);
  void FillExhaust(const CrankGridEngine& engine, const CrankGridPoint& point);
  void FillRamAndBurn(const CrankGridPoint& point);
  int steps_ = 0;
};

}  // namespace brisca
