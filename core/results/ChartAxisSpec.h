#pragma once
// One chart axis (X, Y1 or Y2): the data item it shows, its range mode and the
// limits of the last fixed range chosen.
//
// Rules:
//  - SelectItem keeps the range mode; under Low, Mid or Hi it reloads the
//    limits from the new item's row, under Auto and Custom it keeps them;
//  - SelectRange(Low | Mid | Hi) loads that range of the current item;
//    SelectRange(Auto) and SelectRange(Custom) keep the limits; SetCustomRange
//    takes the given limits under Custom.
// So the limits survive a switch to Auto: they are still saved, the results
// table still reads them, and a later Custom starts from them.
//
// The item's label, unit caption and quantity are looked up in the item table
// (ChartItems.h), never stored apart from the item number.

#include "core/results/ChartItems.h"

namespace brisca {

class TextReader;
class TextWriter;

class ChartAxisSpec {
 public:
  //! Item 0 ("(None)"), Auto-Range, limits 0..0.
  ChartAxisSpec() = default;
  //! `item` under `mode`; under Auto and Custom the limits are the item's Mid-Range.
  ChartAxisSpec(int item, RangeMode mode);

  //! `item` must be 0..28 (FatalAssert otherwise).
  void SelectItem(int item);
  void SelectRange(RangeMode mode);
  //! Custom-Range with these limits (not checked: see HasValidRange).
  void SetCustomRange(int minimum, int maximum);

  int Item() const { return item_; }
  RangeMode Mode() const { return mode_; }
  int Minimum() const { return minimum_; }
  int Maximum() const { return maximum_; }
  const ChartItem& ItemInfo() const { return GetChartItem(item_); }
  const char* Label() const { return ItemInfo().label; }
  const char* Units() const { return ItemInfo().units; }
  bool IsAutoRange() const { return mode_ == RangeMode::Auto; }
  //! False only under Custom-Range with a maximum not above the minimum.
  bool HasValidRange() const;

  //! "%d %d %d %d\n": item, range mode, minimum, maximum.
  void WriteText(TextWriter& out) const;
  //! Reads that line: item 0..28 and mode 0..4, else FileError 47; an unreadable
  //! or missing number 45. Under Custom the stored limits are taken, under
  //! Low/Mid/Hi they are reloaded from the item, under Auto the axis keeps the
  //! limits it had. On any FileError the axis is left as it was.
  void ReadText(TextReader& in);

  friend bool operator==(const ChartAxisSpec&, const ChartAxisSpec&) = default;

 private:
  void LoadFixedRange();

  int item_ = kItemNone;            //!< data item, 0..28
  RangeMode mode_ = RangeMode::Auto;
  int minimum_ = 0;                 //!< axis minimum in the item's unit
  int maximum_ = 0;                 //!< axis maximum in the item's unit
};

}  // namespace brisca
