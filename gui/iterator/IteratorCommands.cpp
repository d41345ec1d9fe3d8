#include "gui/iterator/IteratorCommands.h"

#include <QMenu>
#include <QMenuBar>

#include "core/base/ErrCode.h"
#include "core/document/CommandIds.h"
#include "core/document/VexoDoc.h"
#include "core/iterator/ProPresets.h"
#include "core/iterator/ResultDocument.h"
#include "gui/iterator/ItrProDlg.h"
#include "gui/iterator/ItrQuickDlg.h"
#include "gui/iterator/IteratorPhases.h"
#include "gui/shell/MainFrame.h"

namespace brisca {
namespace {

constexpr int kWarnQuickOverPro = 206;
constexpr int kWarnTimingMethod = 201;

bool CheckBaseline(CVexoDoc& document) {
  int code = kErrNoBaseline;
  if (document.Results().IsEmpty() || !document.Validate(code)) {
    ReportErrorCode(code);
    return false;
  }
  return true;
}

int TimingMethod(const CVexoDoc& document) {
  return document.Engine().camshaft.lowSpeedLobe.Method(TimingSet::Primary).GetValue();
}

}  // namespace

bool PrepareQuickOpening(CVexoDoc& document) {
  if (!CheckBaseline(document)) return false;
  const Iterator* pro = DocumentIterator(document, 0);
  if (pro && pro->IsSetUp()) {
    if (ReportWarningCode(kWarnQuickOverPro) == MessageButton::Cancel) return false;
    document.Iterator(0).reset();
    document.Iterator(1).reset();
    document.SetBaselineChanged(true);
  }
  return true;
}

bool PrepareProOpening(CVexoDoc& document) {
  if (!CheckBaseline(document)) return false;
  if (!document.Iterator(0) || !document.Iterator(1)) {
    document.Iterator(0) = std::make_unique<Iterator>();
    document.Iterator(1) = std::make_unique<Iterator>();
    document.SetBaselineChanged(true);
  }
  Iterator& p1 = *DocumentIterator(document, 0);
  Iterator& p2 = *DocumentIterator(document, 1);
  int code = 0;
  bool defaults = !p1.IsSetUp() || p1.BaselineMetric() != document.IsMetric() ||
                  p1.Baseline() != &document;
  if (!defaults && p1.BaselineTimingMethod() != TimingMethod(document)) {
    if (ReportWarningCode(kWarnTimingMethod) == MessageButton::Cancel) return false;
    defaults = true;
  }
  if (defaults) {
    if (!ProDefaults(document, p1, p2, code)) {
      ReportErrorCode(code);
      return false;
    }
    p1.Prepare();
    p2.Prepare();
  } else if (document.GetBaselineChanged()) {
    // The engine changed since its setup: every ranged slot moves to the
    // engine's own value, tolerance and step kept; the results are gone.
    for (Iterator* it : {&p1, &p2}) {
      if (!it->SetUp(document, code)) {
        ReportErrorCode(code);
        return false;
      }
      it->RecentreOn(document);
      it->Prepare();
    }
  }
  document.SetBaselineChanged(false);
  return true;
}

void RunQuickIterator(CMainFrame& frame, CVexoDoc& document) {
  if (!PrepareQuickOpening(document)) return;
  CItrQuickDlg dialog(document, 0, &frame);
  if (dialog.exec() == QDialog::Accepted) CreateResultDocuments(frame, document);
}

void RunProIterator(CMainFrame& frame, CVexoDoc& document, bool resultsPage) {
  if (!PrepareProOpening(document)) return;
  CItrProDlg dialog(document, 0, &frame);
  if (resultsPage) dialog.ShowPage(CItrProDlg::kResultsPage);
  if (dialog.exec() == QDialog::Accepted) CreateResultDocuments(frame, document);
}

void CreateResultDocuments(CMainFrame& frame, CVexoDoc& document) {
  Iterator* one = DocumentIterator(document, 0);
  Iterator* two = DocumentIterator(document, 1);
  if (!one || !two) return;
  Iterator& series = two->KeptCount() > 0 ? *two : *one;
  ResultDocumentQueue* queue = ResultDocumentQueue::Of(frame);
  if (!queue) return;
  queue->Start(series);
  // The queue works on its copy; the marks it takes over are cleared here, so
  // the next OK does not open the same results again.
  for (int slot = 0; slot < series.KeptCount(); ++slot) series.SetKeep(slot, false);
}

ResultDocumentQueue::ResultDocumentQueue(CMainFrame& frame) : QObject(&frame), frame_(frame) {
  setObjectName(QStringLiteral("resultDocumentQueue"));
}

ResultDocumentQueue* ResultDocumentQueue::Of(CMainFrame& frame) {
  return frame.findChild<ResultDocumentQueue*>(QStringLiteral("resultDocumentQueue"),
                                               Qt::FindDirectChildrenOnly);
}

void ResultDocumentQueue::Start(const Iterator& series) {
  // A copy: the baseline document may close before the last tick.
  series_ = std::make_unique<Iterator>(series);
  frame_.SetTimer(2, kTickMs);
}

void ResultDocumentQueue::OnTick() {
  if (!series_) return;
  int slot = -1;
  for (int i = 0; i < series_->KeptCount() && slot < 0; ++i) {
    if (series_->Result(i).keep) slot = i;
  }
  if (slot < 0) {
    series_.reset();
    return;
  }
  series_->SetKeep(slot, false);
  CVexoDoc& document = frame_.OnFileNew();
  ReceiveKeptResult(*series_, slot, document);
  frame_.UpdateAllViews(document);
  frame_.RefreshTitles();
  frame_.SetTimer(2, kTickMs);
}

void InstallIteratorCommands(CMainFrame& frame) {
  auto* queue = new ResultDocumentQueue(frame);
  frame.SetCommandHandler(command::kTimer2Command, [queue] { queue->OnTick(); });
  QMenu* tools = frame.MainMenuBar()->findChild<QMenu*>(QStringLiteral("toolsMenu"));
  if (!tools) return;
  struct Item {
    int id;
    const char* text;
    const char* tip;
  };
  static constexpr Item kItems[] = {
      {command::kQuickIterator, "&Quick Iterator Testing...",
       "Find the best cam timing or bore/stroke with one button"},
      {command::kProIterator, "&Pro Iterator Testing...",
       "Test many engine variants and keep the ten best"},
      {command::kProIteratorResults, "Pro Iterator &Results...",
       "Show the Pro Iterator's results for this engine"},
  };
  QAction* before = tools->actions().isEmpty() ? nullptr : tools->actions().first();
  for (const Item& item : kItems) {
    auto* action = new QAction(QObject::tr(item.text), tools);
    action->setData(item.id);
    action->setStatusTip(QObject::tr(item.tip));
    action->setObjectName(QStringLiteral("iteratorAction%1").arg(item.id));
    const int id = item.id;
    QObject::connect(action, &QAction::triggered, &frame, [&frame, id] { frame.OnCommand(id); });
    tools->insertAction(before, action);
  }
  tools->insertSeparator(before);
  frame.SetCommandHandler(command::kQuickIterator, [&frame] {
    if (CVexoDoc* doc = frame.ActiveDocument()) RunQuickIterator(frame, *doc);
  });
  frame.SetCommandHandler(command::kProIterator, [&frame] {
    if (CVexoDoc* doc = frame.ActiveDocument()) RunProIterator(frame, *doc);
  });
  frame.SetCommandHandler(command::kProIteratorResults, [&frame] {
    if (CVexoDoc* doc = frame.ActiveDocument()) RunProIterator(frame, *doc, true);
  });
  QObject::connect(tools, &QMenu::aboutToShow, tools, [tools, &frame] {
    const bool hasDocument = frame.ActiveDocument() != nullptr;
    for (QAction* action : tools->actions()) {
      const int id = action->data().toInt();
      if (id == command::kQuickIterator || id == command::kProIterator ||
          id == command::kProIteratorResults) {
        action->setEnabled(hasDocument);
      }
    }
  });
}

}  // namespace brisca
