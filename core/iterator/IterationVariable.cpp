#include "core/iterator/IterationVariable.h"

#include <algorithm>
#include <cmath>

namespace brisca {

int RangeValueCount(float minimum, float maximum, float step) {
  const float span = maximum - minimum;
  if (!(span > 0.0f) || !(step > 0.0f) || span < step) return 0;
  const float ratio = span / step;
  const float whole = std::trunc(ratio);
  int n = static_cast<int>(whole) + 1;
  if (ratio - whole > 0.01f) ++n;
  return n;
}

void IterationVariable::Clear() { *this = IterationVariable(); }

void IterationVariable::SetRange(float centre, float tolerance, float step) {
  kind_ = VariableKind::Range;
  tolerance_ = tolerance;
  step_ = step;
  Recentre(centre);
}

void IterationVariable::Recentre(float centre) {
  centre_ = centre;
  minimum_ = centre - tolerance_;
  maximum_ = centre + tolerance_;
  Restart();
}

void IterationVariable::SetList(int capacity) {
  kind_ = VariableKind::List;
  capacity_ = std::max(capacity, 0);
  entries_.clear();
  Restart();
}

bool IterationVariable::AddEntry(const CPartTypeSpec& entry) {
  if (static_cast<int>(entries_.size()) >= capacity_ || Contains(entry.GetValue())) return false;
  entries_.push_back(entry);
  return true;
}

bool IterationVariable::RemoveEntry(int item) {
  const auto it = std::find_if(entries_.begin(), entries_.end(),
                               [item](const CPartTypeSpec& e) { return e.GetValue() == item; });
  if (it == entries_.end()) return false;
  entries_.erase(it);
  return true;
}

bool IterationVariable::Contains(int item) const {
  return std::any_of(entries_.begin(), entries_.end(),
                     [item](const CPartTypeSpec& e) { return e.GetValue() == item; });
}

int IterationVariable::ValueCount() const {
  if (kind_ == VariableKind::List) return static_cast<int>(entries_.size());
  return RangeValueCount(minimum_, maximum_, step_);
}

void IterationVariable::Restart() {
  counter_ = 0;
  endReached_ = false;
  current_ = minimum_;
  entry_ = 0;
}

float IterationVariable::ValueAt(int position) const {
  if (kind_ == VariableKind::List) return static_cast<float>(position);
  if (position + 1 >= ValueCount()) return maximum_;
  // Formed from the minimum rather than summed step by step, so a long range
  // does not drift; the last value is the maximum itself.
  return minimum_ + static_cast<float>(position) * step_;
}

void IterationVariable::MoveNext() {
  const int n = ValueCount();
  if (counter_ == 0) {
    current_ = minimum_;
    entry_ = 0;
  } else if (n == counter_ + 1) {
    current_ = maximum_;
    entry_ = n - 1;
    endReached_ = true;
  } else {
    current_ = ValueAt(counter_);
    entry_ = counter_;
  }
  ++counter_;
}

}  // namespace brisca
