#include "core/document/PartCat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <set>
#include <string>

#include "core/document/CatalogueSources.h"
#include "core/document/ComponentMenus.h"
#include "core/base/FatalAssert.h"
#include "core/sim/induction/CompressorMapNames.h"

namespace brisca {
namespace {

const ComponentCatalogue& Catalogue() { return ComponentCatalogue::Instance(); }

TEST(CatalogueTest, TableHasItsRowsInConsecutiveCategoryRuns) {
  const auto rows = Catalogue().Rows();
  ASSERT_EQ(rows.size(), 1022u);
  std::set<int> ids;
  for (const CatalogueRow& row : rows) {
    EXPECT_TRUE(ids.insert(row.command).second) << row.command;
    EXPECT_EQ(row.unitsFlag, 0) << row.command;
    EXPECT_NE(row.name, nullptr);
  }
  std::size_t next = 0;
  int category = 0;
  for (const CatalogueCategoryInfo& info : ComponentCatalogue::Categories()) {
    EXPECT_EQ(static_cast<int>(info.category), category++) << info.key;
    EXPECT_EQ(rows[next].command, info.firstCommand) << info.key;
    EXPECT_TRUE(Catalogue().IsConsecutiveRun(info.firstCommand, info.lastCommand)) << info.key;
    EXPECT_EQ(Catalogue().CategoryRows(info.category).size(),
              static_cast<std::size_t>(info.RowCount()));
    next += static_cast<std::size_t>(info.RowCount());
  }
  EXPECT_EQ(next, rows.size());
  CheckCatalogueRanges();  // returns: every handled range is whole
  EXPECT_FALSE(Catalogue().IsConsecutiveRun(34503, 33625));  // across categories
  EXPECT_FALSE(Catalogue().Contains(33805));
}

TEST(CatalogueDeathTest, UnknownCommandIsAnInternalError) {
  EXPECT_EXIT(FindCatalogueRow(33805), testing::ExitedWithCode(kFatalAssertExitStatus % 256), "");
  EXPECT_EXIT(GetCatalogueName(1), testing::ExitedWithCode(kFatalAssertExitStatus % 256), "");
}

// The rows quoted by the product description.
struct QuotedShortBlock {
  int command, item;
  const char* name;
  float bore, stroke;
  int cylinders;
  float rodRatio;
};
constexpr QuotedShortBlock kQuoted[] = {
    {33980, 1, "Acura 1.6L", 2.95f, 3.54f, 4, 1.522f},
    {34012, 33, "Aston Martin 3.2L", 3.64f, 3.32f, 6, 1.636f},
    {34104, 125, "Chevy 350", 4.0f, 3.484f, 8, 1.636f},
    {34105, 126, "Chevy 350 LS1", 3.9f, 3.625f, 8, 1.683f},
    {34184, 205, "Ferrari 5.0L", 3.46f, 2.68f, 12, 1.636f},
    {34253, 274, "Honda 1.8L VTEC", 3.189f, 3.433f, 4, 1.581f},
    {34503, 524, "Ford Focus 2.3L", 3.44f, 3.7f, 4, 1.636f},
};

TEST(CatalogueTest, QuotedShortBlocksAreExact) {
  for (const QuotedShortBlock& q : kQuoted) {
    const CatalogueRow& row = Catalogue().Row(q.command);
    EXPECT_EQ(row.item, q.item) << q.name;
    EXPECT_STREQ(row.name, q.name);
    EXPECT_FLOAT_EQ(row.Cell(kSbBoreCell), q.bore) << q.name;
    EXPECT_FLOAT_EQ(row.Cell(kSbStrokeCell), q.stroke) << q.name;
    EXPECT_FLOAT_EQ(row.Cell(kSbCylindersCell), static_cast<float>(q.cylinders)) << q.name;
    EXPECT_FLOAT_EQ(row.Cell(kSbRodRatioCell), q.rodRatio) << q.name;
  }
  EXPECT_STREQ(GetCatalogueName(34104), "Chevy 350");
}

// Rows checked against the makers' published metric bore and stroke: each row
// is that bore and stroke to three decimals of an inch, its swept volume the
// published one, and the volume rounds to the litres in its name.
struct PublishedShortBlock {
  const char* name;
  float boreMm, strokeMm;
  float cubicCentimetres;
  float litres;  //!< as the name gives it
};
constexpr PublishedShortBlock kPublished[] = {
    {"Volvo 2.8L", 91.0f, 73.0f, 2849.0f, 2.8f},      // PRV V6
    {"Cadillac 4.6L", 93.0f, 84.0f, 4565.0f, 4.6f},   // Northstar V8
    {"Volvo 4.4L", 94.0f, 79.5f, 4414.0f, 4.4f},      // B8444S V8
    {"Chevy 2.4L", 88.0f, 98.0f, 2384.0f, 2.4f},      // Ecotec four
};

TEST(CatalogueTest, ShortBlocksMatchTheirPublishedBoreStrokeAndVolume) {
  constexpr float kMmPerInch = 25.4f;
  constexpr float kCubicCentimetresPerCubicInch = 16.387064f;
  constexpr float kPi = 3.14159265f;
  for (const PublishedShortBlock& p : kPublished) {
    SCOPED_TRACE(p.name);
    const CatalogueRow* found = nullptr;
    for (const CatalogueRow& row : Catalogue().CategoryRows(CatalogueCategory::ShortBlocks))
      if (std::string(row.name) == p.name) found = &row;
    ASSERT_NE(found, nullptr);
    const float bore = found->Cell(kSbBoreCell), stroke = found->Cell(kSbStrokeCell);
    EXPECT_NEAR(bore, p.boreMm / kMmPerInch, 0.0006f);
    EXPECT_NEAR(stroke, p.strokeMm / kMmPerInch, 0.0006f);
    const float cc = kPi / 4.0f * bore * bore * stroke * found->Cell(kSbCylindersCell) *
                     kCubicCentimetresPerCubicInch;
    EXPECT_NEAR(cc, p.cubicCentimetres, p.cubicCentimetres * 0.001f);
    EXPECT_FLOAT_EQ(std::round(cc / 100.0f) / 10.0f, p.litres);
  }
}

TEST(CatalogueTest, ShortBlocksHaveTheirCountsAndRanges) {
  const auto rows = Catalogue().CategoryRows(CatalogueCategory::ShortBlocks);
  ASSERT_EQ(rows.size(), 524u);
  std::map<int, int> byCylinders;
  std::set<std::string> names;
  int defaultRods = 0;
  int item = 1;
  for (const CatalogueRow& row : rows) {
    EXPECT_EQ(row.item, item++);
    EXPECT_TRUE(names.insert(row.name).second) << row.name;
    ++byCylinders[static_cast<int>(row.Cell(kSbCylindersCell))];
    const float bore = row.Cell(kSbBoreCell), stroke = row.Cell(kSbStrokeCell);
    EXPECT_TRUE(bore >= 2.0f && bore <= 7.0f) << row.name;
    EXPECT_TRUE(stroke >= 1.5f && stroke <= 7.0f) << row.name;
    // Three decimals, as published.
    EXPECT_NEAR(bore * 1000.0f, std::round(bore * 1000.0f), 0.01f) << row.name;
    const float rod = row.Cell(kSbRodRatioCell);
    EXPECT_TRUE(rod >= 1.0f && rod <= 3.0f) << row.name;
    if (ShortBlockEntries()[static_cast<std::size_t>(row.item - 1)].rodRatio == 0.0f) {
      EXPECT_FLOAT_EQ(rod, 1.636f);
      ++defaultRods;
    }
  }
  EXPECT_EQ(byCylinders, (std::map<int, int>{{4, 183}, {5, 1}, {6, 145}, {8, 173}, {10, 2}, {12, 20}}));
  EXPECT_EQ(defaultRods, 332);
}

// Walks the menu tree: every item's texts must agree with its row.
void CheckShortBlockMenu(const ComponentMenuEntry& entry, const std::string& make,
                         std::set<int>& seen) {
  if (entry.command == 0) {
    for (const ComponentMenuEntry& child : entry.children) {
      const bool isMake = child.command == 0 && child.text.find("Cylinder") == std::string::npos &&
                          child.text != "Other";
      CheckShortBlockMenu(child, isMake ? child.text : make, seen);
    }
    return;
  }
  EXPECT_TRUE(seen.insert(entry.command).second);
  const CatalogueRow& row = Catalogue().Row(entry.command);
  const std::string size = entry.text.substr(0, entry.text.find('\t'));
  EXPECT_EQ(make + " " + size, row.name);
  float bore = 0, stroke = 0;
  ASSERT_EQ(std::sscanf(entry.text.c_str() + size.size(), "\t(%f bore/%f stroke", &bore, &stroke), 2)
      << entry.text;
  EXPECT_FLOAT_EQ(bore, row.Cell(kSbBoreCell)) << entry.text;
  EXPECT_FLOAT_EQ(stroke, row.Cell(kSbStrokeCell)) << entry.text;
  float rod = 0;
  const std::size_t comma = entry.text.find(", ");
  ASSERT_NE(comma, std::string::npos);
  if (std::sscanf(entry.text.c_str() + comma, ", %f rod ratio", &rod) == 1) {
    EXPECT_FLOAT_EQ(rod, row.Cell(kSbRodRatioCell)) << entry.text;
  } else {
    EXPECT_EQ(entry.text.substr(comma), ", deflt rod ratio)");
  }
}

TEST(CatalogueTest, ShortBlockMenuNestsMakesCylindersAndSizes) {
  const ComponentMenuEntry menu = ShortBlockMenu();
  ASSERT_EQ(menu.children.size(), 44u);  // 43 makes and "Other"
  EXPECT_EQ(menu.children.front().text, "Acura");
  EXPECT_EQ(menu.children[14].text, "Ford Focus");
  const ComponentMenuEntry& other = menu.children.back();
  ASSERT_EQ(other.text, "Other");
  ASSERT_EQ(other.children.size(), 9u);
  EXPECT_EQ(other.children[3].text, "Chevy");
  EXPECT_EQ(other.children[3].children.front().text, "4 Cylinder");
  for (const ComponentMenuEntry& make : menu.children) EXPECT_FALSE(make.children.empty()) << make.text;

  std::set<int> seen;
  CheckShortBlockMenu(menu, "", seen);
  EXPECT_EQ(seen.size(), 523u);
  // "Olds 330" keeps its row but no item shows it.
  for (const CatalogueRow& row : Catalogue().CategoryRows(CatalogueCategory::ShortBlocks))
    if (std::string(row.name) == "Olds 330") {
      EXPECT_FALSE(seen.count(row.command));
    }
  EXPECT_EQ(ShortBlockMenuText(Catalogue().Row(33980)), "1.6L\t(2.950 bore/3.540 stroke, 1.522 rod ratio)");
  EXPECT_EQ(ShortBlockMenuText(Catalogue().Row(34104)), "350\t(4.000 bore/3.484 stroke, deflt rod ratio)");
}

TEST(CatalogueTest, ForcedInductionRowsFollowTheMapsAndBlowerRanges) {
  const auto rows = Catalogue().CategoryRows(CatalogueCategory::ForcedInduction);
  ASSERT_EQ(rows.size(), 93u);
  std::map<int, int> byKind;
  for (const CatalogueRow& row : rows) {
    const int kind = static_cast<int>(row.Cell(kFiKindCell));
    ++byKind[kind];
    EXPECT_FLOAT_EQ(row.Cell(kFiBeltRatioCell), 1.0f);
    EXPECT_FLOAT_EQ(row.Cell(kFiBoostLimitCell), 10.0f);
    EXPECT_FLOAT_EQ(row.Cell(kFiTurbineARCell), kind == 1 ? 0.7f : 0.5f);
    EXPECT_FLOAT_EQ(row.Cell(kFiTurbineDiameterCell), kind == 1 ? 2.319f : 1.0f);
    const float cubicFeet = row.Cell(kFiDisplacementCell);
    const float speed = row.Cell(kFiMaxSpeedCell), efficiency = row.Cell(kFiEfficiencyCell);
    if (kind == 1) {
      const std::string_view map = kCompressorMapNames[static_cast<std::size_t>(row.item - 2)];
      EXPECT_EQ("Turbo-" + std::string(map.substr(0, map.size() - 4)), row.name);
      EXPECT_FLOAT_EQ(row.Cell(kFiMapCell), static_cast<float>(row.item - 1));
    }
    if (kind == 2) {
      EXPECT_FLOAT_EQ(row.Cell(kFiMapCell), static_cast<float>(row.item - 1));
      EXPECT_FLOAT_EQ(row.Cell(kFiInternalRatioCell), row.item == 47 ? 3.61f : 3.45f);
    }
    if (kind == 3 || kind == 4) {
      EXPECT_EQ(std::string(row.name).rfind(kind == 3 ? "Roots- " : "Screw- ", 0), 0u) << row.name;
      EXPECT_TRUE(cubicFeet >= 0.00706f && cubicFeet <= 0.353147f) << row.name;
      // The litres the menu shows turn back into the stored cubic feet.
      float litres = 0;
      const std::string text = ForcedInductionMenuText(row);
      ASSERT_EQ(std::sscanf(text.c_str() + text.find('\t'), "\t%f L", &litres), 1) << text;
      EXPECT_NEAR(litres / kLitresPerCubicFoot, cubicFeet, 0.0002f) << row.name;
      EXPECT_FLOAT_EQ(row.Cell(kFiMapCell), 0.0f);
    } else {
      EXPECT_FLOAT_EQ(cubicFeet, 0.0f);
    }
    if (kind == 3) {
      EXPECT_FLOAT_EQ(speed, 5000.0f);
      EXPECT_TRUE(efficiency == 55.0f || efficiency == 60.0f || efficiency == 65.0f) << row.name;
    } else if (kind == 4) {
      EXPECT_TRUE(speed == 8000.0f || speed == 10000.0f || speed == 13000.0f) << row.name;
      EXPECT_TRUE(efficiency >= 55.0f && efficiency <= 71.0f) << row.name;
    } else {
      EXPECT_FLOAT_EQ(speed, 0.0f);
      EXPECT_FLOAT_EQ(efficiency, 0.0f);
    }
  }
  EXPECT_EQ(byKind, (std::map<int, int>{{0, 1}, {1, 42}, {2, 5}, {3, 28}, {4, 17}}));
  EXPECT_STREQ(GetCatalogueName(33689), "None");
  EXPECT_STREQ(GetCatalogueName(33690), "Turbo-Garrett-T-58");
  EXPECT_STREQ(GetCatalogueName(33731), "Turbo-Mitsubishi-TD06H-20G");
  EXPECT_STREQ(GetCatalogueName(33732), "Centrifugal- Vortech V1-A");
  EXPECT_STREQ(GetCatalogueName(33736), "Centrifugal- Vortech V7-YS");
  EXPECT_STREQ(GetCatalogueName(33737), "Roots- B&&M 144 Powercharger");
  EXPECT_NEAR(Catalogue().Row(33737).Cell(kFiDisplacementCell), 0.0833427f, 1e-7f);
  EXPECT_STREQ(GetCatalogueName(33764), "Roots- Weiand 1471");
  EXPECT_STREQ(GetCatalogueName(33765), "Screw- Autorotor 1032");
  EXPECT_STREQ(GetCatalogueName(33781), "Screw- Whipple 3300AX");

  const ComponentMenuEntry menu = ForcedInductionMenu();
  ASSERT_EQ(menu.children.size(), 5u);
  EXPECT_EQ(menu.children[0].text, "None");
  EXPECT_EQ(menu.children[1].text, "Turbo Charger");
  EXPECT_EQ(menu.children[1].children.size(), 42u);
  EXPECT_EQ(menu.children[3].children.front().text, "Roots- B&&M 144 Powercharger\t2.36 L");
}

// Spot values of the plain-value and part-type runs: (command, cell, value).
struct CellCase {
  int command;
  int cell;
  float value;
};
constexpr CellCase kCells[] = {
    {33625, 3, 1.636f}, {33626, 3, 1.4f},   {33642, 3, 2.2f},    {33031, 3, 0.8f},
    {33047, 3, 2.5f},   {33048, 3, 0.6f},   {33064, 3, 2.0f},    {33071, 3, 0.3f},
    {33081, 3, 0.8f},   {33092, 3, 0.8f},   {33550, 3, 6.0f},    {33574, 3, 18.0f},
    {32844, 3, 300},    {32844, 4, 3.0f},   {32848, 4, 1.5f},    {32860, 3, 1100},
    {34590, 3, 25},     {34600, 3, 300},    {34604, 3, 500},     {33650, 3, 0},
    {33651, 3, 10},     {33651, 4, 3},      {33656, 4, 3},       {33657, 4, 2},
    {33658, 4, 2},      {33659, 4, 1},      {33665, 3, 150},     {33787, 3, 5},
    {33788, 3, 2.319f}, {33804, 3, 5.118f}, {33810, 3, 0.3f},    {33850, 3, 1.71f},
    {33867, 3, 4},      {34505, 3, 4},      {34518, 3, 30},      {34523, 3, 0.6f},
    {34540, 3, 4.0f},   {34545, 3, 1.0f},   {34560, 3, 4.0f},    {34577, 3, 1},
    {34583, 3, 12},     {32831, 3, 300},    {32842, 3, 0},       {33521, 3, 1.0f},
    {33531, 3, 6.0f},   {33580, 3, -10},    {33600, 3, 10},      {33851, 3, 2500},
    {33862, 3, 8000},   {32879, 3, 20},     {32879, 10, 33541},  {33869, 10, 4500},
    {33873, 14, 19},
};

TEST(CatalogueTest, PlainValueRowsCarryTheirValues) {
  for (const CellCase& c : kCells)
    EXPECT_FLOAT_EQ(Catalogue().Row(c.command).Cell(c.cell), c.value) << c.command << " cell " << c.cell;
}

TEST(CatalogueTest, PartTypeRowsCarryItemsAndNames) {
  struct NameCase {
    int command, item;
    const char* name;
  };
  const NameCase cases[] = {
      {33667, 1, "Non-Tuned, Larger Runner, Ported, Mods"}, {33685, 19, "Individual Runner (Carbs)"},
      {32826, 1, "Gasoline"}, {32829, 5, "Gas/Nitrous"},   {32833, 10, "Methanol"},
      {32842, 21, "LNG"},     {32862, 1, "Stock Manifolds, Mufflers W/Cat"},
      {32871, 10, "Large Stepped-Tube Headers, Open Exhaust"},
      {32795, 1, ""},         {32819, 25, ""},             {32885, 6, "Custom Cam Type"},
      {33868, 8, "V-V-T Street Cam"}, {33873, 13, "V-V-T Hot Street/Race Cam"},
      {32900, 1, "Seat-To-Seat"}, {32901, 2, "0.050-inch"}, {33541, 4, "Roller Hydraulic"},
      {33544, 5, "None (Overhead Cam)"}, {33550, 0, ""},
  };
  for (const NameCase& c : cases) {
    EXPECT_EQ(Catalogue().Row(c.command).item, c.item) << c.command;
    EXPECT_STREQ(GetCatalogueName(c.command), c.name) << c.command;
  }
  EXPECT_EQ(ComponentCatalogue::FindCategory("forced-induction")->firstCommand, 33689);
  EXPECT_EQ(ComponentCatalogue::FindCategory("no-such"), nullptr);
  EXPECT_EQ(ComponentCatalogue::HandlingCategory(33810), nullptr);  // A/R 0.3 is not on the menu
}

}  // namespace
}  // namespace brisca
