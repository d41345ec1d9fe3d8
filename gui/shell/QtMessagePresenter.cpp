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
  }
  return QMessageBox::NoIcon;
}

QWidget* FocusedWindow() {
  QWidget* focus = QApplication::focusWidget();
  return focus ? focus->window() : QApplication::activeWindow();
}

}  // namespace

MessageButton QtMessagePresenter::Show(const Message& message) {
  const QMessageBox::StandardButtons buttons =
      message.buttons == MessageButtons::OkCancel ? (QMessageBox::Ok | QMessageBox::Cancel)
                                                  : QMessageBox::StandardButtons(QMessageBox::Ok);
  QMessageBox box(ToQtIcon(message.icon), QString::fromStdString(message.title),
                  QString::fromStdString(message.text), buttons, FocusedWindow());
  box.setDefaultButton(QMessageBox::Ok);
  return box.exec() == QMessageBox::Cancel ? MessageButton::Cancel : MessageButton::Ok;
}

void ShowFatalAssertBox(const std::string& title, const std::string& text) {
  if (!qApp) return;
  QMessageBox box(QMessageBox::Critical, QString::fromStdString(title),
                  QString::fromStdString(text), QMessageBox::Ok, FocusedWindow());
  box.exec();
}

}  // namespace brisca
