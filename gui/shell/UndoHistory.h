#pragma once
// Undo and redo for the open engines: one undo stack per document, and a group
// whose active stack follows the active window (the Edit menu's two actions).
//
// No command records its own step. Every change reaches the document's
// modification path (ChangeMade); once the command has finished (the event
// loop is back) the document's whole state is taken and pushed as one step
// against the state taken after the step before, unless the engine, report
// and chart settings are as they were (nothing to take back). Whatever else moves the
// document without being a change (a run, a redraw) is taken silently, so the
// next step starts from the engine and results the user saw. A step puts a
// whole state back: the restored engine shows the results it had.

#include <QObject>
#include <QUndoGroup>

#include <map>
#include <memory>

namespace brisca {

class CVexoDoc;
class DocumentUndo;

class UndoHistory : public QObject {
  Q_OBJECT
 public:
  //! Steps kept per document.
  static constexpr int kUndoLimit = 100;

  explicit UndoHistory(QObject* parent = nullptr);
  ~UndoHistory() override;

  //! "&Undo <step>" (Ctrl+Z) and "&Redo <step>" (Ctrl+Shift+Z, Ctrl+Y) of the active stack.
  QAction* UndoAction() const { return undo_; }
  QAction* RedoAction() const { return redo_; }

  //! Starts the history of `document` at its present state (once; later calls do nothing).
  void Attach(CVexoDoc& document);
  //! Forgets `document` (it is closing).
  void Detach(const CVexoDoc& document);
  //! The Edit menu follows `document`'s stack; none for nullptr.
  void Activate(const CVexoDoc* document);
  //! The stack of `document`, nullptr when it has none.
  QUndoStack* StackOf(const CVexoDoc& document) const;

  //! The document's modification path: a change was made, it matches its file, it redrew.
  void ChangeMade(CVexoDoc& document);
  void MarkedUnmodified(CVexoDoc& document);
  void ViewsUpdated(CVexoDoc& document);
  //! Takes every finished change as a step now, not when the event loop comes back.
  void Settle();

 private:
  DocumentUndo* Find(const CVexoDoc& document) const;

  QUndoGroup group_;
  QAction* undo_;
  QAction* redo_;
  std::map<const CVexoDoc*, std::unique_ptr<DocumentUndo>> documents_;
};

}  // namespace brisca
