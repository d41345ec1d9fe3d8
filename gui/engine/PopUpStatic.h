#pragma once
// A text field that paints itself in scheme colours: normal, hot (its group
// is under the pointer), focused (with a flash that grows from the centre
// when the focus came from the pointer) and disabled (an engraved text).

#include <QString>
#include <QTimer>
#include <QWidget>

namespace brisca {

//! The scheme entries a field paints with.
struct PopUpColors {
  int background = 5;
  int text = 10;
  int hotBackground = 4;
  int hotText = 9;
  int disabledFace = 14;
  int disabledShadow = 16;
  int hotDisabledFace = 13;
  int hotDisabledShadow = 15;
  int focusBackground = 18;
  int focusText = 17;
};

class CPopUpStatic : public QWidget {
  Q_OBJECT

 public:
  explicit CPopUpStatic(QWidget* parent = nullptr);

  const QString& ShownText() const { return text_; }
  void SetShownText(const QString& text);
  bool IsMultiLine() const { return multiLine_; }
  void SetMultiLine(bool multiLine) { multiLine_ = multiLine; }
  bool IsGroupHot() const { return groupHot_; }
  void SetGroupHot(bool hot);
  const PopUpColors& Colors() const { return colors_; }
  void SetColors(const PopUpColors& colors) { colors_ = colors; }
  //! The next focused paint flashes.
  void SetFlashPending() { flashPending_ = true; }
  bool IsFlashPending() const { return flashPending_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void FlashStep();

  QString text_;
  bool multiLine_ = false;
  bool groupHot_ = false;
  bool flashPending_ = false;
  int flashStep_ = 0;  //!< 1..4 while a flash grows, 0 otherwise
  QTimer flashTimer_;
  PopUpColors colors_;
};

}  // namespace brisca
