#include "gui/iterator/IteratorRunControl.h"

#include <QTimer>

#include <string>

#include "core/base/ErrCode.h"
#include "core/iterator/SeriesFailures.h"

namespace brisca {

IteratorRunControl::IteratorRunControl(IteratorPhases& phases, int threads, QObject* parent)
    : QObject(parent), phases_(phases), threads_(threads), poll_(new QTimer(this)) {
  connect(poll_, &QTimer::timeout, this, &IteratorRunControl::OnPoll);
}

IteratorRunControl::~IteratorRunControl() {
  blockSignals(true);
  StopAndJoin();
}

void IteratorRunControl::Reset() {
  if (run_) return;
  phase_ = 1;
  failuresReported_ = 0;
}

bool IteratorRunControl::Start(bool dual) {
  if (run_) return false;
  int code = 0;
  if (!phases_.phase1->Validate(code) || (dual && phase_ == 1 && !phases_.phase2->Validate(code))) {
    ReportErrorCode(code);
    return false;
  }
  const Iterator& current = phase_ == 2 ? *phases_.phase2 : *phases_.phase1;
  if (current.TestsDone() == 0) {
    const std::int64_t outside = current.TestsOutsideLimits();
    const std::string detail = OutsideLimitsDetail(outside, current.SetupTests(), dual ? phase_ : 0);
    if (outside > 0 && !AskQuestionCode(kOutsideLimitsQuestion, detail.c_str())) return false;
  }
  run_ = std::make_unique<IteratorRun>(*phases_.phase1, *phases_.phase2, dual, threads_);
  run_->Start();
  poll_->start(kPollMs);
  return true;
}

void IteratorRunControl::RequestStop() {
  if (run_) run_->RequestStop();
}

void IteratorRunControl::StopAndJoin() {
  if (!run_) return;
  run_->RequestStop();
  // The window is going: what failed is no longer of interest.
  End(false);
}

void IteratorRunControl::StopAndReport() {
  if (!run_) return;
  run_->RequestStop();
  End(true);
}

void IteratorRunControl::OnPoll() {
  if (!run_) return;
  const RunSnapshot snapshot = run_->Snapshot();
  emit Polled(snapshot);
  if (!snapshot.running && run_) End(true);
}

void IteratorRunControl::End(bool report) {
  poll_->stop();
  run_->Join();
  phase_ = run_->Phase();
  const int code = run_->ErrorCode();
  run_.reset();
  emit Ended();
  if (!report) return;
  const Iterator& p1 = *phases_.phase1;
  const Iterator& p2 = *phases_.phase2;
  const int failures = p1.FailedTests() + p2.FailedTests();
  if (failures > failuresReported_) {
    failuresReported_ = failures;
    ReportFailureReasons(FailureCounts(p1, p2));
  }
  if (code != 0) ReportErrorCode(code);
}

}  // namespace brisca
