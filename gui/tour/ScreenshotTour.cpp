#include "gui/tour/ScreenshotTour.h"

#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>

#include <QApplication>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QRadioButton>
#include <QSettings>
#include <QTabWidget>
#include <cmath>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>

#include "core/base/ErrCode.h"
#include "core/document/CommandIds.h"
#include "core/document/ComponentHandlers.h"
#include "core/document/ProgramPaths.h"
#include "core/document/VexoDoc.h"
#include "gui/engine/EngineFormView.h"
#include "gui/engine/EngineMenus.h"
#include "gui/engine/EnginePrinter.h"
#include "gui/engine/SimSpecEditCtrl.h"
#include "gui/engine/SimSpecEditDlg.h"
#include "gui/results/ChartBuilder.h"
#include "gui/results/Chart2dView.h"
#include "gui/results/ChartMenuTable.h"
#include "gui/results/ResultsTableView.h"
#include "gui/results/chartlib/Surface3D.h"
#include "gui/shell/AboutDlg.h"
#include "gui/shell/ChildFrame.h"
#include "gui/shell/ColorScheme.h"
#include "gui/shell/DocumentManager.h"
#include "gui/shell/LowColorDlg.h"
#include "gui/shell/MainFrame.h"
#include "gui/shell/ManualViewer.h"
#include "gui/shell/QtMessagePresenter.h"
#include "gui/shell/SplashScreen.h"
#include "gui/shell/VexoApp.h"
#include "gui/calculators/AirFlowMathDlg.h"
#include "gui/calculators/CamMathDlg.h"
#include "gui/calculators/CompRatioDlg.h"
#include "gui/shell/EditFloatPt.h"
#include "gui/valvetrain/AirFlowDlg.h"

namespace brisca {
namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 800;
const char* const kSample = "Stock Small-Block V8.qen";
const char* const kComparedSample = "Ported V8 Race Cam Methanol.qen";

void Settle(int ms = 50) {
  QApplication::processEvents();
  QTest::qWait(ms);
}

}  // namespace

bool IsBlank(const QImage& image) {
  if (image.isNull()) return true;
  const QRgb first = image.pixel(0, 0);
  for (int y = 0; y < image.height(); y += 3) {
    for (int x = 0; x < image.width(); x += 3) {
      if (image.pixel(x, y) != first) return false;
    }
  }
  return true;
}

ScreenshotTour::ScreenshotTour(const QString& outDir, const QString& settingsDir)
    : out_(outDir), settingsDir_(settingsDir) {}

bool ScreenshotTour::Run() {
  if (!out_.mkpath(QStringLiteral("."))) {
    Fail(QStringLiteral("cannot make %1").arg(out_.path()));
    return false;
  }
  TakeSplash();
  TakeMainWindow(-1, QStringLiteral("main-window.png"), true);
  TakeIterators();
  for (int scheme = 0; scheme < 4; ++scheme) {
    TakeMainWindow(scheme, QStringLiteral("main-window-scheme-%1.png").arg(scheme), false);
  }
  return failures_.isEmpty();
}

void ScreenshotTour::TakeSplash() {
  SplashScreen splash;
  splash.ShowNow();
  if (!QTest::qWaitForWindowExposed(&splash)) Fail(QStringLiteral("the splash did not show"));
  Settle();
  Save(splash.grab().toImage(), QStringLiteral("splash.png"), &splash);
  splash.close();
}

void ScreenshotTour::TakeMainWindow(int scheme, const QString& name, bool withDialogs) {
  {
    QSettings settings;
    settings.clear();
    if (scheme >= 0) settings.setValue(QStringLiteral("Preferences/ColorSchemeNumLastUsed"), scheme);
  }
  AppOptions options;
  options.splashMinimumMs = 0;
  options.showMaximized = false;
  CVexoApp app(options);
  if (!app.InitInstance({QStringLiteral("brisca")})) {
    Fail(QStringLiteral("%1: the program did not start").arg(name));
    return;
  }
  CMainFrame& frame = *app.MainFrame();
  frame.resize(kWidth, kHeight);
  if (!QTest::qWaitForWindowExposed(&frame)) Fail(QStringLiteral("%1: no main window").arg(name));

  const std::filesystem::path sample =
      ProgramPaths::Discover().programDataFolder / "EngineFiles (.QEN)" / kSample;
  if (!frame.OpenFile(sample)) {
    Fail(QStringLiteral("%1: the sample engine did not open").arg(name));
  } else if (CVexoDoc* doc = frame.ActiveDocument(); !doc || !doc->OnRun()) {
    Fail(QStringLiteral("%1: the sample engine did not run").arg(name));
  }
  Settle(100);
  Save(frame.grab().toImage(), name, &frame);

  if (withDialogs) {
    TakeAbout(frame);
    TakeLowColorNotice(frame);
    TakeRecoveryDialog(frame);
    TakeFileMenu(frame);
    TakeEditMenu(frame);
    TakeManualViewer(app);
    TakeNumberedMessage();
    TakePortFlow(frame);
    TakeAirflowMath(frame);
    TakeTestConditions(frame);
    TakeCamMath(frame);
    TakeCamManager(frame);
    TakeCompressionRatio(frame);
    TakePrintPreview(frame);
    TakePrintPages(frame);
    TakeReport(frame, app.Paths());
    TakeCharts(frame);
    TakeChartProperties(frame);
    TakeMeasuredRun(frame);
    TakeSurface();
  }
  if (scheme == 1) {
    TakeEngineForm(frame, QStringLiteral("engine-form.png"));
    TakeFormToolTip(frame);
    TakeTable(frame, ViewSlot::ResultsTable, QStringLiteral("table-standard.png"));
    TakeTable(frame, ViewSlot::ProDataTable, QStringLiteral("table-extended.png"));
    TakeEditDialogs(frame);
    frame.OnFileNew();
    Settle(100);
    TakeEngineForm(frame, QStringLiteral("engine-form-new.png"));
  } else if (scheme == 0) {
    TakeEngineForm(frame, QStringLiteral("engine-form-scheme-0.png"));
    TakeTable(frame, ViewSlot::ResultsTable, QStringLiteral("table-standard-scheme-0.png"));
  }
  app.ExitInstance();
}

void ScreenshotTour::TakeAbout(CMainFrame& frame) {
  CAboutDlg about(&frame);
  about.show();
  if (!QTest::qWaitForWindowExposed(&about)) Fail(QStringLiteral("the About box did not show"));
  Settle();
  Save(about.grab().toImage(), QStringLiteral("about.png"), &about);
  about.close();
}

void ScreenshotTour::TakePortFlow(CMainFrame& frame) {
  CVexoDoc* doc = frame.ActiveDocument();
  if (!doc) {
    Fail(QStringLiteral("port-flow.png: no engine"));
    return;
  }
  const EngineParameters& e = doc->Engine();
  CAirFlowDlg dialog(frame.Host(), e.flow, component::FileName(e.airflowFile), &frame);
  dialog.show();
  if (!QTest::qWaitForWindowExposed(&dialog)) Fail(QStringLiteral("the port-flow dialog did not show"));
  dialog.activateWindow();
  dialog.LiftEdit(FlowSide::Intake, 2)->setFocus();
  Settle(100);
  Save(dialog.grab().toImage(), QStringLiteral("port-flow.png"), &dialog);
  dialog.reject();
}

void ScreenshotTour::TakePrintPreview(CMainFrame& frame) {
  CVexoDoc* doc = frame.ActiveDocument();
  if (!doc) {
    Fail(QStringLiteral("print-preview.png: no engine"));
    return;
  }
  const EnginePrinter report(*doc, frame.Documents().Views(*doc));
  QPrinter printer(QPrinter::HighResolution);
  QPrintPreviewDialog dialog(&printer, &frame);
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                   [&report](QPrinter* target) { report.Print(*target); });
  dialog.resize(900, 1000);
  dialog.show();
  if (!QTest::qWaitForWindowExposed(&dialog)) Fail(QStringLiteral("the print preview did not show"));
  if (auto* preview = dialog.findChild<QPrintPreviewWidget*>()) preview->fitToWidth();
  Settle(200);
  Save(dialog.grab().toImage(), QStringLiteral("print-preview.png"), &dialog);
  dialog.reject();
}

void ScreenshotTour::TakeAirflowMath(CMainFrame& frame) {
  CAirFlowMathDlg dialog(false, &frame);
  dialog.show();
  if (!QTest::qWaitForWindowExposed(&dialog)) Fail(QStringLiteral("the airflow calculator did not show"));
  dialog.activateWindow();
  for (auto [edit, text] : {std::pair{dialog.KnownPressureEdit(), QStringLiteral("28.0")},
                            std::pair{dialog.KnownAirflowEdit(), QStringLiteral("600")}}) {
    edit->setFocus();
    edit->setText(text);
    Settle();
  }
  dialog.KnownPressureEdit()->setFocus();
  Settle(100);
  Save(dialog.grab().toImage(), QStringLiteral("airflow-math.png"), &dialog);
  dialog.reject();
}

void ScreenshotTour::TakeCompressionRatio(CMainFrame& frame) {
  CVexoDoc* doc = frame.ActiveDocument();
  int code = 0;
  if (!doc || !doc->ValidateShortBlock(code)) {
    Fail(QStringLiteral("compression-ratio: no engine with a short block"));
    return;
  }
  // The dialog edits copies; closing it with Cancel leaves the engine as it was.
  CCompRatioDlg dialog(*doc, &frame);
  dialog.show();
  if (!QTest::qWaitForWindowExposed(&dialog)) Fail(QStringLiteral("the compression-ratio calculator did not show"));
  dialog.activateWindow();
  struct Entry {
    CCompRatioDlg::Input input;
    const char* text;
  };
  constexpr Entry kSpecsKnown[] = {{CCompRatioDlg::kChamber, "64"},       {CCompRatioDlg::kDome, "5"},
                                   {CCompRatioDlg::kReliefs, "4"},        {CCompRatioDlg::kDeckClearance, "0.010"},
                                   {CCompRatioDlg::kGasketBore, "4.100"}, {CCompRatioDlg::kGasketThickness, "0.040"}};
  constexpr Entry kBurette[] = {{CCompRatioDlg::kDownBore, "0.500"}, {CCompRatioDlg::kMeasured, "110"}};
  auto typeIn = [&](int method, const auto& entries) {
    dialog.MethodButton(method)->click();
    Settle();
    for (const Entry& entry : entries) {
      CEditFloatPt* edit = dialog.InputEdit(method, entry.input);
      edit->setFocus();
      edit->setText(QString::fromUtf8(entry.text));
      dialog.MethodButton(method)->setFocus();
      Settle();
    }
    dialog.InputEdit(method, CCompRatioDlg::kChamber)->setFocus();
    Settle(100);
  };
  typeIn(2, kSpecsKnown);
  Save(dialog.grab().toImage(), QStringLiteral("compression-ratio-1.png"), &dialog);
  typeIn(1, kBurette);
  Save(dialog.grab().toImage(), QStringLiteral("compression-ratio-2.png"), &dialog);
  dialog.reject();
}

void ScreenshotTour::TakeCamMath(CMainFrame& frame) {
  CVexoDoc* doc = frame.ActiveDocument();
  if (!doc) {
    Fail(QStringLiteral("cam-math.png: no engine"));
    return;
  }
  CCamProfile lobe(doc->Engine().camshaft.lowSpeedLobe);  // the picture changes nothing
  CCamMathDlg dialog(lobe, 0, &frame);
  dialog.show();
  if (!QTest::qWaitForWindowExposed(&dialog)) Fail(QStringLiteral("the cam calculator did not show"));
  dialog.activateWindow();
  dialog.Input(0)->setFocus();
  Settle(100);
  Save(dialog.grab().toImage(), QStringLiteral("cam-math.png"), &dialog);
  dialog.reject();
}

void ScreenshotTour::TakeLowColorNotice(CMainFrame& frame) {
  CLowColorDlg notice(&frame);
  notice.show();
  if (!QTest::qWaitForWindowExposed(&notice)) Fail(QStringLiteral("the low-colour notice did not show"));
  Settle();
  Save(notice.grab().toImage(), QStringLiteral("low-color-notice.png"), &notice);
  notice.close();
}

void ScreenshotTour::TakeManualViewer(CVexoApp& app) {
  app.OnUserManual();
  CManualViewer* viewer = app.ManualViewer();
  if (!viewer || !viewer->IsLoaded()) {
    Fail(QStringLiteral("manual-viewer.png: the manual did not open"));
    return;
  }
  viewer->resize(kWidth, kHeight);
  if (!QTest::qWaitForWindowExposed(viewer)) Fail(QStringLiteral("the manual viewer did not show"));
  viewer->GoToPage(1);
  viewer->SearchField()->setText(QStringLiteral("engine"));
  QMetaObject::invokeMethod(viewer->SearchField(), "returnPressed");
  Settle(400);
  Save(viewer->grab().toImage(), QStringLiteral("manual-viewer.png"), viewer);
  viewer->close();
}

void ScreenshotTour::TakeNumberedMessage() {
  QtMessagePresenter presenter;
  ScopedPresenter installed(presenter);
  bool taken = false;
  // The box runs its own loop: it is pictured and closed from inside it.
  QTimer::singleShot(200, [this, &taken] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    Settle();
    // The caption is drawn by the window manager, not the box: it is drawn here
    // above the box, as the user sees it.
    const QImage body = box->grab().toImage();
    const QFontMetrics metrics(box->font());
    const int bar = metrics.height() + 12;
    const int width = std::max(body.width(), metrics.horizontalAdvance(box->windowTitle()) + 24);
    QImage picture(width, body.height() + bar, body.format());
    picture.fill(box->palette().color(QPalette::Window));
    {
      QPainter painter(&picture);
      painter.fillRect(0, 0, width, bar, box->palette().color(QPalette::Mid));
      painter.setFont(box->font());
      painter.setPen(box->palette().color(QPalette::WindowText));
      painter.drawText(QRect(12, 0, width - 24, bar), Qt::AlignVCenter | Qt::AlignLeft, box->windowTitle());
      painter.drawImage(0, bar, body);
    }
    Save(picture, QStringLiteral("message-numbered.png"), box);
    taken = true;
    box->accept();
  });
  ReportErrorCode(45);
  if (!taken) Fail(QStringLiteral("message-numbered.png: no message box"));
}

void ScreenshotTour::TakeFileMenu(CMainFrame& frame) {
  QMenu* menu = frame.FileMenu();
  QMenuBar* bar = frame.MainMenuBar();
  bar->setActiveAction(menu->menuAction());  // drops the menu as a click on "File" does
  if (!QTest::qWaitForWindowExposed(menu)) Fail(QStringLiteral("the File menu did not open"));
  Settle();
  // The open menu over the window it dropped from, as the user sees it.
  QImage picture = frame.grab().toImage();
  const QImage dropped = menu->grab().toImage();
  {
    QPainter painter(&picture);
    painter.drawImage(frame.mapFromGlobal(menu->mapToGlobal(QPoint(0, 0))), dropped);
  }
  if (IsBlank(dropped)) Fail(QStringLiteral("the File menu is blank"));
  Save(picture, QStringLiteral("file-menu.png"), menu);
  menu->close();
}

void ScreenshotTour::TakeEditMenu(CMainFrame& frame) {
  CVexoDoc* doc = frame.ActiveDocument();
  if (!doc) return Fail(QStringLiteral("edit-menu.png: no engine"));
  // A bore typed on the form, then the metric units.
  EngineParameters& e = doc->Engine();
  if (!doc->ConfirmSpecChange(e.bore)) return Fail(QStringLiteral("edit-menu.png: the bore was refused"));
  e.bore.SetValue(e.bore.GetValue() + 0.030f);
  doc->SetModified(true);
  doc->UpdateDerivedValues();
  frame.UpdateAllViews(*doc);
  frame.Undo().Settle();
  RunEngineCommand(*doc, command::kMetricUnits);
  frame.Undo().Settle();
  Settle();

  QMenu* menu = frame.MainMenuBar()->findChild<QMenu*>(QStringLiteral("editMenu"));
  if (!menu) return Fail(QStringLiteral("edit-menu.png: no Edit menu"));
  frame.MainMenuBar()->setActiveAction(menu->menuAction());
  if (!QTest::qWaitForWindowExposed(menu)) Fail(QStringLiteral("the Edit menu did not open"));
  Settle();
  QImage picture = frame.grab().toImage();
  const QImage dropped = menu->grab().toImage();
  {
    QPainter painter(&picture);
    painter.drawImage(frame.mapFromGlobal(menu->mapToGlobal(QPoint(0, 0))), dropped);
  }
  if (IsBlank(dropped)) Fail(QStringLiteral("the Edit menu is blank"));
  Save(picture, QStringLiteral("edit-menu.png"), menu);
  menu->close();
  // The rest of the tour shows the engine as it was opened.
  while (frame.Undo().UndoAction()->isEnabled()) frame.Undo().UndoAction()->trigger();
  Settle();
}

namespace {

CEngineFormView* ActiveForm(CMainFrame& frame) {
  CChildFrame* child = frame.ActiveFrame();
  if (!child) return nullptr;
  // The form in front, so a dialog placed on one of its fields lies over it.
  child->LeftTabs()->setCurrentIndex(0);
  return qobject_cast<CEngineFormView*>(child->LeftTabs()->widget(0));
}

//! `overlay` painted over `picture` where it lies on `base`.
void PaintOver(QImage& picture, const QWidget& base, QWidget& overlay) {
  QPainter painter(&picture);
  painter.drawImage(base.mapFromGlobal(overlay.mapToGlobal(QPoint(0, 0))), overlay.grab().toImage());
}

//! The items leading to the first checked item of `menu` (empty when none is checked).
std::vector<QAction*> PathToChecked(QMenu& menu) {
  for (QAction* action : menu.actions()) {
    if (QMenu* sub = action->menu()) {
      std::vector<QAction*> rest = PathToChecked(*sub);
      if (!rest.empty()) {
        rest.insert(rest.begin(), action);
        return rest;
      }
    } else if (action->isChecked()) {
      return {action};
    }
  }
  return {};
}

}  // namespace

void ScreenshotTour::TakeEngineForm(CMainFrame& frame, const QString& name) {
  CEngineFormView* form = ActiveForm(frame);
  if (!form) {
    Fail(QStringLiteral("%1: no engine form").arg(name));
    return;
  }
  form->Canvas()->update();
  Settle();
  Save(form->Canvas()->grab().toImage(), name, form->Canvas());
}

void ScreenshotTour::TakeFormToolTip(CMainFrame& frame) {
  CEngineFormView* form = ActiveForm(frame);
  if (!form) return Fail(QStringLiteral("engine-form-tooltip.png: no engine form"));
  CSimSpecEditCtrl* field = form->Field(1022);
  form->ensureWidgetVisible(field);
  Settle();
  // The event the resting pointer sends, so the hint shows through the widget's own path.
  const QPoint inside(field->width() / 2, field->height() / 2);
  QHelpEvent rest(QEvent::ToolTip, inside, field->mapToGlobal(inside));
  QApplication::sendEvent(field, &rest);
  QWidget* tip = nullptr;
  for (int wait = 0; wait < 40 && !tip; ++wait) {
    Settle();
    for (QWidget* window : QApplication::topLevelWidgets()) {
      if (window->inherits("QTipLabel") && window->isVisible()) tip = window;
    }
  }
  if (!tip) return Fail(QStringLiteral("the hint over \"Bore:\" did not show"));
  QImage picture = frame.grab().toImage();
  PaintOver(picture, frame, *tip);
  Save(picture, QStringLiteral("engine-form-tooltip.png"), tip);
  QToolTip::hideText();
}

void ScreenshotTour::WithEditDialog(CMainFrame& frame, int fieldId,
                                    const std::function<void()>& shoot) {
  CEngineFormView* form = ActiveForm(frame);
  if (!form) return Fail(QStringLiteral("no engine form for the edit dialog"));
  CSimSpecEditCtrl* field = form->Field(fieldId);
  form->ensureWidgetVisible(field);
  field->setFocus();
  bool shown = false;
  QTimer::singleShot(100, [&] {
    if (CSimSpecEditDlg* dialog = CSimSpecEditDlg::Open()) {
      shown = true;
      Settle();
      shoot();
      dialog->reject();
    }
  });
  form->EditField(field);
  if (!shown) Fail(QStringLiteral("the edit dialog of field %1 did not open").arg(fieldId));
}

void ScreenshotTour::TakeEditDialogs(CMainFrame& frame) {
  WithEditDialog(frame, 1022, [&] {
    CSimSpecEditDlg* dialog = CSimSpecEditDlg::Open();
    QImage picture = frame.grab().toImage();
    PaintOver(picture, frame, *dialog);
    Save(picture, QStringLiteral("edit-dialog.png"), dialog);
  });
  WithEditDialog(frame, 1664, [&] {
    CSimSpecEditDlg* dialog = CSimSpecEditDlg::Open();
    QImage picture = frame.grab().toImage();
    PaintOver(picture, frame, *dialog);
    Save(picture, QStringLiteral("edit-dialog-notes.png"), dialog);
  });
  // A component menu dropped from the dialog's menu button, opened down to an item.
  auto dropMenu = [&](int fieldId, const QString& name, int depth) {
    WithEditDialog(frame, fieldId, [&] {
      CSimSpecEditDlg* dialog = CSimSpecEditDlg::Open();
      QMenu* menu = dialog->ComponentMenu();
      // Each level is drawn where it drops: beside the item of the level before.
      QImage picture = frame.grab().toImage();
      PaintOver(picture, frame, *dialog);
      QPainter painter(&picture);
      QPoint at = frame.mapFromGlobal(
          dialog->MenuButton()->mapToGlobal(QPoint(0, dialog->MenuButton()->height())));
      menu->popup(dialog->MenuButton()->mapToGlobal(QPoint(0, dialog->MenuButton()->height())));
      Settle();
      std::vector<QMenu*> opened{menu};
      QMenu* level = menu;
      const std::vector<QAction*> path = PathToChecked(*menu);
      for (int i = 0; i <= depth && level; ++i) {
        QAction* next = i < static_cast<int>(path.size()) ? path[i] : nullptr;
        for (QAction* action : level->actions()) {
          if (next) break;
          if (i < depth ? action->menu() != nullptr : !action->isSeparator()) next = action;
        }
        if (next) level->setActiveAction(next);
        Settle();
        painter.drawImage(at, level->grab().toImage());
        // The engine's own item may sit above the asked depth (a menu's plain "None").
        if (!next || i == depth || !next->menu()) break;
        at += QPoint(level->width() - 4, level->actionGeometry(next).top());
        next->menu()->popup(level->mapToGlobal(level->actionGeometry(next).topRight()));
        Settle();
        level = next->menu();
        opened.push_back(level);
      }
      painter.end();
      Save(picture, name, level);
      for (auto it = opened.rbegin(); it != opened.rend(); ++it) (*it)->close();
    });
  };
  dropMenu(1014, QStringLiteral("short-block-menu.png"), 2);
  dropMenu(1070, QStringLiteral("forced-induction-menu.png"), 1);
  dropMenu(1122, QStringLiteral("cam-type-menu.png"), 0);
  dropMenu(1038, QStringLiteral("valve-diameter-menu.png"), 0);
}

void ScreenshotTour::TakeTable(CMainFrame& frame, ViewSlot slot, const QString& name) {
  CChildFrame* child = frame.ActiveFrame();
  CVexoDoc* doc = frame.ActiveDocument();
  auto* table = doc ? qobject_cast<CResultsTableView*>(frame.Documents().Views(*doc).View(slot))
                    : nullptr;
  if (!child || !table) {
    Fail(QStringLiteral("%1: no results table").arg(name));
    return;
  }
  child->LeftTabs()->setCurrentWidget(table);
  Settle();
  // The whole table, not only the part the tab shows.
  QWidget* canvas = table->widget();
  const QRect extent = table->TableExtent(canvas).intersected(canvas->rect());
  Save(canvas->grab(extent).toImage(), name, table);
}

void ScreenshotTour::TakeCharts(CMainFrame& frame) {
  CChildFrame* child = frame.ActiveFrame();
  CVexoDoc* doc = frame.ActiveDocument();
  if (!child || !doc) {
    Fail(QStringLiteral("charts: no engine window"));
    return;
  }
  ViewRegistry& views = frame.Documents().Views(*doc);
  auto* left = qobject_cast<CChart2dView*>(views.View(ViewSlot::FirstChart));
  auto* right = qobject_cast<CChart2dView*>(views.View(ViewSlot::SecondChart));
  if (!left || !right) {
    Fail(QStringLiteral("charts: the Graph tabs hold no charts"));
    return;
  }
  child->LeftTabs()->setCurrentWidget(left);
  child->RightTabs()->setCurrentWidget(right);
  Settle();
  Save(left->grab().toImage(), QStringLiteral("chart-left.png"), left);
  Save(right->grab().toImage(), QStringLiteral("chart-right.png"), right);
  TakeChartMenu(frame, *right);

  // Piston-speed zones on the first chart's engine-speed axis.
  left->State().zones.LoadType(kZoneTypePistonSpeed);
  left->Rebuild();
  Settle();
  Save(left->grab().toImage(), QStringLiteral("chart-zones.png"), left);

  // The sample against another engine read from a file.
  const std::filesystem::path other =
      ProgramPaths::Discover().programDataFolder / "EngineFiles (.QEN)" / kComparedSample;
  frame.Host().SetFilePrompter([other](const FilePrompt&) -> std::optional<std::filesystem::path> { return other; });
  if (!right->OnCommand(kCmdCompareFromFile)) Fail(QStringLiteral("chart-comparison: no comparison made"));
  frame.Host().SetFilePrompter(nullptr);
  if (CChildFrame* active = frame.ActiveFrame(); active != child) {
    Fail(QStringLiteral("chart-comparison: the engine window lost the focus"));
  }
  Settle(100);
  Save(right->grab().toImage(), QStringLiteral("chart-comparison.png"), right);
}

void ScreenshotTour::TakeSurface() {
  constexpr int kNx = 19;
  constexpr int kNy = 15;
  CSurface3D surface;
  surface.resize(640, 480);
  // A smooth sample: two hills of different height over a gentle slope.
  std::vector<double>& z = surface.MakeGridData(kNx, kNy, 0.0, 1.0, 0.0, 1.0);
  for (int iy = 0; iy < kNy; ++iy) {
    for (int ix = 0; ix < kNx; ++ix) {
      const double x = ix / double(kNx - 1), y = iy / double(kNy - 1);
      const double a = (x - 0.3) * (x - 0.3) + (y - 0.6) * (y - 0.6);
      const double b = (x - 0.75) * (x - 0.75) + (y - 0.3) * (y - 0.3);
      z[static_cast<std::size_t>(iy * kNx + ix)] = 0.3 * x + std::exp(-a / 0.03) + 0.6 * std::exp(-b / 0.02);
    }
  }
  surface.SetAxisTitles(QStringLiteral("X"), QStringLiteral("Y"), QStringLiteral("Z"));
  CSurface3D::Colors colors;
  colors.background = SchemeColor(95);
  colors.low = SchemeColor(96);
  colors.high = SchemeColor(97);
  colors.grid = SchemeColor(98);
  colors.text = SchemeColor(kChartFrameZones);
  surface.SetColors(colors);
  surface.show();
  if (!QTest::qWaitForWindowExposed(&surface)) Fail(QStringLiteral("the 3D surface did not show"));
  Settle();
  Save(surface.grab().toImage(), QStringLiteral("surface-3d.png"), &surface);
}

void ScreenshotTour::TakeChartMenu(CMainFrame& frame, CChart2dView& chart) {
  QMenu* menu = chart.ContextMenu();
  const QPoint at = chart.mapToGlobal(QPoint(chart.width() / 3, chart.height() / 5));
  menu->popup(at);
  if (!QTest::qWaitForWindowExposed(menu)) Fail(QStringLiteral("the chart menu did not open"));
  QMenu* group = nullptr;
  for (QAction* action : menu->actions()) {
    if (action->menu() && action->text() == QStringLiteral("Y1 Data")) {
      menu->setActiveAction(action);
      group = action->menu();
      group->popup(menu->mapToGlobal(menu->actionGeometry(action).topRight()));
    }
  }
  if (!group || !QTest::qWaitForWindowExposed(group)) Fail(QStringLiteral("the Y1 Data menu did not open"));
  Settle();
  QImage picture = frame.grab().toImage();
  {
    QPainter painter(&picture);
    for (QMenu* open : {menu, group}) {
      if (open) painter.drawImage(frame.mapFromGlobal(open->mapToGlobal(QPoint(0, 0))), open->grab().toImage());
    }
  }
  Save(picture, QStringLiteral("chart-menu.png"), menu);
  if (group) group->close();
  menu->close();
}

bool ScreenshotTour::Save(const QImage& image, const QString& name, const QWidget* shown) {
  if (!shown || !shown->isVisible()) {
    Fail(QStringLiteral("%1: the window is not shown").arg(name));
    return false;
  }
  return SavePicture(image, name);
}

}  // namespace brisca

