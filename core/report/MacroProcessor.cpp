#include "core/report/MacroProcessor.h"

#include <ostream>
#include <string>
#include <system_error>

#include "core/base/AtomicFile.h"
#include "core/base/ErrCode.h"
#include "core/base/FatalAssert.h"
#include "core/base/FileError.h"
#include "core/base/TextFile.h"

namespace brisca {
namespace {

class MacroCopier {
 public:
  MacroCopier(CReportMacroProcessor& resolver, std::ostream& out) : resolver_(resolver), out_(out) {}

  // False as soon as a write fails.
  bool Put(char c) {
    if (inMacro_) {
      if (CReportMacroProcessor::IsMacroChar(c)) return Collect(c);
      if (!EndMacro()) return false;
    } else if (c == '_') {
      inMacro_ = true;
      return Collect(c);
    }
    return Write(std::string_view(&c, 1));
  }

  // The end of the input ends a macro as well.
  bool Finish() { return !inMacro_ || EndMacro(); }

 private:
  bool Collect(char c) {
    if (overlong_) return Write(std::string_view(&c, 1));
    name_ += c;
    if (name_.size() <= kMaxMacroNameLength) return true;
    // No resolver knows a name this long: copy it as it comes.
    overlong_ = true;
    return Write(name_);
  }

  bool EndMacro() {
    inMacro_ = false;
    std::string name;
    name.swap(name_);
    if (overlong_) {
      overlong_ = false;
      return true;
    }
    std::string text;
    if (resolver_.ResolveMacro(name, text)) return Write(text);
    return Write(name);
  }

  bool Write(std::string_view text) {
    out_.write(text.data(), static_cast<std::streamsize>(text.size()));
    return static_cast<bool>(out_);
  }

  CReportMacroProcessor& resolver_;
  std::ostream& out_;
  bool inMacro_ = false;
  bool overlong_ = false;  //!< the name outgrew kMaxMacroNameLength and is being copied
  std::string name_;
};

}  // namespace

bool CReportMacroProcessor::ResolveMacro(std::string_view /*name*/, std::string& /*text*/) {
  FatalAssert(__FILE__, __LINE__);
}

bool CReportMacroProcessor::Process(const std::filesystem::path& input,
                                    const std::filesystem::path& output) {
  // The template is read whole first: a read error is then no end of the
  // template that would cut the report short.
  std::string text;
  try {
    text = ReadTextFile(input, "CReportMacroProcessor::Process");
  } catch (const FileError& error) {
    ReportErrorCode(error.code() == kErrClose ? kErrReportInputClose : kErrReportInputOpen);
    return false;
  }
  // Opening the template itself for writing would replace it.
  std::error_code ec;
  if (output.empty() || std::filesystem::equivalent(input, output, ec)) {
    ReportErrorCode(kErrReportOutputOpen);
    return false;
  }
  // Written beside the output and renamed over it only when whole: a failed
  // report leaves the previous one as it was.
  int code = kErrReportOutputOpen;
  try {
    AtomicFileWriter out(output, "CReportMacroProcessor::Process");
    code = kErrReportOutputWrite;
    MacroCopier copier(*this, out.Stream());
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (!copier.Put(text[i])) throw FileError(kErrWrite, "CReportMacroProcessor::Process");
    }
    if (!copier.Finish()) throw FileError(kErrWrite, "CReportMacroProcessor::Process");
    out.Commit();
    return true;
  } catch (const FileError& error) {
    if (error.code() == kErrClose) code = kErrReportOutputClose;
  }
  ReportErrorCode(code);
  return false;
}

}  // namespace brisca
