#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <string_view>

#include "core/base/FatalAssert.h"
#include "core/document/CatalogueSources.h"
#include "core/document/ComponentMenus.h"
#include "core/valvetrain/BuiltInHeads.h"

namespace brisca {
namespace {

using C = CatalogueCategory;

// How a plain-value category shows its rows: the value of cell 3 (and cell 4
// where the format takes two) in the parameter's domestic unit, and the text
// of the row whose value is 0 where the menu names it.
struct PlainValueText {
  CatalogueCategory category;
  const char* format;
  const char* zeroText;  //!< nullptr: 0 is formatted like any value
};
constexpr PlainValueText kPlainValueTexts[] = {
    {C::RodRatio, "%.3f", nullptr},
    {C::IntakeValveDiameter, "%.3f in", nullptr},
    {C::ExhaustValveDiameter, "%.3f in", nullptr},
    {C::IntakeValveLift, "%.3f in", nullptr},
    {C::ExhaustValveLift, "%.3f in", nullptr},
    {C::CompressionRatio, "%.1f:1", nullptr},
    {C::InductionAirflow, "%.0f cfm @ %.1f inHg", nullptr},
    {C::Nitrous, "%.0f HP", nullptr},
    {C::IntercoolerEfficiency, "%.0f%% Efficiency", "None"},
    {C::IntercoolerPressureDrop, "%.0f psi", "None"},
    {C::TurbineSize, "%.3f in", nullptr},
    {C::TurbineAR, "%.2f", nullptr},
    {C::NumberOfTurbos, "%.0f", nullptr},
    {C::BoostLimit, "%.0f psi", nullptr},
    {C::BeltGearRatio, "%.1f:1", nullptr},
    {C::InternalGearRatio, "%.1f:1", nullptr},
    {C::NumberOfCylinders, "%.0f", nullptr},
    {C::LifterRampRate, "%.1f", nullptr},
    {C::CamAdvance, "%+.0f Deg", "0 Deg"},
    {C::ActivationRpm, "%.0f rpm", nullptr},
};

// The default rod ratio's item says so.
constexpr const char* kDefaultRodRatioText = "1.636 (Default)";

// Cam types show their profile, not the name they store.
struct CommandText {
  int command;
  const char* text;
};
constexpr CommandText kCamTypeTexts[] = {
    {32879, "Stock Street/Economy Profile"},      {32880, "High Performance Street Profile"},
    {32881, "Dual Purpose Street/Track Profile"}, {32882, "Drag Racing/Circle Track Profile"},
    {32883, "Drag Racing High-Speed Profile"},    {32884, "Pro Stock/Max Power Profile"},
    {32885, "Custom Cam Type..."},                {33868, "V-V-T Street Profile"},
    {33870, "V-V-T Max Street Profile"},          {33872, "V-V-T Hottest Street/Race Profile"},
};
constexpr const char* kCustomHeadText = "Custom Port Flow...";

// Rows kept only so the runs stay consecutive: the turbine A/R ratios 0.3,
// 0.4, 0.6 and 0.8 and the high-speed rows of the V-V-T cam types. (The
// short blocks say themselves which of them the menu leaves out.)
constexpr int kUnshownCommands[] = {33810, 33813, 33820, 33828, 33869, 33871, 33873};

// A menu text shows a single "&" only when it is doubled.
std::string MenuEscaped(std::string_view text) {
  std::string escaped;
  for (char c : text) {
    escaped += c;
    if (c == '&') escaped += '&';
  }
  return escaped;
}

std::string Format(const char* format, double first, double second) {
  char text[64];
  std::snprintf(text, sizeof text, format, first, second);
  return text;
}

const PlainValueText* FindPlainValueText(CatalogueCategory category) {
  for (const PlainValueText& entry : kPlainValueTexts)
    if (entry.category == category) return &entry;
  return nullptr;
}

CatalogueCategory CategoryOf(int command) {
  for (const CatalogueCategoryInfo& info : ComponentCatalogue::Categories())
    if (command >= info.firstCommand && command <= info.lastCommand) return info.category;
  ::brisca::FatalAssert(__FILE__, __LINE__);  // not a catalogue command
}

// A part-type row: its name, with the value of cell 3 where several rows of
// the category share the name (the nitrous fuels).
std::string NamedRowText(const CatalogueRow& row, CatalogueCategory category) {
  const auto rows = ComponentCatalogue::Instance().CategoryRows(category);
  const auto sharing = std::count_if(rows.begin(), rows.end(), [&](const CatalogueRow& other) {
    return std::string_view(other.name) == row.name;
  });
  if (sharing < 2) return row.name;
  return std::string(row.name) + Format(" %.0f HP", row.Cell(kFirstValueCell), 0);
}

}  // namespace

bool IsMenuItem(int command) {
  const ComponentCatalogue& catalogue = ComponentCatalogue::Instance();
  if (!catalogue.Contains(command)) return false;
  if (std::find(std::begin(kUnshownCommands), std::end(kUnshownCommands), command) !=
      std::end(kUnshownCommands))
    return false;
  const CatalogueRow& row = catalogue.Row(command);
  if (CategoryOf(command) == C::ShortBlocks)
    return ShortBlockEntries()[static_cast<std::size_t>(row.item - 1)].shown;
  return true;
}

std::string CatalogueMenuText(const CatalogueRow& row) {
  const CatalogueCategory category = CategoryOf(row.command);
  switch (category) {
    case C::ShortBlocks: return ShortBlockMenuText(row);
    case C::ForcedInduction: return ForcedInductionMenuText(row);
    case C::CylinderHeads: {
      if (row.item == kCustomHeadKey) return kCustomHeadText;
      const BuiltInHead* head = FindBuiltInHead(row.item);
      BRISCA_ASSERT(head != nullptr);
      return MenuEscaped(head->description);  // a description is plain text
    }
    case C::CamTypes:
    case C::TwoLobeCamTypes:
      for (const CommandText& entry : kCamTypeTexts)
        if (entry.command == row.command) return entry.text;
      return row.name;
    default: break;
  }
  const PlainValueText* plain = FindPlainValueText(category);
  if (!plain) return NamedRowText(row, category);
  const float value = row.Cell(kFirstValueCell);
  if (category == C::RodRatio && value == kShortBlockDefaultRodRatio) return kDefaultRodRatioText;
  if (plain->zeroText && value == 0.0f) return plain->zeroText;
  return Format(plain->format, value, row.Cell(kFirstValueCell + 1));
}

}  // namespace brisca
