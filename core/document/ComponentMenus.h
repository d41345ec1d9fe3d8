#pragma once
// The component menus built from the catalogue: the nested short-block menu
// (make, cylinder count, engine) and the grouped forced-induction menu, with
// the item texts. The front ends turn these trees into real menus; the texts
// are made from the catalogue rows, so a menu can never disagree with them.

#include <optional>
#include <string>
#include <vector>

#include "core/document/PartCat.h"

namespace brisca {

//! A popup (command 0, children) or an item (command id, no children).
struct ComponentMenuEntry {
  std::string text;
  int command = 0;
  std::vector<ComponentMenuEntry> children;
};

//! Makes (the American ones under "Other"), then "<n> Cylinder", then one item
//! per shown engine: "<size>\t(<bore> bore/<stroke> stroke[, <ratio> rod ratio | , deflt rod ratio])".
ComponentMenuEntry ShortBlockMenu();
//! "None", then the popups "Turbo Charger", "Centrifugal Blower", "Roots Blower"
//! and "Screw Blower"; Roots and screw items show their displacement in litres.
ComponentMenuEntry ForcedInductionMenu();

//! Component menu `menuId` (its resource number): the catalogue menus, the
//! valve-count menus and the pressure-drop menu, with the items of every
//! category the menu shows and none of the rows no menu shows. The
//! automatic-value item some menus start with is the front end's. nullopt
//! when the program has no such menu.
std::optional<ComponentMenuEntry> ComponentMenu(int menuId);

//! False for the catalogue rows kept only so the command runs stay
//! consecutive (and for commands outside the catalogue).
bool IsMenuItem(int command);
//! The text of a catalogue row's menu item: part types their name (a name the
//! category shares with its value), cylinder heads and cam types their menu
//! text, plain values the value in the parameter's domestic unit ("None" for
//! a 0 the menu names, "1.636 (Default)" for the default rod ratio).
std::string CatalogueMenuText(const CatalogueRow& row);

//! The item text of a short-block row (its make prefix dropped from the name).
std::string ShortBlockMenuText(const CatalogueRow& row);
//! The item text of a forced-induction row.
std::string ForcedInductionMenuText(const CatalogueRow& row);

}  // namespace brisca
