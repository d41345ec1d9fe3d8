#pragma once
// The application's and the main frame's commands: id, menu text, shortcut,
// status-bar prompt and tool-bar icon, in one table. The main frame makes one
// QAction per row and builds menus and tool bar from the ids.

#include <QKeySequence>
#include <QStyle>

#include <vector>

namespace brisca {

struct CommandRow {
  int id;
  const char* text;
  QKeySequence::StandardKey shortcut;  //!< UnknownKey: none
  const char* statusTip;
  int icon;        //!< a QStyle::StandardPixmap, or -1 for none
  bool checkable;
};

const std::vector<CommandRow>& ShellCommands();

}  // namespace brisca
