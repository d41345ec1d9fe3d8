#pragma once
// Runs a cam file search on a thread of its own. What the search reports
// (matches, counters, the end) reaches the owner on the window's thread as
// queued calls; an unreadable file is asked about on the window's thread
// while the search waits. Stop (or destroying the worker) ends the search
// after the entry being processed, also while it waits for an answer.

#include <QObject>

#include <atomic>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "core/valvetrain/CamSearch.h"

namespace brisca {

class CamSearchWorker : public QObject {
  Q_OBJECT

 public:
  struct Events {
    std::function<void(const QString& name, const QString& folder)> match;
    std::function<void(const CamSearchProgress&)> progress;
    //! Asked on the window's thread: true goes on, false stops.
    std::function<bool(const std::filesystem::path& file)> unreadable;
    std::function<void(const CamSearchProgress&)> finished;
  };

  explicit CamSearchWorker(Events events, QObject* parent = nullptr);
  ~CamSearchWorker() override;

  void Start(const CamSearchCriteria& criteria);
  //! Asks the search to stop; it ends soon after, reporting `finished`.
  void Stop();
  //! Stops the search, waits for its thread and drops what it has not yet
  //! reported (`finished` included).
  void Cancel();
  bool IsRunning() const { return thread_.joinable(); }

 private:
  bool AskUnreadable(const std::filesystem::path& file);
  void Finish(const CamSearchProgress& progress);

  Events events_;
  std::thread thread_;
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::condition_variable answered_;
  std::optional<bool> answer_;
};

}  // namespace brisca
