#pragma once
// Runs an iterator window's two phases on worker threads (see IteratorRun)
// and tells the window what happens: each poll's snapshot while the run goes,
// then its end once the workers are joined and the iterators are the
// window's again. Before a phase starts afresh the user is asked whether to run
// it when some of its tests lie outside their parameters' limits. Tests that
// failed are told once, after the window has shown the end: how many failed
// for each reason, then the error that ended the run.

#include <QObject>

#include <memory>

#include "gui/iterator/IteratorPhases.h"
#include "gui/iterator/IteratorRun.h"

class QTimer;

namespace brisca {

class IteratorRunControl : public QObject {
  Q_OBJECT

 public:
  //! Snapshot polls while a series runs, in milliseconds.
  static constexpr int kPollMs = 150;

  //! `phases` must outlive this. `threads` ≤ 0: every core.
  IteratorRunControl(IteratorPhases& phases, int threads, QObject* parent = nullptr);
  //! Stops and joins, telling nobody.
  ~IteratorRunControl() override;

  bool IsRunning() const { return run_ != nullptr; }
  //! The current phase: 1 or 2 (between runs, the phase the last run ended in).
  int Phase() const { return phase_; }
  //! Between runs: makes `phase` current.
  void SetPhase(int phase) { phase_ = phase; }
  //! Between runs: back to phase 1, earlier failures forgotten.
  void Reset();

  //! Validates phase 1, and phase 2 when `dual` and the run begins in phase 1,
  //! asks about tests outside the limits when the current phase has done none,
  //! then starts. False (the code reported) when a phase is not valid or a run
  //! goes; false too when the user declines.
  bool Start(bool dual);
  //! The tests in flight finish and commit; Ended follows.
  void RequestStop();
  //! Stops the run and waits for its workers; Ended is emitted, failures are not told.
  void StopAndJoin();
  //! The same, telling the failures as at a run's end.
  void StopAndReport();

 signals:
  //! A snapshot of the running series.
  void Polled(const RunSnapshot& snapshot);
  //! The run is over and joined; Phase() is where it ended.
  void Ended();

 private:
  void OnPoll();
  //! Joins the finished or stopping run; `report`: tell its failures.
  void End(bool report);

  IteratorPhases& phases_;
  int threads_;
  std::unique_ptr<IteratorRun> run_;
  QTimer* poll_;
  int phase_ = 1;
  int failuresReported_ = 0;
};

}  // namespace brisca
