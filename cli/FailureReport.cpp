#include "cli/FailureReport.h"

#include <cstdio>
#include <string_view>

#include "cli/json/JsonText.h"

namespace brisca::cli {
namespace {

struct Failure {
  bool wanted = false;
  bool noted = false;
  int code = 0;
  std::string message;
  std::string path;
};

Failure& TheFailure() {
  static Failure failure;
  return failure;
}

}  // namespace

void WantJsonFailure() { TheFailure().wanted = true; }

void NoteFailureMessage(const Message& message) {
  Failure& f = TheFailure();
  if (f.noted || message.kind != MessageKind::Error) return;
  f.noted = true;
  f.code = message.code;
  f.message = FormatMessageForConsole(message);
  // "Error 43: File Error: ..." without its number, which is "code".
  if (const std::size_t colon = f.message.find(": "); colon != std::string::npos)
    f.message.erase(0, colon + 2);
}

void ReportFailureText(const std::string& text) {
  std::fprintf(stderr, "%s\n", text.c_str());
  std::fflush(stderr);
  Failure& f = TheFailure();
  if (f.noted) return;
  f.noted = true;
  f.message = text;
}

void NoteFailurePath(const std::string& path) {
  if (TheFailure().path.empty()) TheFailure().path = path;
}

void PrintJsonFailure(int status) {
  const Failure& f = TheFailure();
  if (!f.wanted || status == 0) return;
  const std::string text =
      json::FailureText(f.code, f.noted ? f.message : "the command failed", f.path);
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fflush(stdout);
}

bool AsksForJson(int argc, const char* const* argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view word = argv[i];
    if (word == "--") break;  // what follows are operands, not options
    const bool valueNext = word == "-f" || word == "--format";
    if ((valueNext && i + 1 < argc && std::string_view(argv[i + 1]) == "json") ||
        word == "-fjson" || word == "--format=json") {
      return true;
    }
  }
  return false;
}

void ReportUsageFailure(int argc, const char* const* argv, const std::string& message) {
  if (!AsksForJson(argc, argv)) return;
  const std::string text = json::FailureText(0, message, "");
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fflush(stdout);
}

}  // namespace brisca::cli
