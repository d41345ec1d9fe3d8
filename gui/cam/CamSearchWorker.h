#pragma once
// Runs a cam file search on a thread of its own. What the search reports
// (matches, counters, the end) reaches the owner on the window's thread; an
// unreadable file is asked about on the window's thread while the search
// waits. Stop (or destroying the worker) ends the search after the entry
// being processed, also while it waits for an answer.
//
// The two threads share nothing but a mailbox: the search puts copies of what
// it reports there under the mailbox's lock, and a queued call that carries
// no data has the window's thread take them out under the same lock. The lock
// orders the hand-over where tools (and readers) can see it, rather than
// inside the event queue.

#include <QObject>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <variant>

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
  struct Match {
    QString name;
    QString folder;
  };
  struct Progress {
    CamSearchProgress counters;
  };
  struct Unreadable {
    std::filesystem::path file;
  };
  struct Finished {
    CamSearchProgress counters;
  };
  using Report = std::variant<Match, Progress, Unreadable, Finished>;

  //! Search thread: a copy of `report` into the mailbox, then a call to Deliver.
  void Post(Report report);
  //! Window's thread: hands every report in the mailbox to the owner in order.
  Q_INVOKABLE void Deliver();
  void Handle(Report& report);
  bool AskUnreadable(const std::filesystem::path& file);
  void Finish(const CamSearchProgress& progress);

  Events events_;
  std::thread thread_;
  std::atomic<bool> stop_{false};
  std::mutex mutex_;  // guards mailbox_ and answer_
  std::deque<Report> mailbox_;
  std::condition_variable answered_;
  std::optional<bool> answer_;
};

}  // namespace brisca
