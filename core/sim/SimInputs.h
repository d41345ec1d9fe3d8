#pragma once
// The block of inputs one simulation pass reads, filled from an engine document
// in domestic units (in, ci, deg, rpm, psi, cfm, HP). Everything is cleared to
// zero before each fill; the model reads only these fields.

#include <array>
#include <cstdint>

namespace brisca {

struct SimInputs {
  static constexpr int kFlowPoints = 10;

  std::int16_t manifoldType = 0;      //!< "Manifold Type", catalogue value 1..19
  std::int16_t exhaustType = 0;       //!< "Exhaust System", catalogue value 1..10
  std::int16_t timing050 = 0;         //!< 1 when the cam is specified at 0.050-inch lifter rise
  float lifterRampRate = 0.0f;        //!< "Lifter Ramp Rate" of the active cam profile
  float bore = 0.0f;                  //!< cylinder bore [in]
  float stroke = 0.0f;                //!< crank stroke [in]
  std::int16_t cylinders = 0;         //!< "Number of Cylinders"
  float rodRatio = 0.0f;              //!< rod length / stroke
  float intakeValveDiameter = 0.0f;   //!< [in]
  float exhaustValveDiameter = 0.0f;  //!< [in]
  float compressionRatio = 0.0f;
  std::int16_t inductionFlow = 0;     //!< induction rating [cfm], truncated
  std::int16_t inductionRating = 0;   //!< 2: rated at 3.0 inHg; 4: rated at 1.5 inHg
  float nominalEvo = 0.0f;            //!< exhaust opening before BDC [deg]
  float nominalEvc = 0.0f;            //!< exhaust closing after TDC [deg]
  float nominalIvo = 0.0f;            //!< intake opening before TDC [deg]
  float nominalIvc = 0.0f;            //!< intake closing after BDC [deg]
  float intakeValveLift = 0.0f;       //!< [in]
  float exhaustValveLift = 0.0f;      //!< [in]
  std::int16_t intakeAdvance = 0;     //!< intake lobe advance [deg], truncated
  std::int16_t exhaustAdvance = 0;    //!< exhaust lobe advance [deg], truncated
  std::int16_t fuelType = 0;          //!< "Fuel Type", catalogue value 1..21
  float nitrous = 0.0f;               //!< "Nitrous Flow Rate" [HP]
  std::int16_t intakeValves = 0;      //!< intake valves per cylinder, 1..3
  std::int16_t exhaustValves = 0;     //!< exhaust valves per cylinder, 1..3
  float intakeTestDiameter = 0.0f;        //!< flow-bench valve diameter [in]
  float intakeTestPressureDrop = 0.0f;    //!< flow-bench depression [inH2O]
  float exhaustTestDiameter = 0.0f;       //!< [in]
  float exhaustTestPressureDrop = 0.0f;   //!< [inH2O]
  std::array<float, kFlowPoints> intakeFlowPerValve{};   //!< [cfm]; 0 beyond the record's points
  std::array<float, kFlowPoints> intakeTestLift{};       //!< [in]
  std::array<float, kFlowPoints> exhaustFlowPerValve{};  //!< [cfm]
  std::array<float, kFlowPoints> exhaustTestLift{};      //!< [in]

  // Forced induction: filled only when forcedInductionKind is not 0.
  std::int16_t forcedInductionKind = 0;  //!< 0 none, 1 turbo, 2 centrifugal, 3 Roots, 4 screw
  std::int16_t compressorMap = 0;        //!< 1-based compressor map number, 0: none
  float turbineDiameter = 0.0f;          //!< "Blower Turbine Diameter" [in]
  float turbineAR = 0.0f;                //!< "Blower Turbine A/R Ratio"
  float turbos = 0.0f;                   //!< "Number of Turbos"
  float blowerEfficiency = 0.0f;         //!< blower adiabatic efficiency [%]
  float blowerMaxSpeed = 0.0f;           //!< blower maximum rated speed [rpm]
  float blowerDisplacement = 0.0f;       //!< "Blower Flow Per Revolution" [ft^3/rev]
  float internalGearRatio = 0.0f;        //!< "Blower Internal Gear Ratio"
  float beltGearRatio = 0.0f;            //!< "Blower Belt Gear Ratio"
  float boostLimit = 0.0f;               //!< "Blower Boost Level Limit" [psi]
  float intercoolerEfficiency = 0.0f;    //!< [%], 0 when unset
  float intercoolerPressureDrop = 0.0f;  //!< [psi], 0 when the efficiency is unset
};

}  // namespace brisca
