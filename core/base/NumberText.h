#pragma once
// Numbers to and from text the way the C library does it in the "C" locale,
// whatever locale the process runs in: a desktop started in German must still
// write 3.500000 and read it back. Every data file and every typed value goes
// through these.

#include <cstddef>
#include <string>
#include <string_view>

namespace brisca {

//! isspace() of the "C" locale: blank, \t, \n, \v, \f, \r.
bool IsCSpace(char c);

//! Count of C white-space characters at the start of `text`.
std::size_t CountLeadingSpace(std::string_view text);

//! printf("%.<decimals>f", value): exact binary value rounded to nearest, ties to even.
std::string FormatFixed(double value, int decimals);

//! printf("%d", value).
std::string FormatInt(int value);

// Prefix parsers with strtod/strtol acceptance: leading C white space, an
// optional sign, then the longest number that fits; what follows is left.
// Decimal numbers only: hexadecimal, "inf" and "nan" convert nothing ("0x1"
// converts as 0 and leaves "x1"). A number outside the target type's range
// converts nothing either. Each returns the count of characters used,
// white space included, or 0 when nothing converted (`value` is then untouched).
std::size_t ParseDoublePrefix(std::string_view text, double& value);
std::size_t ParseFloatPrefix(std::string_view text, float& value);
std::size_t ParseIntPrefix(std::string_view text, int& value);

}  // namespace brisca
