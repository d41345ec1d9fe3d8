#pragma once
// File problems of the command line, said as a user can act on them: the
// numbered message, then the file's name and the system's reason, e.g.
// "Error 43: File Error: Unable to Open the Selected File: nosuch.qen: No such
// file or directory". The core's messages name no file (a dialog shows which
// one the user picked); on a command line only the name tells which one failed.

#include <string>

#include "core/base/FileError.h"

namespace brisca::cli {

//! Reports error `code` with ": path: reason" after its text (": path" when
//! the reason is empty) and remembers `path` for a JSON failure object.
void ReportFileProblem(int code, const std::string& path, const std::string& reason);

//! True when `path` names a file this program can open for reading; else
//! `openCode` (43, or 173 for a compressor map) is reported with the system's
//! reason (a folder: "Is a directory"). "-" is standard input and always
//! passes. A device or pipe passes here: the data readers refuse it with their
//! own message.
bool CheckInputFile(const std::string& path, int openCode = kErrOpen);

//! Why a file cannot be saved at `path`, in the system's words: its folder is
//! missing, not a folder or not writable, or `path` is a folder. Empty when no
//! reason shows.
std::string WhyCannotWrite(const std::string& path);

//! The system's words for errno value `number`.
std::string SystemReason(int number);

}  // namespace brisca::cli
