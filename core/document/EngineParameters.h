#pragma once
// Everything that describes one engine: the parameters of the engine document
// in declaration order, the port-flow record, the camshaft, the result sets and
// the document's own settings. Copying an engine from one document to another
// is assigning this record.

#include <array>

#include "core/sim/ResultSet.h"
#include "core/spec/FileSpec.h"
#include "core/spec/FloatPtSpec.h"
#include "core/spec/IntegerSpec.h"
#include "core/spec/NotesSpec.h"
#include "core/spec/PartTypeSpec.h"
#include "core/valvetrain/Camshaft.h"
#include "core/valvetrain/CylHeadFlow.h"

namespace brisca {

//! Forced-induction kinds, as the catalogue rows and the simulation number them.
enum ForcedInductionKind : int {
  kNoForcedInduction = 0,
  kTurbocharger = 1,
  kCentrifugalBlower = 2,
  kRootsBlower = 3,
  kScrewBlower = 4,
};

//! Last command id of the short-block menu: a typed short block is stored as this item.
inline constexpr int kLastShortBlockItem = 34503;
//! "Cylinder Head Type" item of the custom port flow (never sized automatically).
inline constexpr int kCustomHeadItem = 25;
//! "Forced Induction Type" item "None".
inline constexpr int kNoForcedInductionItem = 1;
//! Rod ratio of a new engine.
inline constexpr float kDefaultRodRatio = 1.636f;

struct EngineParameters {
  EngineParameters();
  //! Every parameter, flag and result alike.
  friend bool operator==(const EngineParameters&, const EngineParameters&) = default;

  CPartTypeSpec shortBlockType;       //!< "Short Block Type"
  CFloatPtSpec bore;                  //!< [in]
  CFloatPtSpec stroke;                //!< [in]
  CIntegerSpec cylinders;             //!< "Number of Cylinders"
  CFloatPtSpec cylinderVolume;        //!< one cylinder [cc], derived
  CFloatPtSpec totalBlockVolume;      //!< [ci], derived
  CFloatPtSpec rodLength;             //!< [in]
  CFloatPtSpec rodRatio;              //!< rod length / stroke
  bool rodByRatio = true;             //!< the ratio is the input and the length derived
  CPartTypeSpec cylinderHeadType;     //!< "Cylinder Head Type" 1..25
  CFileSpec airflowFile;              //!< "Airflow File"
  CCylHeadFlow flow;                  //!< port-flow record
  CIntegerSpec intakeValves;          //!< "Number of Intake Valves per Cylinder"
  CIntegerSpec exhaustValves;         //!< "Number of Exhaust Valves per Cylinder"
  CFloatPtSpec intakeValveDiameter;   //!< [in]
  CFloatPtSpec exhaustValveDiameter;  //!< [in]
  CFloatPtSpec compressionRatio;
  CFloatPtSpec combustionSpace;       //!< [cc], derived unless the calculator produced it
  CFloatPtSpec inductionFlow;         //!< rated airflow [cfm]
  CFloatPtSpec pressureDrop;          //!< rating depression [inHg]
  CPartTypeSpec manifoldType;         //!< "Manifold Type" 1..19
  CPartTypeSpec fuelType;             //!< "Fuel Type" 1..21
  CFloatPtSpec nitrousFlowRate;       //!< [HP]
  CPartTypeSpec forcedInductionType;  //!< "Forced Induction Type" 1..93
  int forcedInductionKind = kNoForcedInduction;
  int compressorMap = 0;              //!< 1-based map number, 0: none
  CFloatPtSpec blowerFlowPerRevolution;  //!< [ft³/rev]
  float blowerEfficiency = 0.0f;      //!< adiabatic efficiency [%]
  float blowerMaxSpeed = 0.0f;        //!< maximum rated speed [rpm]
  CFloatPtSpec turbineDiameter;       //!< "Blower Turbine Diameter" [in]
  CFloatPtSpec turbineAR;             //!< "Blower Turbine A/R Ratio"
  CIntegerSpec turbos;                //!< "Number of Turbos"
  CFloatPtSpec internalGearRatio;     //!< "Blower Internal Gear Ratio"
  CFloatPtSpec beltGearRatio;         //!< "Blower Belt Gear Ratio"
  CFloatPtSpec boostLimit;            //!< "Blower Boost Level Limit" [psi]
  CFloatPtSpec intercoolerEfficiency;    //!< [%]
  CFloatPtSpec intercoolerPressureDrop;  //!< [psi]
  CPartTypeSpec exhaustSystem;        //!< "Exhaust System" 1..10
  CFileSpec camDataFile;              //!< "Cam Data File"
  CCamshaft camshaft;
  bool crDataValid = false;           //!< the compression-ratio calculator produced Combustion Space
  int crMethod = 2;                   //!< compression-ratio calculator method, 1 or 2
  CFloatPtSpec chamberVolume;         //!< "Cylinder Head Chamber Volume" [cc]
  CFloatPtSpec gasketBore;            //!< "Head Gasket Bore Diameter" [in]
  CFloatPtSpec gasketThickness;       //!< "Head Gasket Compressed Thickness" [in]
  CFloatPtSpec domeVolume;            //!< "Piston Dome Volume" [cc]
  CFloatPtSpec reliefsVolume;         //!< "Piston Valve Reliefs Volume" [cc]
  CFloatPtSpec deckClearance;         //!< "Piston To Deck Distance At TDC" [in]
  CFloatPtSpec downBoreDistance;      //!< "Piston Down Bore Distance from TDC" [in]
  CFloatPtSpec measuredVolume;        //!< "Piston to Deck Measured Volume" [cc]
  CFloatPtSpec gasketVolume;          //!< "Head Gasket Volume" [cc]
  CFloatPtSpec deckVolume;            //!< "Deck Volume" [cc]
  CNotesSpec notes;                   //!< "Notes"
  std::array<ResultSet, 3> results;   //!< displayed, low-speed lobe, high-speed lobe
  bool metricUnits = false;           //!< unit system shown: metric (true) or domestic
  bool autoValveSizes = false;        //!< "Auto Calculate Valve Sizes"
  bool autoRun = true;                //!< "Auto Run"

  //! The ten compression-ratio calculator parameters, in their fixed order.
  std::array<CFloatPtSpec*, 10> CalculatorSpecs();

  //! Converts every parameter that follows the unit system, in the switching
  //! order (the port-flow record and the camshaft switch themselves). The
  //! document's own flag (metricUnits) is left as it is.
  void ConvertUnits(bool metric);
};

}  // namespace brisca
