#pragma once
// Fills a report template: copies a text file character by character and
// replaces each macro by the text its resolver gives.
//
// A macro starts at "_" and goes on over "_", "0".."9" and "A".."Z"; any other
// character (a lower-case letter, a blank, "<", the end of the input) ends it.
// "_HP1_HP2" is therefore one name, and "my_file" holds no macro. A name the
// resolver does not know is copied unchanged.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace brisca {

//! Numbered messages of Process (ReportErrorCode, "Kalvex Error").
enum MacroProcessorErrorCode : int {
  kErrReportInputOpen = 123,    //!< the template cannot be opened or read (or is too large)
  kErrReportInputClose = 125,
  kErrReportOutputOpen = 126,
  kErrReportOutputWrite = 127,
  kErrReportOutputClose = 128,
};

//! Longest name collected for the resolver. A longer run of macro characters
//! names nothing and is copied as it stands.
inline constexpr std::size_t kMaxMacroNameLength = 255;

class CReportMacroProcessor {
 public:
  CReportMacroProcessor() = default;
  virtual ~CReportMacroProcessor() = default;
  CReportMacroProcessor(const CReportMacroProcessor&) = delete;
  CReportMacroProcessor& operator=(const CReportMacroProcessor&) = delete;

  //! The text of macro `name` ("_HP12"); false for a name it does not know.
  //! The base knows none: asking it is a broken precondition (FatalAssert).
  virtual bool ResolveMacro(std::string_view name, std::string& text);

  //! Copies `input` (read whole, at most kMaxDataFileBytes) to `output`
  //! (created or replaced), replacing macros. The first failure is reported
  //! (123 input open, read or too large, 126 output open, 127 write, 125 / 128
  //! close), both files are closed and the answer is false.
  //! An output that is the input file itself is refused (126), leaving it whole.
  bool Process(const std::filesystem::path& input, const std::filesystem::path& output);

  //! True for "_", "0".."9" and "A".."Z": the characters that continue a macro.
  static bool IsMacroChar(char c) {
    return c == '_' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z');
  }
};

}  // namespace brisca
