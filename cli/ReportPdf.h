#pragma once
// The report as a PDF file. Built with the desktop program, brisca-cli lays
// the report out with the desktop's report layout (the same as the desktop
// prints) on Qt's offscreen platform; without it there is no PDF.

#include <filesystem>

namespace brisca::cli {

//! True when this build can write PDF reports.
bool CanWriteReportPdf();

//! Lays out `reportFile` with `reportFolder` as the base of its pictures and
//! writes it to `pdf`. False (with a line on stderr) on failure.
bool WriteReportPdf(const std::filesystem::path& reportFile, const std::filesystem::path& reportFolder,
                    const std::filesystem::path& pdf);

}  // namespace brisca::cli
