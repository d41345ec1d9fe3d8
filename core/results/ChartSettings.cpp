#include "core/results/ChartSettings.h"

#include <cstdio>

#include "core/base/FatalAssert.h"
#include "core/results/ChartLimitSpec.h"

namespace brisca {
namespace {

bool IsCombination(int item) { return GetChartItem(item).IsCombination(); }

}  // namespace

bool ChartSettings::NeedsComboNotice() const {
  return IsCombination(state_.Y1().Item()) || IsCombination(state_.Y2().Item());
}

void ChartSettings::UseMultipleDocuments() {
  if (NeedsComboNotice()) {
    state_.Y1().SelectItem(kItemPower);
    state_.Y1().SelectRange(RangeMode::Auto);
    state_.Y2().SelectItem(kItemNone);
    state_.Y2().SelectRange(RangeMode::Auto);
  }
  state_.comparison = true;
}

std::vector<int> ChartSettings::DataTypeItems(int axis, bool multipleDocuments) {
  BRISCA_ASSERT(axis >= kAxisX && axis < kChartAxisCount);
  const bool dropCombinations = axis == kAxisX || multipleDocuments;
  std::vector<int> items;
  for (int item = axis == kAxisY2 ? kItemNone : kItemEngineSpeed; item < kChartItemCount; ++item) {
    if (dropCombinations && IsCombination(item)) continue;
    items.push_back(item);
  }
  return items;
}

const ChartAxisSpec& ChartSettings::Axis(int axis) const {
  BRISCA_ASSERT(axis >= kAxisX && axis < kChartAxisCount);
  return state_.axes[static_cast<std::size_t>(axis)];
}

ChartAxisSpec& ChartSettings::MutableAxis(int axis) {
  BRISCA_ASSERT(axis >= kAxisX && axis < kChartAxisCount);
  return state_.axes[static_cast<std::size_t>(axis)];
}

void ChartSettings::SelectItem(int axis, int item) { MutableAxis(axis).SelectItem(item); }

void ChartSettings::SelectRange(int axis, RangeMode mode) { MutableAxis(axis).SelectRange(mode); }

void ChartSettings::SetMinimum(int axis, int minimum) {
  if (!RangeEditable(axis)) return;
  ChartAxisSpec& spec = MutableAxis(axis);
  spec.SetCustomRange(minimum, spec.Maximum());
}

void ChartSettings::SetMaximum(int axis, int maximum) {
  if (!RangeEditable(axis)) return;
  ChartAxisSpec& spec = MutableAxis(axis);
  spec.SetCustomRange(spec.Minimum(), maximum);
}

std::string ChartSettings::RangeText(int axis, bool maximum) const {
  const ChartAxisSpec& spec = Axis(axis);
  if (spec.IsAutoRange()) return "*";
  return std::to_string(maximum ? spec.Maximum() : spec.Minimum());
}

std::string ChartSettings::RangeHint(int axis) const {
  if (!RangeEditable(axis)) return std::string();
  const ChartAxisSpec& spec = Axis(axis);
  const AxisRange hi = spec.ItemInfo().hi;
  char range[48];
  std::snprintf(range, sizeof range, "%d to %d", hi.min, hi.max);
  return std::string(" Enter ") + spec.Label() + " Range: " + range;
}

int ChartSettings::MinimumZoneCount() const { return state_.zones.type == kZoneTypeNone ? 0 : 1; }

int ChartSettings::MaximumZoneCount() const { return state_.zones.type == kZoneTypeNone ? 0 : kMaxZones; }

void ChartSettings::SetZoneCount(int count) {
  DataZoneSet& zones = state_.zones;
  BRISCA_ASSERT(count >= MinimumZoneCount() && count <= MaximumZoneCount());
  for (int i = zones.count; i < count; ++i) {
    DataZone& added = zones.zones[static_cast<std::size_t>(i)];
    if (i == 0) continue;
    const DataZone& previous = zones.zones[static_cast<std::size_t>(i - 1)];
    const double low = previous.highValue;
    const double high = low + (static_cast<double>(previous.highValue) - previous.lowValue);
    if (low >= 0.0 && low <= kZoneLimitMax) added.SetLow(static_cast<float>(low));
    if (high >= 0.0 && high <= kZoneLimitMax) added.SetHigh(static_cast<float>(high));
    added.colour = previous.colour;
    added.enabled = true;
  }
  for (int i = count; i < zones.count; ++i) zones.zones[static_cast<std::size_t>(i)] = DataZone();
  zones.count = count;
}

bool ChartSettings::ZoneRowEnabled(int zone) const {
  return state_.zones.type != kZoneTypeNone && zone >= 0 && zone < state_.zones.count;
}

DataZone& ChartSettings::MutableZone(int zone) {
  BRISCA_ASSERT(zone >= 0 && zone < kMaxZones);
  return state_.zones.zones[static_cast<std::size_t>(zone)];
}

void ChartSettings::SetZoneLow(int zone, float value) { MutableZone(zone).SetLow(value); }

void ChartSettings::SetZoneHigh(int zone, float value) { MutableZone(zone).SetHigh(value); }

void ChartSettings::SetZoneColour(int zone, ZoneColour colour) {
  BRISCA_ASSERT(colour < kZoneColourLimit);
  MutableZone(zone).colour = colour;
}

bool ChartSettings::Validate(int& code) const {
  return state_.ValidateAxes(code) && state_.zones.Validate(code);
}

}  // namespace brisca
