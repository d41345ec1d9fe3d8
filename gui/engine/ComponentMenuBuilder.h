#pragma once
// Real menus from the core's component menus (the nested short-block menu,
// the grouped forced-induction menu, one item per shown catalogue row of the
// others, with the core's item texts), headed by their automatic-value item
// where they have one. Each action carries its command id as data.

#include <functional>

class QMenu;

namespace brisca {

class CVexoDoc;

//! Fills `menu` with component menu `menuId`; false when the program has no
//! such menu. `choose` receives the command of a chosen item.
bool BuildComponentMenu(QMenu& menu, int menuId, const std::function<void(int)>& choose);
//! Check marks and enabling of every item (nested ones included) as `document`
//! says: the checked items (the engine's current component, an automatic value
//! that is on) carry a mark, the others none.
void SetMenuChecks(QMenu& menu, const CVexoDoc& document);

}  // namespace brisca
