#pragma once
// The edit dialog of one value field: a text box (several lines for the
// notes), the button that drops the field's component menu, OK and Cancel.
// It sits on the field; Enter means OK in the single-line dialog. At most one
// is open in the process; a component command closes it as accepted.

#include <QDialog>

#include <functional>

class QLineEdit;
class QPlainTextEdit;
class QToolButton;
class QMenu;

namespace brisca {

class CSimSpecEditCtrl;
class CVexoDoc;

class CSimSpecEditDlg : public QDialog {
  Q_OBJECT

 public:
  CSimSpecEditDlg(CVexoDoc& document, CSimSpecEditCtrl& control, QWidget* parent);
  ~CSimSpecEditDlg() override;

  //! The open dialog of the process, or null.
  static CSimSpecEditDlg* Open() { return open_; }
  //! Replaces the beep of invalid text (tests count beeps); empty restores it.
  static void SetBeepHook(std::function<void()> hook);

  CSimSpecEditCtrl& Control() const { return control_; }
  QLineEdit* LineEdit() const { return line_; }
  QPlainTextEdit* TextEdit() const { return text_; }
  QToolButton* MenuButton() const { return menuButton_; }
  QMenu* ComponentMenu() const { return menu_; }
  //! The text box's text.
  QString Text() const;
  void SetText(const QString& text);

  //! OK: stores typed text in mode 0 (invalid text beeps, selects the text,
  //! shows the allowed range and keeps the dialog). A text left as it was
  //! shown stores nothing: it is often the value rounded.
  void OnOk();
  //! Ends the dialog as accepted without reading the text box (queued): a
  //! component command has been chosen.
  void PostCloseAccepted();
  //! After an accepted end: whether typed text or a menu command changed the document.
  bool Stored() const { return stored_; }

 private:
  void Place();
  void BuildMenu();
  void RefreshMenuChecks();

  CVexoDoc& document_;
  CSimSpecEditCtrl& control_;
  QLineEdit* line_ = nullptr;
  QPlainTextEdit* text_ = nullptr;
  QToolButton* menuButton_ = nullptr;
  QMenu* menu_ = nullptr;
  QString initial_;  // the text the box was opened with
  bool stored_ = false;
  static CSimSpecEditDlg* open_;
};

}  // namespace brisca
