#pragma once
// The program's logo: painted in scheme colours at the right end of the menu
// bar (schemes other than 0), and in the About box.

#include <QPixmap>
#include <QWidget>

namespace brisca {

//! The logo mark, `size` pixels square, in the active scheme's logo colours.
QPixmap LogoPixmap(int size);

class LogoItem : public QWidget {
  Q_OBJECT

 public:
  explicit LogoItem(QWidget* parent = nullptr);
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace brisca
