#include "core/base/ErrCode.h"

#include <array>
#include <charconv>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>
#include <system_error>

#include "core/base/FatalAssert.h"
#include "core/base/MessageTable.h"
#include "core/base/Version.h"

namespace brisca {
namespace {

constexpr int kFirstErrorCode = 1;
constexpr int kLastErrorCode = 187;
constexpr int kFirstNoticeCode = 101;
constexpr int kLastNoticeCode = 117;
constexpr int kFirstWarningCode = 200;
constexpr int kLastWarningCode = 206;

bool IsPresent(const char* text) { return text != nullptr && *text != '\0'; }

// Fills a printf-style format that uses only "%d" and "%.Nf". The digits do not
// depend on the process locale: a German desktop must still show "25.400".
std::string FormatNumbers(std::string_view format, const std::array<double, 4>& numbers) {
  std::string out;
  std::size_t next = 0;
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%') {
      out += format[i];
      continue;
    }
    BRISCA_ASSERT(next < numbers.size());
    int precision = 0;
    ++i;
    if (i < format.size() && format[i] == '.') {
      for (++i; i < format.size() && format[i] >= '0' && format[i] <= '9'; ++i)
        precision = precision * 10 + (format[i] - '0');
    }
    BRISCA_ASSERT(i < format.size() && (format[i] == 'f' || format[i] == 'd'));
    char buffer[64];
    const std::to_chars_result written =
        format[i] == 'f' ? std::to_chars(buffer, buffer + sizeof buffer, numbers[next],
                                         std::chars_format::fixed, precision)
                         : std::to_chars(buffer, buffer + sizeof buffer,
                                         static_cast<long long>(numbers[next]));
    BRISCA_ASSERT(written.ec == std::errc());
    out.append(buffer, written.ptr);
    ++next;
  }
  return out;
}

// The text of `entry` with its markers filled in (see MessageTable.h).
std::string ExpandText(const MessageEntry& entry, const char* detailText) {
  if (entry.detail == DetailRule::Required) BRISCA_ASSERT(IsPresent(detailText));
  std::string out;
  for (std::string_view rest = entry.text; !rest.empty();) {
    const std::size_t open = rest.find('{');
    out += rest.substr(0, open);
    if (open == std::string_view::npos) break;
    const std::size_t close = rest.find('}', open);
    BRISCA_ASSERT(close != std::string_view::npos);
    const std::string_view marker = rest.substr(open + 1, close - open - 1);
    if (marker == "version") {
      out += kFileVersionText;
    } else if (marker == "number") {
      BRISCA_ASSERT(entry.numberFormat != nullptr);
      out += FormatNumbers(entry.numberFormat, entry.numbers);
    } else if (marker == "detail" && entry.detail == DetailRule::Required) {
      out += detailText;
    } else if (marker == "detail" && entry.detail == DetailRule::Optional) {
      if (IsPresent(detailText)) {
        out += entry.detailLead;
        out += detailText;
        out += "\n\n";
      }
    } else {
      FatalAssert(__FILE__, __LINE__);  // a marker the entry has no value for
    }
    rest.remove_prefix(close + 1);
  }
  return out;
}

// strerror_r comes in two shapes: GNU returns the text (maybe not in `buffer`),
// XSI fills `buffer` and returns 0 on success. Overloads pick whichever the C
// library declares. std::strerror may share one buffer between threads.
[[maybe_unused]] const char* StrerrorResult(const char* text, const char*) { return text; }
[[maybe_unused]] const char* StrerrorResult(int failed, const char* buffer) {
  return failed == 0 ? buffer : nullptr;
}

std::string SystemErrorText(int errorNumber) {
  char buffer[256] = {};
  const char* text = StrerrorResult(strerror_r(errorNumber, buffer, sizeof buffer), buffer);
  if (IsPresent(text)) return text;
  return "Unknown error " + std::to_string(errorNumber);
}

Message ComposeFromTable(MessageKind kind, int code, const char* detailText) {
  const MessageEntry* entry = FindMessageEntry(kind, code);
  BRISCA_ASSERT(entry != nullptr);
  Message message;
  message.kind = kind;
  message.code = code;
  message.title = entry->title;
  message.text = ExpandText(*entry, detailText);
  return message;
}

}  // namespace

bool IsErrorCodeDefined(int code) {
  // 300 on: this program's own messages.
  return ((code >= kFirstErrorCode && code <= kLastErrorCode) || code >= 300) &&
         FindMessageEntry(MessageKind::Error, code) != nullptr;
}

bool IsNoticeCodeDefined(int code) {
  return code >= kFirstNoticeCode && code <= kLastNoticeCode &&
         FindMessageEntry(MessageKind::Notice, code) != nullptr;
}

Message ComposeErrorMessage(int code, bool askOkCancel, const char* detailText) {
  BRISCA_ASSERT(IsErrorCodeDefined(code));
  Message message = ComposeFromTable(MessageKind::Error, code, detailText);
  message.icon = askOkCancel ? MessageIcon::Information : MessageIcon::Stop;
  message.buttons = askOkCancel ? MessageButtons::OkCancel : MessageButtons::Ok;
  return message;
}

Message ComposeNoticeMessage(int code, bool askOkCancel) {
  BRISCA_ASSERT(IsNoticeCodeDefined(code));
  Message message = ComposeFromTable(MessageKind::Notice, code, nullptr);
  message.icon = MessageIcon::Information;
  message.buttons = askOkCancel ? MessageButtons::OkCancel : MessageButtons::Ok;
  return message;
}

Message ComposeWarningMessage(int code) {
  BRISCA_ASSERT(code >= kFirstWarningCode && code <= kLastWarningCode);
  Message message = ComposeFromTable(MessageKind::Warning, code, nullptr);
  message.icon = MessageIcon::Warning;
  message.buttons = MessageButtons::OkCancel;
  return message;
}

Message ComposeSystemErrorMessage(int errorNumber) {
  Message message;
  message.kind = MessageKind::SystemError;
  message.code = errorNumber;
  message.title = "Error";
  message.text = SystemErrorText(errorNumber);
  message.icon = MessageIcon::Information;
  message.buttons = MessageButtons::Ok;
  return message;
}

MessageButton ReportErrorCode(int code, bool askOkCancel, const char* detailText) {
  return CurrentPresenter().Show(ComposeErrorMessage(code, askOkCancel, detailText));
}

MessageButton ReportNoticeCode(int code, bool askOkCancel) {
  return CurrentPresenter().Show(ComposeNoticeMessage(code, askOkCancel));
}

MessageButton ReportWarningCode(int code) {
  return CurrentPresenter().Show(ComposeWarningMessage(code));
}

MessageButton ReportSystemError(int errorNumber) {
  return CurrentPresenter().Show(ComposeSystemErrorMessage(errorNumber));
}

}  // namespace brisca
