// The recovery dialog's picture.
#include <QApplication>
#include <QDateTime>
#include <QTest>

#include "gui/shell/MainFrame.h"
#include "gui/shell/RecoveryDlg.h"
#include "gui/tour/ScreenshotTour.h"

namespace brisca {

void ScreenshotTour::TakeRecoveryDialog(CMainFrame& frame) {
  const QDateTime written = QDateTime::currentDateTime().addSecs(-300);
  RecoveryDlg dialog({{QStringLiteral("Stock Small-Block V8"),
                       QStringLiteral("/home/user/Engines/Stock Small-Block V8.qen"), written},
                      {QStringLiteral("Brisca2"), QString(), written.addSecs(40)}},
                     &frame);
  dialog.show();
  if (!QTest::qWaitForWindowExposed(&dialog)) Fail(QStringLiteral("the recovery dialog did not show"));
  QApplication::processEvents();
  QTest::qWait(50);
  Save(dialog.grab().toImage(), QStringLiteral("recovery-dialog.png"), &dialog);
  dialog.close();
}

}  // namespace brisca
