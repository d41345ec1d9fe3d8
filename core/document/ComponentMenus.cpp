#include "core/document/ComponentMenus.h"

#include <cstdio>

#include "core/document/CatalogueSources.h"
#include "core/document/CommandIds.h"
#include "core/base/FatalAssert.h"
#include "core/document/PartCat.h"

namespace brisca {
namespace {

std::string Format(const char* format, double value) {
  char text[32];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

const ShortBlockEntry& EntryOf(const CatalogueRow& row) {
  const auto entries = ShortBlockEntries();
  BRISCA_ASSERT(row.item >= 1 && row.item <= static_cast<int>(entries.size()));
  return entries[static_cast<std::size_t>(row.item - 1)];
}

ComponentMenuEntry* FindPopup(std::vector<ComponentMenuEntry>& menu, const std::string& text);

ComponentMenuEntry& Popup(std::vector<ComponentMenuEntry>& menu, const std::string& text) {
  if (ComponentMenuEntry* found = FindPopup(menu, text)) return *found;
  menu.push_back({text, 0, {}});
  return menu.back();
}

// First level of the short-block menu, in menu order; the American makes
// follow under "Other".
constexpr const char* kMenuMakes[] = {
    "Acura",    "Alfa Romeo", "Aston Martin", "Aston Healey", "Audi",       "Bently",
    "BMW",      "Bugatti",    "Citroen",      "Daewoo",       "Daihatsu",   "Datsun",
    "Ferrari",  "Fiat",       "Ford Focus",   "Honda",        "Hyundai",    "Infiniti",
    "Isuzu",    "Jaguar",     "Kia",          "Lamborghini",  "Lexus",      "Lotus",
    "Mazda",    "Maserati",   "McLaren",      "Merkur",       "Mercedes-Benz", "MG",
    "Mitsubishi", "Morgan",   "Nissan",       "Peugeot",      "Porsche",    "Renault",
    "Rolls-Royce", "Saab",    "Subaru",       "Suzuki",       "Toyota",     "Volkswagen",
    "Volvo"};
constexpr const char* kOtherMenuMakes[] = {"AMC",  "Buick", "Cadillac", "Chevy",  "Chrysler",
                                           "Ford", "GMC",   "Olds",     "Pontiac"};

ComponentMenuEntry* FindPopup(std::vector<ComponentMenuEntry>& menu, const std::string& text) {
  for (ComponentMenuEntry& entry : menu)
    if (entry.command == 0 && entry.text == text) return &entry;
  return nullptr;
}

}  // namespace

std::string ShortBlockMenuText(const CatalogueRow& row) {
  const ShortBlockEntry& entry = EntryOf(row);
  std::string text = std::string(entry.size) + "\t(" + Format("%.3f", row.Cell(kSbBoreCell)) +
                     " bore/" + Format("%.3f", row.Cell(kSbStrokeCell)) + " stroke";
  text += entry.rodRatio > 0.0f ? ", " + Format("%.3f", row.Cell(kSbRodRatioCell)) + " rod ratio"
                                : ", deflt rod ratio";
  return text + ")";
}

std::string ForcedInductionMenuText(const CatalogueRow& row) {
  const int kind = static_cast<int>(row.Cell(kFiKindCell));
  if (kind == 3 || kind == 4)
    return std::string(row.name) + "\t" +
           Format("%.2f L", row.Cell(kFiDisplacementCell) * kLitresPerCubicFoot);
  return row.name;
}

ComponentMenuEntry ShortBlockMenu() {
  ComponentMenuEntry root{"ShortBlocks PopUp", 0, {}};
  std::vector<ComponentMenuEntry> other;
  for (const char* make : kMenuMakes) root.children.push_back({make, 0, {}});
  for (const char* make : kOtherMenuMakes) other.push_back({make, 0, {}});
  for (const CatalogueRow& row :
       ComponentCatalogue::Instance().CategoryRows(CatalogueCategory::ShortBlocks)) {
    const ShortBlockEntry& entry = EntryOf(row);
    if (!entry.shown) continue;
    auto& level = FindPopup(other, entry.make) ? other : root.children;
    ComponentMenuEntry* make = FindPopup(level, entry.make);
    BRISCA_ASSERT(make != nullptr);
    ComponentMenuEntry& group = Popup(make->children, std::to_string(entry.cylinders) + " Cylinder");
    group.children.push_back({ShortBlockMenuText(row), row.command, {}});
  }
  root.children.push_back({"Other", 0, std::move(other)});
  return root;
}

ComponentMenuEntry ForcedInductionMenu() {
  static constexpr const char* kGroups[] = {"Turbo Charger", "Centrifugal Blower", "Roots Blower",
                                            "Screw Blower"};
  ComponentMenuEntry root{"Forced Induction", 0, {}};
  for (const CatalogueRow& row :
       ComponentCatalogue::Instance().CategoryRows(CatalogueCategory::ForcedInduction)) {
    const int kind = static_cast<int>(row.Cell(kFiKindCell));
    if (kind == 0) {
      root.children.push_back({row.name, row.command, {}});
      continue;
    }
    Popup(root.children, kGroups[kind - 1]).children.push_back(
        {ForcedInductionMenuText(row), row.command, {}});
  }
  return root;
}

std::optional<ComponentMenuEntry> ComponentMenu(int menuId) {
  constexpr int kShortBlockMenu = 106;
  constexpr int kForcedInductionMenu = 150;
  constexpr int kIntakeValveCountMenu = 134;
  constexpr int kExhaustValveCountMenu = 133;
  constexpr int kPressureDropMenu = 156;
  switch (menuId) {
    case kShortBlockMenu: return ShortBlockMenu();
    case kForcedInductionMenu: return ForcedInductionMenu();
    case kIntakeValveCountMenu:
      return ComponentMenuEntry{"Num Valves PopUp", 0,
                                {{"1", command::kFirstValveCount, {}},
                                 {"2", command::kFirstValveCount + 1, {}}}};
    case kExhaustValveCountMenu:
      return ComponentMenuEntry{"Num Exh Valves PopUp", 0,
                                {{"1", command::kFirstValveCount + 2, {}},
                                 {"2", command::kFirstValveCount + 3, {}}}};
    case kPressureDropMenu:
      return ComponentMenuEntry{"Induction Pressure Drop", 0,
                                {{"1.5 inHg", command::kFirstPressureDrop, {}},
                                 {"3.0 inHg", command::kLastPressureDrop, {}}}};
    default: break;
  }
  std::optional<ComponentMenuEntry> menu;
  for (const CatalogueCategoryInfo& info : ComponentCatalogue::Categories()) {
    if (info.menuId != menuId) continue;
    if (!menu) menu = ComponentMenuEntry{info.menuTitle, 0, {}};
    for (const CatalogueRow& row : ComponentCatalogue::Instance().CategoryRows(info.category)) {
      if (info.Handles(row.command) && IsMenuItem(row.command))
        menu->children.push_back({CatalogueMenuText(row), row.command, {}});
    }
  }
  return menu;
}

}  // namespace brisca
