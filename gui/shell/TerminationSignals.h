#pragma once
// SIGTERM, SIGHUP and SIGINT brought into the Qt event loop: the handler only
// writes a byte to a socket pair (all a signal handler may safely do), and the
// event loop, woken by the other end, calls `onSignal` as an ordinary event.
// One instance at a time; the signals' earlier handlers return when it goes.

#include <QObject>

#include <functional>

class QSocketNotifier;

namespace brisca {

class TerminationSignals : public QObject {
  Q_OBJECT

 public:
  explicit TerminationSignals(std::function<void(int signal)> onSignal, QObject* parent = nullptr);
  ~TerminationSignals() override;

 private:
  void Drain();

  std::function<void(int)> onSignal_;
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace brisca
