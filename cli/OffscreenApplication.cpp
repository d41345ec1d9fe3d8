#ifdef BRISCA_CLI_CHARTS
#include "cli/OffscreenApplication.h"

#include <QApplication>
#include <QByteArray>

namespace brisca::cli {

std::unique_ptr<QApplication> MakeOffscreenApplication() {
  if (QApplication::instance()) return nullptr;
  qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
  static int argc = 1;
  static char name[] = "brisca-cli";
  static char* argv[] = {name, nullptr};
  return std::make_unique<QApplication>(argc, argv);
}

}  // namespace brisca::cli
#endif
