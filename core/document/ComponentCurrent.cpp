// Which item of a component menu the engine has now: the part it was given, or
// the value it holds. The menus tick that item only.
//
// A value item counts as current when choosing it would leave the parameter
// showing what it shows now, so the comparison is made the way the command
// stores the value (in the row's or in the current unit system) and ends in
// the parameter's own display text.

#include <optional>

#include "core/document/CommandIds.h"
#include "core/document/ComponentHandlers.h"
#include "core/document/VexoDoc.h"

namespace brisca::component {
namespace {

using C = CatalogueCategory;

struct ValueCommand {
  int command;
  bool intake;
  float value;
};
// The valve-count and pressure-drop menus are not catalogue rows.
constexpr ValueCommand kValveCounts[] = {{32914, true, 1}, {32915, true, 2}, {32916, false, 1}, {32917, false, 2}};
constexpr ValueCommand kPressureDrops[] = {{33440, true, 1.5f}, {33441, true, 3.0f}};

bool IsItem(const CPartTypeSpec& spec, int item) { return spec.IsValid() && spec.GetValue() == item; }

bool IsCount(const CIntegerSpec& spec, float value) {
  return spec.IsValid() && spec.GetValue() == static_cast<int>(value);
}

//! `spec` shows what it would show after the command stored `value`: in the
//! system the row states (`domestic`), or as a plain value of the current unit.
bool ShowsValue(const CFloatPtSpec* spec, float value, std::optional<bool> domestic) {
  if (!spec || !spec->IsValid()) return false;
  CFloatPtSpec chosen = *spec;
  if (domestic) chosen.SetUnitSystem(*domestic);
  if (!chosen.InRange(value)) return false;
  chosen.SetValue(value);
  chosen.SetUnitSystem(spec->IsDomestic());
  return chosen.GetText() == spec->GetText();
}

}  // namespace

bool IsCurrentComponent(const CVexoDoc& doc, int command) {
  const EngineParameters& e = doc.Engine();
  for (const ValueCommand& c : kValveCounts) {
    if (c.command == command) return IsCount(c.intake ? e.intakeValves : e.exhaustValves, c.value);
  }
  for (const ValueCommand& c : kPressureDrops) {
    if (c.command == command) return ShowsValue(&e.pressureDrop, c.value, true);
  }
  const CatalogueCategoryInfo* info = ComponentCatalogue::HandlingCategory(command);
  if (!info) return false;
  const CatalogueRow& row = ComponentCatalogue::Instance().Row(command);
  const float cell = row.Cell(3);
  const std::optional<bool> rowSystem = row.unitsFlag == 0;
  const std::optional<bool> currentUnit;
  const CCamshaft& cam = e.camshaft;
  switch (info->category) {
    case C::ShortBlocks: return IsItem(e.shortBlockType, row.item);
    case C::CylinderHeads: return IsItem(e.cylinderHeadType, row.item);
    case C::Manifolds: return IsItem(e.manifoldType, row.item);
    case C::ForcedInduction: return IsItem(e.forcedInductionType, row.item);
    case C::Fuels: return IsItem(e.fuelType, row.item);
    case C::ExhaustSystems: return IsItem(e.exhaustSystem, row.item);
    case C::CamTypes:
    case C::TwoLobeCamTypes: return IsItem(cam.lowSpeedLobe.CamType(), row.item);
    case C::CamTimingMethod: return IsItem(cam.lowSpeedLobe.Method(TimingSet::Primary), row.item);
    case C::LifterTypes: return IsItem(cam.lowSpeedLobe.LifterType(), row.item);
    case C::NumberOfCylinders: return IsCount(e.cylinders, cell);
    case C::NumberOfTurbos: return IsCount(e.turbos, cell);
    case C::RodRatio: return ShowsValue(&e.rodRatio, cell, currentUnit);
    case C::IntakeValveDiameter: return ShowsValue(&e.intakeValveDiameter, cell, rowSystem);
    case C::ExhaustValveDiameter: return ShowsValue(&e.exhaustValveDiameter, cell, rowSystem);
    case C::IntakeValveLift: return ShowsValue(EditedLift(doc, true), cell, rowSystem);
    case C::ExhaustValveLift: return ShowsValue(EditedLift(doc, false), cell, rowSystem);
    case C::CompressionRatio: return ShowsValue(&e.compressionRatio, cell, currentUnit);
    case C::InductionAirflow:
      return ShowsValue(&e.inductionFlow, cell, rowSystem) &&
             ShowsValue(&e.pressureDrop, row.Cell(4), rowSystem);
    case C::Nitrous: return ShowsValue(&e.nitrousFlowRate, cell, currentUnit);
    case C::IntercoolerEfficiency: return ShowsValue(&e.intercoolerEfficiency, cell, currentUnit);
    case C::IntercoolerPressureDrop: return ShowsValue(&e.intercoolerPressureDrop, cell, currentUnit);
    case C::TurbineSize: return ShowsValue(&e.turbineDiameter, cell, rowSystem);
    case C::TurbineAR: return ShowsValue(&e.turbineAR, cell, currentUnit);
    case C::BoostLimit: return ShowsValue(&e.boostLimit, cell, currentUnit);
    case C::BeltGearRatio: return ShowsValue(&e.beltGearRatio, cell, currentUnit);
    case C::InternalGearRatio: return ShowsValue(&e.internalGearRatio, cell, currentUnit);
    case C::LifterRampRate: return ShowsValue(EditedRampRate(doc), cell, currentUnit);
    case C::CamAdvance: return ShowsValue(EditedAdvance(doc), cell, currentUnit);
    case C::ActivationRpm: return ShowsValue(&cam.activationRpm, cell, currentUnit);
  }
  return false;
}

}  // namespace brisca::component
