// The main frame's menus, tool bar and status bar, built from the command table.
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QHBoxLayout>
#include <QStatusBar>
#include <QToolBar>

#include "core/document/CommandIds.h"
#include "core/document/VexoDoc.h"
#include "gui/engine/EngineMenus.h"
#include "gui/shell/ChildFrame.h"
#include "gui/engine/EnginePrinter.h"
#include "gui/engine/TestConditionsDlg.h"
#include "gui/iterator/IteratorCommands.h"
#include "gui/report/ReportMenu.h"
#include "gui/shell/ColorScheme.h"
#include "gui/shell/MainFrame.h"
#include "gui/shell/PathText.h"
#include "gui/shell/VexoApp.h"
#include "gui/shell/WorkbookTabs.h"

namespace brisca {

using namespace command;

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
  AddPrintActions();
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

  // Undo and Redo name the step they take back or make again.
  editMenu_ = menuBar_->addMenu(tr("&Edit"));
  editMenu_->setObjectName(QStringLiteral("editMenu"));
  editMenu_->addAction(undo_.UndoAction());
  editMenu_->addAction(undo_.RedoAction());
  connect(editMenu_, &QMenu::aboutToShow, &undo_, &UndoHistory::Settle);

  QMenu* view = menuBar_->addMenu(tr("&View"));
  for (int id : {kViewToolbar, kViewStatusBar, kWorkbook}) view->addAction(Action(id));
  view->addSeparator();
  QMenu* schemes = view->addMenu(tr("Color &Scheme"));
  for (int scheme = 0; scheme < kSchemeCount; ++scheme) schemes->addAction(Action(SchemeCommand(scheme)));
  connect(view, &QMenu::aboutToShow, this, &CMainFrame::UpdateMenus);
  connect(schemes, &QMenu::aboutToShow, this, &CMainFrame::UpdateMenus);

  QMenu* simulation = AddEngineMenus(*menuBar_, [this] { return ActiveDocument(); });
  simulation->addSeparator();
  QAction* conditions = simulation->addAction(tr("Test &Conditions..."));
  conditions->setObjectName(QStringLiteral("testConditionsAction"));
  connect(conditions, &QAction::triggered, this, &CMainFrame::OnTestConditions);
  InstallIteratorCommands(*this);

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

void CMainFrame::AddPrintActions() {
  // The active document's printed report, whatever view is active.
  fileMenu_->addSeparator();
  QAction* print = fileMenu_->addAction(tr("&Print..."));
  print->setObjectName(QStringLiteral("printAction"));
  print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
  print->setData(kPrint);
  QAction* preview = fileMenu_->addAction(tr("Print Pre&view"));
  preview->setObjectName(QStringLiteral("printPreviewAction"));
  preview->setData(kPrintPreview);
  connect(print, &QAction::triggered, this, [this] {
    if (CVexoDoc* doc = ActiveDocument()) EnginePrinter::PrintWithDialog(*doc, documents_.Views(*doc), this);
  });
  connect(preview, &QAction::triggered, this, [this] {
    if (CVexoDoc* doc = ActiveDocument()) EnginePrinter::Preview(*doc, documents_.Views(*doc), this);
  });
  connect(fileMenu_, &QMenu::aboutToShow, this, [this, print, preview] {
    const bool hasDocument = ActiveDocument() != nullptr;
    print->setEnabled(hasDocument);
    preview->setEnabled(hasDocument);
  });
  AddReportActions(*fileMenu_, {[this] { return ActiveDocument(); },
                                [this](CVexoDoc& doc) -> const ViewRegistry& { return documents_.Views(doc); },
                                &app_.Paths()});
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
  conditionsPane_ = pane("conditionsPane");
}

QString CMainFrame::ConditionsPaneText(const TestConditions& conditions) {
  // A weather without a standard is no longer the model's air: say whose law brings the figures to it.
  if (conditions.weatherGiven && conditions.standard == CorrectionStandard::Uncorrected)
    return tr("At weather (%1)").arg(QString::fromLatin1(StandardName(LawOf(conditions))));
  return QString::fromLatin1(StandardName(conditions.standard));
}

const TestConditions& CMainFrame::Conditions() const { return app_.Prefs().conditions; }

void CMainFrame::OnTestConditions() {
  CTestConditionsDlg dialog(app_.Prefs().conditions, this);
  if (dialog.exec() != QDialog::Accepted || dialog.Conditions() == app_.Prefs().conditions) return;
  app_.SetConditions(dialog.Conditions());
  ShowConditions(dialog.Conditions());
}

void CMainFrame::ShowConditions(const TestConditions& conditions) {
  documents_.SetDisplayConditions(conditions);
  // Only the figures change: a redraw, no step to undo, nothing modified.
  for (CChildFrame* frame : frames_) frame->UpdateViews();
  UpdateStatusPanes();
}

std::vector<QLabel*> CMainFrame::IndicatorPanes() const {
  return {unitsPane_, autoRunPane_, resultsPane_, conditionsPane_};
}

void CMainFrame::UpdateStatusPanes() {
  const CVexoDoc* doc = ActiveDocument();
  unitsPane_->setText(!doc ? QString() : doc->IsMetric() ? tr("Metric") : tr("Domestic"));
  autoRunPane_->setText(!doc ? QString() : doc->GetAutoRun() ? tr("Auto Run") : tr("Manual Run"));
  resultsPane_->setText(!doc                       ? QString()
                        : doc->Results().IsEmpty() ? tr("No Results")
                                                   : tr("Results"));
  conditionsPane_->setText(!doc ? QString() : ConditionsPaneText(documents_.DisplayConditions()));
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

}  // namespace brisca
