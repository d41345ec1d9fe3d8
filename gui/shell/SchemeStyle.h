#pragma once
// Style sheets that paint widgets in the active scheme's entries. Scheme 0
// draws with the platform's own look: every sheet is empty then.

#include <QString>

namespace brisca {

//! A tab window in the eight entries from `firstEntry` (69 left, 77 right):
//! page, tab strip, tab, tab text, current tab, its text, tab under the mouse, frame.
QString TabWindowStyle(int firstEntry);

//! Menu bar and drop-down menus (entries 53..62).
QString MenuStyle();

//! The workbook tabs along the bottom, in the left tab window's entries with the bar colour.
QString WorkbookTabStyle();

//! Tool bar and status bar (entry 68 with the menu text colours).
QString BarStyle();

}  // namespace brisca
