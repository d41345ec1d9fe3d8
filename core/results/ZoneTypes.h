#pragma once
// The ten data-zone types (numbered 0..9): coloured bands a chart lays over the
// axis whose item the type applies to. Static data, looked up by number.
// Type 9 is entered as piston speed [ft/min] and plotted on the engine-speed
// axis, so its zones are converted with the stroke before they are drawn.

#include <array>

namespace brisca {

inline constexpr int kZoneTypeCount = 10;   //!< types 0..9
inline constexpr int kMaxZones = 6;         //!< zones in one set
inline constexpr int kMaxZoneItems = 5;     //!< most chart items one type applies to

enum ZoneTypeNumber : int { kZoneTypeNone = 0, kZoneTypePistonSpeed = 9 };

//! One zone's entered range.
struct ZoneRange {
  float low;
  float high;
};

struct ZoneType {
  int number;              //!< 0..9, its row in the table
  const char* name;        //!< caption of the zone strip, e.g. "Power (HP)"
  const char* units;       //!< unit of the entered values
  int defaultCount;        //!< zones a fresh choice of the type starts with, 0..6
  std::array<ZoneRange, kMaxZones> defaults;  //!< the first defaultCount are used
  int itemCount;           //!< chart items listed in `items`
  std::array<int, kMaxZoneItems> items;       //!< chart items the zones can be drawn on
  bool convertsPistonSpeed;  //!< values are piston speed, drawn as engine speed

  //! True when `item` is one of the listed chart items.
  bool AppliesTo(int item) const;
};

//! True for 0..9.
bool IsZoneTypeNumber(int type);
//! The table row of `type`; a number outside 0..9 is a FatalAssert.
const ZoneType& GetZoneType(int type);

}  // namespace brisca
