#include "core/results/ChartItems.h"

#include "core/base/FatalAssert.h"

namespace brisca {
namespace {

using R = ResultSet;
constexpr ResultSource kShown = ResultSource::Displayed;
constexpr ResultSource kLow = ResultSource::LowSpeedLobe;
constexpr ResultSource kHigh = ResultSource::HighSpeedLobe;

// The ranges most items share.
constexpr AxisRange k500{0, 500}, k1000{0, 1000}, k2000{0, 2000};

// clang-format off
constexpr ChartItem kItems[kChartItemCount] = {
  // No. label                              units       source  quantity                   series curves          Low          Mid          Hi           power/torque
  { 0, "(None)",                            " ",        kShown, nullptr,                   1, {0, 0, 0, 0},       {0, 0},      {0, 0},      {0, 0},      false},
  { 1, "Engine Speed (RPM)",                "RPM",      kShown, &R::rpm,                   1, {1, 0, 0, 0},       {1000, 5000}, {1000, 9000}, {1000, 14500}, false},
  { 2, "Power (HP)",                        "HP",       kShown, &R::power,                 1, {2, 0, 0, 0},       k500,        k1000,       k2000,       true},
  { 3, "Torque (lb-ft)",                    "lb-ft",    kShown, &R::torque,                1, {3, 0, 0, 0},       k500,        k1000,       k2000,       true},
  { 4, "Manifold Pressure (psi)",           "psi",      kShown, &R::manifoldPressure,      1, {4, 0, 0, 0},       {0, 10},     {0, 25},     {0, 45},     false},
  { 5, "Boost Pressure (psi)",              "psi",      kShown, &R::boost,                 1, {5, 0, 0, 0},       {0, 10},     {0, 25},     {0, 45},     false},
  { 6, "Volumetric Eff.(%)",                "%",        kShown, &R::volumetricEfficiency,  1, {6, 0, 0, 0},       {0, 50},     {0, 100},    {0, 150},    false},
  { 7, "Power,Torque combo",                "HP,lb-ft", kShown, nullptr,                   2, {2, 3, 0, 0},       k500,        k1000,       k2000,       true},
  { 8, "Indicated Power (HP)",              "HP",       kShown, &R::indicatedPower,        1, {8, 0, 0, 0},       k500,        k1000,       k2000,       true},
  { 9, "Frictional Power (HP)",             "HP",       kShown, &R::frictionPower,         1, {9, 0, 0, 0},       k500,        k1000,       k2000,       true},
  {10, "Pumping Power (HP)",                "HP",       kShown, &R::pumpingPower,          1, {10, 0, 0, 0},      k500,        k1000,       k2000,       true},
  {11, "Mechanical Eff.(%)",                "%",        kShown, &R::mechanicalEfficiency,  1, {11, 0, 0, 0},      {0, 50},     {0, 105},    {0, 150},    false},
  {12, "Induction Airflow (CFM)",           "CFM",      kShown, &R::inductionAirflow,      1, {12, 0, 0, 0},      k1000,       k2000,       {0, 4000},   false},
  {13, "Piston Gas Force (lbs)",            "lbs",      kShown, &R::pistonForce,           1, {13, 0, 0, 0},      k1000,       k2000,       {0, 4000},   false},
  {14, "Piston Speed (fpm)",                "fpm",      kShown, &R::pistonSpeed,           1, {14, 0, 0, 0},      k1000,       {0, 3000},   {0, 6000},   false},
  {15, "BMEP (psi)",                        "psi",      kShown, &R::bmep,                  1, {15, 0, 0, 0},      {0, 50},     {0, 100},    k500,        false},
  {16, "IMEP (psi)",                        "psi",      kShown, &R::imep,                  1, {16, 0, 0, 0},      {0, 50},     {0, 100},    k500,        false},
  {17, "FMEP (psi)",                        "psi",      kShown, &R::fmep,                  1, {17, 0, 0, 0},      {0, 50},     {0, 100},    k500,        false},
  {18, "PMEP (psi)",                        "psi",      kShown, &R::pmep,                  1, {18, 0, 0, 0},      {0, 50},     {0, 100},    k500,        false},
  {19, "Power combo",                       "HP",       kShown, nullptr,                   4, {2, 8, 9, 10},      k500,        k1000,       k2000,       true},
  {20, "Pressures combo",                   "psi",      kShown, nullptr,                   4, {15, 16, 17, 18},   {0, 50},     {0, 100},    k500,        false},
  {21, "Power-Wheel(HP)",                   "HP",       kShown, &R::wheelPower,            1, {21, 0, 0, 0},      {0, 250},    k500,        k1000,       false},
  {22, "Power-Low Speed Lobe(HP)",          "HP",       kLow,   &R::power,                 1, {22, 0, 0, 0},      k500,        k1000,       k2000,       false},
  {23, "Power-High Speed Lobe(HP)",         "HP",       kHigh,  &R::power,                 1, {23, 0, 0, 0},      k500,        k1000,       k2000,       false},
  {24, "Torque-Low Speed Lobe(lb-ft)",      "lb-ft",    kLow,   &R::torque,                1, {24, 0, 0, 0},      k500,        k1000,       k2000,       false},
  {25, "Torque-High Speed Lobe(lb-ft)",     "lb-ft",    kHigh,  &R::torque,                1, {25, 0, 0, 0},      k500,        k1000,       k2000,       false},
  {26, "Power-Low\\Hi-Speed Lobes(HP)",     "HP",       kShown, nullptr,                   2, {22, 23, 0, 0},     k500,        k1000,       k2000,       false},
  {27, "Torque-Low\\Hi-Speed Lobes(lb-ft)", "lb-ft",    kShown, nullptr,                   2, {24, 25, 0, 0},     k500,        k1000,       k2000,       false},
  {28, "Torque-Wheel(lb-ft)",               "lb-ft",    kShown, &R::wheelTorque,           1, {28, 0, 0, 0},      {0, 250},    k500,        k1000,       false},
};
// clang-format on

constexpr const char* kRangeModeNames[kRangeModeCount] = {
    "Auto-Range", "Low-Range", "Mid-Range", "Hi-Range", "Custom-Range"};

// The table is indexed by number: a row out of place would plot the wrong quantity.
constexpr bool RowsInOrder() {
  for (int i = 0; i < kChartItemCount; ++i)
    if (kItems[i].number != i) return false;
  return true;
}
static_assert(RowsInOrder());

}  // namespace

const char* RangeModeName(RangeMode mode) {
  const int index = static_cast<int>(mode);
  BRISCA_ASSERT(IsRangeModeNumber(index));
  return kRangeModeNames[index];
}

bool IsRangeModeNumber(int mode) { return mode >= 0 && mode < kRangeModeCount; }

AxisRange ChartItem::Range(RangeMode mode) const {
  switch (mode) {
    case RangeMode::Low: return low;
    case RangeMode::Mid: return mid;
    case RangeMode::Hi: return hi;
    default: break;
  }
  FatalAssert(__FILE__, __LINE__);
}

bool IsChartItemNumber(int item) { return item >= 0 && item < kChartItemCount; }

const ChartItem& GetChartItem(int item) {
  BRISCA_ASSERT(IsChartItemNumber(item));
  return kItems[item];
}

const ResultArray& ChartItemValues(int item, const ResultSet& displayed,
                                   const ResultSet& lowSpeedLobe, const ResultSet& highSpeedLobe) {
  const ChartItem& row = GetChartItem(item);
  BRISCA_ASSERT(row.quantity != nullptr);
  switch (row.source) {
    case ResultSource::LowSpeedLobe: return lowSpeedLobe.*row.quantity;
    case ResultSource::HighSpeedLobe: return highSpeedLobe.*row.quantity;
    case ResultSource::Displayed: break;
  }
  return displayed.*row.quantity;
}

}  // namespace brisca
