#include "gui/shell/ChildFrame.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QSplitter>
#include <QTabWidget>

#include "core/base/FatalAssert.h"
#include "gui/engine/EngineFormView.h"
#include "gui/results/Chart2dView.h"
#include "gui/results/ResultsTableView.h"
#include "gui/shell/SchemeStyle.h"

namespace brisca {
namespace {

constexpr int kLeftTabColors = 69;
constexpr int kRightTabColors = 77;

// The next enabled tab after (before) the current one, wrapping. The keys step
// through the engine form's groups too: coming to the form forward they start at
// its first group, backward at its last.
void StepTab(QTabWidget& tabs, bool forward) {
  const int count = tabs.count();
  for (int step = 1; step < count; ++step) {
    const int index = (tabs.currentIndex() + (forward ? step : count - step)) % count;
    if (tabs.isTabEnabled(index)) {
      tabs.setCurrentIndex(index);
      if (auto* form = qobject_cast<CEngineFormView*>(tabs.widget(index))) {
        form->FocusGroup(forward ? form::kShortBlockGroup : form::kNotesGroup);
      }
      return;
    }
  }
}

}  // namespace

CChildFrame::CChildFrame(CVexoDoc& document, ViewRegistry& registry, QWidget* parent)
    : QWidget(parent),
      document_(document),
      splitter_(new QSplitter(Qt::Horizontal, this)),
      left_(new QTabWidget(splitter_)),
      right_(new QTabWidget(splitter_)) {
  setAttribute(Qt::WA_DeleteOnClose);
  left_->setObjectName(QStringLiteral("leftTabs"));
  right_->setObjectName(QStringLiteral("rightTabs"));
  splitter_->addWidget(left_);
  splitter_->addWidget(right_);
  splitter_->setStretchFactor(0, 0);
  splitter_->setStretchFactor(1, 1);
  splitter_->setChildrenCollapsible(false);
  AddViews(registry);
  BRISCA_ASSERT(left_->count() == 4 && right_->count() == 3);
  splitter_->setSizes({kLeftColumnWidth, kLeftColumnWidth});
  ApplySchemeColors();
  // The engine form takes these keys first: there they step through its groups.
  left_->installEventFilter(this);
  right_->installEventFilter(this);

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(splitter_);
  resize(2 * kLeftColumnWidth + 200, 560);
}

CChildFrame::~CChildFrame() {
  // The views leave the document's registry before the window reports itself gone.
  delete splitter_;
  splitter_ = nullptr;
  if (destroyedHook_) destroyedHook_(*this);
}

void CChildFrame::AddViews(ViewRegistry& registry) {
  left_->addTab(new CEngineFormView(document_, registry), tr("Engine"));
  left_->addTab(new CChart2dView(document_, registry, ChartRole::First), tr("Graph"));
  left_->addTab(new CResultsTableView(document_, registry, true), tr("Table"));
  left_->addTab(new CProResultsTableView(document_, registry, true), tr("ProData"));
  right_->addTab(new CChart2dView(document_, registry, ChartRole::Second), tr("Graph"));
  // The right-hand tables show the same rows as the left-hand ones; the
  // registered tables are those on the left.
  right_->addTab(new CResultsTableView(document_, registry, false), tr("Table"));
  right_->addTab(new CProResultsTableView(document_, registry, false), tr("ProData"));
}

void CChildFrame::ApplySchemeColors() {
  left_->setStyleSheet(TabWindowStyle(kLeftTabColors));
  right_->setStyleSheet(TabWindowStyle(kRightTabColors));
}

void CChildFrame::UpdateViews() {
  for (QTabWidget* tabs : {left_, right_}) {
    for (int i = 0; i < tabs->count(); ++i) {
      QMetaObject::invokeMethod(tabs->widget(i), "UpdateView");
    }
  }
}

bool CChildFrame::eventFilter(QObject* watched, QEvent* event) {
  auto* tabs = qobject_cast<QTabWidget*>(watched);
  if (tabs && (tabs == left_ || tabs == right_) && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    const bool pageKey = key->key() == Qt::Key_PageDown || key->key() == Qt::Key_PageUp;
    if (pageKey && key->modifiers() == Qt::ControlModifier) {
      StepTab(*tabs, key->key() == Qt::Key_PageDown);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void CChildFrame::closeEvent(QCloseEvent* event) {
  if (closeGuard_ && !closeGuard_(*this)) {
    event->ignore();
    return;
  }
  event->accept();
}

}  // namespace brisca
