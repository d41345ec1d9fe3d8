#pragma once
// An indicator of the iterator windows: a small framed text that lights up
// in its colour when on and is grey when off.

#include <QColor>
#include <QLabel>

namespace brisca {

class StatusLight : public QLabel {
  Q_OBJECT

 public:
  StatusLight(const QString& text, const QColor& onColor, QWidget* parent = nullptr);
  void SetOn(bool on);
  bool IsOn() const { return on_; }

 private:
  QColor onColor_;
  bool on_ = true;
};

}  // namespace brisca
