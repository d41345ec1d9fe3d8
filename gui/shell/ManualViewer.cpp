#include "gui/shell/ManualViewer.h"

#include <algorithm>

#include <QAction>
#include <QDockWidget>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPdfBookmarkModel>
#include <QPdfDocument>
#include <QPdfPageNavigator>
#include <QPdfSearchModel>
#include <QPdfView>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeView>
#include <QVBoxLayout>

namespace brisca {
namespace {

constexpr double kZoomStep = 1.25;
constexpr double kMinZoom = 0.25;
constexpr double kMaxZoom = 8.0;

// The search model's own text is rich text with line-break marks; the list shows
// each hit as plain text after its page number.
class SearchHitsText final : public QIdentityProxyModel {
 public:
  using QIdentityProxyModel::QIdentityProxyModel;
  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole) return QIdentityProxyModel::data(index, role);
    const QModelIndex source = mapToSource(index);
    const int page = source.data(int(QPdfSearchModel::Role::Page)).toInt();
    const auto* hits = static_cast<const QPdfSearchModel*>(sourceModel());
    QString context = source.data(int(QPdfSearchModel::Role::ContextBefore)).toString() + hits->searchString() +
                      source.data(int(QPdfSearchModel::Role::ContextAfter)).toString();
    context.replace(QChar(0x23CE), QLatin1Char(' '));
    return QCoreApplication::translate("CManualViewer", "Page %1: %2").arg(page + 1).arg(context.simplified());
  }
};

}  // namespace

CManualViewer::CManualViewer(const QString& pdfPath, std::function<void()> openExternally, QWidget* parent)
    : QMainWindow(parent, Qt::Window) {
  setWindowTitle(tr("Brisca User Manual"));
  setAttribute(Qt::WA_DeleteOnClose);
  document_ = new QPdfDocument(this);
  view_ = new QPdfView(this);
  view_->setPageMode(QPdfView::PageMode::MultiPage);
  view_->setZoomMode(QPdfView::ZoomMode::FitToWidth);
  view_->setDocument(document_);
  setCentralWidget(view_);

  BuildToolBar(std::move(openExternally));
  BuildSidePanes();
  pageLabel_ = new QLabel(this);
  statusBar()->addPermanentWidget(pageLabel_);
  connect(view_->pageNavigator(), &QPdfPageNavigator::currentPageChanged, this, &CManualViewer::UpdatePageLabel);

  document_->load(pdfPath);
  if (!IsLoaded()) statusBar()->showMessage(tr("The manual could not be read: %1").arg(pdfPath));
  UpdatePageLabel();
  resize(1000, 760);
}

bool CManualViewer::IsLoaded() const { return document_->status() == QPdfDocument::Status::Ready; }
int CManualViewer::PageCount() const { return document_->pageCount(); }
int CManualViewer::CurrentPage() const { return view_->pageNavigator()->currentPage(); }

void CManualViewer::GoToPage(int page) {
  if (page < 0 || page >= PageCount()) return;
  view_->pageNavigator()->jump(page, QPointF());
}

void CManualViewer::ZoomBy(double factor) {
  // Leaving fit-to-width: the factor now is the one the page is drawn at.
  const double zoom = std::clamp(view_->zoomFactor() * factor, kMinZoom, kMaxZoom);
  view_->setZoomMode(QPdfView::ZoomMode::Custom);
  view_->setZoomFactor(zoom);
}

void CManualViewer::BuildToolBar(std::function<void()> openExternally) {
  QToolBar* bar = addToolBar(tr("Manual"));
  bar->setMovable(false);
  bar->addAction(tr("Previous Page"), this, [this] { GoToPage(CurrentPage() - 1); })
      ->setShortcut(QKeySequence(Qt::Key_PageUp));
  bar->addAction(tr("Next Page"), this, [this] { GoToPage(CurrentPage() + 1); })
      ->setShortcut(QKeySequence(Qt::Key_PageDown));
  bar->addSeparator();
  bar->addAction(tr("Zoom In"), this, [this] { ZoomBy(kZoomStep); })->setShortcut(QKeySequence::ZoomIn);
  bar->addAction(tr("Zoom Out"), this, [this] { ZoomBy(1.0 / kZoomStep); })->setShortcut(QKeySequence::ZoomOut);
  bar->addAction(tr("Fit Width"), this, [this] { view_->setZoomMode(QPdfView::ZoomMode::FitToWidth); });
  bar->addAction(tr("Whole Page"), this, [this] { view_->setZoomMode(QPdfView::ZoomMode::FitInView); });
  bar->addSeparator();
  search_ = new QLineEdit(bar);
  search_->setPlaceholderText(tr("Search the manual"));
  search_->setClearButtonEnabled(true);
  search_->setMaximumWidth(260);
  bar->addWidget(search_);
  bar->addSeparator();
  bar->addAction(tr("Open in External Viewer"), this, [open = std::move(openExternally)] {
    if (open) open();
  });
  auto* find = new QAction(this);
  find->setShortcut(QKeySequence::Find);
  connect(find, &QAction::triggered, search_, [this] { search_->setFocus(); search_->selectAll(); });
  addAction(find);
}

void CManualViewer::BuildSidePanes() {
  bookmarks_ = new QPdfBookmarkModel(this);
  bookmarks_->setDocument(document_);
  outline_ = new QTreeView(this);
  outline_->setModel(bookmarks_);
  outline_->setHeaderHidden(true);
  outline_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  connect(outline_, &QTreeView::activated, this, [this](const QModelIndex& index) {
    const int page = index.data(int(QPdfBookmarkModel::Role::Page)).toInt();
    const QPointF at = index.data(int(QPdfBookmarkModel::Role::Location)).toPointF();
    view_->pageNavigator()->jump(page, at);
  });
  connect(outline_, &QTreeView::clicked, outline_, &QTreeView::activated);
  auto* outlineDock = new QDockWidget(tr("Contents"), this);
  outlineDock->setObjectName(QStringLiteral("outline"));
  outlineDock->setFeatures(QDockWidget::NoDockWidgetFeatures);
  outlineDock->setWidget(outline_);
  addDockWidget(Qt::LeftDockWidgetArea, outlineDock);
  // A manual without an outline keeps the whole width for its pages.
  auto showOutline = [this, outlineDock] { outlineDock->setVisible(bookmarks_->rowCount() > 0); };
  connect(bookmarks_, &QAbstractItemModel::modelReset, this, showOutline);
  connect(bookmarks_, &QAbstractItemModel::rowsInserted, this, showOutline);

  searchModel_ = new QPdfSearchModel(this);
  searchModel_->setDocument(document_);
  hits_ = new QListView(this);
  hits_->setModel(new SearchHitsText(hits_));
  static_cast<QIdentityProxyModel*>(hits_->model())->setSourceModel(searchModel_);
  hits_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  hits_->setWordWrap(true);
  hits_->setAlternatingRowColors(true);
  auto* hitsDock = new QDockWidget(tr("Search Results"), this);
  hitsDock->setObjectName(QStringLiteral("hits"));
  hitsDock->setFeatures(QDockWidget::NoDockWidgetFeatures);
  hitsDock->setWidget(hits_);
  addDockWidget(Qt::LeftDockWidgetArea, hitsDock);
  hitsDock->hide();
  connect(search_, &QLineEdit::returnPressed, this, [this, hitsDock] {
    searchModel_->setSearchString(search_->text());
    hitsDock->setVisible(!search_->text().isEmpty());
  });
  connect(search_, &QLineEdit::textChanged, this, [this, hitsDock](const QString& text) {
    if (text.isEmpty()) {
      searchModel_->setSearchString(QString());
      hitsDock->hide();
    }
  });
  connect(hits_, &QListView::activated, this, &CManualViewer::ShowHit);
  connect(hits_, &QListView::clicked, this, &CManualViewer::ShowHit);
}

CManualViewer::~CManualViewer() {
  // The document is closed only when QWidget's destructor deletes the children,
  // after this class's part is gone; closing it moves the page navigator and
  // resets the outline, whose signals must not reach this half-destroyed window.
  disconnect(view_->pageNavigator(), nullptr, this, nullptr);
  disconnect(bookmarks_, nullptr, this, nullptr);
}

void CManualViewer::ShowHit(const QModelIndex& index) {
  const QPdfLink hit = searchModel_->resultAtIndex(index.row());
  if (hit.isValid()) view_->pageNavigator()->jump(hit.page(), hit.location());
}

void CManualViewer::UpdatePageLabel() {
  pageLabel_->setText(PageCount() > 0 ? tr("Page %1 of %2").arg(CurrentPage() + 1).arg(PageCount()) : QString());
}

}  // namespace brisca
