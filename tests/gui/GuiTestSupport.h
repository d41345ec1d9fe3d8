#pragma once
// Helpers of the desktop tests: answer the next modal dialog, start the
// application with settings in a scratch folder, find the sample engines.

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <filesystem>
#include <functional>
#include <memory>

#include "core/document/ProgramPaths.h"
#include "gui/shell/DisplayColors.h"
#include "gui/shell/MainFrame.h"
#include "gui/shell/VexoApp.h"

namespace brisca::test {

//! Once a modal dialog of type T is up and active (typed keys reach it), hands
//! it to `answer` (which must close it). Looks every 20 ms for up to 30 s: a
//! first file dialog on a loaded machine can take seconds to appear. `seen` is
//! set when the dialog was found.
template <typename T>
void AnswerNextModal(std::function<void(T*)> answer, bool* seen = nullptr,
                     QDeadlineTimer deadline = QDeadlineTimer(30000)) {
  QTimer::singleShot(20, [answer, seen, deadline] {
    auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
    if (!dialog || (!dialog->isActiveWindow() && !deadline.hasExpired())) {
      if (!deadline.hasExpired()) AnswerNextModal<T>(answer, seen, deadline);
      return;
    }
    if (seen) *seen = true;
    answer(dialog);
  });
}

//! Points QSettings at a folder of its own for the test program's lifetime.
class ScratchSettings {
 public:
  ScratchSettings() {
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir_.path());
    QApplication::setOrganizationName(QStringLiteral("Quillon"));
    QApplication::setApplicationName(QStringLiteral("Brisca"));
  }
  static void Clear() { QSettings().clear(); }
  QString Path() const { return dir_.path(); }

 private:
  QTemporaryDir dir_;
};

inline DisplayColors HighColorDisplay() { return {}; }

//! Options for a quick start: no splash wait, a high-colour display.
inline AppOptions QuickStart() {
  AppOptions options;
  options.splashMinimumMs = 0;
  options.displayColors = HighColorDisplay;
  options.manualOpener = QStringLiteral("false");
  return options;
}

inline std::filesystem::path SampleEngine(const char* name = "Stock Small-Block V8.qen") {
  return ProgramPaths::Discover().programDataFolder / "EngineFiles (.QEN)" / name;
}

//! Starts the application quickly on cleared scratch settings and opens
//! `engine` in it; null when the start or the open fails.
inline std::unique_ptr<CVexoApp> StartWithEngine(const std::filesystem::path& engine = SampleEngine()) {
  ScratchSettings::Clear();
  auto app = std::make_unique<CVexoApp>(QuickStart());
  if (!app->InitInstance({QStringLiteral("brisca")}) || !app->MainFrame()->OpenFile(engine)) return nullptr;
  return app;
}

}  // namespace brisca::test
