#pragma once
// What the display says about its colours, behind a seam so that tests can
// pretend to run on a low-colour display.

#include <functional>

namespace brisca {

struct DisplayColors {
  bool paletteBased = false;  //!< the display draws through a colour palette
  int paletteSize = 0;        //!< entries of that palette
  long long colorCount = -1;  //!< colours the display reports; -1: more than it can count
};

//! Low colour: a palette of at most 256 entries, or a colour count from 0 to 256.
bool IsLowColor(const DisplayColors& display);

//! The primary screen's colours (from its colour depth).
DisplayColors PrimaryScreenColors();

using DisplayColorProbe = std::function<DisplayColors()>;

}  // namespace brisca
