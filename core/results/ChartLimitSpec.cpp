#include "core/results/ChartLimitSpec.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <string>
#include <system_error>

#include "core/base/FatalAssert.h"

namespace brisca {
namespace {

// Shortest "%g"-style text that reads back as the same float (zone edges are floats).
std::string ShortFloatText(double value) {
  const float stored = static_cast<float>(value);
  if (stored == std::floor(stored) && std::fabs(stored) < 1e15f) {
    return std::to_string(static_cast<long long>(stored));
  }
  char buffer[48];
  for (int precision : {6, 9}) {
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(stored),
                                            std::chars_format::general, precision);
    if (error != std::errc()) return std::string();
    const std::string text(buffer, end);
    if (std::strtof(text.c_str(), nullptr) == stored || precision == 9) return text;
  }
  return std::string();
}

// The number at the start of `text` as strtod reads it (in the "C" locale's
// form: the edits turn "," into "."); false when nothing reads.
bool ReadNumber(std::string_view text, double& value) {
  const std::string copy(text);
  const char* begin = copy.c_str();
  while (*begin == ' ' || *begin == '\t') ++begin;
  if (*begin == '+') ++begin;
  const char* numberEnd = nullptr;
  const auto [end, error] = std::from_chars(begin, copy.c_str() + copy.size(), value);
  numberEnd = end;
  return error == std::errc() && numberEnd != begin && std::isfinite(value);
}

}  // namespace

CChartLimitSpec::CChartLimitSpec(const char* label, Kind kind) : CSimSpec(label), kind_(kind) {}

bool CChartLimitSpec::Accepts(double value) const {
  if (!std::isfinite(value)) return false;
  if (kind_ == Kind::ZoneEdge) return value >= 0.0 && value <= kZoneLimitMax;
  return value == std::floor(value) && value >= INT_MIN && value <= INT_MAX;
}

bool CChartLimitSpec::SetFromText(std::string_view text, bool checkOnly) {
  double value = 0.0;
  if (!ReadNumber(text, value) || !Accepts(value)) return false;
  if (!checkOnly) SetValue(value);
  return true;
}

std::string CChartLimitSpec::GetText() const {
  if (!assigned_) return kUnassignedText;
  if (kind_ == Kind::AxisLimit) return std::to_string(static_cast<long long>(value_));
  return ShortFloatText(value_);
}

bool CChartLimitSpec::IsValid() const { return assigned_ && Accepts(value_); }

void CChartLimitSpec::AssertValid() const { BRISCA_ASSERT(Accepts(value_)); }

void CChartLimitSpec::SetValue(double value) {
  BRISCA_ASSERT(Accepts(value));
  value_ = kind_ == Kind::ZoneEdge ? static_cast<double>(static_cast<float>(value)) : value;
  assigned_ = true;
}

}  // namespace brisca
