#include "core/base/NumberText.h"

#include <array>
#include <charconv>
#include <system_error>

namespace brisca {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Sign position and extent of the strtod-shaped number at the start of `text`
// (after white space). end == 0 when there is none.
struct NumberSpan {
  std::size_t begin = 0;  // first character after the white space
  std::size_t end = 0;    // one past the number; 0 when nothing matches
};

NumberSpan FindDecimalNumber(std::string_view text) {
  NumberSpan span;
  std::size_t pos = CountLeadingSpace(text);
  span.begin = pos;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
  std::size_t digits = 0;
  while (pos < text.size() && IsDigit(text[pos])) ++pos, ++digits;
  if (pos < text.size() && text[pos] == '.') {
    ++pos;
    while (pos < text.size() && IsDigit(text[pos])) ++pos, ++digits;
  }
  if (digits == 0) return span;
  // The exponent belongs to the number only when it has digits: "1e" is 1 and "e".
  if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
    std::size_t exp = pos + 1;
    if (exp < text.size() && (text[exp] == '+' || text[exp] == '-')) ++exp;
    if (exp < text.size() && IsDigit(text[exp])) {
      while (exp < text.size() && IsDigit(text[exp])) ++exp;
      pos = exp;
    }
  }
  span.end = pos;
  return span;
}

template <typename T>
std::size_t ParseRealPrefix(std::string_view text, T& value) {
  const NumberSpan span = FindDecimalNumber(text);
  if (span.end == 0) return 0;
  std::size_t first = span.begin;
  const bool negative = text[first] == '-';
  if (text[first] == '+' || negative) ++first;
  T magnitude{};
  const char* begin = text.data() + first;
  const char* end = text.data() + span.end;
  const auto [stop, error] = std::from_chars(begin, end, magnitude, std::chars_format::general);
  if (error != std::errc() || stop != end) return 0;
  value = negative ? -magnitude : magnitude;
  return span.end;
}

}  // namespace

bool IsCSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::size_t CountLeadingSpace(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size() && IsCSpace(text[pos])) ++pos;
  return pos;
}

std::string FormatFixed(double value, int decimals) {
  // Room for the widest double in fixed notation (309 digits) and the decimals.
  std::array<char, 400> buffer;
  const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                          std::chars_format::fixed, decimals);
  if (error != std::errc()) return std::string();
  return std::string(buffer.data(), end);
}

std::string FormatInt(int value) {
  std::array<char, 16> buffer;
  const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  (void)error;  // 16 characters always hold an int
  return std::string(buffer.data(), end);
}

std::size_t ParseDoublePrefix(std::string_view text, double& value) {
  return ParseRealPrefix(text, value);
}

std::size_t ParseFloatPrefix(std::string_view text, float& value) {
  return ParseRealPrefix(text, value);
}

std::size_t ParseIntPrefix(std::string_view text, int& value) {
  std::size_t pos = CountLeadingSpace(text);
  const bool plus = pos < text.size() && text[pos] == '+';
  if (plus) ++pos;  // from_chars takes '-' but not '+'
  if (plus && pos < text.size() && text[pos] == '-') return 0;
  int parsed = 0;
  const auto [stop, error] = std::from_chars(text.data() + pos, text.data() + text.size(), parsed);
  if (error != std::errc()) return 0;
  value = parsed;
  return static_cast<std::size_t>(stop - text.data());
}

}  // namespace brisca
