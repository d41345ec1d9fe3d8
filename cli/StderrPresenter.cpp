#include "cli/StderrPresenter.h"

#include <cstdio>

namespace brisca {

MessageButton StderrPresenter::Show(const Message& message) {
  std::fprintf(stderr, "%s\n", FormatMessageForConsole(message).c_str());
  std::fflush(stderr);
  return message.buttons == MessageButtons::OkCancel ? answer_ : MessageButton::Ok;
}

}  // namespace brisca
