#pragma once
// The main window: a tabbed MDI area that will hold one child per engine
// document, with the application's menus.

#include <QMainWindow>

class QMdiArea;

namespace brisca {

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(QWidget* parent = nullptr);

  QMdiArea* mdiArea() const { return mdiArea_; }

 private slots:
  void about();

 private:
  void createMenus();

  QMdiArea* mdiArea_ = nullptr;
};

}  // namespace brisca
