#include "core/results/ChartState.h"

#include <initializer_list>
#include <string>
#include <utility>

#include "core/base/FileError.h"
#include "core/base/NumberText.h"
#include "core/base/TextReader.h"
#include "core/base/TextWriter.h"

namespace brisca {
namespace {

constexpr const char* kWriteWhere = "ChartState::WriteText";
constexpr const char* kReadWhere = "ChartState::ReadText";

std::string Joined(std::initializer_list<std::string> fields) {
  std::string line;
  for (const std::string& field : fields) {
    if (!line.empty()) line += ' ';
    line += field;
  }
  return line;
}

std::string Flag(bool on) { return on ? "1" : "0"; }

// A number that must lie in min..max; outside it the file is refused with 47.
int ScanInRange(TextReader& in, int min, int max) {
  const int value = in.ScanInt(kReadWhere);
  if (value < min || value > max) throw FileError(kErrInvalidValue, kReadWhere);
  return value;
}

bool ScanFlag(TextReader& in) { return in.ScanInt(kReadWhere) != 0; }

void ReadZone(TextReader& in, DataZone& zone) {
  const int colour = in.ScanInt(kReadWhere);
  // The colour is range-checked only after the line is read whole, so that a
  // short line reports 45 like every other unreadable line.
  const bool enabled = ScanFlag(in);
  const float low = in.ScanFloat(kReadWhere);
  in.ScanFloat(kReadWhere);  // stored plotted value: worked out again below
  const bool showLow = ScanFlag(in);
  const float high = in.ScanFloat(kReadWhere);
  in.ScanFloat(kReadWhere);
  const bool showHigh = ScanFlag(in);
  in.SkipSpace();
  if (colour < 0 || static_cast<ZoneColour>(colour) >= kZoneColourLimit)
    throw FileError(kErrInvalidValue, kReadWhere);
  zone.colour = static_cast<ZoneColour>(colour);
  zone.enabled = enabled;
  zone.SetLow(low);
  zone.showLowLabel = showLow;
  zone.SetHigh(high);
  zone.showHighLabel = showHigh;
}

}  // namespace

ChartState ChartState::Defaults(ChartRole role) {
  ChartState state;
  if (role == ChartRole::First) {
    state.axes = {ChartAxisSpec(kItemEngineSpeed, RangeMode::Mid),
                  ChartAxisSpec(kItemBoostPressure, RangeMode::Auto),
                  ChartAxisSpec(kItemVolumetricEfficiency, RangeMode::Auto)};
  } else {
    state.axes = {ChartAxisSpec(kItemEngineSpeed, RangeMode::Mid),
                  ChartAxisSpec(kItemPower, RangeMode::Mid),
                  ChartAxisSpec(kItemTorque, RangeMode::Mid)};
  }
  return state;
}

std::array<int, kChartAxisCount> ChartState::AxisItems() const {
  return {axes[kAxisX].Item(), axes[kAxisY1].Item(), axes[kAxisY2].Item()};
}

bool ChartState::ValidateAxes(int& code) const {
  static constexpr int kCodes[kChartAxisCount] = {kErrXAxisRange, kErrY1AxisRange, kErrY2AxisRange};
  for (int axis = 0; axis < kChartAxisCount; ++axis) {
    if (!axes[axis].HasValidRange()) {
      code = kCodes[axis];
      return false;
    }
  }
  code = 0;
  return true;
}

void ChartState::WriteText(TextWriter& out) const {
  out.WriteInt(comparison ? 1 : 0, kWriteWhere);
  for (const ChartAxisSpec& axis : axes) axis.WriteText(out);
  out.WriteLine(Joined({FormatInt(zones.zoneAxis), FormatInt(zones.matchedItem), FormatInt(zones.type),
                        FormatInt(zones.count), Flag(zones.shown), Flag(zones.compatible),
                        Flag(zones.conversionPending)}),
                kWriteWhere);
  for (const DataZone& zone : zones.zones) {
    out.WriteLine(Joined({FormatInt(static_cast<int>(zone.colour)), Flag(zone.enabled),
                          FormatFixed(zone.lowValue, 6), FormatFixed(zone.lowPlotted, 6),
                          Flag(zone.showLowLabel), FormatFixed(zone.highValue, 6),
                          FormatFixed(zone.highPlotted, 6), Flag(zone.showHighLabel)}),
                  kWriteWhere);
  }
}

void ChartState::ReadText(TextReader& in) {
  // Read into a copy: a file that fails half-way leaves this state untouched,
  // and an Auto-Range axis keeps the limits it has here.
  ChartState read = *this;
  read.comparison = ScanInRange(in, 0, 1) != 0;
  in.SkipSpace();
  for (ChartAxisSpec& axis : read.axes) axis.ReadText(in);

  DataZoneSet& zones = read.zones;
  zones.zoneAxis = ScanInRange(in, 0, kChartAxisCount - 1);
  zones.matchedItem = ScanInRange(in, 0, kChartItemCount - 1);
  zones.type = ScanInRange(in, 0, kZoneTypeCount - 1);
  zones.count = ScanInRange(in, 0, kMaxZones);
  zones.shown = ScanFlag(in);
  zones.compatible = ScanFlag(in);
  zones.conversionPending = ScanFlag(in);
  in.SkipSpace();
  for (DataZone& zone : zones.zones) ReadZone(in, zone);
  *this = std::move(read);
}

}  // namespace brisca
