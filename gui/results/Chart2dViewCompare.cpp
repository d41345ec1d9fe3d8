// Quick comparison: the chart's document against a "CompareRun" document made
// from the current engine or from an engine file.
#include <QMdiArea>
#include <QMdiSubWindow>

#include "core/document/DocumentHost.h"
#include "core/document/VexoDoc.h"
#include "gui/results/Chart2dView.h"
#include "gui/shell/MainFrame.h"

namespace brisca {
namespace {

const char* const kCompareTitle = "CompareRun";

// The open "CompareRun" other than `current`, else a new document in a window of its own.
CVexoDoc& CompareDocument(CMainFrame& frame, const CVexoDoc& current) {
  for (CVexoDoc* document : frame.Documents().Documents()) {
    if (document != &current && document->GetTitle() == kCompareTitle) return *document;
  }
  return frame.OnFileNew();
}

// The engine as received: its own automatic calculations off, derived values
// (and, with Auto Run, the results) worked out again.
void SettleCompareDocument(CVexoDoc& compare) {
  compare.SetTitle(kCompareTitle);
  compare.SetModified(true);
  compare.ClearAutoFlags();
  compare.UpdateDerivedValues();
}

}  // namespace

bool CChart2dView::MakeComparison(bool fromFile) {
  auto* frame = qobject_cast<CMainFrame*>(window());
  if (!frame) return false;
  QMdiSubWindow* previous = frame->MdiArea()->activeSubWindow();
  CVexoDoc& compare = CompareDocument(*frame, document_);
  if (!fromFile) {
    compare.CopyFrom(document_);
    SettleCompareDocument(compare);
  } else {
    compare.SetTitle(kCompareTitle);
    DocumentHost* host = document_.Host();
    // Where File > Open starts: the engine folder, or the samples when there is none.
    const auto path = host ? host->PromptOpenPath("qen", frame->Documents().OpenFolder()) : std::nullopt;
    if (path && compare.ReadEngineFile(*path)) SettleCompareDocument(compare);
  }
  if (previous) frame->MdiArea()->setActiveSubWindow(previous);
  // Comparison is on also when no file was chosen.
  SetSlot(1, &compare);
  State().comparison = true;
  frame->RefreshTitles();
  frame->UpdateAllViews(compare);
  frame->UpdateAllViews(document_);
  return true;
}

}  // namespace brisca
