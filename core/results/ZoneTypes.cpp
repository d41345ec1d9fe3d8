#include "core/results/ZoneTypes.h"

#include "core/base/FatalAssert.h"

namespace brisca {
namespace {

constexpr std::array<int, kMaxZoneItems> kPressureItems = {4, 16, 15, 17, 20};

// clang-format off
constexpr ZoneType kZoneTypes[kZoneTypeCount] = {
  // No. name                       units    zones  default ranges                         items          piston speed
  {0, "(None)",                     " ",     0, {},                                        0, {},                      false},
  {1, "Engine Speed (RPM)",         "RPM",   1, {{{0, 1000}}},                             1, {1},                     false},
  {2, "Power (HP)",                 "HP",    1, {{{0, 100}}},                              2, {2, 7},                  false},
  {3, "Torque (lb-ft)",             "lb-ft", 1, {{{0, 100}}},                              2, {3, 7},                  false},
  {4, "Manifold Pressure (psi)",    "psi",   1, {{{0, 10}}},                               5, kPressureItems,          false},
  {5, "Volumetric Eff.(%)",         "%",     1, {{{0, 50}}},                               1, {6},                     false},
  {6, "IMEP (psi)",                 "psi",   1, {{{0, 50}}},                               5, kPressureItems,          false},
  {7, "BMEP (psi)",                 "psi",   1, {{{0, 50}}},                               5, kPressureItems,          false},
  {8, "FMEP (psi)",                 "psi",   1, {{{0, 50}}},                               5, kPressureItems,          false},
  {9, "Piston Speed (fpm)",         "fpm",   6, {{{0, 1000}, {1000, 2000}, {2000, 3000},
                                                  {3000, 4000}, {4000, 5000}, {5000, 10000}}},
                                                                                           1, {1},                     true},
};
// clang-format on

constexpr bool RowsInOrder() {
  for (int i = 0; i < kZoneTypeCount; ++i)
    if (kZoneTypes[i].number != i) return false;
  return true;
}
static_assert(RowsInOrder());

}  // namespace

bool ZoneType::AppliesTo(int item) const {
  for (int i = 0; i < itemCount; ++i)
    if (items[i] == item) return true;
  return false;
}

bool IsZoneTypeNumber(int type) { return type >= 0 && type < kZoneTypeCount; }

const ZoneType& GetZoneType(int type) {
  BRISCA_ASSERT(IsZoneTypeNumber(type));
  return kZoneTypes[type];
}

}  // namespace brisca
