#include "gui/shell/ValueEditGuard.h"

#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>

#include "core/spec/SimSpec.h"
#include "gui/shell/EditFloatPt.h"

namespace brisca {

ValueEditGuard::ValueEditGuard(QWidget* dialog, QLabel* helpLine)
    : QObject(dialog), help_(helpLine) {}

void ValueEditGuard::AddValueEdit(QLineEdit* edit, SpecOf spec, Accepted accepted, bool showPrompt) {
  ValueEdit& value = values_[edit];
  value = ValueEdit{std::move(spec), std::move(accepted), showPrompt, QString(), false};
  if (edit->hasFocus()) {
    value.entered = edit->text();
    value.hasEntered = true;
  }
  edit->installEventFilter(this);
}

void ValueEditGuard::AddTextEdit(QWidget* edit, const QString& prompt, TextLeft left) {
  texts_[edit] = TextEdit{prompt, std::move(left)};
  edit->installEventFilter(this);
}

void ValueEditGuard::AddPrompt(QWidget* control, std::function<QString()> prompt) {
  prompts_[control] = std::move(prompt);
  control->installEventFilter(this);
}

bool ValueEditGuard::Untouched(QLineEdit* edit, const ValueEdit& value) const {
  // A refused text stays refused until it is mended, typed over or not.
  if (rejected_ == edit) return false;
  return value.hasEntered && edit->text() == value.entered;
}

bool ValueEditGuard::Check(QLineEdit* edit) {
  const auto found = values_.find(edit);
  if (found == values_.end()) return true;
  if (Untouched(edit, found->second)) return true;
  const QString text = edit->text().trimmed();
  if (text.isEmpty()) {
    if (rejected_ == edit) rejected_ = nullptr;
    return true;
  }
  CSimSpec* spec = found->second.spec();
  const bool wasAssigned = spec->IsAssigned();
  const std::string before = spec->GetText();
  if (!spec->SetFromText(text.toStdString())) {
    rejected_ = edit;
    return false;
  }
  if (rejected_ == edit) rejected_ = nullptr;
  edit->setText(QString::fromStdString(spec->GetText()));
  // What is shown now is the value: leaving it again changes nothing.
  found->second.entered = edit->text();
  found->second.hasEntered = true;
  const bool changed = !wasAssigned || before != spec->GetText();
  if (changed) valuesChanged_ = true;
  if (found->second.accepted) found->second.accepted(changed);
  return true;
}

bool ValueEditGuard::CommitFocus(QWidget* button) {
  // The dialog's own focus child: while the window is still being activated
  // the application has no focus widget yet, but a typed text is still typed.
  QWidget* focused = button->window()->focusWidget();
  auto* edit = qobject_cast<QLineEdit*>(focused);
  if (edit && values_.count(edit)) {
    if (!Check(edit)) {
      Refuse(edit);
      return false;
    }
  } else if (focused && texts_.count(focused)) {
    TextLeftFrom(focused);
  }
  if (rejected_) {
    Refuse(rejected_);
    return false;
  }
  button->setFocus(Qt::OtherFocusReason);
  return true;
}

void ValueEditGuard::ShowPrompt(QWidget* control) {
  if (!help_) return;
  if (const auto v = values_.find(control); v != values_.end()) {
    help_->setText(v->second.showPrompt ? QString::fromStdString(v->second.spec()->GetPrompt())
                                        : QString());
  } else if (const auto t = texts_.find(control); t != texts_.end()) {
    help_->setText(t->second.prompt);
  } else if (const auto p = prompts_.find(control); p != prompts_.end()) {
    help_->setText(p->second());
  }
}

void ValueEditGuard::Refuse(QLineEdit* edit) {
  if (refocusing_) return;
  refocusing_ = true;
  QPointer<QLineEdit> target(edit);
  QTimer::singleShot(0, this, [this, target] {
    refocusing_ = false;
    CEditFloatPt::Beep();
    if (!target) return;
    target->setFocus(Qt::OtherFocusReason);
    target->selectAll();
    // Without sound the beep says nothing: the help line names the allowed range.
    const auto found = values_.find(target.data());
    if (help_ && found != values_.end()) help_->setText(QString::fromStdString(found->second.spec()->GetPrompt()));
  });
}

void ValueEditGuard::TextLeftFrom(QWidget* edit) {
  const auto found = texts_.find(edit);
  if (found == texts_.end() || !found->second.left) return;
  QString text;
  if (auto* line = qobject_cast<QLineEdit*>(edit)) {
    text = line->text();
  } else if (auto* plain = qobject_cast<QPlainTextEdit*>(edit)) {
    text = plain->toPlainText();
  }
  found->second.left(text.trimmed());
}

bool ValueEditGuard::eventFilter(QObject* watched, QEvent* event) {
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget) return false;
  if (event->type() == QEvent::FocusIn) {
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    // Coming back from another window or a pop-up menu, a half-typed text is
    // still typed; the first edit of a window shown takes the focus the same way.
    const bool returning = reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
    if (const auto v = values_.find(widget); v != values_.end() && (!returning || !v->second.hasEntered)) {
      v->second.entered = static_cast<QLineEdit*>(widget)->text();
      v->second.hasEntered = true;
    }
    ShowPrompt(widget);
    if (auto* line = qobject_cast<QLineEdit*>(widget)) {
      // After the click that gave the focus has placed the cursor.
      QPointer<QLineEdit> target(line);
      QTimer::singleShot(0, line, [target] {
        if (target && target->hasFocus()) target->selectAll();
      });
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(widget)) {
      plain->selectAll();
    }
  } else if (event->type() == QEvent::FocusOut) {
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return false;
    // A dialog that has ended (Escape, Cancel) drops its focus while it is
    // destroyed, when what the checks write to may be gone already.
    if (!widget->window()->isVisible()) return false;
    if (auto* line = qobject_cast<QLineEdit*>(widget); line && values_.count(line)) {
      if (!Check(line)) Refuse(line);
    } else if (texts_.count(widget)) {
      TextLeftFrom(widget);
    }
  }
  return false;
}

}  // namespace brisca
