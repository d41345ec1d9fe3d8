// The category runs of the component catalogue, in table order, with the menu
// that shows each and the meaning of its value cells.

#include <algorithm>

#include "core/document/PartCat.h"

namespace brisca {
namespace {

using C = CatalogueCategory;
constexpr std::array<const char*, kValueCellCount> kNoCells{};

constexpr std::array<const char*, kValueCellCount> Cells(
    std::initializer_list<const char*> names) {
  std::array<const char*, kValueCellCount> cells{};
  int k = 0;
  for (const char* name : names) cells[k++] = name;
  return cells;
}

constexpr std::array<const char*, kValueCellCount> kCamCells =
    Cells({"IVO seat (deg)", "IVC seat (deg)", "EVO seat (deg)", "EVC seat (deg)",
           "Intake Lift (in)", "Exhaust Lift (in)", "Ramp Rate", "Lifter Command / RPM",
           "IVO 0.050 (deg)", "IVC 0.050 (deg)", "EVO 0.050 (deg)", "EVC 0.050 (deg)"});

// Cells 13 and 14 of the forced-induction rows are carried but unused.
constexpr std::array<const char*, kValueCellCount> kForcedInductionCells =
    Cells({"Kind", "Displacement (cu ft/rev)", "Compressor Map", "Turbine Diameter (in)",
           "Max Speed (rpm)", "Efficiency (%)", "Internal Gear Ratio", "Belt Gear Ratio",
           "Boost Limit (psi)", "Turbine A/R"});

const CatalogueCategoryInfo kCategories[] = {
    {C::ShortBlocks, "short-blocks", 106, "ShortBlocks PopUp", 33980, 34503, 33980,
     Cells({"Bore (in)", "Stroke (in)", "Cylinders", "Rod Ratio"})},
    {C::RodRatio, "rod-ratios", 226, "Rod Ratio Popup", 33625, 33642, 33625, Cells({"Rod Ratio"})},
    {C::CylinderHeads, "cylinder-heads", 119, "Cyl-Heads PopUp", 32795, 32819, 32795, kNoCells},
    {C::IntakeValveDiameter, "intake-valve-diameters", 152, "Int Valve-Diams PopUp", 33031, 33047,
     33031, Cells({"Diameter (in)"})},
    {C::ExhaustValveDiameter, "exhaust-valve-diameters", 153, "Exh Valve-Diams PopUp", 33048,
     33064, 33048, Cells({"Diameter (in)"})},
    {C::IntakeValveLift, "intake-valve-lifts", 154, "Int Valve Lift PopUp", 33071, 33081, 33071,
     Cells({"Lift (in)"})},
    {C::ExhaustValveLift, "exhaust-valve-lifts", 155, "Exh Valve Lift PopUp", 33082, 33092, 33082,
     Cells({"Lift (in)"})},
    {C::CompressionRatio, "compression-ratios", 126, "Compression Ratio PopUp", 33550, 33574,
     33550, Cells({"Compression Ratio"})},
    {C::InductionAirflow, "induction-airflow", 124, "Induction Airflow PopUp", 32844, 32860, 32844,
     Cells({"Airflow (cfm)", "Pressure Drop (inHg)"})},
    {C::Nitrous, "nitrous", 265, "Nitrous Flow", 34590, 34604, 34590, Cells({"Nitrous (HP)"})},
    {C::Manifolds, "manifolds", 123, "Manifolds PopUp", 33667, 33685, 33667, kNoCells},
    {C::ForcedInduction, "forced-induction", 150, "Forced Induction", 33689, 33781, 33689,
     kForcedInductionCells},
    {C::IntercoolerEfficiency, "intercooler-efficiency", 151, "Intercooler Efficiency", 33650,
     33665, 33650, Cells({"Efficiency (%)", "Pressure Drop (psi)"})},
    {C::IntercoolerPressureDrop, "intercooler-pressure-drop", 254, "Intercooler PD", 33782, 33787,
     33782, Cells({"Pressure Drop (psi)"})},
    {C::TurbineSize, "turbine-sizes", 255, "Turbine Size", 33788, 33804, 33788,
     Cells({"Turbine Diameter (in)"})},
    // A/R 0.3 keeps its row for the run but no menu item carries it.
    {C::TurbineAR, "turbine-ar", 256, "Turbine AR", 33810, 33850, 33811, Cells({"Turbine A/R"})},
    {C::NumberOfTurbos, "turbo-counts", 258, "Number Of Turbos", 33864, 33867, 33864,
     Cells({"Turbos"})},
    {C::BoostLimit, "boost-limits", 259, "Boost Limit", 34505, 34518, 34505,
     Cells({"Boost Limit (psi)"})},
    {C::BeltGearRatio, "belt-ratios", 260, "Belt Ratio", 34523, 34540, 34523,
     Cells({"Belt Gear Ratio"})},
    {C::InternalGearRatio, "internal-ratios", 261, "Internal Ratio", 34545, 34560, 34545,
     Cells({"Internal Gear Ratio"})},
    {C::NumberOfCylinders, "cylinder-counts", 262, "Number Of Cylinders", 34577, 34583, 34577,
     Cells({"Cylinders"})},
    {C::Fuels, "fuels", 122, "Fuels PopUp", 32826, 32842, 32826, Cells({"Nitrous (HP)"})},
    {C::ExhaustSystems, "exhaust-systems", 125, "Exhaust PopUp", 32862, 32871, 32862, kNoCells},
    {C::CamTypes, "cam-types", 127, "Cam Types PopUp", 32879, 32885, 32879, kCamCells},
    {C::TwoLobeCamTypes, "vvt-cam-types", 127, "Cam Types PopUp", 33868, 33873, 33868, kCamCells},
    {C::CamTimingMethod, "cam-timing", 129, "Cam Timing PopUp", 32900, 32901, 32900, kNoCells},
    {C::LifterTypes, "lifter-types", 128, "Lifter Types PopUp", 33540, 33544, 33540, kNoCells},
    {C::LifterRampRate, "ramp-rates", 198, "Lifter Ramp Rate PopUp", 33521, 33531, 33521,
     Cells({"Ramp Rate"})},
    {C::CamAdvance, "cam-advance", 214, "Cam Advance", 33580, 33600, 33580,
     Cells({"Advance (deg)"})},
    {C::ActivationRpm, "activation-rpm", 257, "Cam Activation RPM", 33851, 33862, 33851,
     Cells({"Activation Speed (rpm)"})},
};
static_assert(std::size(kCategories) == kCatalogueCategoryCount);

}  // namespace

std::span<const CatalogueCategoryInfo> ComponentCatalogue::Categories() { return kCategories; }

const CatalogueCategoryInfo& ComponentCatalogue::Category(CatalogueCategory category) {
  return kCategories[static_cast<int>(category)];
}

const CatalogueCategoryInfo* ComponentCatalogue::HandlingCategory(int command) {
  for (const CatalogueCategoryInfo& info : kCategories)
    if (info.Handles(command)) return &info;
  return nullptr;
}

const CatalogueCategoryInfo* ComponentCatalogue::FindCategory(std::string_view key) {
  for (const CatalogueCategoryInfo& info : kCategories)
    if (key == info.key) return &info;
  return nullptr;
}

}  // namespace brisca
