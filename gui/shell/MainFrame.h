#pragma once
// The main frame: an MDI area in sub-window mode holding one child frame per
// engine window, the workbook tabs along the bottom, menus, tool bar and a
// status bar of five panes. It runs the File and Window commands on the
// documents of its DocumentManager; the application handles the scheme and
// manual commands.

#include <QMainWindow>

#include <filesystem>
#include <functional>
#include <map>
#include <vector>

#include "gui/shell/DesktopHost.h"
#include "gui/shell/DocumentManager.h"
#include "gui/shell/RecentFiles.h"
#include "gui/shell/UndoHistory.h"

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QMenuBar;
class QTimer;
class QToolBar;

namespace brisca {

class CChildFrame;
class CVexoApp;
class CVexoDoc;
class WorkbookTabs;

class CMainFrame : public QMainWindow {
  Q_OBJECT

 public:
  //! Engine files open and save in `engineFolder`; `sampleFolder` holds the shipped engines.
  CMainFrame(CVexoApp& app, std::filesystem::path engineFolder, std::filesystem::path sampleFolder,
             QWidget* parent = nullptr);
  ~CMainFrame() override;

  DocumentManager& Documents() { return documents_; }
  DesktopHost& Host() { return host_; }
  //! The documents' undo stacks and the Edit menu's actions.
  UndoHistory& Undo() { return undo_; }
  QMdiArea* MdiArea() const { return mdiArea_; }
  WorkbookTabs* Workbook() const { return workbook_; }
  QMenuBar* MainMenuBar() const { return menuBar_; }
  QToolBar* ToolBar() const { return toolBar_; }
  QMenu* FileMenu() const { return fileMenu_; }
  //! The action of command `id` (nullptr when the frame has none).
  QAction* Action(int id) const;
  //! Runs command `id` as its menu item would; false when the frame has no such command.
  bool OnCommand(int id);
  //! Lets another part of the program handle command `id` (timer commands, engine commands).
  void SetCommandHandler(int id, std::function<void()> handler);

  // --- Documents and windows ---------------------------------------------
  CVexoDoc& OnFileNew();
  //! Opens `path` in a new window (or activates the window it is open in);
  //! false when reading failed: the numbered message was shown, nothing changed.
  bool OpenFile(const std::filesystem::path& path);
  //! A document the manager already holds (a recovered one) in a new window.
  CChildFrame* ShowDocument(CVexoDoc& document);
  void OnFileOpen();
  bool OnFileSave(CVexoDoc& document);
  bool OnFileSaveAs(CVexoDoc& document);
  //! Closes every window of `document` after the modified prompt; false when cancelled.
  bool CloseDocument(CVexoDoc& document);
  //! The modified prompt: true when the document may go (saved, or not wanted).
  bool SaveModified(CVexoDoc& document);
  CChildFrame* OnWindowNew();

  CVexoDoc* ActiveDocument() const;
  CChildFrame* ActiveFrame() const;
  std::vector<CChildFrame*> FramesOf(const CVexoDoc& document) const;
  const std::vector<CChildFrame*>& Frames() const { return frames_; }

  //! Every window of `document` redraws; titles and status panes follow.
  void UpdateAllViews(CVexoDoc& document);
  //! Every document shows its power and torque for `conditions`; every open
  //! window redraws at once and the status pane follows.
  void ShowConditions(const TestConditions& conditions);
  //! Window titles follow the documents' names and modified flags.
  void RefreshTitles();
  RecentFiles& Mru() { return mru_; }
  //! The test conditions the shown figures hold for (the preferences').
  const TestConditions& Conditions() const;

  // --- Frame ---------------------------------------------------------------
  void SetWorkbook(bool on);
  bool IsWorkbook() const;
  //! Starts main-frame timer 1 or 2: it fires once, posting command 33442 or 33443.
  void SetTimer(int timerId, int milliseconds);
  bool IsTimerActive(int timerId) const;
  //! Message 1133: the active document's views redraw, after the current event.
  void PostRefreshActiveDocument();
  //! Colours menus, bars and the logo item from the active scheme.
  void ApplyScheme();
  //! The status bar's indicator panes, left to right after the message pane.
  std::vector<QLabel*> IndicatorPanes() const;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateActions();
  void CreateMenus();
  void AddPrintActions();
  void CreateToolBar();
  void CreateStatusBar();
  void UpdateMenus();
  void UpdateStatusPanes();
  //! The status pane's name for what the figures hold for.
  static QString ConditionsPaneText(const TestConditions& conditions);
  //! "Simulation > Test Conditions...": a changed choice is kept and shown at once.
  void OnTestConditions();
  void RebuildRecentFiles();
  void RebuildWindowList();
  void ArrangeIcons();
  CChildFrame* AddFrame(CVexoDoc& document);
  void FrameDestroyed(CChildFrame& frame);
  CVexoDoc* DocumentForCommand() const;

  CVexoApp& app_;
  DesktopHost host_;
  DocumentManager documents_;
  UndoHistory undo_;
  RecentFiles mru_;
  QMdiArea* mdiArea_ = nullptr;
  WorkbookTabs* workbook_ = nullptr;
  QMenuBar* menuBar_ = nullptr;
  QToolBar* toolBar_ = nullptr;
  QMenu* fileMenu_ = nullptr;
  QMenu* editMenu_ = nullptr;
  QMenu* windowMenu_ = nullptr;
  QAction* mruSeparator_ = nullptr;
  std::vector<QAction*> mruActions_;
  std::vector<QAction*> windowListActions_;
  std::map<int, QAction*> actions_;
  std::map<int, std::function<void()>> handlers_;
  QLabel* unitsPane_ = nullptr;
  QLabel* autoRunPane_ = nullptr;
  QLabel* resultsPane_ = nullptr;
  QLabel* conditionsPane_ = nullptr;  // the correction standard of the shown figures
  QTimer* timer1_ = nullptr;
  QTimer* timer2_ = nullptr;
  std::vector<CChildFrame*> frames_;
  bool closingAll_ = false;
};

}  // namespace brisca
