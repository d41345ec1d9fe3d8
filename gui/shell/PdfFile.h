#pragma once
// PDF files are saved as every other file of ours is: the whole document is
// painted into memory first, the painter's and the writer's status checked,
// and only a complete document goes to disk, through AtomicFileWriter (beside
// the old file and renamed over it; a link kept and its file replaced; a
// device or a pipe written in place). On any failure the old file stays as it
// was, byte for byte, and no temporary file is left behind.

#include <QPageLayout>
#include <QString>

#include <filesystem>
#include <functional>

class QPdfWriter;
class QPrinter;

namespace brisca {

//! The pages and the names a PDF file is made with.
struct PdfSetup {
  QPageLayout layout;
  int resolution = 1200;
  QString title;
  QString creator;

  //! A printer's page layout, resolution, document name and creator.
  static PdfSetup Like(const QPrinter& printer);
};

//! Paints the document into a PDF writer made from `setup`, then saves it at
//! `target`. `paint` returns false when its painter could not begin or end.
//! Any failure throws FileError 44 (kErrWrite) naming the target and the
//! cause in its detail; the target is then untouched.
void SavePdf(const std::filesystem::path& target, const PdfSetup& setup,
             const std::function<bool(QPdfWriter& writer)>& paint);

//! Throws the FileError 44 SavePdf would throw for what `target` is (a
//! folder, a missing folder, a path that cannot be looked at), creating
//! nothing: a PDF target is checked before the work that leads to it.
void CheckPdfTarget(const std::filesystem::path& target);

//! The file a printer prints into when the print dialog's destination is a
//! PDF file, else empty: such a print is saved with SavePdf instead.
QString PdfFileOf(const QPrinter& printer);

}  // namespace brisca
