#include "core/document/PartCat.h"

#include <cmath>
#include <string>

#include "core/document/CatalogueSources.h"
#include "core/base/FatalAssert.h"
#include "core/sim/induction/CompressorMapNames.h"
#include "core/valvetrain/BuiltInHeads.h"
#include "core/valvetrain/CamTypes.h"

namespace brisca {
namespace {

// Plain-value menus: the value each item stores, in command order.
constexpr float kIntakeValveDiameters[] = {0.8f,  0.9f,  1.0f,  1.1f,  1.2f,  1.3f,
                                           1.4f,  1.5f,  1.6f,  1.8f,  1.94f, 2.02f,
                                           2.08f, 2.19f, 2.3f,  2.4f,  2.5f};
constexpr float kExhaustValveDiameters[] = {0.6f, 0.7f, 0.8f, 0.9f,  1.0f,  1.1f, 1.2f, 1.25f, 1.3f,
                                            1.4f, 1.5f, 1.6f, 1.65f, 1.73f, 1.9f, 1.95f, 2.0f};
// Carburettor and throttle-body ratings: two-barrel ratings are at 3.0 inHg.
struct AirflowRating {
  float cfm;
  float pressureDrop;  // [inHg]
};
constexpr AirflowRating kAirflowRatings[] = {
    {300, 3.0f}, {350, 3.0f}, {500, 3.0f},  {600, 3.0f},  {300, 1.5f},  {400, 1.5f},
    {500, 1.5f}, {600, 1.5f}, {660, 1.5f},  {700, 1.5f},  {750, 1.5f},  {780, 1.5f},
    {800, 1.5f}, {850, 1.5f}, {900, 1.5f},  {1000, 1.5f}, {1100, 1.5f}};
constexpr float kNitrousFlows[] = {25,  50,  75,  100, 125, 150, 175, 200,
                                   225, 250, 300, 350, 400, 450, 500};
constexpr float kIntercoolerPressureDrops[] = {0, 1, 2, 3, 4, 5};
constexpr float kTurbineSizes[] = {2.319f, 2.559f, 2.559f, 2.922f, 2.922f, 2.922f,
                                   3.111f, 1.398f, 1.622f, 1.85f,  1.98f,  2.52f,
                                   2.677f, 2.854f, 3.031f, 3.228f, 5.118f};
constexpr float kTurbineARs[] = {0.3f,  0.35f, 0.36f, 0.4f,  0.43f, 0.46f, 0.48f, 0.5f,  0.56f,
                                 0.58f, 0.6f,  0.63f, 0.64f, 0.67f, 0.68f, 0.69f, 0.7f,  0.78f,
                                 0.8f,  0.81f, 0.82f, 0.84f, 0.94f, 0.96f, 1.0f,  1.01f, 1.05f,
                                 1.06f, 1.12f, 1.15f, 1.18f, 1.19f, 1.25f, 1.28f, 1.3f,  1.32f,
                                 1.35f, 1.47f, 1.52f, 1.7f,  1.71f};
constexpr float kCylinderCounts[] = {1, 2, 4, 6, 8, 10, 12};

constexpr const char* kManifoldNames[] = {
    "Non-Tuned, Larger Runner, Ported, Mods",
    "Non-Tuned, Small Runner, Ported",
    "Non-Tuned, Small Runner, Restrictive",
    "Long Tubing Runners, Common Plenum, Max-Flow",
    "Long Tubing Runners, Common Plenum, HP Design",
    "Long Tubing Runners, Common Plenum, Basic OEM",
    "Tuned Runner, Short Max-Flow, Large Plenum",
    "Tuned Runner, Medium-Length, Larger Plenum",
    "Tuned Runner, Long-Length, Small Plenum",
    "Tuned Runner, Long Max-Torque, Small Plenum",
    "Honda Type, Short Runner, Large Volume",
    "Honda Type, Standard Runner, Large Volume",
    "Honda Type, Short Runner, Factory Volume",
    "Honda Type, Standard Runner, Factory Volume",
    "Large-Dia, Short Stacks, No Plenum",
    "Large-Dia, Long Stacks, No Plenum",
    "Small-Dia, Short Stacks, No Plenum",
    "Small-Dia, Long Stacks, No Plenum",
    "Individual Runner (Carbs)",
};

struct FuelRow {
  int item;
  const char* name;
  float nitrous;  // [HP]
};
constexpr FuelRow kFuels[] = {
    {1, "Gasoline", 0},          {3, "Gas/Nitrous", 25},       {4, "Gas/Nitrous", 50},
    {5, "Gas/Nitrous", 100},     {6, "Gas/Nitrous", 200},      {7, "Gas/Nitrous", 300},
    {8, "Gas/Nitrous", 400},     {10, "Methanol", 0},          {12, "Methanol/Nitrous", 25},
    {13, "Methanol/Nitrous", 50}, {14, "Methanol/Nitrous", 100}, {15, "Methanol/Nitrous", 200},
    {16, "Methanol/Nitrous", 300}, {17, "Methanol/Nitrous", 400}, {19, "Ethanol", 0},
    {20, "Propane", 0},          {21, "LNG", 0},
};

constexpr const char* kExhaustNames[] = {
    "Stock Manifolds, Mufflers W/Cat",     "H.P. Manifolds, Mufflers W/Cat",
    "H.P. Manifolds W/Mufflers WO/Cat",    "Small-Tube Headers, Mufflers W/Cat",
    "Small-Tube Headers, Mufflers WO/Cat", "Small-Tube Headers, Open Exhaust",
    "Large-Tube Headers, Mufflers W/Cat",  "Large-Tube Headers, Mufflers WO/Cat",
    "Large-Tube Headers, Open Exhaust",    "Large Stepped-Tube Headers, Open Exhaust",
};

constexpr float kDefaultTurbineDiameter = 2.319f;  // [in]
constexpr float kDefaultTurboAR = 0.7f;
constexpr float kDefaultBlowerAR = 0.5f;
constexpr float kDefaultBoostLimit = 10.0f;        // [psi]

// Steps such as 0.05 are not exact in binary: keep three decimals.
float Round3(float v) { return std::round(v * 1000.0f) / 1000.0f; }

// Appends rows while checking that each category starts where its table entry says.
class TableBuilder {
 public:
  TableBuilder(std::vector<CatalogueRow>& rows, std::vector<std::string>& names)
      : rows_(rows), names_(names) {}

  void Begin(CatalogueCategory category) {
    const CatalogueCategoryInfo& info = ComponentCatalogue::Category(category);
    BRISCA_ASSERT(rows_.size() == begun_);
    next_ = info.firstCommand;
    last_ = info.lastCommand;
  }
  void End() {
    BRISCA_ASSERT(next_ == last_ + 1);
    begun_ = rows_.size();
  }
  CatalogueRow& Add(int item, const char* name, std::initializer_list<float> values) {
    CatalogueRow row;
    row.command = next_++;
    row.item = item;
    row.name = name;
    int k = 0;
    for (float v : values) row.values[k++] = v;
    rows_.push_back(row);
    ++begun_;
    return rows_.back();
  }
  // A name built here; its storage is reserved up front so pointers stay put.
  const char* Keep(std::string name) {
    BRISCA_ASSERT(names_.size() < names_.capacity());
    names_.push_back(std::move(name));
    return names_.back().c_str();
  }
  void Values(CatalogueCategory category, std::span<const float> values) {
    Begin(category);
    for (float v : values) Add(0, "", {v});
    End();
  }
  void Steps(CatalogueCategory category, float first, float last, float step) {
    Begin(category);
    const int count = static_cast<int>((last - first) / step + 0.5f) + 1;
    for (int k = 0; k < count; ++k) Add(0, "", {Round3(first + step * static_cast<float>(k))});
    End();
  }

 private:
  std::vector<CatalogueRow>& rows_;
  std::vector<std::string>& names_;
  std::size_t begun_ = 0;
  int next_ = 0;
  int last_ = 0;
};

std::array<float, kValueCellCount> CamCells(const CamTypeRow& cam) {
  return {cam.seatToSeat[kIVO], cam.seatToSeat[kIVC], cam.seatToSeat[kEVO],
          cam.seatToSeat[kEVC], cam.intakeLift,       cam.exhaustLift,
          cam.rampRate,         static_cast<float>(cam.lifterOrRpm), cam.fiftyThou[kIVO],
          cam.fiftyThou[kIVC],  cam.fiftyThou[kEVO],  cam.fiftyThou[kEVC]};
}

}  // namespace

float CatalogueRow::Cell(int k) const {
  BRISCA_ASSERT(k >= kFirstValueCell && k <= kLastValueCell);
  return values[static_cast<std::size_t>(k - kFirstValueCell)];
}

const ComponentCatalogue& ComponentCatalogue::Instance() {
  static const ComponentCatalogue catalogue;
  return catalogue;
}

ComponentCatalogue::ComponentCatalogue() {
  using C = CatalogueCategory;
  rows_.reserve(kCatalogueRowCount);
  names_.reserve(ShortBlockEntries().size() + kTurboMapCount);
  TableBuilder t(rows_, names_);

  t.Begin(C::ShortBlocks);
  int item = 1;
  for (const ShortBlockEntry& e : ShortBlockEntries()) {
    t.Add(item++, t.Keep(std::string(e.make) + " " + e.size),
          {e.bore, e.stroke, static_cast<float>(e.cylinders), e.EffectiveRodRatio()});
  }
  t.End();

  t.Begin(C::RodRatio);
  t.Add(0, "", {kShortBlockDefaultRodRatio});
  for (int k = 0; k <= 16; ++k) t.Add(0, "", {Round3(1.4f + 0.05f * static_cast<float>(k))});
  t.End();

  t.Begin(C::CylinderHeads);
  for (int key = 1; key <= kCustomHeadKey; ++key) t.Add(key, "", {});
  t.End();

  t.Values(C::IntakeValveDiameter, kIntakeValveDiameters);
  t.Values(C::ExhaustValveDiameter, kExhaustValveDiameters);
  t.Steps(C::IntakeValveLift, 0.3f, 0.8f, 0.05f);
  t.Steps(C::ExhaustValveLift, 0.3f, 0.8f, 0.05f);
  t.Steps(C::CompressionRatio, 6.0f, 18.0f, 0.5f);

  t.Begin(C::InductionAirflow);
  for (const AirflowRating& r : kAirflowRatings) t.Add(0, "", {r.cfm, r.pressureDrop});
  t.End();

  t.Values(C::Nitrous, kNitrousFlows);

  t.Begin(C::Manifolds);
  item = 1;
  for (const char* name : kManifoldNames) t.Add(item++, name, {});
  t.End();

  // Forced induction: none, turbochargers by map, then the blowers.
  t.Begin(C::ForcedInduction);
  t.Add(1, "None", {0, 0, 0, 1, 0, 0, 1, 1, kDefaultBoostLimit, kDefaultBlowerAR});
  item = 2;
  for (int map = 1; map <= kTurboMapCount; ++map) {
    std::string_view file = kCompressorMapNames[static_cast<std::size_t>(map - 1)];
    file.remove_suffix(4);  // ".map"
    t.Add(item++, t.Keep("Turbo-" + std::string(file)),
          {1, 0, static_cast<float>(map), kDefaultTurbineDiameter, 0, 0, 1, 1, kDefaultBoostLimit,
           kDefaultTurboAR});
  }
  for (const BlowerEntry& b : BlowerEntries()) {
    t.Add(item++, b.name,
          {static_cast<float>(b.kind), b.cubicFeet, static_cast<float>(b.compressorMap), 1,
           b.maxSpeed, b.efficiency, b.internalRatio, 1, kDefaultBoostLimit, kDefaultBlowerAR});
  }
  t.End();

  t.Begin(C::IntercoolerEfficiency);
  t.Add(0, "", {0, 3});
  for (int percent = 10; percent <= 150; percent += 10) {
    const float drop = percent <= 60 ? 3.0f : percent <= 80 ? 2.0f : 1.0f;
    t.Add(0, "", {static_cast<float>(percent), drop});
  }
  t.End();

  t.Values(C::IntercoolerPressureDrop, kIntercoolerPressureDrops);
  t.Values(C::TurbineSize, kTurbineSizes);
  t.Values(C::TurbineAR, kTurbineARs);
  t.Steps(C::NumberOfTurbos, 1, 4, 1);
  t.Steps(C::BoostLimit, 4, 30, 2);
  t.Steps(C::BeltGearRatio, 0.6f, 4.0f, 0.2f);
  t.Steps(C::InternalGearRatio, 1.0f, 4.0f, 0.2f);
  t.Values(C::NumberOfCylinders, kCylinderCounts);

  t.Begin(C::Fuels);
  for (const FuelRow& f : kFuels) t.Add(f.item, f.name, {f.nitrous});
  t.End();

  t.Begin(C::ExhaustSystems);
  item = 1;
  for (const char* name : kExhaustNames) t.Add(item++, name, {});
  t.End();

  // Cam types: the rows mirror the cam-type table, which owns the figures.
  t.Begin(C::CamTypes);
  for (const CamTypeRow& cam : brisca::CamTypes()) {
    if (cam.command > kCustomCamTypeCommand) continue;
    t.Add(cam.code, cam.name, {}).values = CamCells(cam);
  }
  t.End();
  t.Begin(C::TwoLobeCamTypes);
  for (const CamTypeRow& cam : brisca::CamTypes()) {
    if (cam.command <= kCustomCamTypeCommand) continue;
    t.Add(cam.code, cam.name, {}).values = CamCells(cam);
  }
  t.End();

  t.Begin(C::CamTimingMethod);
  for (int method : {kSeatToSeat, kFiftyThou}) t.Add(method, CamTimingMethodName(method), {});
  t.End();

  t.Begin(C::LifterTypes);
  for (const LifterTypeRow& lifter : brisca::LifterTypes()) t.Add(lifter.code, lifter.name, {});
  t.End();

  t.Steps(C::LifterRampRate, 1.0f, 6.0f, 0.5f);
  t.Steps(C::CamAdvance, -10, 10, 1);
  t.Steps(C::ActivationRpm, 2500, 8000, 500);

  BRISCA_ASSERT(rows_.size() == static_cast<std::size_t>(kCatalogueRowCount));
}

int ComponentCatalogue::FindCatalogueRow(int command) const {
  for (std::size_t k = 0; k < rows_.size(); ++k)
    if (rows_[k].command == command) return static_cast<int>(k);
  FatalAssert(__FILE__, __LINE__);
}

const char* ComponentCatalogue::GetCatalogueName(int command) const {
  return rows_[static_cast<std::size_t>(FindCatalogueRow(command))].name;
}

bool ComponentCatalogue::Contains(int command) const {
  for (const CatalogueRow& row : rows_)
    if (row.command == command) return true;
  return false;
}

bool ComponentCatalogue::IsConsecutiveRun(int firstCommand, int lastCommand) const {
  if (!Contains(firstCommand) || !Contains(lastCommand)) return false;
  const int first = FindCatalogueRow(firstCommand);
  const int last = FindCatalogueRow(lastCommand);
  if (last - first != lastCommand - firstCommand) return false;
  for (int k = first; k < last; ++k)
    if (rows_[static_cast<std::size_t>(k + 1)].command != rows_[static_cast<std::size_t>(k)].command + 1)
      return false;
  return true;
}

std::span<const CatalogueRow> ComponentCatalogue::CategoryRows(CatalogueCategory category) const {
  const CatalogueCategoryInfo& info = Category(category);
  const int first = FindCatalogueRow(info.firstCommand);
  return std::span<const CatalogueRow>(rows_).subspan(static_cast<std::size_t>(first),
                                                      static_cast<std::size_t>(info.RowCount()));
}

void CheckCatalogueRanges() {
  const ComponentCatalogue& catalogue = ComponentCatalogue::Instance();
  for (const CatalogueCategoryInfo& info : ComponentCatalogue::Categories()) {
    if (!catalogue.IsConsecutiveRun(info.firstHandled, info.lastCommand))
      FatalAssert(__FILE__, __LINE__);
  }
}

int FindCatalogueRow(int command) { return ComponentCatalogue::Instance().FindCatalogueRow(command); }

const char* GetCatalogueName(int command) {
  return ComponentCatalogue::Instance().GetCatalogueName(command);
}

}  // namespace brisca
