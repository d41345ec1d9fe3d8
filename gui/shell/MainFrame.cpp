#include "gui/shell/MainFrame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include "core/base/FatalAssert.h"
#include "core/document/CommandIds.h"
#include "core/document/VexoDoc.h"
#include "gui/shell/AboutDlg.h"
#include "gui/shell/ChildFrame.h"
#include "gui/shell/ColorScheme.h"
#include "gui/shell/CommandTable.h"
#include "gui/shell/LogoItem.h"
#include "gui/shell/ManualIcon.h"
#include "gui/shell/SchemeStyle.h"
#include "gui/shell/VexoApp.h"
#include "gui/shell/WorkbookTabs.h"

namespace brisca {

using namespace command;

CMainFrame::CMainFrame(CVexoApp& app, std::filesystem::path engineFolder,
                       std::filesystem::path sampleFolder, QWidget* parent)
    : QMainWindow(parent),
      app_(app),
      host_(*this),
      documents_(host_, std::move(engineFolder), std::move(sampleFolder)),
      mdiArea_(new QMdiArea),
      timer1_(new QTimer(this)),
      timer2_(new QTimer(this)) {
  setObjectName(QStringLiteral("mainFrame"));
  setWindowTitle(QStringLiteral("Brisca"));
  documents_.SetDisplayConditions(app_.Prefs().conditions);
  mdiArea_->setViewMode(QMdiArea::SubWindowView);
  mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  workbook_ = new WorkbookTabs(*mdiArea_);

  auto* centre = new QWidget;
  auto* layout = new QVBoxLayout(centre);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(mdiArea_, 1);
  layout->addWidget(workbook_);
  setCentralWidget(centre);

  for (QTimer* timer : {timer1_, timer2_}) timer->setSingleShot(true);
  connect(timer1_, &QTimer::timeout, this, [this] { OnCommand(kTimer1Command); });
  connect(timer2_, &QTimer::timeout, this, [this] { OnCommand(kTimer2Command); });
  connect(mdiArea_, &QMdiArea::subWindowActivated, this, [this] {
    undo_.Activate(ActiveDocument());
    UpdateMenus();
    UpdateStatusPanes();
  });

  CreateActions();
  CreateMenus();
  CreateToolBar();
  CreateStatusBar();
  mru_.Load();
  RebuildRecentFiles();
  ApplyScheme();
  UpdateMenus();
  UpdateStatusPanes();
  resize(1280, 800);
}

CMainFrame::~CMainFrame() {
  // The windows go while their documents still exist.
  for (CChildFrame* frame : frames_) frame->SetDestroyedHook(nullptr);
  delete mdiArea_;
  mdiArea_ = nullptr;
}

QAction* CMainFrame::Action(int id) const {
  auto it = actions_.find(id);
  return it == actions_.end() ? nullptr : it->second;
}

bool CMainFrame::OnCommand(int id) {
  if (auto it = handlers_.find(id); it != handlers_.end()) {
    if (it->second) it->second();
    return true;
  }
  return false;
}

void CMainFrame::SetCommandHandler(int id, std::function<void()> handler) {
  handlers_[id] = std::move(handler);
}

void CMainFrame::CreateActions() {
  for (const CommandRow& row : ShellCommands()) {
    auto* action = new QAction(tr(row.text), this);
    action->setData(row.id);
    if (row.shortcut != QKeySequence::UnknownKey) action->setShortcuts(row.shortcut);
    action->setStatusTip(tr(row.statusTip));
    if (row.icon >= 0) {
      action->setIcon(style()->standardIcon(static_cast<QStyle::StandardPixmap>(row.icon)));
    }
    action->setCheckable(row.checkable);
    const int id = row.id;
    connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
    actions_[row.id] = action;
  }
  actions_[kUserManual]->setIcon(ManualIcon());

  SetCommandHandler(kFileNew, [this] { OnFileNew(); });
  SetCommandHandler(kFileOpen, [this] { OnFileOpen(); });
  SetCommandHandler(kFileClose, [this] {
    if (CVexoDoc* doc = DocumentForCommand()) CloseDocument(*doc);
  });
  SetCommandHandler(kFileSave, [this] {
    if (CVexoDoc* doc = DocumentForCommand()) OnFileSave(*doc);
  });
  SetCommandHandler(kSaveAs, [this] {
    if (CVexoDoc* doc = DocumentForCommand()) OnFileSaveAs(*doc);
  });
  SetCommandHandler(kAppExit, [this] { close(); });
  SetCommandHandler(kViewToolbar, [this] { toolBar_->setVisible(!toolBar_->isVisible()); });
  SetCommandHandler(kViewStatusBar, [this] { statusBar()->setVisible(!statusBar()->isVisible()); });
  SetCommandHandler(kWorkbook, [this] { SetWorkbook(!IsWorkbook()); });
  for (int scheme = 0; scheme < kSchemeCount; ++scheme) {
    const int id = SchemeCommand(scheme);
    SetCommandHandler(id, [this, id] { app_.OnSchemeCommand(id); });
  }
  SetCommandHandler(kWindowNew, [this] { OnWindowNew(); });
  SetCommandHandler(kWindowCascade, [this] { mdiArea_->cascadeSubWindows(); });
  SetCommandHandler(kWindowTile, [this] { mdiArea_->tileSubWindows(); });
  SetCommandHandler(kWindowArrange, [this] { ArrangeIcons(); });
  SetCommandHandler(kUserManual, [this] { app_.OnUserManual(); });
  SetCommandHandler(kAppAbout, [this] {
    CAboutDlg about(this);
    about.exec();
  });
}

void CMainFrame::ArrangeIcons() {
  // Minimised windows line up along the bottom of the area, left to right.
  int x = 0;
  const int bottom = mdiArea_->viewport()->height();
  for (QMdiSubWindow* window : mdiArea_->subWindowList()) {
    if (!window->isMinimized()) continue;
    window->move(x, bottom - window->height());
    x += window->width();
  }
}

void CMainFrame::SetWorkbook(bool on) {
  workbook_->setVisible(on);
  Action(kWorkbook)->setChecked(on);
}

bool CMainFrame::IsWorkbook() const { return !workbook_->isHidden(); }

void CMainFrame::SetTimer(int timerId, int milliseconds) {
  BRISCA_ASSERT(timerId == 1 || timerId == 2);
  (timerId == 1 ? timer1_ : timer2_)->start(milliseconds);
}

bool CMainFrame::IsTimerActive(int timerId) const {
  BRISCA_ASSERT(timerId == 1 || timerId == 2);
  return (timerId == 1 ? timer1_ : timer2_)->isActive();
}

void CMainFrame::PostRefreshActiveDocument() {
  QMetaObject::invokeMethod(
      this,
      [this] {
        if (CVexoDoc* doc = ActiveDocument()) UpdateAllViews(*doc);
      },
      Qt::QueuedConnection);
}

void CMainFrame::ApplyScheme() {
  const bool coloured = ActiveScheme() != 0;
  menuBar_->setStyleSheet(MenuStyle());
  for (QMenu* menu : menuBar_->findChildren<QMenu*>()) menu->setStyleSheet(MenuStyle());
  toolBar_->setStyleSheet(BarStyle());
  statusBar()->setStyleSheet(BarStyle());
  mdiArea_->setBackground(SchemeColor(0));
  workbook_->setStyleSheet(WorkbookTabStyle());
  QWidget* old = menuBar_->cornerWidget(Qt::TopRightCorner);
  menuBar_->setCornerWidget(coloured ? new LogoItem : nullptr, Qt::TopRightCorner);
  delete old;
  if (QWidget* logo = menuBar_->cornerWidget(Qt::TopRightCorner)) logo->show();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  for (CVexoDoc* doc : documents_.Documents()) {
    if (!SaveModified(*doc)) {
      event->ignore();
      return;
    }
  }
  closingAll_ = true;
  mdiArea_->closeAllSubWindows();
  closingAll_ = false;
  mru_.Save();
  event->accept();
}

}  // namespace brisca
