// Component commands of forced induction: the device, its turbine, gearing,
// boost limit and intercooler.

#include <cmath>

#include "core/document/ComponentHandlers.h"
#include "core/document/DocumentHost.h"
#include "core/base/ErrCode.h"
#include "core/base/FatalAssert.h"
#include "core/document/VexoDoc.h"
#include "core/sim/induction/CompressorMap.h"
#include "core/document/CompressorMapFile.h"

namespace brisca::component {
namespace {

// The turbine sizes a match may pick: the menu's sizes without the largest.
constexpr int kFirstMatchSize = 33788;
constexpr int kLastMatchSize = 33803;
constexpr int kNoIntercoolerCommand = 33650;

// Whether any point of a line in use reads an efficiency above 0 on the grid.
bool HasEfficiency(const CompressorMap& map) {
  for (int line = 0; line < map.LinesInUse(); ++line)
    for (int p = 0; p < CompressorMap::kPoints; ++p)
      if (map.GridEfficiency(map.lines[line].pressureRatio[p], map.lines[line].flow[p]) > 0)
        return true;
  return false;
}

float NearestTurbineSize(float diameter) {
  const ComponentCatalogue& catalogue = ComponentCatalogue::Instance();
  float best = catalogue.Row(kFirstMatchSize).Cell(3);
  for (int command = kFirstMatchSize + 1; command <= kLastMatchSize; ++command) {
    const float size = catalogue.Row(command).Cell(3);
    if (std::fabs(size - diameter) < std::fabs(best - diameter)) best = size;
  }
  return best;
}

// The turbine that suits the engine's volume at the speed line of the map's
// best efficiency; the row's defaults where the engine or the map cannot say.
void MatchTurbine(CVexoDoc& doc, const CatalogueRow& row) {
  EngineParameters& e = doc.Engine();
  float diameter = row.Cell(kFiTurbineDiameterCell);
  if (e.totalBlockVolume.IsValid()) {
    CFloatPtSpec volume(e.totalBlockVolume);
    volume.ToDomestic();
    const std::filesystem::path folder = doc.Host() ? doc.Host()->MapFolder() : DefaultMapFolder();
    const CompressorMapSupply supply = LoadCompressorMap(CompressorMapPath(folder, e.compressorMap));
    if (!supply.map) {
      ReportErrorCode(supply.errorCode);
    } else if (HasEfficiency(*supply.map)) {
      diameter = NearestTurbineSize(
          AutoTurbineDiameter(volume.GetValue(), supply.map->BestEfficiencyLineSpeed()));
    }
  }
  e.turbineDiameter.SetValueInSystem(diameter, row.unitsFlag == 0);
  e.turbineAR.SetValueInSystem(row.Cell(kFiTurbineARCell), row.unitsFlag == 0);
}

}  // namespace

bool OnForcedInduction(CVexoDoc& doc, const CatalogueRow& row) {
  EngineParameters& e = doc.Engine();
  if (!doc.ConfirmSpecChange(e.forcedInductionType)) return false;
  const bool domestic = row.unitsFlag == 0;
  e.forcedInductionType.SetSelection(row.item, row.name);
  e.forcedInductionKind = static_cast<int>(row.Cell(kFiKindCell));
  e.beltGearRatio.ResetValue();
  if (row.item == kNoForcedInductionItem) return true;

  BRISCA_ASSERT(e.forcedInductionKind != kNoForcedInduction);
  if (e.forcedInductionKind == kRootsBlower || e.forcedInductionKind == kScrewBlower)
    e.blowerFlowPerRevolution.SetValueInSystem(row.Cell(kFiDisplacementCell), domestic);
  e.compressorMap = static_cast<int>(row.Cell(kFiMapCell));
  if (e.forcedInductionKind == kTurbocharger) {
    if (!e.turbineDiameter.IsValid()) {
      MatchTurbine(doc, row);
    } else if (!e.turbineAR.IsValid()) {
      // A kept diameter without an A/R would fail validation: take the row's.
      e.turbineAR.SetValueInSystem(row.Cell(kFiTurbineARCell), domestic);
    }
  }
  e.blowerMaxSpeed = row.Cell(kFiMaxSpeedCell);
  e.blowerEfficiency = row.Cell(kFiEfficiencyCell);
  e.internalGearRatio.SetValueInSystem(row.Cell(kFiInternalRatioCell), domestic);
  e.beltGearRatio.SetValueInSystem(row.Cell(kFiBeltRatioCell), domestic);
  if (e.forcedInductionKind == kTurbocharger && !e.turbos.IsValid()) e.turbos.SetValue(1);
  if (!e.boostLimit.IsValid()) e.boostLimit.SetValueInSystem(row.Cell(kFiBoostLimitCell), domestic);
  if (!e.intercoolerEfficiency.IsValid()) {
    e.intercoolerEfficiency.SetValue(0.0f);
    e.intercoolerPressureDrop.SetValue(0.0f);
  }
  return true;
}

bool OnIntercoolerEfficiency(CVexoDoc& doc, const CatalogueRow& row) {
  EngineParameters& e = doc.Engine();
  if (!doc.ConfirmSpecChange(e.intercoolerEfficiency)) return false;
  if (row.command == kNoIntercoolerCommand) {
    e.intercoolerPressureDrop.SetValue(0.0f);
  } else if (!e.intercoolerPressureDrop.IsValid() || e.intercoolerPressureDrop.GetValue() == 0.0f) {
    e.intercoolerPressureDrop.SetValue(row.Cell(4));
  }
  e.intercoolerEfficiency.SetValue(row.Cell(3));
  return true;
}

bool OnPlainValue(CVexoDoc& doc, CFloatPtSpec& target, const CatalogueRow& row) {
  if (!doc.ConfirmSpecChange(target)) return false;
  target.SetValue(row.Cell(3));
  return true;
}

bool OnTurbineSize(CVexoDoc& doc, const CatalogueRow& row) {
  EngineParameters& e = doc.Engine();
  if (!doc.ConfirmSpecChange(e.turbineDiameter)) return false;
  e.turbineDiameter.SetValueInSystem(row.Cell(3), row.unitsFlag == 0);
  return true;
}

bool OnNumberOfTurbos(CVexoDoc& doc, const CatalogueRow& row) {
  EngineParameters& e = doc.Engine();
  if (!doc.ConfirmSpecChange(e.turbos)) return false;
  e.turbos.SetValue(static_cast<int>(row.Cell(3)));
  return true;
}

}  // namespace brisca::component
