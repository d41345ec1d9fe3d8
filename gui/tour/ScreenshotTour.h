#pragma once
// The screenshot tour: starts the real application objects on the offscreen
// platform, opens a sample engine, runs it and saves a picture of every
// window, dialog and open menu under a fixed name. A window that does not
// open, or opens blank, fails the tour.

#include <QDir>
#include <QImage>
#include <QString>
#include <QStringList>

#include <functional>

#include "gui/shell/ViewRegistry.h"

class QWidget;

namespace brisca {

class CChart2dView;
class CMainFrame;
class CVexoApp;
struct ProgramPaths;

class ScreenshotTour {
 public:
  //! Pictures go to `outDir`; settings live in `settingsDir` (never the user's).
  ScreenshotTour(const QString& outDir, const QString& settingsDir);

  //! Takes every picture; false when one could not be taken.
  bool Run();
  const QStringList& Failures() const { return failures_; }
  const QStringList& Written() const { return written_; }

 private:
  void TakeSplash();
  //! Starts the program with `scheme` as last used (-1: a first start), opens
  //! and runs the sample, and saves the main window as `name`.
  void TakeMainWindow(int scheme, const QString& name, bool withDialogs);
  void TakeAbout(CMainFrame& frame);
  void TakeLowColorNotice(CMainFrame& frame);
  //! The start-up offer of an earlier run's unsaved engines.
  void TakeRecoveryDialog(CMainFrame& frame);
  void TakeFileMenu(CMainFrame& frame);
  //! The Edit menu after two changes to the engine, which are then taken back.
  void TakeEditMenu(CMainFrame& frame);
  //! The user manual in its own viewer.
  void TakeManualViewer(CVexoApp& app);
  //! A numbered message box, its number in the caption.
  void TakeNumberedMessage();
  //! The port-flow dialog on the sample's cylinder head.
  void TakePortFlow(CMainFrame& frame);
  //! The airflow calculator with the worked four-barrel rating.
  void TakeAirflowMath(CMainFrame& frame);
  //! The test conditions dialog with a weather typed in.
  void TakeTestConditions(CMainFrame& frame);
  //! The cam calculator on a copy of the sample's low-speed lobe.
  void TakeCamMath(CMainFrame& frame);
  //! The cam manager: its pages on the sample's cam, a search over the sample
  //! cam files, a two-lobe cam's high-speed lobe, and the custom cam name dialog.
  void TakeCamManager(CMainFrame& frame);
  //! Both methods of the compression-ratio calculator, with a worked example typed in.
  void TakeCompressionRatio(CMainFrame& frame);
  //! The print preview of the active engine's report, fitted to the width.
  void TakePrintPreview(CMainFrame& frame);
  //! The engine form of the active engine window (the whole form) as `name`.
  void TakeEngineForm(CMainFrame& frame, const QString& name);
  //! The hint over a value of the active engine's form, as the resting pointer shows it.
  void TakeFormToolTip(CMainFrame& frame);
  //! The edit dialogs and component menus of the active engine's form.
  void TakeEditDialogs(CMainFrame& frame);
  //! Opens the dialog of field `fieldId`, lets `shoot` picture it, then cancels it.
  void WithEditDialog(CMainFrame& frame, int fieldId, const std::function<void()>& shoot);
  //! The whole results table registered in `slot` of the active engine as `name`.
  void TakeTable(CMainFrame& frame, ViewSlot slot, const QString& name);
  //! The two charts of the sample, a comparison, a zone overlay and the chart menu.
  void TakeCharts(CMainFrame& frame);
  void TakeChartMenu(CMainFrame& frame, CChart2dView& chart);
  //! The three pages of the chart properties on the sample's charts.
  void TakeChartProperties(CMainFrame& frame);
  //! The sample's matching measured pull over its power and torque chart, and
  //! the deviation window.
  void TakeMeasuredRun(CMainFrame& frame);
  //! The report setup, every page of the sample's report as PDF and the contest entry.
  void TakeReport(CMainFrame& frame, const ProgramPaths& paths);
  //! The 3D surface component on a sample grid, in the scheme's 3D chart colours.
  void TakeSurface();
  //! Both iterator windows on the sample: the Quick Iterator after a finished
  //! run, the Pro Iterator's pages after their presets and its results after a run.
  void TakeIterators();

  //! Every page of the sample's engine print: "print-page-1.png" ...
  void TakePrintPages(CMainFrame& frame);
  //! Every page of `pdf` as "<prefix>-1.png" ...; `expected` pages (0: any).
  void SavePdfPages(const QString& pdf, const QString& prefix, int expected);

  bool Save(const QImage& image, const QString& name, const QWidget* shown);
  //! A picture of paper, not of a window.
  bool SavePicture(const QImage& image, const QString& name);
  void Fail(const QString& what) { failures_ << what; }

  QDir out_;
  QString settingsDir_;
  QStringList failures_;
  QStringList written_;
};

//! True when the picture is one flat colour (nothing was painted).
bool IsBlank(const QImage& image);

}  // namespace brisca
