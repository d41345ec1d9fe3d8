#include "gui/shell/UndoHistory.h"

#include <QAction>
#include <QKeySequence>
#include <QTimer>
#include <QUndoCommand>
#include <QUndoStack>

#include <utility>

#include "core/document/DocumentHost.h"
#include "core/document/VexoDoc.h"

namespace brisca {

using StatePtr = std::shared_ptr<const DocumentState>;

//! The history of one document: its stack and the state after its last step.
class DocumentUndo : public QObject {
 public:
  DocumentUndo(CVexoDoc& document, QUndoGroup& group);
  //! A stack going away tells it has no clean state: nobody is left to hear that.
  ~DocumentUndo() override { stack_.disconnect(this); }

  QUndoStack& Stack() { return stack_; }
  void ChangeMade();
  void ViewsUpdated();
  void MarkedUnmodified();
  //! A finished change becomes a step; anything else that moved is taken silently.
  void Settle();
  //! Puts `state` back and redraws; the state it leaves is the one settled.
  void Restore(const StatePtr& state);

 private:
  //! While set, what the document reports is this history's own doing.
  class Busy {
   public:
    explicit Busy(DocumentUndo& owner) : owner_(owner), was_(std::exchange(owner.busy_, true)) {}
    ~Busy() { owner_.busy_ = was_; }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;

   private:
    DocumentUndo& owner_;
    bool was_;
  };

  void Schedule();
  void CleanChanged(bool clean);

  CVexoDoc& document_;
  QUndoStack stack_;
  StatePtr settled_;
  bool pending_ = false;    //!< a change was made since the last step
  bool scheduled_ = false;  //!< a settle waits for the event loop
  bool busy_ = false;
};

namespace {

//! What the user can change is alike in both: the engine's parameters, the
//! report and chart settings. Results follow the engine and are left out, so
//! a run between the two does not make a change of them.
bool SameChoices(const DocumentState& a, const DocumentState& b) {
  if (a.report != b.report || a.charts != b.charts) return false;
  EngineParameters engine = a.engine;
  engine.results = b.engine.results;
  return engine == b.engine;
}

//! One step: the whole document state before and after it.
class StateStep : public QUndoCommand {
 public:
  StateStep(DocumentUndo& owner, const QString& name, StatePtr before, StatePtr after)
      : QUndoCommand(name), owner_(owner), before_(std::move(before)), after_(std::move(after)) {}

  //! What the step makes again: the engine as it last stood after it.
  void TakeAfter(StatePtr after) { after_ = std::move(after); }

  void undo() override { owner_.Restore(before_); }
  void redo() override {
    // Pushed after the change was made: the first redo has nothing to do.
    if (std::exchange(pushed_, true)) owner_.Restore(after_);
  }

 private:
  DocumentUndo& owner_;
  StatePtr before_;
  StatePtr after_;
  bool pushed_ = false;
};

}  // namespace

DocumentUndo::DocumentUndo(CVexoDoc& document, QUndoGroup& group)
    : document_(document), settled_(std::make_shared<const DocumentState>(document.State())) {
  stack_.setUndoLimit(UndoHistory::kUndoLimit);
  group.addStack(&stack_);
  connect(&stack_, &QUndoStack::cleanChanged, this, &DocumentUndo::CleanChanged);
  document_.TakeChangeName();
  // A document that comes modified (a kept iterator engine, a comparison
  // copy) has no saved state to go back to.
  if (document_.IsModified()) {
    Busy busy(*this);
    stack_.resetClean();
  }
}

void DocumentUndo::Schedule() {
  if (std::exchange(scheduled_, true)) return;
  QTimer::singleShot(0, this, [this] {
    if (scheduled_) Settle();
  });
}

void DocumentUndo::ChangeMade() {
  if (busy_) return;
  pending_ = true;
  Schedule();
}

void DocumentUndo::ViewsUpdated() {
  if (!busy_) Schedule();
}

void DocumentUndo::MarkedUnmodified() {
  if (busy_) return;
  Settle();
  Busy busy(*this);
  stack_.setClean();
}

void DocumentUndo::Settle() {
  scheduled_ = false;
  if (busy_) return;
  auto now = std::make_shared<const DocumentState>(document_.State());
  const std::string name = document_.TakeChangeName();
  // A command that marked the engine modified but left it as it was (the
  // same value typed again, the chosen part chosen again) is no step either.
  const bool changed = std::exchange(pending_, false) && !SameChoices(*settled_, *now);
  if (!changed) {
    // Not a change (a run, a redraw): the last step, when it is the one the
    // engine stands at, makes the engine again as it is now.
    if (stack_.index() > 0 && stack_.index() == stack_.count()) {
      if (const auto* top = dynamic_cast<const StateStep*>(stack_.command(stack_.index() - 1))) {
        const_cast<StateStep*>(top)->TakeAfter(now);
      }
    }
    settled_ = std::move(now);
    return;
  }
  StatePtr before = std::exchange(settled_, now);
  Busy busy(*this);
  stack_.push(new StateStep(*this, QString::fromStdString(name.empty() ? "Change" : name),
                            std::move(before), std::move(now)));
}

void DocumentUndo::Restore(const StatePtr& state) {
  Busy busy(*this);
  document_.RestoreState(*state);
  document_.TakeChangeName();
  settled_ = state;
  pending_ = false;
  if (DocumentHost* host = document_.Host()) host->UpdateAllViews(document_);
}

void DocumentUndo::CleanChanged(bool clean) {
  // The modified mark follows the stack: back at the saved state it goes.
  Busy busy(*this);
  document_.SetModified(!clean);
}

UndoHistory::UndoHistory(QObject* parent)
    : QObject(parent),
      undo_(group_.createUndoAction(this, tr("&Undo"))),
      redo_(group_.createRedoAction(this, tr("&Redo"))) {
  undo_->setObjectName(QStringLiteral("undoAction"));
  redo_->setObjectName(QStringLiteral("redoAction"));
  undo_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  redo_->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
  undo_->setStatusTip(tr("Take back the last change to the engine"));
  redo_->setStatusTip(tr("Make the change taken back again"));
}

UndoHistory::~UndoHistory() = default;

void UndoHistory::Attach(CVexoDoc& document) {
  if (Find(document)) return;
  documents_.emplace(&document, std::make_unique<DocumentUndo>(document, group_));
}

void UndoHistory::Detach(const CVexoDoc& document) { documents_.erase(&document); }

void UndoHistory::Activate(const CVexoDoc* document) {
  DocumentUndo* history = document ? Find(*document) : nullptr;
  group_.setActiveStack(history ? &history->Stack() : nullptr);
}

QUndoStack* UndoHistory::StackOf(const CVexoDoc& document) const {
  DocumentUndo* history = Find(document);
  return history ? &history->Stack() : nullptr;
}

void UndoHistory::ChangeMade(CVexoDoc& document) {
  if (DocumentUndo* history = Find(document)) history->ChangeMade();
}

void UndoHistory::MarkedUnmodified(CVexoDoc& document) {
  if (DocumentUndo* history = Find(document)) history->MarkedUnmodified();
}

void UndoHistory::ViewsUpdated(CVexoDoc& document) {
  if (DocumentUndo* history = Find(document)) history->ViewsUpdated();
}

void UndoHistory::Settle() {
  for (auto& [document, history] : documents_) history->Settle();
}

DocumentUndo* UndoHistory::Find(const CVexoDoc& document) const {
  auto it = documents_.find(&document);
  return it == documents_.end() ? nullptr : it->second.get();
}

}  // namespace brisca
