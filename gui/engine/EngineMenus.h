#pragma once
// The engine commands of the main menu: "&Simulation" (Run, Auto Run, the
// automatic calculations, Clear Components), "&Units" and "&Tools" (the flow
// and cam files). They act on the active engine document; their checks and
// enabling follow it each time a menu drops.

#include <functional>

class QMenuBar;
class QMenu;
class QObject;

namespace brisca {

class CVexoDoc;

//! Adds the three menus to `bar`; `activeDocument` names the document commands
//! act on (null: the items are disabled). Returns the "&Simulation" menu.
QMenu* AddEngineMenus(QMenuBar& bar, std::function<CVexoDoc*()> activeDocument);

//! Runs engine command `id` on `document`; false when `id` is not one of the menus'.
bool RunEngineCommand(CVexoDoc& document, int id);

}  // namespace brisca
