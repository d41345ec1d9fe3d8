#pragma once
// The report as a PDF file. Built with the desktop program, brisca-cli lays
// the report out with the desktop's report layout (the same as the desktop
// prints) on Qt's offscreen platform; without it there is no PDF.

#include <filesystem>

namespace brisca {
class FileError;
}

namespace brisca::cli {

//! A PDF that could not be saved: its numbered error (44), then the file and
//! the cause, which the message itself does not name.
void ReportPdfError(const FileError& error);

//! True when this build can write PDF reports.
bool CanWriteReportPdf();

//! Error 44 (false) when nothing could be saved at `pdf`: checked before the report is made.
bool CheckReportPdfTarget(const std::filesystem::path& pdf);

//! Lays out `reportFile` with `reportFolder` as the base of its pictures and
//! writes it to `pdf`. False (with a line on stderr, error 44 when the
//! PDF could not be saved: an old file then stays as it was) on failure.
bool WriteReportPdf(const std::filesystem::path& reportFile, const std::filesystem::path& reportFolder,
                    const std::filesystem::path& pdf);

}  // namespace brisca::cli
