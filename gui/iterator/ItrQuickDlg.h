#pragma once
// "Quick Iterator": one button finds the cam timing or the bore/stroke that
// gives the most peak power or torque near the engine's peak, as a coarse
// phase 1 and a fine phase 2 around phase 1's best engine.
//
// The window works on its own copies of the document's two iterators and
// hands them back only on "Save". The tests run on worker threads (see
// IteratorRun); the window polls their snapshot and touches the iterators
// only between runs. Closing the window, "Save" and quitting the program stop
// and join the workers first.

#include <QDialog>

#include <array>
#include <memory>

#include "core/iterator/BarChartScale.h"
#include "core/iterator/QuickPresets.h"
#include "gui/iterator/IteratorPhases.h"
#include "gui/iterator/IteratorRunControl.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace brisca {

class CChart2D;
class CVexoDoc;
class StatusLight;

class CItrQuickDlg : public QDialog {
  Q_OBJECT

 public:
  enum State { kIdle = 0, kStopped = 1, kRunning = 2, kFinished = 3 };

  //! `threads` ≤ 0: every core.
  CItrQuickDlg(CVexoDoc& document, int threads = 0, QWidget* parent = nullptr);
  ~CItrQuickDlg() override;

  //! Presses a preset button: sets both phases up for it and starts the run.
  void OnPreset(QuickPreset preset);
  //! "Run/Stop": stop a running series after the tests in flight, else run or resume.
  void OnRunStop();
  //! "Save": marks the current phase's best result, hands both iterators to
  //! the document, closes (accepted).
  void OnSave();
  //! Stops the run and waits for its workers; the iterators are free afterwards.
  void StopAndJoin();

  State GetState() const { return state_; }
  int CurrentPhase() const { return control_->Phase(); }
  //! Between runs only.
  const Iterator& Phase(int phase) const { return phase == 2 ? *phases_.phase2 : *phases_.phase1; }
  bool IsRunning() const { return control_->IsRunning(); }
  const RunSnapshot& Shown() const { return shown_; }
  const BarAxis& BarAxisShown() const { return barAxis_; }

  QPushButton* PresetButton(QuickPreset preset) const { return presets_[static_cast<int>(preset)]; }
  QPushButton* RunButton() const { return runButton_; }
  QPushButton* SaveButton() const { return saveButton_; }
  QPushButton* CloseButton() const { return closeButton_; }
  QLabel* TotalLabel() const { return total_; }
  QLabel* CompletedLabel() const { return completed_; }
  //! "<n> failed" beside "Completed Sims:".
  QLabel* FailedLabel() const { return failed_; }
  QLabel* PercentLabel() const { return percent_; }
  QLabel* IncreaseLabel() const { return increase_; }
  QLabel* UnitsLabel() const { return units_; }
  QProgressBar* Progress() const { return progress_; }
  StatusLight* RunningLight() const { return running_; }
  StatusLight* StoppedLight() const { return stopped_; }
  StatusLight* PhaseLight(int phase) const { return phase == 2 ? phase2_ : phase1_; }
  CChart2D* CurrentChart() const { return currentChart_; }
  CChart2D* BarChart() const { return barChart_; }

 public slots:
  //! Stops and joins the workers first.
  void reject() override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildLayout();
  QWidget* BuildPresetGroup(const QString& title, const QString& text, QuickPreset hp,
                            QuickPreset torque);
  //! The run is over and joined.
  void OnRunEnded();
  void ShowIdle();
  void Show(const RunSnapshot& snapshot);
  void UpdateButtons();

  CVexoDoc& document_;
  IteratorPhases phases_;
  IteratorRunControl* control_;
  State state_ = kIdle;
  bool presetChosen_ = false;
  RunSnapshot shown_;
  BarAxis barAxis_;

  std::array<QPushButton*, 4> presets_{};
  QPushButton* runButton_ = nullptr;
  QPushButton* saveButton_ = nullptr;
  QPushButton* closeButton_ = nullptr;
  StatusLight* running_ = nullptr;
  StatusLight* stopped_ = nullptr;
  StatusLight* phase1_ = nullptr;
  StatusLight* phase2_ = nullptr;
  QLabel* total_ = nullptr;
  QLabel* completed_ = nullptr;
  QLabel* failed_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QLabel* percent_ = nullptr;
  QLabel* increase_ = nullptr;
  QLabel* units_ = nullptr;
  CChart2D* currentChart_ = nullptr;
  CChart2D* barChart_ = nullptr;
};

}  // namespace brisca
