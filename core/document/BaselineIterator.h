#pragma once
// What an engine document needs to know of the iterator objects it owns once
// the Pro Iterator has taken it as its baseline engine: whether the phase-1
// iterator holds results that a change of the engine would invalidate.

namespace brisca {

class BaselineIterator {
 public:
  virtual ~BaselineIterator() = default;
  //! True when this iterator has kept results from a series.
  virtual bool HoldsResults() const = 0;
};

}  // namespace brisca
