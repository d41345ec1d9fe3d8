#pragma once
// The headless program's presenter: prints each message to stderr as
// "Error 45: File Error: Unable to Read from the Selected File" and answers
// questions with the answer chosen on the command line (OK unless told otherwise).

#include "core/base/MessagePresenter.h"

namespace brisca {

class StderrPresenter final : public MessagePresenter {
 public:
  explicit StderrPresenter(MessageButton answer = MessageButton::Ok) : answer_(answer) {}
  MessageButton Show(const Message& message) override;

 private:
  MessageButton answer_;
};

}  // namespace brisca
