#pragma once
// The engine's printed report written straight to a PDF file, without a
// window on the screen: the document's views are made in a frame that is
// never shown, and print the same seven pages the print dialog's "Print to
// File (PDF)" gives. Needs an application object (the offscreen platform will do).

#include <QString>

namespace brisca {

class CVexoDoc;

//! Writes the seven pages to `path`. Throws FileError 44 when the file could
//! not be saved; the old file at `path` then stays as it was.
void PrintEngineToPdf(CVexoDoc& document, const QString& path);

}  // namespace brisca
