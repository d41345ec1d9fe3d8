#pragma once
// Shared pieces of the libFuzzer targets: each feeds its input to one file
// reader as the whole text of a file. A reader may refuse the text with a
// FileError; anything else (a crash, a sanitizer report, a FatalAssert exit, a
// text that was read but cannot be written and read again) is a finding.

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "core/base/MessagePresenter.h"
#include "core/base/TextReader.h"
#include "core/base/TextWriter.h"

namespace brisca::fuzz {

//! Answers every message with OK and shows nothing: messages are expected.
class QuietPresenter final : public MessagePresenter {
 public:
  MessageButton Show(const Message&) override { return MessageButton::Ok; }
};

inline void InstallQuietPresenter() {
  static QuietPresenter presenter;
  static const bool installed = (InstallPresenter(&presenter), true);
  (void)installed;
}

inline TextReader ReaderOf(const std::uint8_t* data, std::size_t size) {
  return TextReader(std::string(reinterpret_cast<const char*>(data), size));
}

//! What was read must survive its own writer and reader: a saved file that
//! cannot be opened again would be lost work.
template <typename Record, typename Write, typename Read>
void CheckRoundTrip(const Record& record, Write write, Read read) {
  std::ostringstream text;
  TextWriter writer(text);
  write(record, writer);
  TextReader reader(text.str());
  Record again;
  try {
    read(again, reader);
  } catch (...) {
    std::abort();
  }
}

}  // namespace brisca::fuzz
