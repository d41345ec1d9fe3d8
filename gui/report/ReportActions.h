#pragma once
// What the report commands hand the finished report to. The desktop opens the
// report file with the system's opener ("xdg-open") run in the report folder,
// and prints the laid-out report through the print dialog; tests put programs
// and print steps of their own in their place.

#include <QString>

#include <filesystem>
#include <functional>

class QTextDocument;
class QWidget;

namespace brisca {

struct ReportActions {
  //! The program that opens the report file (its one argument).
  QString opener = QStringLiteral("xdg-open");
  //! Prints the laid-out report; false when nothing was printed.
  std::function<bool(QTextDocument& report, QWidget* parent)> print;
};

//! The actions the report commands use; tests may change them.
ReportActions& CurrentReportActions();

//! Starts the opener on `file` with `folder` as its working folder. Error 130
//! when it cannot be started or ends with a non-zero status (reported when it
//! ends; the program does not wait for it).
void OpenReportFile(const std::filesystem::path& file, const std::filesystem::path& folder);

//! The print dialog (a PDF file is one of its printers); prints on OK.
bool PrintWithDialog(QTextDocument& report, QWidget* parent);

}  // namespace brisca
