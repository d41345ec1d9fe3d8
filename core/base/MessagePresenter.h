#pragma once
// How the core shows a numbered message. Each front end implements the port:
// the desktop program with a message box owned by the focused window, the
// headless program on stderr, the tests with a script that records and answers.

#include <string>

namespace brisca {

enum class MessageKind { Error, Notice, Warning, SystemError, Question };
enum class MessageIcon { Stop, Information, Warning, Question };
enum class MessageButtons { Ok, OkCancel, YesNo };
//! The button pressed; for a Yes/No question Ok stands for Yes and Cancel for No.
enum class MessageButton { Ok, Cancel };

//! One composed message, ready to show.
struct Message {
  MessageKind kind = MessageKind::Error;
  int code = 0;            //!< number within its kind (system error number for SystemError)
  std::string title;       //!< box caption
  std::string text;        //!< body, lines separated by '\n'
  MessageIcon icon = MessageIcon::Stop;
  MessageButtons buttons = MessageButtons::Ok;
};

class MessagePresenter {
 public:
  virtual ~MessagePresenter() = default;
  //! Shows the message and blocks until it is answered; returns the button pressed.
  virtual MessageButton Show(const Message& message) = 0;
};

//! The presenter the Report* functions use. Installed once by the front end at
//! start-up (and by tests through a scoped guard); until then messages go to stderr.
MessagePresenter& CurrentPresenter();

//! Installs `presenter` (nullptr restores the stderr default) and returns the previous one.
MessagePresenter* InstallPresenter(MessagePresenter* presenter);

//! Installs a presenter for the guard's lifetime.
class ScopedPresenter {
 public:
  explicit ScopedPresenter(MessagePresenter& presenter) : previous_(InstallPresenter(&presenter)) {}
  ~ScopedPresenter() { InstallPresenter(previous_); }
  ScopedPresenter(const ScopedPresenter&) = delete;
  ScopedPresenter& operator=(const ScopedPresenter&) = delete;

 private:
  MessagePresenter* previous_;
};

//! Asks `text` under `title` with the question icon and Yes and No buttons;
//! true for Yes. Not a numbered message.
bool AskYesNo(const std::string& title, const std::string& text);

//! The box's caption: the title after the message's number, "Error 45: File Error",
//! so that the number the manual asks users to quote is in sight; a message
//! without a number (a plain question) keeps its title alone.
std::string NumberedTitle(const Message& message);

//! "Error 45: File Error: Unable to Read from the Selected File" — one line per
//! message line, as the headless program prints it.
std::string FormatMessageForConsole(const Message& message);

}  // namespace brisca
