#include "gui/shell/MainWindow.h"

#include <QApplication>
#include <QMdiArea>
#include <QMenuBar>
#include <QMessageBox>

#include "core/base/Version.h"

namespace brisca {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), mdiArea_(new QMdiArea(this)) {
  setWindowTitle(QStringLiteral("Brisca"));
  mdiArea_->setViewMode(QMdiArea::TabbedView);
  mdiArea_->setTabsClosable(true);
  mdiArea_->setTabsMovable(true);
  setCentralWidget(mdiArea_);
  createMenus();
  resize(1200, 800);
}

void MainWindow::createMenus() {
  QMenu* fileMenu = menuBar()->addMenu(tr("&File"));
  QAction* exitAction = fileMenu->addAction(tr("E&xit"), qApp, &QApplication::closeAllWindows);
  exitAction->setShortcuts(QKeySequence::Quit);
  exitAction->setStatusTip(tr("Quit the application"));

  QMenu* helpMenu = menuBar()->addMenu(tr("&Help"));
  QAction* aboutAction = helpMenu->addAction(tr("&About Brisca..."), this, &MainWindow::about);
  aboutAction->setStatusTip(tr("Show the program's version"));
}

void MainWindow::about() {
  QMessageBox::about(this, tr("About Brisca"),
                     tr("<b>Brisca</b> %1<br>Engine-dynamometer simulator for four-stroke piston "
                        "engines.<br>Engine file version %2.")
                         .arg(QString::fromLatin1(ProgramVersion()),
                              QString::fromLatin1(kFileVersionText)));
}

}  // namespace brisca
