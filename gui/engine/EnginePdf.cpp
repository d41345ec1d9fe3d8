#include "gui/engine/EnginePdf.h"

#include <QFileInfo>
#include <QPrinter>

#include "core/document/VexoDoc.h"
#include "gui/engine/EnginePrinter.h"
#include "gui/shell/ChildFrame.h"
#include "gui/shell/ViewRegistry.h"

namespace brisca {

bool PrintEngineToPdf(CVexoDoc& document, const QString& path) {
  ViewRegistry views;
  CChildFrame frame(document, views);
  // The views lay themselves out as in a window of the usual size.
  frame.ensurePolished();
  frame.UpdateViews();

  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path);
  printer.setDocName(QString::fromStdString(document.GetTitle()));
  printer.setCreator(EnginePrinter::ProgramText());
  if (!EnginePrinter(document, views).Print(printer)) return false;
  const QFileInfo written(path);
  return written.exists() && written.size() > 0;
}

}  // namespace brisca
