#pragma once
// The pieces every calculator dialog shares at its foot: the "Help Text:" line
// that shows a value's prompt, and the Apply/Cancel row.

class QDialog;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QWidget;

namespace brisca {

//! The framed label that shows the focused value's prompt.
QLabel* MakeHelpLine(QWidget* parent);

//! "Help Text:" followed by `help`, stretched to the row's width.
QHBoxLayout* MakeHelpRow(QWidget* parent, QLabel* help);

struct CalculatorButtons {
  QPushButton* apply = nullptr;   //!< default button; the caller connects it
  QPushButton* cancel = nullptr;  //!< rejects the dialog
  QHBoxLayout* row = nullptr;     //!< both, right-aligned
};

//! "Apply" (default) and "Cancel" (rejects `dialog`) on a right-aligned row.
CalculatorButtons MakeApplyCancelRow(QDialog* dialog);

}  // namespace brisca
