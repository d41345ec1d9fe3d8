#pragma once
// The two iterators a window works on: copies of the document's, handed back
// to the document whole when the window keeps its work.
//
// Phase 2's baseline is phase 1's best engine, which phase 1 owns. Moving the
// two objects into the document keeps that pointer good; a copy must point
// phase 2 at its own phase 1 again (Rebase).

#include <memory>

#include "core/iterator/Iterator.h"

namespace brisca {

class CVexoDoc;

//! The document's phase-1 or phase-2 iterator; null when it has none.
Iterator* DocumentIterator(CVexoDoc& document, int phase);

struct IteratorPhases {
  std::unique_ptr<Iterator> phase1 = std::make_unique<Iterator>();
  std::unique_ptr<Iterator> phase2 = std::make_unique<Iterator>();

  //! Copies of `document`'s iterators (fresh ones where it has none), phase 2
  //! rebased on the copy of phase 1.
  static IteratorPhases CopyOf(CVexoDoc& document);
  //! Phase 2, when it was begun on phase 1's best engine, takes the best
  //! engine of this phase 1 as its baseline (results and progress kept).
  void Rebase(const CVexoDoc& document);
  //! Hands both to `document` (this is left with fresh ones).
  void MoveInto(CVexoDoc& document);
  //! The phase whose kept results become documents: phase 2 once it kept anything.
  Iterator& ResultPhase() const;
};

}  // namespace brisca
