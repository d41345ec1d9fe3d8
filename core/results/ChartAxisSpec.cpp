#include "core/results/ChartAxisSpec.h"

#include <string>

#include "core/base/FatalAssert.h"
#include "core/base/FileError.h"
#include "core/base/NumberText.h"
#include "core/base/TextReader.h"
#include "core/base/TextWriter.h"

namespace brisca {
namespace {

constexpr const char* kWriteWhere = "ChartAxisSpec::WriteText";
constexpr const char* kReadWhere = "ChartAxisSpec::ReadText";

bool IsFixedRange(RangeMode mode) {
  return mode == RangeMode::Low || mode == RangeMode::Mid || mode == RangeMode::Hi;
}

}  // namespace

ChartAxisSpec::ChartAxisSpec(int item, RangeMode mode) {
  SelectItem(item);
  const AxisRange mid = ItemInfo().mid;
  minimum_ = mid.min;
  maximum_ = mid.max;
  SelectRange(mode);
}

void ChartAxisSpec::SelectItem(int item) {
  BRISCA_ASSERT(IsChartItemNumber(item));
  item_ = item;
  LoadFixedRange();
}

void ChartAxisSpec::SelectRange(RangeMode mode) {
  BRISCA_ASSERT(IsRangeModeNumber(static_cast<int>(mode)));
  mode_ = mode;
  LoadFixedRange();
}

void ChartAxisSpec::SetCustomRange(int minimum, int maximum) {
  mode_ = RangeMode::Custom;
  minimum_ = minimum;
  maximum_ = maximum;
}

bool ChartAxisSpec::HasValidRange() const {
  return mode_ != RangeMode::Custom || maximum_ > minimum_;
}

void ChartAxisSpec::LoadFixedRange() {
  if (!IsFixedRange(mode_)) return;
  const AxisRange range = ItemInfo().Range(mode_);
  minimum_ = range.min;
  maximum_ = range.max;
}

void ChartAxisSpec::WriteText(TextWriter& out) const {
  out.WriteLine(FormatInt(item_) + ' ' + FormatInt(static_cast<int>(mode_)) + ' ' +
                    FormatInt(minimum_) + ' ' + FormatInt(maximum_),
                kWriteWhere);
}

void ChartAxisSpec::ReadText(TextReader& in) {
  const int item = in.ScanInt(kReadWhere);
  const int mode = in.ScanInt(kReadWhere);
  const int minimum = in.ScanInt(kReadWhere);
  const int maximum = in.ScanInt(kReadWhere);
  in.SkipSpace();
  if (!IsChartItemNumber(item) || !IsRangeModeNumber(mode))
    throw FileError(kErrInvalidValue, kReadWhere);
  item_ = item;
  mode_ = static_cast<RangeMode>(mode);
  if (mode_ == RangeMode::Custom) {
    minimum_ = minimum;
    maximum_ = maximum;
  }
  LoadFixedRange();
}

}  // namespace brisca
