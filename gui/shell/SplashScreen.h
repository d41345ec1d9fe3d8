#pragma once
// The start-up splash: a picture of our own, painted at run time, that stays
// up at least a minimum time measured from when it was shown.

#include <QElapsedTimer>
#include <QSplashScreen>

namespace brisca {

class SplashScreen : public QSplashScreen {
  Q_OBJECT

 public:
  SplashScreen();

  //! Shows the splash and starts its clock.
  void ShowNow();
  //! Milliseconds since ShowNow.
  qint64 ShownFor() const { return shown_.elapsed(); }
  //! Keeps the event loop running until the splash has been up `minimumMs`.
  void WaitUntilShownFor(int minimumMs);

  //! The splash picture (also what the screenshot tour saves).
  static QPixmap Paint();

 private:
  QElapsedTimer shown_;
};

}  // namespace brisca
