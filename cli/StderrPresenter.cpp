#include "cli/StderrPresenter.h"

#include <cstdio>

#include "cli/FailureReport.h"

namespace brisca {

MessageButton StderrPresenter::Show(const Message& message) {
  cli::NoteFailureMessage(message);
  std::fprintf(stderr, "%s\n", FormatMessageForConsole(message).c_str());
  std::fflush(stderr);
  return message.buttons == MessageButtons::OkCancel ? answer_ : MessageButton::Ok;
}

}  // namespace brisca
