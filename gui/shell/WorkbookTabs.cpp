#include "gui/shell/WorkbookTabs.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace brisca {

QString ShownTitle(const QWidget* window) {
  QString title = window->windowTitle();
  title.replace(QStringLiteral("[*]"), window->isWindowModified() ? QStringLiteral("*") : QString());
  return title;
}

WorkbookTabs::WorkbookTabs(QMdiArea& area, QWidget* parent) : QTabBar(parent), area_(area) {
  setObjectName(QStringLiteral("workbookTabs"));
  setShape(QTabBar::RoundedSouth);
  setDocumentMode(true);
  setExpanding(false);
  setDrawBase(false);
  connect(&area_, &QMdiArea::subWindowActivated, this, &WorkbookTabs::OnWindowActivated);
  connect(this, &QTabBar::currentChanged, this, &WorkbookTabs::OnTabChosen);
}

void WorkbookTabs::Track(QMdiSubWindow* window) {
  syncing_ = true;
  const int index = addTab(ShownTitle(window));
  setTabData(index, QVariant::fromValue(static_cast<QObject*>(window)));
  syncing_ = false;
  connect(window, &QObject::destroyed, this, &WorkbookTabs::Forget);
  if (area_.activeSubWindow() == window) OnWindowActivated(window);
}

void WorkbookTabs::RefreshTexts() {
  for (int i = 0; i < count(); ++i) {
    if (QMdiSubWindow* window = WindowAt(i)) setTabText(i, ShownTitle(window));
  }
}

QMdiSubWindow* WorkbookTabs::WindowAt(int index) const {
  return qobject_cast<QMdiSubWindow*>(tabData(index).value<QObject*>());
}

void WorkbookTabs::OnWindowActivated(QMdiSubWindow* window) {
  if (!window) return;  // the whole application lost focus: keep the tab
  const int index = IndexOf(window);
  if (index < 0 || index == currentIndex()) return;
  syncing_ = true;
  setCurrentIndex(index);
  syncing_ = false;
}

void WorkbookTabs::OnTabChosen(int index) {
  if (syncing_ || index < 0) return;
  if (QMdiSubWindow* window = WindowAt(index)) area_.setActiveSubWindow(window);
}

void WorkbookTabs::Forget(QObject* window) {
  const int index = IndexOf(window);
  if (index < 0) return;
  syncing_ = true;
  removeTab(index);
  syncing_ = false;
}

int WorkbookTabs::IndexOf(const QObject* window) const {
  for (int i = 0; i < count(); ++i) {
    if (tabData(i).value<QObject*>() == window) return i;
  }
  return -1;
}

}  // namespace brisca
