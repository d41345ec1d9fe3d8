#pragma once
// The desktop program's command line: "brisca [FILE...]" opens each engine file;
// --help and --version answer on stdout and end the program before any window
// (and so without a display).

#include <QStringList>

#include <optional>

namespace brisca {

//! Prints the help or the version when asked for and returns the exit status;
//! nothing when the program is to start. Runs before the QApplication exists.
std::optional<int> AnswerInformationOptions(int argc, char* argv[]);

//! The engine files named on a command line (the application's arguments, Qt's
//! own options already taken out), made absolute against the current folder.
QStringList EngineFilesOfCommandLine(const QStringList& arguments);

}  // namespace brisca
