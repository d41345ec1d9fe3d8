#pragma once
// The numbered messages. Code that detects a problem passes only the number
// (and for a few codes a detail text); title, wording, icon and buttons are
// decided here. Errors 1..187 (and 300..399, added since), notices 101..117
// and 300 on ("Important!"), warnings 200..206 ("Warning!") and Yes/No
// questions (300 on) are separate numbering spaces.

#include "core/base/MessagePresenter.h"

namespace brisca {

//! Composes error `code` (1..187, 300..399). askOkCancel gives the information
//! icon with OK and Cancel, else the stop icon with OK. A code this program does not
//! define, or a missing required detail, is a FatalAssert.
Message ComposeErrorMessage(int code, bool askOkCancel = false, const char* detailText = nullptr);
//! Composes notice `code` (101..117, 300 on): title "Important!", information icon.
Message ComposeNoticeMessage(int code, bool askOkCancel = false, const char* detailText = nullptr);
//! Composes warning `code` (200..206): title "Warning!", warning icon, OK and Cancel.
Message ComposeWarningMessage(int code);
//! Composes question `code` (300 on): question icon, Yes and No.
Message ComposeQuestionMessage(int code, const char* detailText = nullptr);
//! Composes the OS's text for `errorNumber` under the title "Error".
Message ComposeSystemErrorMessage(int errorNumber);

//! True where ComposeErrorMessage / ComposeNoticeMessage accept the code.
bool IsErrorCodeDefined(int code);
bool IsNoticeCodeDefined(int code);

//! Compose, show through CurrentPresenter(), return the button pressed.
MessageButton ReportErrorCode(int code, bool askOkCancel = false, const char* detailText = nullptr);
MessageButton ReportNoticeCode(int code, bool askOkCancel = false, const char* detailText = nullptr);
MessageButton ReportWarningCode(int code);
MessageButton ReportSystemError(int errorNumber);
//! Asks question `code`; true for Yes.
bool AskQuestionCode(int code, const char* detailText = nullptr);

}  // namespace brisca
