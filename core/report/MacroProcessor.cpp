#include "core/report/MacroProcessor.h"

#include <cstdio>
#include <memory>
#include <string>
#include <system_error>

#include "core/base/ErrCode.h"
#include "core/base/FatalAssert.h"
#include "core/base/FileError.h"
#include "core/base/TextFile.h"

namespace brisca {
namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Closes the file and says whether that succeeded; the pointer is empty afterwards.
bool CloseFile(FilePtr& file) {
  return std::fclose(file.release()) == 0;
}

class MacroCopier {
 public:
  MacroCopier(CReportMacroProcessor& resolver, std::FILE* out) : resolver_(resolver), out_(out) {}

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
    return text.empty() || std::fwrite(text.data(), 1, text.size(), out_) == text.size();
  }

  CReportMacroProcessor& resolver_;
  std::FILE* out_;
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
  int code = 0;
  {
    // Opening the template itself for writing would empty it.
    std::error_code ec;
    const bool sameFile = std::filesystem::equivalent(input, output, ec);
    FilePtr out(output.empty() || sameFile ? nullptr : std::fopen(output.c_str(), "wb"));
    if (!out) {
      ReportErrorCode(kErrReportOutputOpen);
      return false;
    }

    MacroCopier copier(*this, out.get());
    for (std::size_t i = 0; code == 0 && i < text.size(); ++i) {
      if (!copier.Put(text[i])) code = kErrReportOutputWrite;
    }
    if (code == 0 && !copier.Finish()) code = kErrReportOutputWrite;
    // A full disk may show only when the buffer goes out.
    if (code == 0 && std::fflush(out.get()) != 0) code = kErrReportOutputWrite;

    const bool outClosed = CloseFile(out);
    if (code == 0 && !outClosed) code = kErrReportOutputClose;
  }
  if (code == 0) return true;
  ReportErrorCode(code);
  return false;
}

}  // namespace brisca
