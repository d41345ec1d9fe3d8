#pragma once
// The numeric text box of the dialogs that edit values. Digits and backspace
// pass; a "," is taken as "."; "." and "-" pass once each, or whenever the whole
// (non-empty) text is selected and about to be replaced. Every other character is
// dropped with a beep. Keys that type nothing (arrows, Tab, Delete, shortcuts)
// behave as in any line edit; what a paste brings in is checked when the edit is
// left (ValueEditGuard).

#include <QLineEdit>

#include <functional>
#include <optional>

namespace brisca {

class CEditFloatPt : public QLineEdit {
  Q_OBJECT

 public:
  explicit CEditFloatPt(QWidget* parent = nullptr);

  //! The character typed as `typed` becomes, given the edit's text and whether all
  //! of it is selected; nothing when the character is refused.
  static std::optional<QChar> Filter(QChar typed, const QString& text, bool wholeSelected);

  //! Replaces the beep of a refused character (tests count beeps); empty restores it.
  static void SetBeepHook(std::function<void()> hook);
  //! The beep of the value edits: the hook when set, else the system's.
  static void Beep();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace brisca
