#include <QApplication>

#include "core/base/FatalAssert.h"
#include "gui/shell/AutoSaver.h"
#include "gui/shell/CommandLine.h"
#include "gui/shell/QtMessagePresenter.h"
#include "gui/shell/RecoveryStore.h"
#include "gui/shell/VexoApp.h"

int main(int argc, char* argv[]) {
  // --help and --version are answered before anything needs a display.
  if (const auto status = brisca::AnswerInformationOptions(argc, argv)) return *status;
  QApplication app(argc, argv);

  brisca::QtMessagePresenter presenter;
  brisca::InstallPresenter(&presenter);
  brisca::SetFatalAssertHook(&brisca::ShowFatalAssertBox);

  int status = 1;
  try {
    // The program itself keeps unsaved engines for recovery; $BRISCA_AUTOSAVE_MS
    // sets the interval, $BRISCA_RECOVERY ("recover", "discard") answers the
    // start-up offer, $BRISCA_TEST_HOOK is for the desktop tests alone.
    brisca::AppOptions options;
    options.recoveryFolder = brisca::RecoveryStore::DefaultRoot();
    options.autosaveMs = brisca::AutosaveIntervalFromEnvironment();
    options.recoveryAnswer = brisca::RecoveryAnswerFromText(qEnvironmentVariable("BRISCA_RECOVERY"));
    options.testScript = qEnvironmentVariable("BRISCA_TEST_HOOK");
    brisca::CVexoApp vexo(options);
    if (vexo.InitInstance(QApplication::arguments())) {
      status = QApplication::exec();
      vexo.ExitInstance();
    }
  } catch (...) {
    // Every error a user can cause has its numbered message; anything else is ours.
    brisca::FatalUncaughtException(__FILE__, __LINE__);
  }
  brisca::InstallPresenter(nullptr);
  return status;
}
