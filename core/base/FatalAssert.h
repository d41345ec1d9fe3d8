#pragma once
// The response to a broken internal precondition. User input never reaches it:
// callers range-check first. The front end installs a hook that shows the
// "ASSERTION FAILURE" text (a message box, or stderr); then the process ends at
// once with exit status 9999, saving nothing.

#include <string>

namespace brisca {

//! Shows the assertion text; must not return control to the failing code path.
using FatalAssertHook = void (*)(const std::string& title, const std::string& text);

//! Installs the front end's hook (nullptr restores the stderr default).
void SetFatalAssertHook(FatalAssertHook hook);

//! Title and text shown for a failure at `file` (its folder is dropped) and `line`.
std::string FatalAssertTitle();
std::string FatalAssertText(const char* file, int line);

//! Exit status of a process ended by FatalAssert (the OS reports it modulo 256).
inline constexpr int kFatalAssertExitStatus = 9999;

[[noreturn]] void FatalAssert(const char* file, int line);

//! The last catch of a program's `main`: an exception nobody handled is an
//! internal error. Prints what it says to stderr, then ends as FatalAssert
//! does (the hook, then exit status 9999). Call only inside a catch block.
[[noreturn]] void FatalUncaughtException(const char* file, int line);

}  // namespace brisca

#define BRISCA_ASSERT(cond)                                   \
  do {                                                        \
    if (!(cond)) ::brisca::FatalAssert(__FILE__, __LINE__);   \
  } while (0)
