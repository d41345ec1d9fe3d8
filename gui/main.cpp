#include <QApplication>

#include "core/base/FatalAssert.h"
#include "gui/shell/CommandLine.h"
#include "gui/shell/QtMessagePresenter.h"
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
    brisca::CVexoApp vexo;
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
