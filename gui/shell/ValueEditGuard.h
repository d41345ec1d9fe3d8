#pragma once
// The focus and checking pattern every value-editing dialog shares. Entering a
// registered edit selects its text and shows its prompt in the dialog's help line.
// Leaving a value edit trims the text; an empty text changes nothing, any other
// goes through the parameter's SetFromText. An accepted text is shown reformatted
// and reported to the dialog (with whether the value changed); a rejected one
// beeps and takes the focus back, and the dialog's OK or Apply does nothing until
// the edit holds an accepted text. Plain-text edits (descriptions, notes) only show
// their prompt and report their trimmed text.

#include <QObject>
#include <QLineEdit>
#include <QPointer>
#include <QString>

#include <functional>
#include <map>

class QLabel;
class QWidget;

namespace brisca {

class CSimSpec;

class ValueEditGuard : public QObject {
  Q_OBJECT

 public:
  //! Called after an accepted text; `changed` when the value was unassigned or differs.
  using Accepted = std::function<void(bool changed)>;
  //! The parameter an edit stands for at the time (the dialog's working copy may be replaced).
  using SpecOf = std::function<CSimSpec*()>;
  //! Called with the trimmed text of a plain-text edit when it is left.
  using TextLeft = std::function<void(const QString& text)>;

  //! `helpLine` shows the prompts; both are owned by the dialog.
  ValueEditGuard(QWidget* dialog, QLabel* helpLine);

  //! `showPrompt` false: entering the edit empties the help line instead.
  void AddValueEdit(QLineEdit* edit, SpecOf spec, Accepted accepted, bool showPrompt = true);
  //! A plain-text edit (QLineEdit or QPlainTextEdit) with a fixed prompt.
  void AddTextEdit(QWidget* edit, const QString& prompt, TextLeft left);
  //! A control that only shows a prompt when it takes the focus (lists, spins).
  void AddPrompt(QWidget* control, std::function<QString()> prompt);

  //! OK or Apply: checks the value edit being left, then gives the focus to
  //! `button`. False (focus kept in the edit) when the text was rejected.
  bool CommitFocus(QWidget* button);
  //! Whether the last value edit left held a rejected text.
  bool LastEditRejected() const { return rejected_ != nullptr; }
  //! Checks `edit` now, as on leaving it; true when accepted or empty.
  bool Check(QLineEdit* edit);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct ValueEdit {
    SpecOf spec;
    Accepted accepted;
    bool showPrompt;
  };
  struct TextEdit {
    QString prompt;
    TextLeft left;
  };

  void ShowPrompt(QWidget* control);
  void Refuse(QLineEdit* edit);
  void TextLeftFrom(QWidget* edit);

  QPointer<QLabel> help_;
  std::map<QObject*, ValueEdit> values_;
  std::map<QObject*, TextEdit> texts_;
  std::map<QObject*, std::function<QString()>> prompts_;
  QPointer<QLineEdit> rejected_;  // the edit left with a rejected text, until it holds a good one
  bool refocusing_ = false;  // the posted refocus after a rejection is under way
};

}  // namespace brisca
