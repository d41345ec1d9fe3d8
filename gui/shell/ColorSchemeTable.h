#pragma once
// The one table of scheme colours (ColorSchemeTable.cpp).

#include <array>

namespace brisca {

//! One entry of every scheme. Scheme 0 takes `paletteRole` of the platform
//! palette (a QPalette::ColorRole) when it is not -1, else rgb[0].
struct SchemeEntry {
  const char* use;
  int paletteRole;
  std::array<unsigned, 4> rgb;
};

extern const SchemeEntry kSchemeEntries[106];

}  // namespace brisca
