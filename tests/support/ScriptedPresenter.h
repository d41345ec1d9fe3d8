#pragma once
// A MessagePresenter for tests: records every message shown and answers from a
// script. Install it for a test's lifetime with ScopedPresenter:
//
//   ScriptedPresenter presenter({MessageButton::Cancel});
//   ScopedPresenter installed(presenter);
//   EXPECT_EQ(ReportErrorCode(108, true, "a.qcm"), MessageButton::Cancel);
//   EXPECT_EQ(presenter.Shown().front().code, 108);

#include <cstddef>
#include <deque>
#include <initializer_list>
#include <vector>

#include "core/base/MessagePresenter.h"

namespace brisca {

class ScriptedPresenter final : public MessagePresenter {
 public:
  ScriptedPresenter() = default;
  //! Answers in order; once the script runs out every message is answered OK.
  ScriptedPresenter(std::initializer_list<MessageButton> answers) : answers_(answers) {}

  MessageButton Show(const Message& message) override {
    shown_.push_back(message);
    if (answers_.empty()) return MessageButton::Ok;
    const MessageButton answer = answers_.front();
    answers_.pop_front();
    return answer;
  }

  //! Queues one more answer after those already scripted.
  void Answer(MessageButton button) { answers_.push_back(button); }

  //! Every message shown so far, oldest first.
  const std::vector<Message>& Shown() const { return shown_; }

  //! Scripted answers not yet used.
  std::size_t PendingAnswers() const { return answers_.size(); }

  void Clear() {
    shown_.clear();
    answers_.clear();
  }

 private:
  std::deque<MessageButton> answers_;
  std::vector<Message> shown_;
};

}  // namespace brisca
