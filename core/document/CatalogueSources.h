#pragma once
// The figures of the components that are only catalogue data: the production
// short blocks and the superchargers. Each list lives in one .inc file of
// core/document/catalogue/ with one line per component; the catalogue rows and
// the menus are both built from these entries.

#include <span>

namespace brisca {

//! Rod ratio a short block gets when the engine's own is not listed.
inline constexpr float kShortBlockDefaultRodRatio = 1.636f;

//! One production engine of the short-block menu.
struct ShortBlockEntry {
  const char* make;    //!< first menu level, e.g. "Chevy"; the name is make + " " + size
  const char* size;    //!< menu item, e.g. "350 LS1"
  float bore;          //!< [in], three decimals
  float stroke;        //!< [in], three decimals
  int cylinders;
  float rodRatio;      //!< rod length / stroke; 0 when unknown (the default applies)
  bool shown;          //!< false for a row no menu item carries

  float EffectiveRodRatio() const { return rodRatio > 0.0f ? rodRatio : kShortBlockDefaultRodRatio; }
};

//! In item order: entry k is item k + 1, command 33980 + k.
std::span<const ShortBlockEntry> ShortBlockEntries();

//! One centrifugal, Roots or screw blower of the forced-induction menu.
struct BlowerEntry {
  int kind;             //!< 2 centrifugal, 3 Roots, 4 screw
  const char* name;     //!< menu and item name
  float cubicFeet;      //!< displacement [ft³/rev] (Roots and screw; 0 for centrifugal)
  int compressorMap;    //!< centrifugal map number 43..47, else 0
  float maxSpeed;       //!< maximum blower speed [rpm] (0 for centrifugal)
  float efficiency;     //!< adiabatic efficiency [%] (0 for centrifugal)
  float internalRatio;  //!< internal step-up gear ratio
};

//! Centrifugal, then Roots, then screw blowers, in item order (items 44..93).
std::span<const BlowerEntry> BlowerEntries();

}  // namespace brisca
