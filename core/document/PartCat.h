#pragma once
// The component catalogue: the one fixed table behind every component menu.
// A menu item's command id is the key of a row; the row holds the item number
// and name a part-type parameter stores, and the values the command writes.
//
// Rows come in category runs (short blocks, rod ratios, cylinder heads, …) in
// a fixed order; inside a run the command ids rise by one from row to row.
// The table is built once, on first use, from the data tables that own the
// figures (short blocks and blowers in core/document/catalogue/*.inc, cam and
// lifter types in CamTypes, turbocharger names from the compressor-map list),
// and never changes afterwards.

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace brisca {

inline constexpr int kCatalogueRowCount = 1022;
//! Cells 3..14 of a row: category-specific values.
inline constexpr int kFirstValueCell = 3;
inline constexpr int kLastValueCell = 14;
inline constexpr int kValueCellCount = kLastValueCell - kFirstValueCell + 1;

//! One row of 16 cells: command id, item number, name, twelve values, units flag.
struct CatalogueRow {
  int command = 0;          //!< cell 0: menu command id, unique in the table
  int item = 0;             //!< cell 1: value a part-type parameter stores (0: plain value)
  const char* name = "";    //!< cell 2: display name stored with the item ("" for plain values)
  std::array<float, kValueCellCount> values{};  //!< cells 3..14, meaning by category
  int unitsFlag = 0;        //!< cell 15: 0 the values are domestic, else metric

  //! Cell k (3..14; FatalAssert otherwise).
  float Cell(int k) const;
};

enum class CatalogueCategory : int {
  ShortBlocks,
  RodRatio,
  CylinderHeads,
  IntakeValveDiameter,
  ExhaustValveDiameter,
  IntakeValveLift,
  ExhaustValveLift,
  CompressionRatio,
  InductionAirflow,
  Nitrous,
  Manifolds,
  ForcedInduction,
  IntercoolerEfficiency,
  IntercoolerPressureDrop,
  TurbineSize,
  TurbineAR,
  NumberOfTurbos,
  BoostLimit,
  BeltGearRatio,
  InternalGearRatio,
  NumberOfCylinders,
  Fuels,
  ExhaustSystems,
  CamTypes,
  TwoLobeCamTypes,
  CamTimingMethod,
  LifterTypes,
  LifterRampRate,
  CamAdvance,
  ActivationRpm,
};
inline constexpr int kCatalogueCategoryCount = 30;

//! One category run of the table and the menu that shows it.
struct CatalogueCategoryInfo {
  CatalogueCategory category;
  const char* key;        //!< command-line name, e.g. "short-blocks"
  int menuId;             //!< menu resource id
  const char* menuTitle;  //!< menu resource title
  int firstCommand;       //!< first row of the run
  int lastCommand;        //!< last row of the run
  int firstHandled;       //!< first command the document handles (a run may start with an unshown row)
  //! Meaning of cells 3..14 (nullptr: the category does not use the cell).
  std::array<const char*, kValueCellCount> cellNames;

  int RowCount() const { return lastCommand - firstCommand + 1; }
  bool Handles(int command) const { return command >= firstHandled && command <= lastCommand; }
};

class ComponentCatalogue {
 public:
  //! The table, built on first use.
  static const ComponentCatalogue& Instance();

  std::span<const CatalogueRow> Rows() const { return rows_; }
  //! Row index of `command` (linear search); an id not in the table is a FatalAssert.
  int FindCatalogueRow(int command) const;
  const CatalogueRow& Row(int command) const { return rows_[FindCatalogueRow(command)]; }
  //! Cell 2 of the row of `command`; an id not in the table is a FatalAssert.
  const char* GetCatalogueName(int command) const;
  //! True when `command` keys a row.
  bool Contains(int command) const;
  //! Both ends are in the table and the rows between them carry consecutive ids.
  bool IsConsecutiveRun(int firstCommand, int lastCommand) const;
  //! The rows of one category run.
  std::span<const CatalogueRow> CategoryRows(CatalogueCategory category) const;

  //! The categories in table order.
  static std::span<const CatalogueCategoryInfo> Categories();
  static const CatalogueCategoryInfo& Category(CatalogueCategory category);
  //! The category whose handled range holds `command`, or nullptr.
  static const CatalogueCategoryInfo* HandlingCategory(int command);
  //! The category named `key` on the command line, or nullptr.
  static const CatalogueCategoryInfo* FindCategory(std::string_view key);

 private:
  ComponentCatalogue();
  std::vector<CatalogueRow> rows_;
  std::vector<std::string> names_;  //!< storage of the names built at start-up
};

//! The checks a document runs at construction: every handled command range has
//! both ends in the table and consecutive ids between them (FatalAssert otherwise).
void CheckCatalogueRanges();

//! Shorthands for ComponentCatalogue::Instance().
int FindCatalogueRow(int command);
const char* GetCatalogueName(int command);

//! Forced-induction cells (cell numbers of CatalogueRow::Cell).
enum ForcedInductionCell : int {
  kFiKindCell = 3,             //!< 0 none, 1 turbocharger, 2 centrifugal, 3 Roots, 4 screw
  kFiDisplacementCell = 4,     //!< [ft³/rev] Roots and screw
  kFiMapCell = 5,              //!< compressor map number, 0 none
  kFiTurbineDiameterCell = 6,  //!< default turbine diameter [in]
  kFiMaxSpeedCell = 7,         //!< blower maximum speed [rpm]
  kFiEfficiencyCell = 8,       //!< blower efficiency [%]
  kFiInternalRatioCell = 9,    //!< internal gear ratio
  kFiBeltRatioCell = 10,       //!< belt gear ratio
  kFiBoostLimitCell = 11,      //!< boost limit [psi]
  kFiTurbineARCell = 12,       //!< default turbine A/R
};

//! Short-block cells.
enum ShortBlockCell : int {
  kSbBoreCell = 3,       //!< [in]
  kSbStrokeCell = 4,     //!< [in]
  kSbCylindersCell = 5,  //!< count, as a float
  kSbRodRatioCell = 6,   //!< rod length / stroke
};

//! Litres per cubic foot: the blower menus show displacement in litres.
inline constexpr float kLitresPerCubicFoot = 28.3168f;

}  // namespace brisca
