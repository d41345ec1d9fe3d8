#pragma once
// The report file laid out for paper: Qt's rich text reads the generated HTML
// with the report folder as its base, so the logo and the chart pictures the
// report names load from there.

#include <QPageSize>

#include <filesystem>
#include <memory>

class QTextDocument;

namespace brisca {

//! The report at `reportFile` laid out with `reportFolder` as the base of its
//! relative names; null when the file cannot be read.
std::unique_ptr<QTextDocument> LayOutReport(const std::filesystem::path& reportFile,
                                            const std::filesystem::path& reportFolder);

//! Prints `report` into a PDF file at `pdf`, on A4 unless told otherwise.
//! Throws FileError 44 when the file could not be saved; the old file at
//! `pdf` then stays as it was.
void WriteReportPdf(QTextDocument& report, const std::filesystem::path& pdf,
                    const QPageSize& paper = QPageSize(QPageSize::A4));

}  // namespace brisca
