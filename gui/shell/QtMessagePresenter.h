#pragma once
// Shows numbered messages as message boxes owned by the window that has the
// keyboard focus (no owner when none has it), the number in the box's caption.

#include "core/base/MessagePresenter.h"

namespace brisca {

class QtMessagePresenter final : public MessagePresenter {
 public:
  MessageButton Show(const Message& message) override;
};

//! FatalAssert hook: the "ASSERTION FAILURE" box (the caller then ends the process).
void ShowFatalAssertBox(const std::string& title, const std::string& text);

}  // namespace brisca
