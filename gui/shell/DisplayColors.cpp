#include "gui/shell/DisplayColors.h"

#include <QGuiApplication>
#include <QScreen>

namespace brisca {

bool IsLowColor(const DisplayColors& display) {
  return (display.paletteBased && display.paletteSize <= 256) ||
         (display.colorCount >= 0 && display.colorCount <= 256);
}

DisplayColors PrimaryScreenColors() {
  DisplayColors colors;
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return colors;
  const int depth = screen->depth();
  // Depths up to 8 bits are palette displays; deeper ones are direct colour
  // and report no countable palette.
  if (depth > 0 && depth <= 8) {
    colors.paletteBased = true;
    colors.paletteSize = 1 << depth;
    colors.colorCount = 1LL << depth;
  }
  return colors;
}

}  // namespace brisca
