#include "gui/shell/QtMessagePresenter.h"

#include <QApplication>
#include <QMessageBox>

namespace brisca {
namespace {

QMessageBox::Icon ToQtIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Stop: return QMessageBox::Critical;
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Question: return QMessageBox::Question;
  }
  return QMessageBox::NoIcon;
}

QWidget* FocusedWindow() {
  QWidget* focus = QApplication::focusWidget();
  return focus ? focus->window() : QApplication::activeWindow();
}

QMessageBox::StandardButtons ToQtButtons(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::Ok: return QMessageBox::Ok;
    case MessageButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
  }
  return QMessageBox::Ok;
}

}  // namespace

MessageButton QtMessagePresenter::Show(const Message& message) {
  const bool question = message.buttons == MessageButtons::YesNo;
  QMessageBox box(ToQtIcon(message.icon), QString::fromStdString(NumberedTitle(message)),
                  QString::fromStdString(message.text), ToQtButtons(message.buttons), FocusedWindow());
  box.setDefaultButton(question ? QMessageBox::Yes : QMessageBox::Ok);
  const int answer = box.exec();
  // Closing the box without a button counts as its negative answer.
  return answer == QMessageBox::Ok || answer == QMessageBox::Yes ? MessageButton::Ok
                                                                  : MessageButton::Cancel;
}

void ShowFatalAssertBox(const std::string& title, const std::string& text) {
  if (!qApp) return;
  QMessageBox box(QMessageBox::Critical, QString::fromStdString(title),
                  QString::fromStdString(text), QMessageBox::Ok, FocusedWindow());
  box.exec();
}

}  // namespace brisca
