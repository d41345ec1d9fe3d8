#pragma once
// The engine-cycle model. For each engine speed from 500 to 14500 rpm it steps
// one four-stroke cycle of a single cylinder through crank angle with a fixed
// time step, integrating pressure, temperature and mass from a filling-and-
// emptying energy balance with quasi-steady compressible valve flow, then
// derives indicated work, volumetric efficiency and friction and applies the
// model's empirical corrections. The end state of one speed point seeds the
// next; 500 rpm is a warm-up and is not reported.
//
// One model per pass: every piece of scratch state is a member (but for the
// crank grid, a buffer of the running thread's own), the inputs are read-only
// and the results are the caller's. Passes on separate inputs and
// results may run at once on different threads. The model reads no file and
// shows no message: its caller supplies the compressor map and reports.

#include <array>
#include <span>

#include "core/sim/CrankGrid.h"
#include "core/sim/SimInputs.h"
#include "core/sim/SimResults.h"
#include "core/sim/induction/FlowDevice.h"
#include "core/sim/induction/Intercooler.h"
#include "core/sim/induction/Supercharger.h"
#include "core/sim/submodels/CamCorrection.h"
#include "core/sim/submodels/ExhaustModel.h"
#include "core/sim/submodels/FlowCoefficients.h"
#include "core/sim/submodels/FrictionModel.h"
#include "core/sim/submodels/PistonKinematics.h"
#include "core/sim/submodels/TorqueCorrection.h"
#include "core/sim/submodels/ValveEvents.h"

namespace brisca {

class EngVexo {
 public:
  //! `maps` is the compressor map the inputs name (turbochargers and
  //! centrifugal blowers), read by the caller; engines without one need none.
  EngVexo(const SimInputs& inputs, SimResults& results, CompressorMapSupply maps = {});

  //! The naturally aspirated pass, then with forced induction the boosted pass
  //! fed with its volumetric efficiencies. 1 when the last pass run succeeded, else 0.
  int Run();

  //! Passes of the last Run that failed because the map they needed was not
  //! supplied (each pass starts the compressor, so both fail); the caller
  //! reports the supply's error code this often.
  int MapFailures() const { return mapFailures_; }

  //! One sweep over the 29 speed points; 1 on success, 0 on failure.
  int SimulatePass(bool boosted);

  //! Models whose crank loops one thread may step together.
  static constexpr int kMaxTogether = 2;

  //! Runs up to kMaxTogether models (on separate inputs and results) in one
  //! thread as Run would run each, with their crank loops interleaved so that
  //! the two latency-bound chains overlap; results[j] is models[j]'s Run result.
  //! Each model computes exactly what it computes alone, bit for bit: the
  //! steps are the same operations in the same order, only side by side.
  static void RunTogether(std::span<EngVexo* const> models, std::span<int> results);

 private:
  //! Values fixed for one speed point.
  struct SpeedPoint {
    int index = 0;                  //!< i, rpm = 500·(i + 1)
    float rpm = 0.0f;
    float step = 0.0f;              //!< Δθ [deg]
    float chargeTemperature = 0.0f; //!< T_man [°R]
    float manifoldPressure = 0.0f;  //!< P_man [psia]
    double manifoldEnthalpy = 0.0;  //!< h_man [BTU/lbm]
    double exhaustEnthalpy = 0.0;   //!< h_exref [BTU/lbm]
    double ramFrequency = 0.0;      //!< c_ram = 24000/rpm
    double pulseSize = 0.0;         //!< A_p = rpm^n_exh·0.0013332 [psi]
    double pulsePhaseRate = 0.0;    //!< φ per degree after EVO
    double exhaustBase = 0.0;       //!< P0_exh + the turbine's back pressure [psia]
    double wallHeatFactor = 0.0;    //!< 1.7e-5/(6·rpm)·17
  };

  //! What one cycle leaves for the end-of-cycle steps.
  struct CycleResult {
    float work = 0.0f;          //!< W [psi·in³]
    float inductedMass = 0.0f;  //!< m_in [lbm]
    float referenceMass = 0.0f; //!< m_ref [lbm]
    float endPressure = 0.0f;   //!< P_end [psia]
  };

  //! The rates one step of the energy balance gives.
  struct Rates {
    float dP = 0.0f;  //!< dP/dθ [psia/deg]
    float dT = 0.0f;  //!< dT/dθ [°R/deg]
    float dM = 0.0f;  //!< dm/dθ [lbm/deg]
  };
  //! Values of one speed point the crank-angle loop multiplies by, in single precision.
  struct StepConstants {
    float step = 0.0f;              //!< Δθ [deg]
    float chargeTemperature = 0.0f; //!< T_man [°R]
    float manifoldPressure = 0.0f;  //!< P_man [psia]
    float manifoldEnthalpy = 0.0f;  //!< h_man [BTU/lbm]
    float exhaustEnthalpy = 0.0f;   //!< h_exref [BTU/lbm]
    float flowPerDegree = 0.0f;     //!< K·√(γRg)·(1/6)/rpm: mass flow per degree for T_up = 1 °R
    float chargeFlow = 0.0f;        //!< the same over √T_man
    float exhaustFlow = 0.0f;       //!< the same over √T_exh
    float dynamicHead = 0.0f;       //!< ½γRg/(R_slug·A_port²): dynamic head per Ψ·P_port·A²
    float intakeDiameterPi = 0.0f;  //!< D_in·π [in]
    float burnEnergy = 0.0f;        //!< HV/(AFR + 1) [BTU/lbm]
  };
  //! The crank grid's arrays as the loop reads them.
  struct GridView {
    const float* volume;
    const float* volumeRate;
    const float* intakeLift;
    const float* intakeCd;
    const float* exhaustArea;
    const float* exhaustPressure;
    const float* ram;
    const float* burnRate;
    const float* wallHeat;
  };
  //! What one step leaves for the next, from speed point to speed point within a pass.
  struct Carried {
    float psiIn = 0.0f;         //!< last intake flow function Ψ_in
    float head = 0.0f;          //!< its dynamic head per A² [psi/in⁴]: Ψ_in·P_port·½γRg/(R·A_port²)
    float lastPsi = 0.0f;       //!< the most recently computed flow function
    float portPressure = 0.0f;  //!< P_port [psia]
  };
  //! The cylinder while one cycle is stepped: step k of the point's crank grid.
  struct CycleState {
    int k = 0;
    float pressure = 0.0f;       //!< P [psia]
    float temperature = 0.0f;    //!< T [°R]
    float mass = 0.0f;           //!< m [lbm]
    Rates previous;              //!< the last step's derivatives (0 at the first)
    float work = 0.0f;           //!< W [psi·in³]
    float inducted = 0.0f;       //!< m_in [lbm]
    float cylinderFlow = 0.0f;   //!< flowPerDegree/√T for flow out of the cylinder
  };
  //! What the valves do in one step.
  struct StepFlows {
    float intake = 0.0f;           //!< [lbm/deg], positive into the cylinder
    float exhaust = 0.0f;          //!< [lbm/deg], positive out of the cylinder
    float exhaustPressure = 0.0f;  //!< P_exh [psia]
  };

  //! One cycle's loop: its grid, constants and state.
  struct CycleRun {
    GridView g{};
    StepConstants c;
    Carried f;
    CycleState s;
    int steps = 0;
    bool ok = true;
  };

  //! One pass in a set of passes stepped side by side, speed point by speed point.
  struct Lane {
    EngVexo* model = nullptr;
    bool boosted = false;
    //! For a boosted pass: the model whose naturally aspirated pass, two
    //! speed points ahead in the same rounds, gives its VE table as it goes.
    const EngVexo* source = nullptr;
    int result = 0;
    //! The source's VE [%] row by row, taken before this pass overwrites it.
    std::array<float, kResultPoints> sourceVe{};
  };
  //! Boosted points lag their source by this many speed points: boosted point
  //! i reads the VE of point max(i − 1, 1).
  static constexpr int kBoostLag = 2;
  static constexpr int kMaxLanes = 2 * kMaxTogether;
  //! Runs the lanes' passes side by side; each lane's result as SimulatePass gives.
  static void SimulateLanes(std::span<Lane> lanes);
  //! Builds the point's grid and the cycle's start state.
  void BeginCycle(const SpeedPoint& point, float startPressure, CrankGrid& grid, CycleRun& run,
                  CycleResult& cycle) const;
  //! Takes what the finished (or failed) loop leaves.
  void EndCycle(const CycleRun& run, CycleResult& cycle);
  //! Steps the loops of `runs` to their ends, two at a time side by side.
  static void StepCycles(std::span<CycleRun> runs);
  static void StepTwo(CycleRun& a, CycleRun& b);
  static void StepOne(CycleRun& run);
  //! One crank step; false when the flow lost its meaning.
  static bool Step(const StepConstants& c, const GridView& g, Carried& f, CycleState& s);
  bool SetUpPass();
  bool PrepareSpeedPoint(int index, bool boosted, SpeedPoint& point);
  //! Port pressure and intake flow of one step; false when the flow loses
  //! its meaning (the pass fails).
  static bool IntakeStep(const StepConstants& c, const GridView& g, float intakeArea, Carried& f,
                         CycleState& s, StepFlows& flows);
  //! Exhaust back pressure and exhaust flow of one step; false as above.
  static bool ExhaustStep(const StepConstants& c, const GridView& g, float exhaustArea,
                          const CycleState& s, Carried& f, StepFlows& flows);
  //! The open system's energy balance: the rates of P, T and m.
  static Rates EnergyBalance(const StepConstants& c, const GridView& g, const Carried& f,
                             const CycleState& s, const StepFlows& flows);
  //! One Adams–Bashforth step of P, T and m, then θ and the indicated work.
  static void Integrate(const StepConstants& c, const GridView& g, const Rates& rates, CycleState& s);
  StepConstants StepConstantsOf(const SpeedPoint& point) const;
  bool FinishSpeedPoint(const SpeedPoint& point, const CycleResult& cycle);
  float StartPressure(int index) const;
  void RememberEndPressure(int index, float endPressure);

  const SimInputs& in_;
  SimResults& out_;
  CompressorMapSupply maps_;
  int mapFailures_ = 0;

  CAirfilter airFilter_;
  CSupercharger compressor_;
  CIntercooler intercooler_;

  // Set up once per pass.
  float bore_ = 0.0f;                  //!< B [in]
  float stroke_ = 0.0f;                //!< S [in]
  float sweptVolume_ = 0.0f;           //!< Vs, one cylinder [in³]
  float displacement_ = 0.0f;          //!< D, all cylinders [in³]
  float nitrous_ = 0.0f;               //!< N [HP]
  float heatingValue_ = 0.0f;          //!< HV [BTU/lbm]
  float mixtureRatio_ = 0.0f;          //!< AFR
  float inductionRestriction_ = 0.0f;  //!< k_ind
  float intakeDiameter_ = 0.0f;        //!< total intake valve diameter D_in [in]
  float exhaustDiameter_ = 0.0f;       //!< total exhaust valve diameter [in]
  PistonKinematics kinematics_;
  FrictionModel friction_;
  ValveEvents events_;
  LiftProfile intakeLift_;
  LiftProfile exhaustLift_;
  FlowCoefficients intakeCd_;
  FlowCoefficients exhaustCd_;

  // Carried from speed point to speed point within a pass.
  float veEstimate_ = 40.0f;         //!< VE_est: the previous point's VE [%]
  float ram_ = 0.0f;                 //!< R_ram [psi]
  ExhaustParameters exhaust_;
  CamCorrection camCorrection_;
  TorqueCorrection torqueCorrection_;
  float pressureHistory_[3] = {};    //!< end pressures of the last three points [psia]
  float nextStartPressure_ = 0.0f;   //!< [psia]
  Carried carried_;                  //!< the crank-angle loop's carried values
};

}  // namespace brisca
