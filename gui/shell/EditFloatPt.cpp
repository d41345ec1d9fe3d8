#include "gui/shell/EditFloatPt.h"

#include <QApplication>
#include <QKeyEvent>

namespace brisca {

namespace {

std::function<void()>& BeepHook() {
  static std::function<void()> hook;
  return hook;
}

}  // namespace

CEditFloatPt::CEditFloatPt(QWidget* parent) : QLineEdit(parent) {}

std::optional<QChar> CEditFloatPt::Filter(QChar typed, const QString& text, bool wholeSelected) {
  if (typed == QChar('\b') || (typed >= QChar('0') && typed <= QChar('9'))) return typed;
  const QChar c = typed == QChar(',') ? QChar('.') : typed;
  if (c != QChar('.') && c != QChar('-')) return std::nullopt;
  if (!text.contains(c) || (wholeSelected && !text.isEmpty())) return c;
  return std::nullopt;
}

void CEditFloatPt::SetBeepHook(std::function<void()> hook) { BeepHook() = std::move(hook); }

void CEditFloatPt::Beep() {
  if (BeepHook()) {
    BeepHook()();
  } else {
    QApplication::beep();
  }
}

void CEditFloatPt::keyPressEvent(QKeyEvent* event) {
  const QString typed = event->text();
  const bool shortcut = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
  if (typed.size() != 1 || shortcut || event->key() == Qt::Key_Backspace ||
      !typed.at(0).isPrint()) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  const bool wholeSelected = !text().isEmpty() && selectedText() == text();
  const std::optional<QChar> accepted = Filter(typed.at(0), text(), wholeSelected);
  if (!accepted) {
    event->accept();
    Beep();
    return;
  }
  if (*accepted == typed.at(0)) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  QKeyEvent replaced(event->type(), event->key(), event->modifiers(), QString(*accepted),
                     event->isAutoRepeat(), static_cast<ushort>(event->count()));
  QLineEdit::keyPressEvent(&replaced);
  event->setAccepted(replaced.isAccepted());
}

}  // namespace brisca
