// The main frame's File and Window commands: documents into windows and back.
#include <algorithm>

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>

#include "core/document/VexoDoc.h"
#include "gui/shell/ChildFrame.h"
#include "gui/shell/MainFrame.h"
#include "gui/shell/PathText.h"
#include "gui/shell/WorkbookTabs.h"

namespace brisca {

CVexoDoc& CMainFrame::OnFileNew() {
  CVexoDoc& document = documents_.NewDocument();
  AddFrame(document);
  return document;
}

bool CMainFrame::OpenFile(const std::filesystem::path& path) {
  if (CVexoDoc* open = documents_.FindByPath(path)) {
    const std::vector<CChildFrame*> frames = FramesOf(*open);
    if (!frames.empty()) mdiArea_->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(frames.front()->parentWidget()));
    return true;
  }
  CVexoDoc* document = documents_.OpenDocument(path);
  if (!document) {
    mru_.Remove(ToQString(path));
    mru_.Save();
    RebuildRecentFiles();
    return false;
  }
  mru_.Add(ToQString(documents_.PathOf(*document)));
  mru_.Save();
  RebuildRecentFiles();
  AddFrame(*document);
  return true;
}

CChildFrame* CMainFrame::ShowDocument(CVexoDoc& document) { return AddFrame(document); }

void CMainFrame::OnFileOpen() {
  if (auto path = host_.PromptOpenPath("qen", documents_.OpenFolder())) OpenFile(*path);
}

bool CMainFrame::OnFileSave(CVexoDoc& document) {
  const std::filesystem::path path = documents_.PathOf(document);
  if (path.empty()) return OnFileSaveAs(document);
  const bool saved = documents_.SaveDocument(document, path);
  RefreshTitles();
  return saved;
}

bool CMainFrame::OnFileSaveAs(CVexoDoc& document) {
  auto path = host_.PromptSavePath("qen", documents_.SaveFolder(document), document.GetTitle() + ".qen");
  if (!path) return false;
  if (path->extension().empty()) path->replace_extension(".qen");
  if (!documents_.SaveDocument(document, *path)) {
    RefreshTitles();
    return false;
  }
  mru_.Add(ToQString(documents_.PathOf(document)));
  mru_.Save();
  RebuildRecentFiles();
  UpdateAllViews(document);
  return true;
}

bool CMainFrame::SaveModified(CVexoDoc& document) {
  if (!document.IsModified()) return true;
  const QMessageBox::StandardButton answer = QMessageBox::question(
      this, QStringLiteral("Brisca"),
      tr("Save changes to %1?").arg(QString::fromStdString(document.GetTitle())),
      QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
  if (answer == QMessageBox::Cancel) return false;
  if (answer == QMessageBox::No) return true;
  return OnFileSave(document);
}

bool CMainFrame::CloseDocument(CVexoDoc& document) {
  if (!SaveModified(document)) return false;
  closingAll_ = true;
  for (CChildFrame* frame : FramesOf(document)) frame->parentWidget()->close();
  closingAll_ = false;
  return true;
}

CChildFrame* CMainFrame::OnWindowNew() {
  CVexoDoc* document = ActiveDocument();
  return document ? AddFrame(*document) : nullptr;
}

CVexoDoc* CMainFrame::ActiveDocument() const {
  CChildFrame* frame = ActiveFrame();
  return frame ? &frame->Document() : nullptr;
}

CChildFrame* CMainFrame::ActiveFrame() const {
  QMdiSubWindow* window = mdiArea_->activeSubWindow();
  if (!window) window = mdiArea_->currentSubWindow();
  auto* frame = window ? qobject_cast<CChildFrame*>(window->widget()) : nullptr;
  // A window on its way out is no longer one of ours.
  return std::find(frames_.begin(), frames_.end(), frame) != frames_.end() ? frame : nullptr;
}

CVexoDoc* CMainFrame::DocumentForCommand() const { return ActiveDocument(); }

std::vector<CChildFrame*> CMainFrame::FramesOf(const CVexoDoc& document) const {
  std::vector<CChildFrame*> frames;
  for (CChildFrame* frame : frames_) {
    if (&frame->Document() == &document) frames.push_back(frame);
  }
  return frames;
}

void CMainFrame::UpdateAllViews(CVexoDoc& document) {
  for (CChildFrame* frame : FramesOf(document)) frame->UpdateViews();
  RefreshTitles();
  UpdateStatusPanes();
  undo_.ViewsUpdated(document);
}

void CMainFrame::RefreshTitles() {
  for (CVexoDoc* document : documents_.Documents()) {
    const std::vector<CChildFrame*> frames = FramesOf(*document);
    const QString title = QString::fromStdString(document->GetTitle());
    for (size_t i = 0; i < frames.size(); ++i) {
      const QString shown = frames.size() > 1 ? QStringLiteral("%1:%2").arg(title).arg(i + 1) : title;
      QWidget* window = frames[i]->parentWidget() ? frames[i]->parentWidget() : frames[i];
      window->setWindowTitle(shown + QStringLiteral("[*]"));
      window->setWindowModified(document->IsModified());
      frames[i]->setWindowTitle(shown + QStringLiteral("[*]"));
      frames[i]->setWindowModified(document->IsModified());
    }
  }
  workbook_->RefreshTexts();
}

CChildFrame* CMainFrame::AddFrame(CVexoDoc& document) {
  undo_.Attach(document);
  const bool maximise = !mdiArea_->activeSubWindow() || mdiArea_->activeSubWindow()->isMaximized();
  auto* frame = new CChildFrame(document, documents_.Views(document));
  frame->SetCloseGuard([this](CChildFrame& closing) {
    return closingAll_ || FramesOf(closing.Document()).size() > 1 || SaveModified(closing.Document());
  });
  frame->SetDestroyedHook([this](CChildFrame& gone) { FrameDestroyed(gone); });
  frames_.push_back(frame);
  auto* window = new QMdiSubWindow;
  window->setWidget(frame);
  if (!maximise) {
    // Among tiled or cascaded windows a new one would come up at the size its
    // panes ask for, far too low for the engine form; it takes most of the
    // area instead (sized before it is added, so it is placed at that size).
    const QSize area = mdiArea_->viewport()->size();
    window->resize(area.width() * 3 / 4, area.height() * 3 / 4);
  }
  mdiArea_->addSubWindow(window);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->setWindowIcon(windowIcon());
  workbook_->Track(window);
  RefreshTitles();
  if (maximise) {
    window->showMaximized();
  } else {
    window->show();
  }
  mdiArea_->setActiveSubWindow(window);
  UpdateMenus();
  UpdateStatusPanes();
  return frame;
}

void CMainFrame::FrameDestroyed(CChildFrame& frame) {
  std::erase(frames_, &frame);
  CVexoDoc& document = frame.Document();
  if (FramesOf(document).empty()) {
    undo_.Detach(document);
    documents_.CloseDocument(document);
  }
  RefreshTitles();
  UpdateMenus();
  UpdateStatusPanes();
}

}  // namespace brisca
