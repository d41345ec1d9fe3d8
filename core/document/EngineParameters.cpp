#include "core/document/EngineParameters.h"

#include <limits>

namespace brisca {
namespace {

constexpr float kIn = kInchToMillimeter;
constexpr float kBoreMin = 2.0f;
constexpr float kBoreMax = 7.0f;

}  // namespace

EngineParameters::EngineParameters()
    : shortBlockType("Short Block Type", 1, kLastShortBlockItem),
      bore("Bore", UnitInch, kBoreMin, kBoreMax, UnitMillimeter, kIn),
      stroke("Stroke", UnitInch, 1.5f, 7.0f, UnitMillimeter, kIn),
      cylinders("Number of Cylinders", 1, 12),
      cylinderVolume("Cylinder Volume", UnitCubicCentimeter, 1.0f, 4415.0f, UnitCubicCentimeter,
                     kSameUnit),
      totalBlockVolume("Total Block Volume", UnitCubicInch, 1.0f, 5000.0f, UnitCubicCentimeter,
                       kCubicInchToCubicCm),
      rodLength("Rod Length", UnitInch, 1.0f, 18.0f, UnitMillimeter, kIn),
      rodRatio("Rod Ratio", UnitRatio3, 1.0f, 3.0f, UnitRatio3, kSameUnit),
      cylinderHeadType("Cylinder Head Type", 1, 25),
      airflowFile("Airflow File"),
      intakeValves("Number of Intake Valves per Cylinder", 1, 3),
      exhaustValves("Number of Exhaust Valves per Cylinder", 1, 3),
      intakeValveDiameter("Intake Valve Diameter", UnitInch, 0.75f, 4.0f, UnitMillimeter, kIn),
      exhaustValveDiameter("Exhaust Valve Diameter", UnitInch, 0.5f, 3.25f, UnitMillimeter, kIn),
      compressionRatio("Compression Ratio", UnitRatio, 6.0f, 18.0f, UnitRatio, kSameUnit),
      combustionSpace("Combustion Space", UnitCubicCentimeter, 0.1f, 5000.0f, UnitCubicCentimeter,
                      kSameUnit),
      inductionFlow("Induction Flow", UnitCfm, 100.0f, 4000.0f, UnitCfm, kSameUnit),
      pressureDrop("Pressure Drop", UnitInHg, 1.5f, 3.0f, UnitInHg, kSameUnit),
      manifoldType("Manifold Type", 1, 19),
      fuelType("Fuel Type", 1, 21),
      nitrousFlowRate("Nitrous Flow Rate", UnitHorsepower, 0.0f, 500.0f, UnitHorsepower, kSameUnit),
      forcedInductionType("Forced Induction Type", 1, 93),
      blowerFlowPerRevolution("Blower Flow Per Revolution", UnitCfm, 0.00706f, 0.353147f,
                              UnitLitrePerMin, kCfmToLitrePerMin),
      turbineDiameter("Blower Turbine Diameter", UnitInch, 1.0f, 10.0f, UnitMillimeter, kIn),
      turbineAR("Blower Turbine A/R Ratio", UnitRatio, 0.3f, 2.0f, UnitRatio, kSameUnit),
      turbos("Number of Turbos", 1, 4),
      internalGearRatio("Blower Internal Gear Ratio", UnitNone, 0.1f, 10.0f, UnitNone, kSameUnit),
      beltGearRatio("Blower Belt Gear Ratio", UnitRatio, 0.1f, 10.0f, UnitRatio, kSameUnit),
      boostLimit("Blower Boost Level Limit", UnitPsi, 0.5f, 80.0f, UnitPsi, kSameUnit),
      intercoolerEfficiency("Intercooler Efficiency", UnitPercent, 0.0f, 150.0f, UnitPercent,
                            kSameUnit),
      intercoolerPressureDrop("Intercooler Pressure Drop", UnitPsi, 0.0f, 50.0f, UnitPsi,
                              kSameUnit),
      exhaustSystem("Exhaust System", 1, 10),
      camDataFile("Cam Data File"),
      chamberVolume("Cylinder Head Chamber Volume", UnitCubicCentimeter, 0.1f, 500.0f,
                    UnitCubicCentimeter, kSameUnit),
      // The gasket bore follows the bore's limits, one inch wider on each side.
      gasketBore("Head Gasket Bore Diameter", UnitInch, kBoreMin - 1.0f, kBoreMax + 1.0f,
                 UnitMillimeter, kIn),
      gasketThickness("Head Gasket Compressed Thickness", UnitInch, 0.0f, 0.15f, UnitMillimeter, kIn),
      domeVolume("Piston Dome Volume", UnitCubicCentimeter, 0.0f, 500.0f, UnitCubicCentimeter,
                 kSameUnit),
      reliefsVolume("Piston Valve Reliefs Volume", UnitCubicCentimeter, 0.0f, 500.0f,
                    UnitCubicCentimeter, kSameUnit),
      deckClearance("Piston To Deck Distance At TDC", UnitInch, -0.5f, 2.0f, UnitMillimeter, kIn),
      downBoreDistance("Piston Down Bore Distance from TDC", UnitInch, 0.1f, 2.0f, UnitMillimeter,
                       kIn),
      measuredVolume("Piston to Deck Measured Volume", UnitCubicCentimeter, 0.1f, 6000.0f,
                     UnitCubicCentimeter, kSameUnit),
      gasketVolume("Head Gasket Volume", UnitCubicCentimeter, -100000.0f,
                   std::numeric_limits<float>::max(), UnitCubicCentimeter, kSameUnit),
      deckVolume("Deck Volume", UnitCubicCentimeter, -100000.0f, std::numeric_limits<float>::max(),
                 UnitCubicCentimeter, kSameUnit),
      notes("Notes") {}

std::array<CFloatPtSpec*, 10> EngineParameters::CalculatorSpecs() {
  return {&chamberVolume, &gasketBore,     &gasketThickness, &domeVolume,   &reliefsVolume,
          &deckClearance, &downBoreDistance, &measuredVolume, &gasketVolume, &deckVolume};
}

void EngineParameters::ConvertUnits(bool metric) {
  const bool domestic = !metric;
  bore.SetUnitSystem(domestic);
  stroke.SetUnitSystem(domestic);
  cylinderVolume.SetUnitSystem(domestic);
  totalBlockVolume.SetUnitSystem(domestic);
  rodLength.SetUnitSystem(domestic);
  rodRatio.SetUnitSystem(domestic);
  flow.SetUnits(metric);
  intakeValveDiameter.SetUnitSystem(domestic);
  exhaustValveDiameter.SetUnitSystem(domestic);
  compressionRatio.SetUnitSystem(domestic);
  combustionSpace.SetUnitSystem(domestic);
  for (CFloatPtSpec* spec : CalculatorSpecs()) spec->SetUnitSystem(domestic);
  inductionFlow.SetUnitSystem(domestic);
  pressureDrop.SetUnitSystem(domestic);
  nitrousFlowRate.SetUnitSystem(domestic);
  turbineDiameter.SetUnitSystem(domestic);
  boostLimit.SetUnitSystem(domestic);
  camshaft.SetUnits(metric);
}

}  // namespace brisca
