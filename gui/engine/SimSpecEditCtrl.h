#pragma once
// A value field of the engine form bound to one spec value. Mode 0: the user
// may type or use the menu; 1: menu only; 2: display only (no focus, no
// clicks). A focused field of mode 0 or 1 asks for its edit dialog on a
// click, a double click or Enter; the pointer passing over it gives it the
// focus with a flash.

#include "gui/engine/PopUpStatic.h"

namespace brisca {

class CSimSpec;
class CVexoDoc;
class CSimSpecEditDlg;

class CSimSpecEditCtrl : public CPopUpStatic {
  Q_OBJECT

 public:
  enum EditMode { kTypeOrMenu = 0, kMenuOnly = 1, kDisplayOnly = 2 };
  enum ApplyResult { kStored = 0, kInvalidText = 1, kRefused = 2 };

  CSimSpecEditCtrl(CVexoDoc& document, int id, QWidget* parent);

  int Id() const { return id_; }
  int GroupId() const { return groupId_; }
  //! A field whose text the user may type (any mode).
  void BindSpec(int groupId, CSimSpec& spec, int mode, int menu);
  //! A field the form never writes (mode 1, changed by its menu, or 2).
  void BindSpec(int groupId, const CSimSpec& spec, int mode, int menu);
  void SetEditMode(int mode);
  int EditMode() const { return mode_; }
  int Menu() const { return menu_; }
  const CSimSpec* Spec() const { return shown_; }
  CSimSpec* EditableSpec() const { return editable_; }

  //! Shows the spec's text (with its unit when `units`); true when the shown text changed.
  bool RefreshText(bool units);
  //! Shows the value as not known ("***", with its unit when `units`) whatever
  //! the spec holds; true when the shown text changed.
  bool ShowUnknown(bool units);
  //! Stores typed text: kStored, kInvalidText (nothing stored) or kRefused
  //! (the document's warning was cancelled). Mode 0 only.
  int ApplyText(const QString& text);

  //! Shows the spec's prompt (its allowed range) in the status bar.
  void ShowPrompt();
  //! The hint over the field: the prompt with the range in the current units;
  //! a display-only field names its value and range without asking for input.
  void RefreshToolTip();

  bool IsEditing() const { return dialog_ != nullptr; }
  CSimSpecEditDlg* Dialog() const { return dialog_; }
  void SetDialog(CSimSpecEditDlg* dialog) { dialog_ = dialog; }

 signals:
  //! The user asked for the edit dialog (delivered queued).
  void EditRequested(CSimSpecEditCtrl* control);
  //! The status-bar text for this field.
  void StatusText(const QString& text);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  bool TakesInput() const { return mode_ != kDisplayOnly && isEnabled(); }
  void RequestEdit();

  CVexoDoc& document_;
  int id_;
  int groupId_ = 0;
  CSimSpec* editable_ = nullptr;
  const CSimSpec* shown_ = nullptr;
  int mode_ = kDisplayOnly;
  int menu_ = 0;
  CSimSpecEditDlg* dialog_ = nullptr;
};

}  // namespace brisca
