#include "core/spec/UnitTable.h"

#include <charconv>
#include <cstring>

namespace brisca {

const std::array<UnitRow, kUnitCount> kUnitTable = {{
    {UnitNone, " ", "%.2f"},
    {UnitRatio, " ", "%.2f"},
    {UnitPercent, "%", "%.1f"},
    {UnitInch, "in", "%.3f"},
    {UnitCentimeter, "cm", "%.1f"},
    {UnitMillimeter, "mm", "%.2f"},
    {UnitCubicInch, "ci", "%.1f"},
    {UnitCubicCentimeter, "cc", "%.2f"},
    {UnitDegree, "Deg", "%.1f"},
    {UnitRpm, "rpm", "%.0f"},
    {UnitInHg, "inHg", "%.2f"},
    {UnitInH2O, "inH2O", "%.1f"},
    {UnitCmHg, "cmHg", "%.3f"},
    {UnitCmH2O, "cmH2O", "%.2f"},
    {UnitPsi, "psi", "%.1f"},
    {UnitCfm, "cfm", "%.1f"},
    {UnitLitrePerMin, "l/min", "%.3f"},
    {UnitPoundPerMin, "lbs/min", "%.1f"},
    {UnitKgPerMin, "kg/min", "%.3f"},
    {UnitRatio3, " ", "%.3f"},
    {UnitRatio4, " ", "%.4f"},
    {UnitHorsepower, "HP", "%.1f"},
}};

const UnitRow* FindUnit(int code) {
  if (code < 0 || code >= kUnitCount) return nullptr;
  return &kUnitTable[static_cast<std::size_t>(code)];
}

int FormatDecimals(const char* format) {
  if (format == nullptr) return -1;
  const std::size_t length = std::strlen(format);
  if (length < 4 || format[0] != '%' || format[1] != '.' || format[length - 1] != 'f') return -1;
  int decimals = -1;
  const char* first = format + 2;
  const char* last = format + length - 1;
  const auto [end, error] = std::from_chars(first, last, decimals);
  if (error != std::errc() || end != last || decimals < 0) return -1;
  return decimals;
}

}  // namespace brisca
