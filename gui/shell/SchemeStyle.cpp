#include "gui/shell/SchemeStyle.h"

#include "gui/shell/ColorScheme.h"

namespace brisca {
namespace {

QString C(int entry) { return SchemeColor(entry).name(); }

}  // namespace

QString TabWindowStyle(int e) {
  if (ActiveScheme() == 0) return {};
  return QStringLiteral(
             "QTabWidget { background: %2; }"
             "QTabWidget::pane { background: %1; border: 1px solid %8; top: -1px; }"
             "QTabWidget::tab-bar { left: 4px; }"
             "QTabBar::tab { background: %3; color: %4; border: 1px solid %8;"
             "  border-bottom: none; padding: 4px 16px; margin-right: 2px;"
             "  border-top-left-radius: 4px; border-top-right-radius: 4px; }"
             "QTabBar::tab:selected { background: %5; color: %6; font-weight: bold; }"
             "QTabBar::tab:hover:!selected { background: %7; }"
             "#placeholderView, #chartView { background: %1; }"
             "#placeholderCard { background: %5; border: 1px solid %8; border-radius: 6px; }"
             "#placeholderView QLabel { color: %6; background: transparent; border: none; }")
      .arg(C(e), C(e + 1), C(e + 2), C(e + 3), C(e + 4), C(e + 5), C(e + 6), C(e + 7));
}

QString MenuStyle() {
  if (ActiveScheme() == 0) return {};
  return QStringLiteral(
             "QMenuBar { background: %1; color: %2; }"
             "QMenuBar::item { background: transparent; color: %2; padding: 4px 10px; }"
             "QMenuBar::item:selected, QMenuBar::item:pressed { background: %3; color: %4; }"
             "QMenu { background: %5; color: %6; border: 1px solid %10; }"
             "QMenu::item { padding: 4px 28px 4px 24px; }"
             "QMenu::item:selected { background: %7; color: %8; }"
             "QMenu::item:disabled { color: %9; }"
             "QMenu::separator { height: 1px; background: %10; margin: 4px 8px; }")
      .arg(C(53), C(54), C(55), C(56), C(57), C(58), C(59), C(60), C(61), C(62));
}

QString BarStyle() {
  if (ActiveScheme() == 0) return {};
  return QStringLiteral(
             "QToolBar { background: %1; border: none; spacing: 2px; }"
             "QStatusBar { background: %1; color: %2; }"
             "QStatusBar QLabel { color: %2; padding: 0 6px; }")
      .arg(C(68), C(58));
}

QString WorkbookTabStyle() {
  if (ActiveScheme() == 0) return {};
  return QStringLiteral(
             "QTabBar { background: %1; }"
             "QTabBar::tab { background: %2; color: %3; border: 1px solid %7; border-top: none;"
             "  padding: 3px 14px; margin-right: 2px;"
             "  border-bottom-left-radius: 4px; border-bottom-right-radius: 4px; }"
             "QTabBar::tab:selected { background: %4; color: %5; font-weight: bold; }"
             "QTabBar::tab:hover:!selected { background: %6; }")
      .arg(C(68), C(71), C(72), C(73), C(74), C(75), C(76));
}

}  // namespace brisca
