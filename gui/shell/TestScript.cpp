#include "gui/shell/TestScript.h"

#include <QStringList>

#include <cstdio>
#include <string>

#include "core/document/RecoveryFile.h"
#include "core/document/VexoDoc.h"
#include "core/spec/SimSpec.h"
#include "gui/shell/MainFrame.h"
#include "gui/shell/PathText.h"

namespace brisca {
namespace {

bool Edit(CMainFrame& frame, CVexoDoc& document, const QString& assignment) {
  const qsizetype equals = assignment.indexOf(QLatin1Char('='));
  if (equals < 0) return false;
  const std::string label = assignment.left(equals).toStdString();
  const std::string text = assignment.mid(equals + 1).toStdString();
  for (CSimSpec* spec : FlaggedSpecs(document.Engine())) {
    if (label != spec->GetLabel()) continue;
    if (!spec->SetFromText(text)) return false;
    document.UpdateDerivedValues();
    document.SetModified(true);
    frame.UpdateAllViews(document);
    return true;
  }
  return false;
}

}  // namespace

bool RunTestScript(CMainFrame& frame, const QString& script) {
  for (const QString& action : script.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
    CVexoDoc* document = frame.ActiveDocument();
    bool done = false;
    if (document && action.startsWith(QLatin1String("edit:"))) {
      done = Edit(frame, *document, action.mid(5));
    } else if (document && action.startsWith(QLatin1String("write:"))) {
      done = document->WriteEngineFile(ToPath(action.mid(6)), false);
    }
    if (!done) {
      std::fprintf(stderr, "brisca: test action failed: %s\n", action.toLocal8Bit().constData());
      return false;
    }
  }
  return true;
}

}  // namespace brisca
