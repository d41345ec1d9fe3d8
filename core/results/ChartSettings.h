#pragma once
// The working copy the chart properties edit: one chart's axes, comparison
// flag and data zones, taken from the chart when the properties open and
// handed back only when they are applied. The rules of the three pages live
// here; which open documents fill the comparison slots is the view's business.

#include <string>
#include <vector>

#include "core/results/ChartState.h"

namespace brisca {

//! Notice asked before a chart with a combination item compares documents.
inline constexpr int kNoticeComboWithDocuments = 111;

class ChartSettings {
 public:
  ChartSettings(const ChartState& state, ChartRole role) : state_(state), role_(role) {}

  const ChartState& State() const { return state_; }
  ChartRole Role() const { return role_; }

  // --- Graph data ---------------------------------------------------------

  //! True when Y1 or Y2 shows a combination, which several documents cannot.
  bool NeedsComboNotice() const;
  //! Comparison on; a combination on Y1 or Y2 first gives way to Y1 Power and
  //! Y2 "(None)", both Auto-Range (what the user agreed to with notice 111).
  void UseMultipleDocuments();
  //! Comparison off (the caller empties comparison slots 1..3).
  void UseCurrentDocumentOnly() { state_.comparison = false; }

  // --- Axis properties ----------------------------------------------------

  //! The items the "Data Type" list of `axis` offers, in item order: X items
  //! 1..28 without combinations, Y1 1..28, Y2 0..28; while comparing, Y1 and Y2
  //! leave out the combinations too.
  static std::vector<int> DataTypeItems(int axis, bool multipleDocuments);
  void SelectItem(int axis, int item);
  void SelectRange(int axis, RangeMode mode);
  //! Custom limits of `axis` (kept under Custom-Range only; checked on apply).
  void SetMinimum(int axis, int minimum);
  void SetMaximum(int axis, int maximum);
  const ChartAxisSpec& Axis(int axis) const;
  //! The range pair as shown: "%d" of the limit, or "*" under Auto-Range.
  std::string RangeText(int axis, bool maximum) const;
  //! The limits can be typed only under Custom-Range.
  bool RangeEditable(int axis) const { return Axis(axis).Mode() == RangeMode::Custom; }
  //! " Enter Power (HP) Range: 0 to 2000" (the item's Hi range); empty unless editable.
  std::string RangeHint(int axis) const;

  // --- Data zones ---------------------------------------------------------

  //! A fresh zone type: defaults, colours, shown (DataZoneSet::LoadType).
  void ChooseZoneType(int type) { state_.zones.LoadType(type); }
  void SetZonesShown(bool shown) { state_.zones.shown = shown; }
  //! New zone count 1..6 (none while the type is "(None)"). Each zone added
  //! starts at the previous zone's maximum, is as wide and has its colour (an
  //! edge the zones cannot take keeps its value); zones given up are emptied.
  void SetZoneCount(int count);
  //! The allowed count range of the "Zones:" control: 1..6, or 0..0 with type "(None)".
  int MinimumZoneCount() const;
  int MaximumZoneCount() const;
  //! Whether row `zone` (0..5) can be edited: a type is chosen and the row is counted.
  bool ZoneRowEnabled(int zone) const;
  //! Entered edges of zone `zone`; the label follows as "%g".
  void SetZoneLow(int zone, float value);
  void SetZoneHigh(int zone, float value);
  void SetZoneColour(int zone, ZoneColour colour);
  //! "Blend Colors" is offered for more than two zones.
  bool CanBlend() const { return state_.zones.count > 2; }
  void BlendColours() { state_.zones.BlendColours(); }
  const DataZoneSet& Zones() const { return state_.zones; }

  // --- The sheet ----------------------------------------------------------

  //! "Reset All": the chart's defaults, no comparison, no zones.
  void ResetAll() { state_.Reset(role_); }
  //! The pages in order, the first failure in `code`: an empty or reversed
  //! custom range (174..176), then the zones (100, 101).
  bool Validate(int& code) const;

 private:
  ChartAxisSpec& MutableAxis(int axis);
  DataZone& MutableZone(int zone);

  ChartState state_;
  ChartRole role_;
};

}  // namespace brisca
