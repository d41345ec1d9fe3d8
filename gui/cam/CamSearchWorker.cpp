#include "gui/cam/CamSearchWorker.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMetaObject>

namespace brisca {

CamSearchWorker::CamSearchWorker(Events events, QObject* parent)
    : QObject(parent), events_(std::move(events)) {}

CamSearchWorker::~CamSearchWorker() { Cancel(); }

void CamSearchWorker::Start(const CamSearchCriteria& criteria) {
  if (thread_.joinable()) thread_.join();
  stop_ = false;
  thread_ = std::thread([this, criteria] {
    CamSearchCallbacks callbacks;
    callbacks.match = [this](const std::string& name, const std::filesystem::path& folder) {
      Post(Match{QString::fromStdString(name), QString::fromStdString(folder.string())});
    };
    callbacks.progress = [this](const CamSearchProgress& p) { Post(Progress{p}); };
    callbacks.unreadable = [this](const std::filesystem::path& file) { return AskUnreadable(file); };
    Post(Finished{SearchCamFiles(criteria, stop_, callbacks)});
  });
}

void CamSearchWorker::Stop() {
  stop_ = true;
  std::lock_guard lock(mutex_);
  answered_.notify_all();
}

void CamSearchWorker::Cancel() {
  Stop();
  if (thread_.joinable()) thread_.join();
  QCoreApplication::removePostedEvents(this, QEvent::MetaCall);
  std::lock_guard lock(mutex_);
  mailbox_.clear();
}

void CamSearchWorker::Post(Report report) {
  {
    std::lock_guard lock(mutex_);
    mailbox_.push_back(std::move(report));
  }
  // By name, so that the queued call holds no data of ours.
  QMetaObject::invokeMethod(this, "Deliver", Qt::QueuedConnection);
}

void CamSearchWorker::Deliver() {
  // One report at a time: a question about an unreadable file waits in a
  // dialog, whose event loop may deliver the reports that follow it.
  for (;;) {
    Report report;
    {
      std::lock_guard lock(mutex_);
      if (mailbox_.empty()) return;
      report = std::move(mailbox_.front());
      mailbox_.pop_front();
    }
    Handle(report);
  }
}

void CamSearchWorker::Handle(Report& report) {
  if (auto* match = std::get_if<Match>(&report)) {
    if (events_.match) events_.match(match->name, match->folder);
  } else if (auto* progress = std::get_if<Progress>(&report)) {
    if (events_.progress) events_.progress(progress->counters);
  } else if (auto* unreadable = std::get_if<Unreadable>(&report)) {
    const bool goOn = !events_.unreadable || events_.unreadable(unreadable->file);
    std::lock_guard lock(mutex_);
    answer_ = goOn;
    answered_.notify_all();
  } else if (auto* finished = std::get_if<Finished>(&report)) {
    Finish(finished->counters);
  }
}

bool CamSearchWorker::AskUnreadable(const std::filesystem::path& file) {
  {
    std::lock_guard lock(mutex_);
    answer_.reset();
  }
  Post(Unreadable{file});
  std::unique_lock lock(mutex_);
  answered_.wait(lock, [this] { return answer_.has_value() || stop_.load(); });
  return answer_.value_or(false);
}

void CamSearchWorker::Finish(const CamSearchProgress& progress) {
  if (thread_.joinable()) thread_.join();
  if (events_.finished) events_.finished(progress);
}

}  // namespace brisca
