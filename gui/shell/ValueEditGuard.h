#pragma once
// The focus and checking pattern every value-editing dialog shares. Entering a
// registered edit selects its text and shows its prompt in the dialog's help line.
// Leaving a value edit whose text the user did not change does nothing: the text
// shown is often a rounded form of the value, and parsing it back would change
// the value behind the user's back. A changed text is trimmed; an empty text
// changes nothing, any other goes through the parameter's SetFromText. An
// accepted text is shown reformatted and reported to the dialog (with whether
// the value changed); a rejected one beeps, takes the focus back with its text
// selected and shows the value's prompt (its allowed range) in the help line,
// and the dialog's OK or Apply does nothing until the edit holds an accepted
// text. Plain-text edits (descriptions, notes) only show their prompt and report
// their trimmed text.

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
  //! Checks `edit` now, as on leaving it; true when accepted, empty or untouched.
  bool Check(QLineEdit* edit);
  //! Whether an accepted text has changed a value since the guard was made.
  bool ValuesChanged() const { return valuesChanged_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct ValueEdit {
    SpecOf spec;
    Accepted accepted;
    bool showPrompt;
    QString entered;  // the text shown when the edit took the focus
    bool hasEntered = false;
  };
  struct TextEdit {
    QString prompt;
    TextLeft left;
  };

  void ShowPrompt(QWidget* control);
  bool Untouched(QLineEdit* edit, const ValueEdit& value) const;
  void Refuse(QLineEdit* edit);
  void TextLeftFrom(QWidget* edit);

  QPointer<QLabel> help_;
  std::map<QObject*, ValueEdit> values_;
  std::map<QObject*, TextEdit> texts_;
  std::map<QObject*, std::function<QString()>> prompts_;
  QPointer<QLineEdit> rejected_;  // the edit left with a rejected text, until it holds a good one
  bool refocusing_ = false;  // the posted refocus after a rejection is under way
  bool valuesChanged_ = false;
};

}  // namespace brisca
