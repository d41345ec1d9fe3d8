#pragma once
// The window of one engine document: a splitter whose left column starts 450
// pixels wide, each column a tab window of views on the same document.
//   left:  "Engine"  "Graph"  "Table"  "ProData"
//   right: "Graph"   "Table"  "ProData"
// Ctrl+PageDown and Ctrl+PageUp that no view takes move to the next or previous
// tab of the pane holding the focus, wrapping at the ends. On the engine form
// they first step through its groups.

#include <QWidget>

#include <functional>

class QSplitter;
class QTabWidget;

namespace brisca {

class CVexoDoc;
class ViewRegistry;

class CChildFrame : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kLeftColumnWidth = 450;

  CChildFrame(CVexoDoc& document, ViewRegistry& registry, QWidget* parent = nullptr);
  ~CChildFrame() override;

  CVexoDoc& Document() const { return document_; }
  QSplitter* Splitter() const { return splitter_; }
  QTabWidget* LeftTabs() const { return left_; }
  QTabWidget* RightTabs() const { return right_; }

  //! Every view of this window re-reads the document.
  void UpdateViews();

  //! Asked before the window closes; false keeps it open.
  void SetCloseGuard(std::function<bool(CChildFrame&)> guard) { closeGuard_ = std::move(guard); }
  //! Told once the window's views are gone.
  void SetDestroyedHook(std::function<void(CChildFrame&)> hook) { destroyedHook_ = std::move(hook); }

 protected:
  void closeEvent(QCloseEvent* event) override;
  //! The panes' Ctrl+PageDown and Ctrl+PageUp.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void AddViews(ViewRegistry& registry);
  void ApplySchemeColors();

  CVexoDoc& document_;
  QSplitter* splitter_;
  QTabWidget* left_;
  QTabWidget* right_;
  std::function<bool(CChildFrame&)> closeGuard_;
  std::function<void(CChildFrame&)> destroyedHook_;
};

}  // namespace brisca
