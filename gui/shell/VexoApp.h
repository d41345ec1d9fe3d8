#pragma once
// The application: start-up in ten steps, the preferences, the colour scheme
// and the application-wide commands (colour schemes, user manual).
//
// Start-up, in this order:
//   1 record the start-up folder        6 create the main frame
//   2 show the splash                   7 parse the command line
//   3 settings "Quillon", 4 recent files 8 splash up >= its minimum; workbook on
//   4 engine-files folder               9 low-colour check and notice
//   5 preferences, colour scheme       10 main window maximised; the files named
//                                          on the command line, or one new engine
// Shut-down writes "HighColorModeLastUsed", "ColorSchemeNumLastUsed" and
// "SuppressLowClrInfoMsg".

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <filesystem>
#include <memory>

#include "core/document/ProgramPaths.h"
#include "gui/shell/DisplayColors.h"
#include "gui/shell/Preferences.h"
#include "gui/shell/RecoveryOffer.h"

namespace brisca {

class AutoSaver;
class CMainFrame;
class CManualViewer;
class RecoveryStore;
class SplashScreen;
class TerminationSignals;

struct AppOptions {
  int splashMinimumMs = 2000;                           //!< how long the splash stays at least
  DisplayColorProbe displayColors = PrimaryScreenColors;  //!< what the display reports
  QString manualOpener = QStringLiteral("xdg-open");    //!< the outside viewer of the manual
  std::filesystem::path manualFile;                     //!< empty: the manual in the data folder
  bool showMaximized = true;                            //!< step 10 (the tour sizes the window itself)
  //! Autosave and recovery: the recovery folder (empty: neither, as in tests
  //! that do not ask for it), the autosave interval and how the start-up offer
  //! of an earlier run's unsaved engines is answered.
  std::filesystem::path recoveryFolder;
  int autosaveMs = 60 * 1000;
  RecoveryAnswer recoveryAnswer = RecoveryAnswer::Ask;
  QString testScript;  //!< test-only start-up actions (gui/shell/TestScript.h)
};

class CVexoApp : public QObject {
  Q_OBJECT

 public:
  explicit CVexoApp(AppOptions options = {});
  ~CVexoApp() override;

  //! Steps 1..10; false when the main frame could not be made.
  bool InitInstance(const QStringList& arguments);
  //! Writes the three preferences.
  void ExitInstance();

  CMainFrame* MainFrame() const;
  const ProgramPaths& Paths() const { return paths_; }
  std::filesystem::path EngineFolder() const { return paths_.EngineFolder(); }
  //! The user manual the Help command opens.
  std::filesystem::path ManualPath() const;
  const Preferences& Prefs() const { return prefs_; }
  //! Keeps new test conditions and writes them to the settings store at once.
  void SetConditions(const TestConditions& conditions);
  //! The current scheme: the one drawn, or the one chosen for the next start.
  int SchemeNumber() const { return schemeNumber_; }
  bool IsLowColorDisplay() const { return lowColor_; }

  //! A scheme command: nothing when it is current; else notice 113, and on OK
  //! the scheme becomes current and the main window closes.
  void OnSchemeCommand(int command);
  //! "User Manual...": the manual in the program's own viewer (brought to the
  //! front when already open); error 76, naming the path, when the PDF is missing.
  void OnUserManual();
  //! The manual in the outside viewer; notice 380 when that viewer fails.
  void OpenManualExternally();
  //! The viewer the Help command opened (null when none is open).
  CManualViewer* ManualViewer() const;
  //! Autosave (null when recovery is off).
  AutoSaver* Saver() const { return autoSaver_.get(); }
  //! A termination signal: unsaved engines are written for recovery, then the
  //! program quits without questions, keeping those files for the next start.
  void QuitOnSignal();

 private:
  void CheckLowColorDisplay();
  //! Each file in a window of its own (errors by number); "Brisca1" when none opened.
  void OpenStartFiles(const QStringList& files, bool anyOpen);
  //! This run's recovery session, autosave and signal handling; false when off.
  bool StartRecovery();

  AppOptions options_;
  ProgramPaths paths_;
  Preferences prefs_;
  int schemeNumber_ = 1;
  bool lowColor_ = false;
  std::unique_ptr<SplashScreen> splash_;
  QPointer<CMainFrame> mainFrame_;
  QPointer<CManualViewer> manualViewer_;
  std::unique_ptr<RecoveryStore> recovery_;
  std::unique_ptr<AutoSaver> autoSaver_;
  std::unique_ptr<TerminationSignals> signals_;
  bool quitBySignal_ = false;
};

}  // namespace brisca
