// brisca-tour OUTDIR: pictures of the program's windows for people to read.
#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

#include <cstdio>

#include "core/base/FatalAssert.h"
#include "core/base/MessagePresenter.h"
#include "gui/tour/ScreenshotTour.h"

namespace {

// The tour answers no questions: every numbered message is printed and counted
// as a failure, and answered OK so that nothing waits for a hand.
class TourPresenter final : public brisca::MessagePresenter {
 public:
  brisca::MessageButton Show(const brisca::Message& message) override {
    std::fprintf(stderr, "%s\n", brisca::FormatMessageForConsole(message).c_str());
    ++shown;
    return brisca::MessageButton::Ok;
  }
  int shown = 0;
};

}  // namespace

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const QStringList args = QApplication::arguments();
  if (args.size() != 2) {
    std::fprintf(stderr, "usage: brisca-tour OUTDIR\n");
    return 2;
  }

  // Never the user's settings: a scratch settings store for the tour.
  QTemporaryDir settingsDir;
  QSettings::setDefaultFormat(QSettings::IniFormat);
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
  QApplication::setOrganizationName(QStringLiteral("Quillon"));
  QApplication::setApplicationName(QStringLiteral("Brisca"));

  TourPresenter presenter;
  brisca::ScopedPresenter installed(presenter);

  brisca::ScreenshotTour tour(args.at(1), settingsDir.path());
  bool ok = false;
  try {
    ok = tour.Run();
  } catch (...) {
    brisca::FatalUncaughtException(__FILE__, __LINE__);
  }
  for (const QString& path : tour.Written()) std::printf("%s\n", qPrintable(path));
  for (const QString& failure : tour.Failures()) std::fprintf(stderr, "FAILED: %s\n", qPrintable(failure));
  if (presenter.shown > 0) std::fprintf(stderr, "FAILED: %d numbered messages came up\n", presenter.shown);
  return ok && presenter.shown == 0 ? 0 : 1;
}
