#include "core/results/DataZoneSet.h"

#include <array>
#include <charconv>
#include <cstdlib>
#include <system_error>

#include "core/base/FatalAssert.h"

namespace brisca {
namespace {

// Piston-speed zones, from slowest to fastest: white deepening to amber.
constexpr std::array<ZoneColour, kMaxZones> kPistonSpeedColours = {
    MakeZoneColour(0xFF, 0xFF, 0xFF), MakeZoneColour(0xFF, 0xF7, 0xD6),
    MakeZoneColour(0xFF, 0xF3, 0xBD), MakeZoneColour(0xFF, 0xEF, 0x9C),
    MakeZoneColour(0xFF, 0xEB, 0x84), MakeZoneColour(0xFF, 0xE7, 0x6B)};
constexpr ZoneColour kFirstZoneColour = MakeZoneColour(0xFF, 0xF3, 0xBD);
constexpr ZoneColour kLastZoneColour = MakeZoneColour(0x73, 0x8C, 0xB4);

int Channel(ZoneColour colour, int shift) { return static_cast<int>(colour >> shift) & 0xFF; }

}  // namespace

std::string FormatZoneLabel(double value) {
  // to_chars with a precision formats exactly as printf("%.6g") in the C locale.
  char buffer[32];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value,
                                          std::chars_format::general, 6);
  if (error != std::errc()) return std::string();
  return std::string(buffer, end);
}

void DataZone::SetLow(float value) {
  lowValue = value;
  lowPlotted = value;
  lowLabel = FormatZoneLabel(value);
}

void DataZone::SetHigh(float value) {
  highValue = value;
  highPlotted = value;
  highLabel = FormatZoneLabel(value);
}

void DataZoneSet::Clear() { *this = DataZoneSet(); }

void DataZoneSet::LoadType(int newType) {
  const ZoneType& row = GetZoneType(newType);
  Clear();
  type = newType;
  count = row.defaultCount;
  shown = true;
  for (int i = 0; i < count; ++i) {
    zones[i].SetLow(row.defaults[i].low);
    zones[i].SetHigh(row.defaults[i].high);
  }
  if (row.convertsPistonSpeed) {
    for (int i = 0; i < kMaxZones; ++i) zones[i].colour = kPistonSpeedColours[i];
    return;
  }
  if (count < 1) return;
  zones[0].colour = kFirstZoneColour;
  if (count > 1) {
    zones[count - 1].colour = kLastZoneColour;
    BlendColours();
  }
}

void DataZoneSet::BlendColours() {
  if (count < 3) return;
  const ZoneColour first = zones[0].colour;
  const ZoneColour last = zones[count - 1].colour;
  for (int i = 0; i < count; ++i) {
    ZoneColour blended = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
      const int from = Channel(first, shift);
      const int to = Channel(last, shift);
      const int step = std::abs(to - from) / (count - 1);
      const int value = to >= from ? from + i * step : from - i * step;
      blended |= static_cast<ZoneColour>(value) << shift;
    }
    zones[i].colour = blended;
  }
}

void DataZoneSet::MatchAxes(const std::array<int, kChartAxisCount>& axisItems) {
  if (!shown) return;
  const ZoneType& row = GetZoneType(type);
  for (int axis = kAxisX; axis < kChartAxisCount; ++axis) {
    if (!row.AppliesTo(axisItems[axis])) continue;
    zoneAxis = axis;
    matchedItem = axisItems[axis];
    compatible = true;
    conversionPending = row.convertsPistonSpeed;
    return;
  }
  compatible = false;
}

void DataZoneSet::ConvertPistonSpeed(bool strokeValid, float strokeInches) {
  conversionPending = false;
  if (!strokeValid || !(strokeInches > 0.0f)) {
    for (DataZone& zone : zones) zone.enabled = false;
    return;
  }
  for (DataZone& zone : zones) {
    // Mean piston speed = 2 × stroke × rpm / 12, so rpm = speed × 6 / stroke.
    zone.lowPlotted = zone.lowValue * 6.0f / strokeInches;
    zone.highPlotted = zone.highValue * 6.0f / strokeInches;
    zone.enabled = true;
    zone.showLowLabel = true;
    zone.showHighLabel = true;
  }
}

bool DataZoneSet::Validate(int& code) const {
  BRISCA_ASSERT(count >= 0 && count <= kMaxZones);
  for (int i = 0; i < count; ++i) {
    if (zones[i].lowValue >= zones[i].highValue) {
      code = kErrZoneRange;
      return false;
    }
    if (i > 0 && zones[i - 1].highValue > zones[i].lowValue) {
      code = kErrZoneOverlap;
      return false;
    }
  }
  code = 0;
  return true;
}

}  // namespace brisca
