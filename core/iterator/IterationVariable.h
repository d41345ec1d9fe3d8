#pragma once
// One varied parameter of a test series: a numeric range (centre ± tolerance
// in steps) or a list of component choices, and its position in the series.
//
// Numeric values run minimum, minimum + step, … and the last value is always
// exactly the maximum, also when the range is not a whole number of steps.
// Values are in the parameter's current unit (the baseline's unit system).

#include <vector>

#include "core/spec/PartTypeSpec.h"

namespace brisca {

//! What a slot varies (0: nothing).
enum VariableType : int {
  kVarNone = 0,
  kVarBore = 1,
  kVarStroke = 2,
  kVarManifold = 3,
  kVarLowIvo = 4,
  kVarLowIvc = 5,
  kVarLowEvo = 6,
  kVarLowEvc = 7,
  kVarHighIvo = 8,
  kVarHighIvc = 9,
  kVarHighEvo = 10,
  kVarHighEvc = 11,
  kVarActivationRpm = 12,
};

enum class VariableKind : int { Range = 0, List = 1 };

//! Number of values of a numeric range; 0 when the range is empty, the step
//! not positive or wider than the range. The ratio is formed in single
//! precision and a remainder above 0.01 step counts the maximum as a value of its own.
int RangeValueCount(float minimum, float maximum, float step);

class IterationVariable {
 public:
  IterationVariable() = default;

  //! Back to the initial state: no type, numeric, empty, enabled.
  void Clear();

  int Type() const { return type_; }
  void SetType(int type) { type_ = type; }
  VariableKind Kind() const { return kind_; }
  bool IsEnabled() const { return enabled_; }
  void SetEnabled(bool enabled) { enabled_ = enabled; }

  // --- numeric ------------------------------------------------------------
  //! minimum = centre − tolerance, maximum = centre + tolerance. The grid stays
  //! centred also where it reaches past the parameter's limits: the series
  //! counts those values as tests, which fail without being set.
  void SetRange(float centre, float tolerance, float step);
  //! Same tolerance and step around a new centre.
  void Recentre(float centre);
  float Centre() const { return centre_; }
  float Tolerance() const { return tolerance_; }
  float Step() const { return step_; }
  float Minimum() const { return minimum_; }
  float Maximum() const { return maximum_; }

  // --- list ---------------------------------------------------------------
  //! An empty list that holds at most `capacity` entries.
  void SetList(int capacity);
  //! False when the list is full or already holds the item.
  bool AddEntry(const CPartTypeSpec& entry);
  //! False when the item is not in the list.
  bool RemoveEntry(int item);
  bool Contains(int item) const;
  int Capacity() const { return capacity_; }
  const std::vector<CPartTypeSpec>& Entries() const { return entries_; }

  //! Number of values n.
  int ValueCount() const;

  // --- position in the series ---------------------------------------------
  //! Counter 0, end flag off, current value the first one.
  void Restart();
  //! The odometer's move: counter 0 gives the first value, the value before
  //! last is followed by exactly the maximum (end flag on). Counter + 1.
  void MoveNext();
  //! Marks the first value as already in use (its counter was 0).
  void SkipFirst() { counter_ = 1; }
  int Counter() const { return counter_; }
  bool EndReached() const { return endReached_; }
  float CurrentValue() const { return current_; }
  int CurrentEntry() const { return entry_; }
  //! The value at `position` (0..n−1): numeric value, or the list index as a float.
  float ValueAt(int position) const;

 private:
  int type_ = kVarNone;           //!< VariableType
  VariableKind kind_ = VariableKind::Range;
  bool enabled_ = true;
  float centre_ = 0.0f;           //!< [parameter unit]
  float tolerance_ = 0.0f;        //!< [parameter unit]
  float step_ = 0.0f;             //!< [parameter unit]
  float minimum_ = 0.0f;          //!< centre − tolerance [parameter unit]
  float maximum_ = 0.0f;          //!< centre + tolerance [parameter unit]
  int capacity_ = 0;              //!< list entries allowed
  std::vector<CPartTypeSpec> entries_;  //!< list of component choices
  int counter_ = 0;               //!< values handed out since the last restart
  bool endReached_ = false;       //!< the last value is in use
  float current_ = 0.0f;          //!< numeric value in use
  int entry_ = 0;                 //!< list entry in use
};

}  // namespace brisca
