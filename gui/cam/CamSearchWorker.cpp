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
      const QString n = QString::fromStdString(name);
      const QString f = QString::fromStdString(folder.string());
      QMetaObject::invokeMethod(this, [this, n, f] { if (events_.match) events_.match(n, f); },
                                Qt::QueuedConnection);
    };
    callbacks.progress = [this](const CamSearchProgress& p) {
      QMetaObject::invokeMethod(this, [this, p] { if (events_.progress) events_.progress(p); },
                                Qt::QueuedConnection);
    };
    callbacks.unreadable = [this](const std::filesystem::path& file) { return AskUnreadable(file); };
    const CamSearchProgress result = SearchCamFiles(criteria, stop_, callbacks);
    QMetaObject::invokeMethod(this, [this, result] { Finish(result); }, Qt::QueuedConnection);
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
}

bool CamSearchWorker::AskUnreadable(const std::filesystem::path& file) {
  {
    std::lock_guard lock(mutex_);
    answer_.reset();
  }
  QMetaObject::invokeMethod(
      this,
      [this, file] {
        const bool goOn = !events_.unreadable || events_.unreadable(file);
        std::lock_guard lock(mutex_);
        answer_ = goOn;
        answered_.notify_all();
      },
      Qt::QueuedConnection);
  std::unique_lock lock(mutex_);
  answered_.wait(lock, [this] { return answer_.has_value() || stop_.load(); });
  return answer_.value_or(false);
}

void CamSearchWorker::Finish(const CamSearchProgress& progress) {
  if (thread_.joinable()) thread_.join();
  if (events_.finished) events_.finished(progress);
}

}  // namespace brisca
