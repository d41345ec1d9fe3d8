#ifdef BRISCA_CLI_CHARTS
#include "cli/OffscreenApplication.h"

#include <QApplication>
#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>

namespace brisca::cli {
namespace {

// Qt's own messages ("QStandardPaths: XDG_RUNTIME_DIR not set", a painter that
// could not begin on a file we report ourselves) would bury ours on standard
// error; they say nothing a user of the command line can act on. A fatal one
// still ends the process as Qt's handler would, with its text.
void DropQtMessages(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtFatalMsg) {
    std::fprintf(stderr, "brisca-cli: %s\n", text.toLocal8Bit().constData());
    std::abort();
  }
}

}  // namespace

std::unique_ptr<QApplication> MakeOffscreenApplication() {
  if (QApplication::instance()) return nullptr;
  qInstallMessageHandler(DropQtMessages);
  qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
  static int argc = 1;
  static char name[] = "brisca-cli";
  static char* argv[] = {name, nullptr};
  return std::make_unique<QApplication>(argc, argv);
}

}  // namespace brisca::cli
#endif
