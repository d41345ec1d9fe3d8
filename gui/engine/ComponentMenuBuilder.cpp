#include "gui/engine/ComponentMenuBuilder.h"

#include <QMenu>

#include <span>
#include <string_view>

#include "core/document/CommandIds.h"
#include "core/document/ComponentMenus.h"
#include "core/document/PartCat.h"
#include "core/document/VexoDoc.h"

namespace brisca {
namespace {

constexpr int kShortBlockMenu = 106;
constexpr int kForcedInductionMenu = 150;
constexpr int kIntakeValveCountMenu = 134;
constexpr int kExhaustValveCountMenu = 133;
constexpr int kPressureDropMenu = 156;

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
  action->setCheckable(true);
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

//! A row's item text: its name, or for a plain value its first value; a name
//! several rows share carries the row's first value as well.
QString RowText(const CatalogueRow& row, std::span<const CatalogueRow> category) {
  if (!row.name || !*row.name) return QString::number(row.values[0]);
  const QString name = QString::fromUtf8(row.name);
  int sharing = 0;
  for (const CatalogueRow& other : category) sharing += std::string_view(other.name) == row.name;
  return sharing > 1 ? QStringLiteral("%1 %2").arg(name).arg(row.values[0]) : name;
}

}  // namespace

bool BuildComponentMenu(QMenu& menu, int menuId, const std::function<void(int)>& choose) {
  if (menuId == kShortBlockMenu) {
    AddEntries(menu, ShortBlockMenu(), choose);
    return true;
  }
  if (menuId == kForcedInductionMenu) {
    AddEntries(menu, ForcedInductionMenu(), choose);
    return true;
  }
  if (menuId == kIntakeValveCountMenu || menuId == kExhaustValveCountMenu) {
    const int first = menuId == kIntakeValveCountMenu ? command::kFirstValveCount
                                                      : command::kFirstValveCount + 2;
    AddItem(menu, QStringLiteral("1"), first, choose);
    AddItem(menu, QStringLiteral("2"), first + 1, choose);
    return true;
  }
  if (menuId == kPressureDropMenu) {
    AddItem(menu, QStringLiteral("1.5 inHg"), command::kFirstPressureDrop, choose);
    AddItem(menu, QStringLiteral("3.0 inHg"), command::kLastPressureDrop, choose);
    return true;
  }
  for (const CatalogueCategoryInfo& info : ComponentCatalogue::Categories()) {
    if (info.menuId != menuId) continue;
    menu.setTitle(QString::fromUtf8(info.menuTitle));
    for (const AutoItem& item : kAutoItems) {
      if (item.menuId != menuId) continue;
      AddItem(menu, QString::fromUtf8(item.text), item.command, choose);
      menu.addSeparator();
    }
    const auto rows = ComponentCatalogue::Instance().CategoryRows(info.category);
    for (const CatalogueRow& row : rows) {
      if (info.Handles(row.command)) AddItem(menu, RowText(row, rows), row.command, choose);
    }
    return true;
  }
  return false;
}

void SetMenuChecks(QMenu& menu, const CVexoDoc& document) {
  for (QAction* action : menu.actions()) {
    if (QMenu* sub = action->menu()) {
      SetMenuChecks(*sub, document);
      continue;
    }
    if (action->isSeparator() || !action->data().isValid()) continue;
    const int command = action->data().toInt();
    action->setChecked(document.IsCommandChecked(command));
    action->setEnabled(document.IsCommandEnabled(command));
  }
}

}  // namespace brisca
