#include "gui/shell/MainFrame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
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
#include "gui/shell/PathText.h"
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

void CMainFrame::CreateMenus() {
  // The menu bar sits in a strip of its own: a maximised engine window then
  // keeps its own caption instead of moving its buttons into the menu bar's
  // corner, which belongs to the logo.
  auto* strip = new QWidget;
  strip->setObjectName(QStringLiteral("menuStrip"));
  auto* stripLayout = new QHBoxLayout(strip);
  stripLayout->setContentsMargins(0, 0, 0, 0);
  menuBar_ = new QMenuBar(strip);
  stripLayout->addWidget(menuBar_);
  setMenuWidget(strip);

  fileMenu_ = menuBar_->addMenu(tr("&File"));
  fileMenu_->setObjectName(QStringLiteral("fileMenu"));
  for (int id : {kFileNew, kFileOpen, kFileClose}) fileMenu_->addAction(Action(id));
  fileMenu_->addSeparator();
  for (int id : {kFileSave, kSaveAs}) fileMenu_->addAction(Action(id));
  mruSeparator_ = fileMenu_->addSeparator();
  for (int i = 0; i < RecentFiles::kMaxFiles; ++i) {
    auto* action = new QAction(this);
    const int index = i;
    connect(action, &QAction::triggered, this, [this, index] {
      if (index < mru_.Files().size()) OpenFile(ToPath(mru_.Files().at(index)));
    });
    fileMenu_->addAction(action);
    mruActions_.push_back(action);
  }
  fileMenu_->addSeparator();
  fileMenu_->addAction(Action(kAppExit));

  QMenu* view = menuBar_->addMenu(tr("&View"));
  for (int id : {kViewToolbar, kViewStatusBar, kWorkbook}) view->addAction(Action(id));
  view->addSeparator();
  QMenu* schemes = view->addMenu(tr("Color &Scheme"));
  for (int scheme = 0; scheme < kSchemeCount; ++scheme) schemes->addAction(Action(SchemeCommand(scheme)));
  connect(view, &QMenu::aboutToShow, this, &CMainFrame::UpdateMenus);
  connect(schemes, &QMenu::aboutToShow, this, &CMainFrame::UpdateMenus);

  windowMenu_ = menuBar_->addMenu(tr("&Window"));
  for (int id : {kWindowNew, kWindowCascade, kWindowTile, kWindowArrange}) {
    windowMenu_->addAction(Action(id));
  }
  connect(windowMenu_, &QMenu::aboutToShow, this, &CMainFrame::RebuildWindowList);

  QMenu* help = menuBar_->addMenu(tr("&Help"));
  help->addAction(Action(kUserManual));
  help->addSeparator();
  help->addAction(Action(kAppAbout));
}

void CMainFrame::CreateToolBar() {
  toolBar_ = addToolBar(tr("Standard"));
  toolBar_->setObjectName(QStringLiteral("standardToolBar"));
  toolBar_->setMovable(false);
  toolBar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
  for (int id : {kFileNew, kFileOpen, kFileSave}) toolBar_->addAction(Action(id));
  toolBar_->addSeparator();
  for (int id : {kUserManual, kAppAbout}) toolBar_->addAction(Action(id));
}

void CMainFrame::CreateStatusBar() {
  statusBar()->showMessage(tr("Ready"));
  auto pane = [this](const char* name) {
    auto* label = new QLabel(this);
    label->setObjectName(QString::fromLatin1(name));
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setAlignment(Qt::AlignCenter);
    statusBar()->addPermanentWidget(label);
    return label;
  };
  unitsPane_ = pane("unitsPane");
  autoRunPane_ = pane("autoRunPane");
  resultsPane_ = pane("resultsPane");
}

std::vector<QLabel*> CMainFrame::IndicatorPanes() const {
  return {unitsPane_, autoRunPane_, resultsPane_};
}

void CMainFrame::UpdateStatusPanes() {
  const CVexoDoc* doc = ActiveDocument();
  unitsPane_->setText(!doc ? QString() : doc->IsMetric() ? tr("Metric") : tr("Domestic"));
  autoRunPane_->setText(!doc ? QString() : doc->GetAutoRun() ? tr("Auto Run") : tr("Manual Run"));
  resultsPane_->setText(!doc                       ? QString()
                        : doc->Results().IsEmpty() ? tr("No Results")
                                                   : tr("Results"));
  for (QLabel* label : IndicatorPanes()) label->setVisible(doc != nullptr);
}

void CMainFrame::UpdateMenus() {
  const bool hasDocument = ActiveDocument() != nullptr;
  for (int id : {kFileClose, kFileSave, kSaveAs, kWindowNew, kWindowCascade, kWindowTile,
                 kWindowArrange}) {
    Action(id)->setEnabled(hasDocument);
  }
  Action(kViewToolbar)->setChecked(toolBar_ && !toolBar_->isHidden());
  Action(kViewStatusBar)->setChecked(!statusBar()->isHidden());
  Action(kWorkbook)->setChecked(IsWorkbook());
  for (int scheme = 0; scheme < kSchemeCount; ++scheme) {
    Action(SchemeCommand(scheme))->setChecked(app_.SchemeNumber() == scheme);
  }
}

void CMainFrame::RebuildRecentFiles() {
  const QStringList& files = mru_.Files();
  for (int i = 0; i < RecentFiles::kMaxFiles; ++i) {
    QAction* action = mruActions_[static_cast<size_t>(i)];
    const bool used = i < files.size();
    action->setVisible(used);
    if (!used) continue;
    action->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(ToQString(ToPath(files.at(i)).filename())));
    action->setStatusTip(files.at(i));
  }
  mruSeparator_->setVisible(!files.isEmpty());
}

void CMainFrame::RebuildWindowList() {
  for (QAction* action : windowListActions_) delete action;
  windowListActions_.clear();
  const QList<QMdiSubWindow*> windows = mdiArea_->subWindowList();
  if (windows.isEmpty()) return;
  windowListActions_.push_back(windowMenu_->addSeparator());
  for (int i = 0; i < windows.size(); ++i) {
    QMdiSubWindow* window = windows.at(i);
    QAction* action = windowMenu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(ShownTitle(window)));
    action->setCheckable(true);
    action->setChecked(window == mdiArea_->activeSubWindow());
    connect(action, &QAction::triggered, this, [this, window] { mdiArea_->setActiveSubWindow(window); });
    windowListActions_.push_back(action);
  }
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
