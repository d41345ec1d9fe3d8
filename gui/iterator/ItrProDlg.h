#pragma once
// "Pro Iterator": the full front end of the iterator. Pages in a tab sheet
// choose the groups to vary, tolerances and steps, one or two phases, the
// manifolds, the criterion and its speed range, and run the series; the
// status area beside them is always visible. OK hands both iterators to the
// document and the marked results become documents.
//
// The tests run on worker threads (see IteratorRun); the window polls their
// snapshot and touches the iterators only between runs. Closing the window,
// OK and quitting the program stop and join the workers first.

#include <QDialog>

#include <array>
#include <memory>

#include "core/iterator/ProPresets.h"
#include "gui/iterator/IteratorPhases.h"
#include "gui/iterator/IteratorRunControl.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTabWidget;

namespace brisca {

class CChart2D;
class CVexoDoc;
class ProBoreStrokePage;
class ProCamPage;
class ProInductionPage;
class ProOptimizePage;
class ProPage;
class ProResultsPage;
class StatusLight;

enum class ProPreset { CamTiming, Induction, BoreStroke, PeakTorque, PeakPower, ResetAll };

class CItrProDlg : public QDialog {
  Q_OBJECT

 public:
  enum State { kNeedsSetup = 0, kStopped = 1, kRunning = 2, kFinished = 3 };
  enum Page { kCamPage = 0, kHighCamPage, kBoreStrokePage, kInductionPage, kOptimizePage, kResultsPage };

  //! Works on copies of `document`'s iterators, which must be set up
  //! (PrepareProOpening). `threads` ≤ 0: every core.
  CItrProDlg(CVexoDoc& document, int threads = 0, QWidget* parent = nullptr);
  ~CItrProDlg() override;

  void OnPreset(ProPreset preset);
  //! "Run/Stop".
  void OnRunStop();
  //! "Restart": validates, then sets both phases up again from the baseline (results dropped).
  void OnRestart();
  //! Stops the run and waits for its workers.
  void StopAndJoin();
  void ShowPage(Page page);

  State GetState() const { return state_; }
  int CurrentPhase() const { return control_->Phase(); }
  bool IsRunning() const { return control_->IsRunning(); }
  //! Between runs only.
  Iterator& Phase(int phase) const { return phase == 2 ? *phases_.phase2 : *phases_.phase1; }
  const RunSnapshot& Shown() const { return shown_; }

  QTabWidget* Pages() const { return pages_; }
  ProCamPage* CamPage(bool highSpeed) const { return camPages_[highSpeed ? 1 : 0]; }
  ProBoreStrokePage* BoreStrokePage() const { return boreStroke_; }
  ProInductionPage* InductionPage() const { return induction_; }
  ProOptimizePage* OptimizePage() const { return optimize_; }
  ProResultsPage* ResultsPage() const { return results_; }
  QPushButton* PresetButton(ProPreset preset) const { return presets_[static_cast<int>(preset)]; }
  QPushButton* OkButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }
  //! Row 0..3 ("Cam (Low Speed)" … "Bore/Stroke"), column 1 or 2 (phase) of the series table.
  QLabel* SeriesCell(int row, int phase) const { return seriesCells_[row][phase - 1]; }
  QLabel* TotalLabel() const { return total_; }
  QLabel* CompletedLabel() const { return completed_; }
  //! "<n> failed" beside "Completed Sims:".
  QLabel* FailedLabel() const { return failed_; }
  QLabel* PercentLabel() const { return percent_; }
  //! "Baseline Value:", "Current Value:", "New Maximum:", "Increase In:", "Units:".
  QLabel* CriterionValue(int i) const { return criterion_.at(i); }
  //! "Phase 2 Start:": phase 1's best score while phase 2 is current, else empty.
  QLabel* PhaseStartLabel() const { return phaseStart_; }
  CChart2D* CurrentChart() const { return currentChart_; }

 public slots:
  //! Stops and joins the workers first.
  void reject() override;
  //! Hands both iterators to the document (after the workers stopped).
  void accept() override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QWidget* BuildStatus();
  QWidget* BuildPresets();
  void OnSetupChanged();
  //! Tests were done since the setup was last changed (a series begun, stopped or finished).
  bool HasResults() const;
  //! Before a setup change: true when there are no results, or the user
  //! agreed to discard them (they are gone then). Never while running.
  bool MayDiscardResults();
  //! The run is over and joined.
  void OnRunEnded();
  //! Phase 1 done, and phase 2 too when there are two.
  bool Finished() const;
  void ShowIdle();
  void Show(const RunSnapshot& snapshot);
  void ShowSeriesTable();
  void UpdateButtons();
  void RefreshPages();
  bool Dual() const;
  int PageIndex(Page page) const;

  CVexoDoc& document_;
  IteratorPhases phases_;
  IteratorRunControl* control_;
  State state_ = kStopped;
  RunSnapshot shown_;

  QTabWidget* pages_ = nullptr;
  std::array<ProCamPage*, 2> camPages_{};
  ProBoreStrokePage* boreStroke_ = nullptr;
  ProInductionPage* induction_ = nullptr;
  ProOptimizePage* optimize_ = nullptr;
  ProResultsPage* results_ = nullptr;
  std::array<QPushButton*, 6> presets_{};
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
  std::array<std::array<QLabel*, 2>, 4> seriesCells_{};
  QLabel* total_ = nullptr;
  QLabel* completed_ = nullptr;
  QLabel* failed_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QLabel* percent_ = nullptr;
  StatusLight* running_ = nullptr;
  StatusLight* stopped_ = nullptr;
  StatusLight* phase1_ = nullptr;
  StatusLight* phase2_ = nullptr;
  std::array<QLabel*, 5> criterion_{};
  QLabel* phaseStart_ = nullptr;
  CChart2D* currentChart_ = nullptr;
};

}  // namespace brisca
