#include <QApplication>

#include "core/base/FatalAssert.h"
#include "gui/shell/MainWindow.h"
#include "gui/shell/QtMessagePresenter.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("Quillon"));
  QApplication::setApplicationName(QStringLiteral("Brisca"));

  brisca::QtMessagePresenter presenter;
  brisca::InstallPresenter(&presenter);
  brisca::SetFatalAssertHook(&brisca::ShowFatalAssertBox);

  brisca::MainWindow window;
  window.show();
  const int status = QApplication::exec();
  brisca::InstallPresenter(nullptr);
  return status;
}
