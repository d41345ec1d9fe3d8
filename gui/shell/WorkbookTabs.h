#pragma once
// The workbook style: a tab for each child window along the bottom of the
// main frame, kept in step with the MDI area in sub-window mode, so that
// Cascade and Tile keep working while the tabs switch windows.

#include <QTabBar>

class QMdiArea;
class QMdiSubWindow;

namespace brisca {

class WorkbookTabs : public QTabBar {
  Q_OBJECT

 public:
  WorkbookTabs(QMdiArea& area, QWidget* parent = nullptr);

  //! Adds the tab of a window just added to the area.
  void Track(QMdiSubWindow* window);
  //! The tab texts follow the windows' titles.
  void RefreshTexts();
  QMdiSubWindow* WindowAt(int index) const;

 private:
  void OnWindowActivated(QMdiSubWindow* window);
  void OnTabChosen(int index);
  void Forget(QObject* window);
  int IndexOf(const QObject* window) const;

  QMdiArea& area_;
  bool syncing_ = false;
};

//! The title a window shows, with its modified mark resolved ("[*]" → "*").
QString ShownTitle(const QWidget* window);

}  // namespace brisca
