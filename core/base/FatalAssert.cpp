#include "core/base/FatalAssert.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>

namespace brisca {
namespace {

void PrintToStderr(const std::string& title, const std::string& text) {
  std::fprintf(stderr, "%s\n%s\n", title.c_str(), text.c_str());
  std::fflush(stderr);
}

// Set once by the front end at start-up; read when an assertion fires, which
// may happen on any thread.
std::atomic<FatalAssertHook> g_hook{&PrintToStderr};

}  // namespace

void SetFatalAssertHook(FatalAssertHook hook) { g_hook.store(hook ? hook : &PrintToStderr); }

std::string FatalAssertTitle() { return "ASSERTION FAILURE"; }

std::string FatalAssertText(const char* file, int line) {
  const char* name = file ? file : "";
  if (const char* slash = std::strrchr(name, '/')) name = slash + 1;
  if (const char* backslash = std::strrchr(name, '\\')) name = backslash + 1;
  char buffer[1024];
  std::snprintf(buffer, sizeof buffer, "File: %s \nLine#: %d \n\n%s\n%s\n%s\n%s", name, line,
                "An internal error has stopped the program.",
                "Please note the file name and line number shown above",
                "and report them, with what you were doing at the time,",
                "to the Brisca developers. Unsaved changes are lost.");
  return buffer;
}

void FatalAssert(const char* file, int line) {
  g_hook.load()(FatalAssertTitle(), FatalAssertText(file, line));
  std::_Exit(kFatalAssertExitStatus);
}

void FatalUncaughtException(const char* file, int line) {
  // What the exception says helps whoever reads the report; the box itself
  // keeps the one text every internal error shows.
  try {
    if (const std::exception_ptr current = std::current_exception())
      std::rethrow_exception(current);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "internal error: uncaught exception: %s\n", e.what());
  } catch (...) {
    std::fprintf(stderr, "internal error: uncaught exception of an unknown type\n");
  }
  std::fflush(stderr);
  FatalAssert(file, line);
}

}  // namespace brisca
