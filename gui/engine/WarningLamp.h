#pragma once
// One compressor warning lamp of the last run: green, yellow or red.

#include <QWidget>

namespace brisca {

class WarningLamp : public QWidget {
  Q_OBJECT

 public:
  enum Color { kGreen, kYellow, kRed };
  static constexpr int kSize = 13;

  explicit WarningLamp(QWidget* parent = nullptr);

  Color LampColor() const { return color_; }
  void SetLampColor(Color color);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Color color_ = kGreen;
};

}  // namespace brisca
