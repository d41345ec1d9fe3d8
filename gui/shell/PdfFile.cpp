#include "gui/shell/PdfFile.h"

#include <QBuffer>
#include <QByteArray>
#include <QPdfWriter>
#include <QPrinter>

#include <string>

#include "core/base/AtomicFile.h"
#include "core/base/FileError.h"

namespace brisca {
namespace {

constexpr char kWhere[] = "SavePdf";

[[noreturn]] void Fail(const std::filesystem::path& target, const std::string& cause) {
  throw FileError(kErrWrite, kWhere, target.string() + ": " + cause);
}

// The writer ends a finished document with its end-of-file marker: a document
// without one (a painter that never began, a writer that stopped) is not saved.
bool IsWholePdf(const QByteArray& bytes) {
  return bytes.startsWith("%PDF-") && bytes.right(16).contains("%%EOF");
}

}  // namespace

PdfSetup PdfSetup::Like(const QPrinter& printer) {
  return {printer.pageLayout(), printer.resolution(), printer.docName(), printer.creator()};
}

void CheckPdfTarget(const std::filesystem::path& target) {
  try {
    CheckSaveTarget(target, kWhere);
  } catch (const FileError& error) {
    Fail(target, *error.detail() ? error.detail() : "it is not a file that can be written");
  }
}

void SavePdf(const std::filesystem::path& target, const PdfSetup& setup,
             const std::function<bool(QPdfWriter& writer)>& paint) {
  CheckPdfTarget(target);  // nothing is painted for a target nothing can be saved to
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  bool painted = false;
  {
    QPdfWriter writer(&buffer);
    writer.setResolution(setup.resolution);
    writer.setPageLayout(setup.layout);
    writer.setTitle(setup.title);
    writer.setCreator(setup.creator);
    painted = paint(writer);
  }  // the writer finishes the document when it goes
  buffer.close();
  const QByteArray& bytes = buffer.data();
  if (!painted || !IsWholePdf(bytes)) Fail(target, "the pages could not be painted");

  try {
    AtomicFileWriter file(target, kWhere);
    file.Stream().write(bytes.constData(), bytes.size());
    file.Commit();
  } catch (const FileError& error) {
    Fail(target, *error.detail() ? error.detail() : "the file could not be written in full");
  }
}

QString PdfFileOf(const QPrinter& printer) {
  return printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName() : QString();
}

}  // namespace brisca
