#include "gui/shell/CommandTable.h"

#include "core/document/CommandIds.h"

namespace brisca {

using namespace command;

const std::vector<CommandRow>& ShellCommands() {
  constexpr auto kNone = QKeySequence::UnknownKey;
  static const std::vector<CommandRow> rows = {
      {kFileNew, "&New", QKeySequence::New, "Create a new engine", QStyle::SP_FileIcon, false},
      {kFileOpen, "&Open...", QKeySequence::Open, "Open an engine file",
       QStyle::SP_DialogOpenButton, false},
      // Ctrl+F4 stays with the engine window's own Close.
      {kFileClose, "&Close", kNone, "Close the active engine", -1, false},
      {kFileSave, "&Save", QKeySequence::Save, "Save the active engine",
       QStyle::SP_DialogSaveButton, false},
      {kSaveAs, "Save &As...", QKeySequence::SaveAs, "Save the active engine under a new name", -1,
       false},
      {kAppExit, "E&xit", QKeySequence::Quit, "Quit Brisca, asking to save engines", -1, false},
      {kViewToolbar, "&Toolbar", kNone, "Show or hide the tool bar", -1, true},
      {kViewStatusBar, "&Status Bar", kNone, "Show or hide the status bar", -1, true},
      {kWorkbook, "&Workbook", kNone, "Show a tab for each window along the bottom", -1, true},
      {kSchemeWindowsStandard, "Windows Standard &Colors", kNone,
       "Draw with the desktop's own colours (from the next start)", -1, true},
      {kSchemeBasicBlue, "Basic Blue Colors", kNone, "Light blue colours (from the next start)", -1,
       true},
      {kSchemeDeepBlue, "Deep Blue Colors", kNone, "Dark blue colours (from the next start)", -1,
       true},
      {kSchemeOrangeOriginal, "Orange Original Colors", kNone,
       "Warm orange colours (from the next start)", -1, true},
      {kWindowNew, "&New Window", kNone, "Open another window on the active engine", -1, false},
      {kWindowCascade, "&Cascade", kNone, "Arrange the windows so they overlap", -1, false},
      {kWindowTile, "&Tile", kNone, "Arrange the windows side by side", -1, false},
      {kWindowArrange, "&Arrange Icons", kNone, "Line up the minimised windows", -1, false},
      // The manual's icon is the program's own (ManualIcon).
      {kUserManual, "&User Manual...", QKeySequence::HelpContents, "Open the Brisca user manual", -1,
       false},
      {kAppAbout, "&About...", kNone, "Show the program's name, version and build date",
       QStyle::SP_MessageBoxInformation, false},
  };
  return rows;
}

}  // namespace brisca
