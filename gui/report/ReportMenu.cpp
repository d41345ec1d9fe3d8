#include "gui/report/ReportMenu.h"

#include <QAction>
#include <QApplication>
#include <QMenu>

#include <memory>
#include <utility>
#include <vector>

#include "core/document/CommandIds.h"
#include "core/document/ProgramPaths.h"
#include "gui/report/ContestDlg.h"
#include "gui/report/ReportCommands.h"

namespace brisca {
namespace {

struct ReportItem {
  int id;
  const char* objectName;
  const char* text;
  const char* statusTip;
};

constexpr ReportItem kReportItems[] = {
    {command::kReportPrint, "kalvexPrintAction", "Kalvex...", "Kalvex the active document"},
    {command::kReportPreview, "kalvexPreviewAction", "Kalvex Preview...", "Display full Kalvex pages"},
    {command::kReportSetup, "kalvexSetupAction", "Kalvex Setup...", "Change the Kalvex printing options"},
    {command::kContest, "contestAction", "Contest...",
     "Write a contest entry with your details and this engine"},
};

void RunReportItem(int id, CVexoDoc& document, const ReportMenuContext& context) {
  QWidget* parent = QApplication::activeWindow();
  const ProgramPaths& paths = *context.paths;
  switch (id) {
    case command::kReportPrint:
      RunReportPrint(document, context.views(document), paths, parent);
      break;
    case command::kReportPreview:
      RunReportPreview(document, context.views(document), paths);
      break;
    case command::kReportSetup:
      RunReportSetup(document, paths, parent);
      break;
    case command::kContest:
      RunContestEntry(document, paths.EngineFolder(), parent);
      break;
    default:
      break;
  }
}

}  // namespace

void AddReportActions(QMenu& menu, ReportMenuContext context) {
  auto shared = std::make_shared<const ReportMenuContext>(std::move(context));
  std::vector<QAction*> actions;
  menu.addSeparator();
  for (const ReportItem& item : kReportItems) {
    if (item.id == command::kContest) menu.addSeparator();
    QAction* action = menu.addAction(QString::fromUtf8(item.text));
    action->setObjectName(QString::fromLatin1(item.objectName));
    action->setStatusTip(QString::fromUtf8(item.statusTip));
    action->setData(item.id);
    const int id = item.id;
    QObject::connect(action, &QAction::triggered, &menu, [shared, id] {
      if (CVexoDoc* document = shared->activeDocument()) RunReportItem(id, *document, *shared);
    });
    actions.push_back(action);
  }
  QObject::connect(&menu, &QMenu::aboutToShow, &menu, [shared, actions] {
    const bool hasDocument = shared->activeDocument() != nullptr;
    for (QAction* action : actions) action->setEnabled(hasDocument);
  });
}

}  // namespace brisca
