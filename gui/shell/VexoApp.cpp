#include "gui/shell/VexoApp.h"

#include <QApplication>
#include <QIcon>
#include <QProcess>
#include <QSettings>

#include "core/base/ErrCode.h"
#include "core/document/VexoDoc.h"
#include "gui/shell/AutoSaver.h"
#include "gui/shell/ColorScheme.h"
#include "gui/shell/CommandLine.h"
#include "gui/shell/LogoItem.h"
#include "gui/shell/LowColorDlg.h"
#include "gui/shell/MainFrame.h"
#include "gui/shell/ManualViewer.h"
#include "gui/shell/PathText.h"
#include "gui/shell/RecoveryStore.h"
#include "gui/shell/SplashScreen.h"
#include "gui/shell/TerminationSignals.h"
#include "gui/shell/TestScript.h"

namespace brisca {
namespace {

constexpr int kManualError = 76;
constexpr int kExternalViewerNotice = 380;
constexpr int kSchemeChangeNotice = 113;
const char* const kManualFile = "Brisca User Manual.pdf";

// The logo at the sizes window managers ask for.
QIcon AppIcon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128}) icon.addPixmap(LogoPixmap(size));
  return icon;
}

}  // namespace

CVexoApp::CVexoApp(AppOptions options) : options_(std::move(options)) {}

CVexoApp::~CVexoApp() {
  // A manual opener still starting the viewer is let finish rather than killed.
  for (QProcess* opener : findChildren<QProcess*>()) opener->waitForFinished(3000);
  delete manualViewer_.data();
  delete mainFrame_.data();
}

CMainFrame* CVexoApp::MainFrame() const { return mainFrame_.data(); }
CManualViewer* CVexoApp::ManualViewer() const { return manualViewer_.data(); }

bool CVexoApp::InitInstance(const QStringList& arguments) {
  paths_ = ProgramPaths::Discover();  // 1

  splash_ = std::make_unique<SplashScreen>();  // 2
  splash_->ShowNow();

  QCoreApplication::setOrganizationName(QStringLiteral("Quillon"));  // 3
  QCoreApplication::setApplicationName(QStringLiteral("Brisca"));

  QSettings settings;  // 4: the engine-files folder comes with the paths; 5:
  prefs_ = Preferences::Read(settings);
  schemeNumber_ = ValidScheme(prefs_.colorSchemeLastUsed);
  SetActiveScheme(schemeNumber_);

  QApplication::setWindowIcon(AppIcon());
  mainFrame_ = new CMainFrame(*this, paths_.EngineFolder(),  // 6
                              paths_.programDataFolder / "EngineFiles (.QEN)");
  if (!mainFrame_) return false;
  mainFrame_->setAttribute(Qt::WA_DeleteOnClose);
  StartRecovery();

  const QStringList files = EngineFilesOfCommandLine(arguments);  // 7

  splash_->WaitUntilShownFor(options_.splashMinimumMs);  // 8
  mainFrame_->SetWorkbook(true);
  splash_->close();
  splash_.reset();

  CheckLowColorDisplay();  // 9

  // 10: the window comes first, so that a file that cannot be read is reported
  // over it; the empty engine only when no file opened.
  if (options_.showMaximized) {
    mainFrame_->showMaximized();
  } else {
    mainFrame_->show();
  }
  const int recovered =
      autoSaver_ ? OfferRecovery(*mainFrame_, *recovery_, *autoSaver_, options_.recoveryAnswer) : 0;
  // A termination signal while the offer was up ends the program here.
  if (quitBySignal_) return false;
  OpenStartFiles(files, recovered > 0);
  if (mainFrame_ && !options_.testScript.isEmpty()) RunTestScript(*mainFrame_, options_.testScript);
  if (mainFrame_) mainFrame_->update();
  return true;
}

bool CVexoApp::StartRecovery() {
  if (options_.recoveryFolder.empty()) return false;
  recovery_ = std::make_unique<RecoveryStore>(options_.recoveryFolder);
  if (!recovery_->BeginSession()) {
    recovery_.reset();
    return false;
  }
  autoSaver_ = std::make_unique<AutoSaver>(*recovery_, options_.autosaveMs);
  autoSaver_->Watch(&mainFrame_->Documents());
  AutoSaver* saver = autoSaver_.get();
  mainFrame_->Documents().SetReleasedHook([saver](const CVexoDoc& document) { saver->Forget(document); });
  // The main window closes before the program ends: nothing to watch then.
  connect(mainFrame_, &QObject::destroyed, saver, [saver] { saver->Watch(nullptr); });
  signals_ = std::make_unique<TerminationSignals>([this](int) { QuitOnSignal(); });
  return true;
}

void CVexoApp::QuitOnSignal() {
  if (autoSaver_) {
    autoSaver_->SaveNow();
    autoSaver_->Freeze();
  }
  quitBySignal_ = true;
  // exit() rather than quit(): closing the windows would ask about each
  // unsaved engine, and nobody is there to answer. Every event loop ends,
  // a dialog's included.
  QCoreApplication::exit(0);
}

void CVexoApp::OpenStartFiles(const QStringList& files, bool anyOpen) {
  bool opened = anyOpen;
  for (const QString& file : files) {
    // A window closed while a later file's error was up leaves nothing to open into.
    if (!mainFrame_) return;
    opened = mainFrame_->OpenFile(ToPath(file)) || opened;
  }
  if (mainFrame_ && !opened) mainFrame_->OnFileNew();
}

void CVexoApp::CheckLowColorDisplay() {
  lowColor_ = IsLowColor(options_.displayColors ? options_.displayColors() : DisplayColors{});
  if (!lowColor_) return;
  schemeNumber_ = 0;
  SetActiveScheme(0);
  mainFrame_->ApplyScheme();
  if (!prefs_.suppressLowColorNotice || prefs_.highColorModeLastUsed) {
    CLowColorDlg notice(mainFrame_);
    notice.exec();
    if (notice.DontShowAgain()) prefs_.suppressLowColorNotice = true;
  }
}

void CVexoApp::SetConditions(const TestConditions& conditions) {
  prefs_.conditions = conditions;
  QSettings settings;
  prefs_.WriteConditions(settings);
}

void CVexoApp::ExitInstance() {
  // A clean exit leaves no recovery file; a quit on a signal keeps them all.
  if (autoSaver_) autoSaver_->Freeze();
  if (recovery_) recovery_->EndSession(quitBySignal_);
  prefs_.highColorModeLastUsed = !lowColor_;
  prefs_.colorSchemeLastUsed = schemeNumber_;
  QSettings settings;
  prefs_.Write(settings);
}

std::filesystem::path CVexoApp::ManualPath() const {
  return options_.manualFile.empty() ? paths_.ManualFolder() / kManualFile : options_.manualFile;
}

void CVexoApp::OnSchemeCommand(int command) {
  const int scheme = SchemeOfCommand(command);
  if (scheme < 0 || scheme == schemeNumber_) return;
  if (ReportNoticeCode(kSchemeChangeNotice, true) != MessageButton::Ok) return;
  schemeNumber_ = scheme;  // drawn from the next start on
  if (mainFrame_) mainFrame_->close();
}

void CVexoApp::OnUserManual() {
  const std::filesystem::path manual = ManualPath();
  std::error_code error;
  if (!std::filesystem::is_regular_file(manual, error)) {
    ReportErrorCode(kManualError, false, manual.string().c_str());
    return;
  }
  if (!manualViewer_) {
    // A window of its own, not owned by the main window: it stays readable
    // beside the engines and closes with the program.
    manualViewer_ = new CManualViewer(ToQString(manual), [this] { OpenManualExternally(); });
    if (mainFrame_) connect(mainFrame_, &QObject::destroyed, manualViewer_, &QWidget::close);
  }
  manualViewer_->show();
  manualViewer_->raise();
  manualViewer_->activateWindow();
}

void CVexoApp::OpenManualExternally() {
  const QString manual = ToQString(ManualPath());
  const std::string command = (options_.manualOpener + QLatin1Char(' ') + manual).toStdString();
  auto* opener = new QProcess(this);
  connect(opener, &QProcess::finished, this, [opener, command](int exitCode, QProcess::ExitStatus status) {
    if (status != QProcess::NormalExit || exitCode != 0) {
      ReportNoticeCode(kExternalViewerNotice, false, command.c_str());
    }
    opener->deleteLater();
  });
  connect(opener, &QProcess::errorOccurred, this, [opener, command](QProcess::ProcessError error) {
    if (error != QProcess::FailedToStart) return;  // a crash is reported by finished()
    ReportNoticeCode(kExternalViewerNotice, false, command.c_str());
    opener->deleteLater();
  });
  opener->start(options_.manualOpener, {manual});
}

}  // namespace brisca
