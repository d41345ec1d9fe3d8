#pragma once
// The report file laid out for paper: Qt's rich text reads the generated HTML
// with the report folder as its base, so the logo and the chart pictures the
// report names load from there.

#include <QPageSize>

#include <filesystem>
#include <memory>

class QPagedPaintDevice;
class QTextDocument;

namespace brisca {

//! The report at `reportFile` laid out with `reportFolder` as the base of its
//! relative names; null when the file cannot be read.
std::unique_ptr<QTextDocument> LayOutReport(const std::filesystem::path& reportFile,
                                            const std::filesystem::path& reportFolder);

//! A copy of `report` laid out in pages of `paper` (a printer or a PDF
//! writer): a 2 cm margin, space under every table, and a table that would run
//! over a page break but fits on a page starts a new page, with the heading
//! and lines that lead to it.
std::unique_ptr<QTextDocument> LayOutForPaper(const QTextDocument& report, QPagedPaintDevice& paper);

//! Prints LayOutForPaper's pages on `paper`, each numbered at its foot. False
//! when the painter could not begin or a page could not be added.
bool PrintReport(const QTextDocument& report, QPagedPaintDevice& paper);

//! Prints `report` into a PDF file at `pdf`, on A4 unless told otherwise.
//! Throws FileError 44 when the file could not be saved; the old file at
//! `pdf` then stays as it was.
void WriteReportPdf(QTextDocument& report, const std::filesystem::path& pdf,
                    const QPageSize& paper = QPageSize(QPageSize::A4));

//! WriteReportPdf for the desktop: a file that cannot be saved is shown as
//! error 44 naming the file and the cause, and the answer is false.
bool SaveReportPdf(QTextDocument& report, const std::filesystem::path& pdf, const QPageSize& paper);

}  // namespace brisca
