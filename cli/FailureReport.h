#pragma once
// What a failed command says on standard output when its output is JSON:
// {"ok": false, "code": 43, "message": "...", "path": "..."}. The messages
// still go to standard error as they always do; a script reading the JSON
// learns of the failure without parsing them.

#include <string>

#include "core/base/MessagePresenter.h"

namespace brisca::cli {

//! The command's output is JSON: a failure is printed as a JSON object.
void WantJsonFailure();
//! Remembers the first error message shown (called by the presenter).
void NoteFailureMessage(const Message& message);
//! Prints a failure that has no numbered message on standard error and
//! remembers it as the failure's message.
void ReportFailureText(const std::string& text);
//! Remembers the file the failure is about (the first one named).
void NoteFailurePath(const std::string& path);
//! With JSON output and a failing `status`, prints the failure object on stdout.
void PrintJsonFailure(int status);

//! True when the words of a command line (`argv` after the program's name) ask
//! for JSON output (`-f json`, `-fjson`, `--format json`, `--format=json`).
//! For a command line the parser refused, whose options were never set.
bool AsksForJson(int argc, const char* const* argv);
//! A command line refused as unusable (`message`: the parser's reason): with
//! JSON output asked for, the failure object on stdout. The usage text on
//! stderr is the parser's.
void ReportUsageFailure(int argc, const char* const* argv, const std::string& message);

}  // namespace brisca::cli
