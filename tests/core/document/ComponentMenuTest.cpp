#include "core/document/ComponentMenus.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>

#include "core/document/PartCat.h"
#include "core/valvetrain/BuiltInHeads.h"

namespace brisca {
namespace {

const ComponentCatalogue& Catalogue() { return ComponentCatalogue::Instance(); }

std::string TextOf(int command) { return CatalogueMenuText(Catalogue().Row(command)); }

// Every item of a menu tree, popups entered.
void CollectItems(const ComponentMenuEntry& entry, std::vector<const ComponentMenuEntry*>& items) {
  for (const ComponentMenuEntry& child : entry.children) {
    if (child.children.empty()) {
      items.push_back(&child);
    } else {
      CollectItems(child, items);
    }
  }
}

std::vector<const ComponentMenuEntry*> ItemsOf(const ComponentMenuEntry& menu) {
  std::vector<const ComponentMenuEntry*> items;
  CollectItems(menu, items);
  return items;
}

// No two entries of one popup show the same text.
void ExpectDistinctSiblings(const ComponentMenuEntry& popup) {
  std::set<std::string> texts;
  for (const ComponentMenuEntry& child : popup.children) {
    EXPECT_TRUE(texts.insert(child.text).second) << popup.text << ": " << child.text;
    ExpectDistinctSiblings(child);
  }
}

int OldsThreeThirty() {
  for (const CatalogueRow& row : Catalogue().CategoryRows(CatalogueCategory::ShortBlocks))
    if (std::string_view(row.name) == "Olds 330") return row.command;
  return 0;
}

TEST(ComponentMenuTest, ItemTextsShowTheValueTheRowStores) {
  struct TextCase {
    int command;
    const char* text;
  };
  const TextCase cases[] = {
      {33625, "1.636 (Default)"},   {33626, "1.400"},
      {33642, "2.200"},             {33043, "2.080 in"},
      {33071, "0.300 in"},          {33092, "0.800 in"},
      {33550, "6.0:1"},             {33574, "18.0:1"},
      {32844, "300 cfm @ 3.0 inHg"}, {32848, "300 cfm @ 1.5 inHg"},
      {34590, "25 HP"},             {33650, "None"},
      {33651, "10% Efficiency"},    {33665, "150% Efficiency"},
      {33782, "None"},              {33783, "1 psi"},
      {33804, "5.118 in"},          {33811, "0.35"},
      {33850, "1.71"},              {33864, "1"},
      {34505, "4 psi"},             {34523, "0.6:1"},
      {34545, "1.0:1"},             {34583, "12"},
      {33521, "1.0"},               {33531, "6.0"},
      {33580, "-10 Deg"},           {33590, "0 Deg"},
      {33600, "+10 Deg"},           {33851, "2500 rpm"},
      {32826, "Gasoline"},          {32829, "Gas/Nitrous 100 HP"},
      {32839, "Methanol/Nitrous 400 HP"}, {33685, "Individual Runner (Carbs)"},
      {32900, "Seat-To-Seat"},      {32819, "Custom Port Flow..."},
      {32879, "Stock Street/Economy Profile"}, {32885, "Custom Cam Type..."},
      {33872, "V-V-T Hottest Street/Race Profile"},
      {34104, "350\t(4.000 bore/3.484 stroke, deflt rod ratio)"},
  };
  for (const TextCase& c : cases) EXPECT_EQ(TextOf(c.command), c.text) << c.command;
  // A head shows its description, a literal "&" doubled for the menu.
  EXPECT_EQ(TextOf(32795), "2-Valve, Wedge, Low Perf/Stock Ports && Valves");
  for (int key = 1; key <= kBuiltInHeadCount; ++key)
    EXPECT_FALSE(TextOf(32794 + key).empty()) << key;
}

TEST(ComponentMenuTest, MenusShowEveryHandledRowExceptTheUnshownOnes) {
  const std::set<int> unshown = {OldsThreeThirty(), 33810, 33813, 33820, 33828, 33869, 33871, 33873};
  ASSERT_NE(*unshown.begin(), 0);
  // The unshown A/R rows are the ratios 0.3, 0.4, 0.6 and 0.8.
  for (int command : {33810, 33813, 33820, 33828}) {
    const float ratio = Catalogue().Row(command).Cell(kFirstValueCell);
    EXPECT_TRUE(ratio == 0.3f || ratio == 0.4f || ratio == 0.6f || ratio == 0.8f) << command;
  }

  std::set<int> menus;
  for (const CatalogueCategoryInfo& info : ComponentCatalogue::Categories()) menus.insert(info.menuId);
  std::set<int> shown;
  for (int menuId : menus) {
    const std::optional<ComponentMenuEntry> menu = ComponentMenu(menuId);
    ASSERT_TRUE(menu) << menuId;
    for (const ComponentMenuEntry* item : ItemsOf(*menu)) {
      EXPECT_TRUE(shown.insert(item->command).second) << "command on two menus: " << item->command;
      EXPECT_FALSE(item->text.empty()) << item->command;
    }
    // Items tell themselves apart, except the turbine sizes the table repeats.
    if (menuId != 255) ExpectDistinctSiblings(*menu);
  }
  for (const CatalogueRow& row : Catalogue().Rows()) {
    const bool handled = ComponentCatalogue::HandlingCategory(row.command) != nullptr;
    const bool expected = handled && !unshown.contains(row.command);
    EXPECT_EQ(shown.contains(row.command), expected) << row.command;
    EXPECT_EQ(IsMenuItem(row.command), !unshown.contains(row.command)) << row.command;
  }

  // The cam-type menu ends with the V-V-T types' low-speed rows.
  const ComponentMenuEntry camTypes = *ComponentMenu(127);
  const auto camItems = ItemsOf(camTypes);
  ASSERT_EQ(camItems.size(), 10u);
  EXPECT_EQ(camItems[7]->command, 33868);
  EXPECT_EQ(camItems[9]->command, 33872);
}

TEST(ComponentMenuTest, MenusWithoutCatalogueRowsAndUnknownMenus) {
  const ComponentMenuEntry exhaustValves = *ComponentMenu(133);
  const auto valves = ItemsOf(exhaustValves);
  ASSERT_EQ(valves.size(), 2u);
  EXPECT_EQ(valves[1]->command, 32917);
  EXPECT_EQ(valves[1]->text, "2");
  const ComponentMenuEntry pressureDrops = *ComponentMenu(156);
  const auto drops = ItemsOf(pressureDrops);
  ASSERT_EQ(drops.size(), 2u);
  EXPECT_EQ(drops[0]->text, "1.5 inHg");
  EXPECT_EQ(ComponentMenu(256)->text, "Turbine AR");
  EXPECT_FALSE(ComponentMenu(117));  // "Empty PopUp" has nothing of the catalogue
  EXPECT_FALSE(IsMenuItem(1));
}

}  // namespace
}  // namespace brisca
