#pragma once
// The iterator commands of an engine window: the opening rules of both
// iterator windows, the windows themselves, and the result documents made
// after a window kept its work, one per tick of main-frame timer 2.

#include <QObject>

#include <memory>

#include "core/iterator/Iterator.h"

class QMenu;

namespace brisca {

class CMainFrame;
class CVexoDoc;

//! Adds the iterator items to the frame's "&Tools" menu and takes over timer 2's command.
void InstallIteratorCommands(CMainFrame& frame);

//! The Quick Iterator may open: the document has results and validates (else
//! 62 or its code is shown); a Pro setup is dropped after warning 206 (Cancel: false).
bool PrepareQuickOpening(CVexoDoc& document);
//! The Pro Iterator may open, with the document's iterators made or kept as
//! the rules say: 62 or the validation code; new, unset or other-unit
//! iterators get the Pro defaults; a changed cam timing method asks warning
//! 201 (Cancel: false; OK: defaults); a baseline changed since its setup
//! is set up again, re-centred, its results dropped.
bool PrepareProOpening(CVexoDoc& document);

//! Runs the window modally; after "Save" / OK the marked results become documents.
void RunQuickIterator(CMainFrame& frame, CVexoDoc& document);
//! `resultsPage`: opens on "Run/Results".
void RunProIterator(CMainFrame& frame, CVexoDoc& document, bool resultsPage = false);

//! Makes the marked results of `document`'s result phase into new documents,
//! one per tick of timer 2 (100 ms).
void CreateResultDocuments(CMainFrame& frame, CVexoDoc& document);

//! The series whose marked results are being made into documents, while it lasts.
class ResultDocumentQueue : public QObject {
  Q_OBJECT

 public:
  static constexpr int kTickMs = 100;

  explicit ResultDocumentQueue(CMainFrame& frame);
  //! Takes a copy of `series` (its marked results) and starts the timer.
  void Start(const Iterator& series);
  //! One tick: the next marked result becomes a document.
  void OnTick();
  bool IsWorking() const { return series_ != nullptr; }

  //! The frame's queue.
  static ResultDocumentQueue* Of(CMainFrame& frame);

 private:
  CMainFrame& frame_;
  std::unique_ptr<Iterator> series_;
};

}  // namespace brisca
