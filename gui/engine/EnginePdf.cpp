#include "gui/engine/EnginePdf.h"

#include <QPrinter>

#include "core/document/VexoDoc.h"
#include "gui/engine/EnginePrinter.h"
#include "gui/shell/ChildFrame.h"
#include "gui/shell/PathText.h"
#include "gui/shell/ViewRegistry.h"

namespace brisca {

void PrintEngineToPdf(CVexoDoc& document, const QString& path) {
  ViewRegistry views;
  CChildFrame frame(document, views);
  // The views lay themselves out as in a window of the usual size.
  frame.ensurePolished();
  frame.UpdateViews();

  // The pages a PDF printer of the default paper gives.
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setDocName(QString::fromStdString(document.GetTitle()));
  printer.setCreator(EnginePrinter::ProgramText());
  EnginePrinter(document, views).SavePdf(printer, ToPath(path));
}

}  // namespace brisca
