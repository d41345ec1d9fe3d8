#include "gui/iterator/IteratorPhases.h"

#include "core/document/VexoDoc.h"

namespace brisca {

Iterator* DocumentIterator(CVexoDoc& document, int phase) {
  return dynamic_cast<Iterator*>(document.Iterator(phase).get());
}

IteratorPhases IteratorPhases::CopyOf(CVexoDoc& document) {
  IteratorPhases phases;
  if (const Iterator* one = DocumentIterator(document, 0)) *phases.phase1 = *one;
  if (const Iterator* two = DocumentIterator(document, 1)) *phases.phase2 = *two;
  phases.Rebase(document);
  return phases;
}

void IteratorPhases::Rebase(const CVexoDoc& document) {
  const CVexoDoc* base = phase2->Baseline();
  const CVexoDoc* best = phase1->BestEngine();
  if (!base || base == &document || !best || base == best) return;
  int code = 0;
  // The best engine validated when it was kept; should it not now, phase 2
  // goes back to the document rather than keep a borrowed pointer.
  if (!phase2->SetUp(*best, code)) phase2->SetUp(document, code);
}

void IteratorPhases::MoveInto(CVexoDoc& document) {
  document.Iterator(0) = std::move(phase1);
  document.Iterator(1) = std::move(phase2);
  phase1 = std::make_unique<Iterator>();
  phase2 = std::make_unique<Iterator>();
}

Iterator& IteratorPhases::ResultPhase() const {
  return phase2->KeptCount() > 0 ? *phase2 : *phase1;
}

}  // namespace brisca
