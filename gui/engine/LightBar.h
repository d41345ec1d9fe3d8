#pragma once
// A group's status light: a narrow bar, lit while the group passes its check,
// brighter while the pointer is over the group.

#include <QWidget>

namespace brisca {

class CLightBar : public QWidget {
  Q_OBJECT

 public:
  explicit CLightBar(QWidget* parent = nullptr) : QWidget(parent) {}

  bool IsOn() const { return on_; }
  void SetOn(bool on);
  bool IsHot() const { return hot_; }
  void SetHot(bool hot);
  //! The scheme entry the bar is filled with now.
  int FillEntry() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  bool on_ = false;
  bool hot_ = false;
};

}  // namespace brisca
