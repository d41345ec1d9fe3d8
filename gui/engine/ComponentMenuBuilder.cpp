#include "gui/engine/ComponentMenuBuilder.h"

#include <QMenu>

#include <optional>

#include "core/document/CommandIds.h"
#include "core/document/ComponentMenus.h"
#include "core/document/VexoDoc.h"

namespace brisca {
namespace {

//! The automatic-value item that heads a menu, with its text (0: none).
struct AutoItem {
  int menuId;
  int command;
  const char* text;
};
constexpr AutoItem kAutoItems[] = {
    {152, command::kAutoValveSizes, "Auto Calculate Valve Sizes"},
    {153, command::kAutoValveSizes, "Auto Calculate Valve Sizes"},
    {154, command::kAutoValveLift, "Auto Calculate Valve Lift"},
    {155, command::kAutoValveLift, "Auto Calculate Valve Lift"},
    {198, command::kAutoRampRate, "Auto Calculate (More Accurate)"},
    {257, command::kAutoActivationRpm, "Auto Calculate"},
};

QAction* AddItem(QMenu& menu, const QString& text, int command,
                 const std::function<void(int)>& choose) {
  QAction* action = menu.addAction(text);
  action->setData(command);
  QObject::connect(action, &QAction::triggered, &menu, [choose, command] { choose(command); });
  return action;
}

void AddEntries(QMenu& menu, const ComponentMenuEntry& entry,
                const std::function<void(int)>& choose) {
  for (const ComponentMenuEntry& child : entry.children) {
    const QString text = QString::fromStdString(child.text);
    if (child.children.empty()) {
      AddItem(menu, text, child.command, choose);
    } else {
      AddEntries(*menu.addMenu(text), child, choose);
    }
  }
}

}  // namespace

bool BuildComponentMenu(QMenu& menu, int menuId, const std::function<void(int)>& choose) {
  const std::optional<ComponentMenuEntry> entries = ComponentMenu(menuId);
  if (!entries) return false;
  menu.setTitle(QString::fromStdString(entries->text));
  for (const AutoItem& item : kAutoItems) {
    if (item.menuId != menuId) continue;
    AddItem(menu, QString::fromUtf8(item.text), item.command, choose);
    menu.addSeparator();
  }
  AddEntries(menu, *entries, choose);
  return true;
}

void SetMenuChecks(QMenu& menu, const CVexoDoc& document) {
  for (QAction* action : menu.actions()) {
    if (QMenu* sub = action->menu()) {
      SetMenuChecks(*sub, document);
      continue;
    }
    if (action->isSeparator() || !action->data().isValid()) continue;
    const int command = action->data().toInt();
    // Only the engine's own item carries a mark; a box on every other item reads
    // as a list of unticked options.
    const bool checked = document.IsCommandChecked(command);
    action->setCheckable(checked);
    action->setChecked(checked);
    action->setEnabled(document.IsCommandEnabled(command));
  }
}

}  // namespace brisca
