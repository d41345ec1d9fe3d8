#pragma once
// The user manual inside the program: the pages, the outline beside them,
// a search with its hits, zoom, and the outside PDF viewer one click away.

#include <QMainWindow>

#include <functional>

class QLineEdit;
class QListView;
class QPdfBookmarkModel;
class QPdfDocument;
class QPdfSearchModel;
class QPdfView;
class QTreeView;
class QLabel;

namespace brisca {

class CManualViewer : public QMainWindow {
  Q_OBJECT

 public:
  //! `openExternally` is "Open in External Viewer".
  CManualViewer(const QString& pdfPath, std::function<void()> openExternally, QWidget* parent = nullptr);
  ~CManualViewer() override;

  //! False when the PDF could not be read (the window then says so).
  bool IsLoaded() const;
  int PageCount() const;
  int CurrentPage() const;
  QPdfView* PageView() const { return view_; }
  QTreeView* Outline() const { return outline_; }
  QLineEdit* SearchField() const { return search_; }
  QListView* SearchHits() const { return hits_; }
  QPdfSearchModel* SearchModel() const { return searchModel_; }
  //! Shows page `page` (0-based) from its top.
  void GoToPage(int page);
  void ZoomBy(double factor);

 private:
  void BuildToolBar(std::function<void()> openExternally);
  void BuildSidePanes();
  void ShowHit(const QModelIndex& index);
  void UpdatePageLabel();

  QPdfDocument* document_ = nullptr;
  QPdfView* view_ = nullptr;
  QPdfBookmarkModel* bookmarks_ = nullptr;
  QPdfSearchModel* searchModel_ = nullptr;
  QTreeView* outline_ = nullptr;
  QLineEdit* search_ = nullptr;
  QListView* hits_ = nullptr;
  QLabel* pageLabel_ = nullptr;
};

}  // namespace brisca
