#include "core/base/MessagePresenter.h"

#include <atomic>
#include <cstdio>

namespace brisca {
namespace {

const char* KindWord(MessageKind kind) {
  switch (kind) {
    case MessageKind::Error: return "Error";
    case MessageKind::Notice: return "Notice";
    case MessageKind::Warning: return "Warning";
    case MessageKind::SystemError: return "System error";
    case MessageKind::Question: return "Question";
  }
  return "Message";
}

// Answers OK after printing; stands in until a front end installs its own.
class StderrFallbackPresenter final : public MessagePresenter {
 public:
  MessageButton Show(const Message& message) override {
    std::fprintf(stderr, "%s\n", FormatMessageForConsole(message).c_str());
    return MessageButton::Ok;
  }
};

StderrFallbackPresenter g_fallback;
std::atomic<MessagePresenter*> g_presenter{&g_fallback};

}  // namespace

MessagePresenter& CurrentPresenter() { return *g_presenter.load(); }

MessagePresenter* InstallPresenter(MessagePresenter* presenter) {
  MessagePresenter* previous = g_presenter.exchange(presenter ? presenter : &g_fallback);
  return previous == &g_fallback ? nullptr : previous;
}

bool AskYesNo(const std::string& title, const std::string& text) {
  Message question;
  question.kind = MessageKind::Question;
  question.title = title;
  question.text = text;
  question.icon = MessageIcon::Question;
  question.buttons = MessageButtons::YesNo;
  return CurrentPresenter().Show(question) == MessageButton::Ok;
}

std::string NumberedTitle(const Message& message) {
  if (message.code == 0) return message.title;
  return std::string(KindWord(message.kind)) + ' ' + std::to_string(message.code) + ": " + message.title;
}

std::string FormatMessageForConsole(const Message& message) {
  std::string out = KindWord(message.kind);
  out += ' ';
  out += std::to_string(message.code);
  out += ": ";
  out += message.title;
  out += ": ";
  // Continuation lines are indented so that a reader (or grep) sees one message.
  for (char c : message.text) {
    if (c == '\n') {
      out += "\n    ";
    } else {
      out += c;
    }
  }
  while (!out.empty() && (out.back() == ' ' || out.back() == '\n')) out.pop_back();
  return out;
}

}  // namespace brisca
