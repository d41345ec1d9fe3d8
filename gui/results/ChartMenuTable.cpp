#include "gui/results/ChartMenuTable.h"

#include <array>

#include "core/base/FatalAssert.h"

namespace brisca {
namespace {

constexpr std::array<ChartMenuEntry, 23> kXData = {{
    {33890, 1, "Engine Speed"},
    {33891, 2, "Power"},
    {33892, 21, "Power-Wheel"},
    {33893, 3, "Torque"},
    {33894, 28, "Torque-Wheel"},
    {33895, 4, "Manifold Pressure"},
    {33896, 5, "Boost Pressure"},
    {33897, 6, "Volumetric Eff."},
    {33898, 22, "VVT Power-Low Speed Lobe"},
    {33899, 23, "VVT Power-High Speed Lobe"},
    {33900, 24, "VVT Torque-Low Speed Lobe"},
    {33901, 25, "VVT Torque-High Speed Lobe"},
    {33902, 8, "Indicated HP"},
    {33903, 9, "Frictional HP"},
    {33904, 10, "Pumping HP"},
    {33905, 11, "Mechanical Eff."},
    {33906, 12, "Induction Airflow"},
    {33907, 13, "Piston Gas Force"},
    {33908, 14, "Piston Speed"},
    {33909, 15, "BMEP"},
    {33910, 16, "IMEP"},
    {33911, 17, "FMEP"},
    {33912, 18, "PMEP"},
}};

// Y1 and Y2 list the same items; Y2 starts with "(None)".
#define BRISCA_Y_DATA(base)                                                                   \
  {base + 0, 1, "Engine Speed"}, {base + 1, 2, "Power"}, {base + 2, 21, "Power-Wheel"},       \
      {base + 3, 3, "Torque"}, {base + 4, 28, "Torque-Wheel"},                                \
      {base + 5, 4, "Manifold Pressure"}, {base + 6, 5, "Boost Pressure"},                    \
      {base + 7, 6, "Volumetric Eff."}, {base + 8, 7, "Power,Torque combo"},                  \
      {base + 9, 22, "VVT Power-Low Speed Lobe"}, {base + 10, 23, "VVT Power-High Speed Lobe"}, \
      {base + 11, 24, "VVT Torque-Low Speed Lobe"},                                           \
      {base + 12, 25, "VVT Torque-High Speed Lobe"},                                          \
      {base + 13, 26, "VVT Power combo-Low\\High Speed"},                                     \
      {base + 14, 27, "VVT Torque combo-Low\\High Speed"}, {base + 15, 8, "Indicated HP"},    \
      {base + 16, 9, "Frictional HP"}, {base + 17, 10, "Pumping HP"},                         \
      {base + 18, 11, "Mechanical Eff."}, {base + 19, 12, "Induction Airflow"},               \
      {base + 20, 13, "Piston Gas Force"}, {base + 21, 14, "Piston Speed"},                   \
      {base + 22, 15, "BMEP"}, {base + 23, 16, "IMEP"}, {base + 24, 17, "FMEP"},              \
      {base + 25, 18, "PMEP"}, {base + 26, 19, "Power combo"}, {base + 27, 20, "Pressures combo"}

constexpr std::array<ChartMenuEntry, 28> kY1Data = {{BRISCA_Y_DATA(33920)}};
constexpr std::array<ChartMenuEntry, 29> kY2Data = {{{33949, 0, "(None)"}, BRISCA_Y_DATA(33950)}};
#undef BRISCA_Y_DATA

constexpr int kRangeBase[kChartAxisCount] = {33503, 33508, 33513};
constexpr const char* kDataTitles[kChartAxisCount] = {"X Data", "Y1 Data", "Y2 Data"};
constexpr const char* kRangeTitles[kChartAxisCount] = {"X Range", "Y1 Range", "Y2 Range"};

}  // namespace

std::span<const ChartMenuEntry> ChartDataMenu(int axis) {
  BRISCA_ASSERT(axis >= 0 && axis < kChartAxisCount);
  if (axis == kAxisX) return kXData;
  if (axis == kAxisY1) return kY1Data;
  return kY2Data;
}

int ChartRangeCommand(int axis, RangeMode mode) {
  BRISCA_ASSERT(axis >= 0 && axis < kChartAxisCount);
  return kRangeBase[axis] + static_cast<int>(mode);
}

const char* ChartDataMenuTitle(int axis) {
  BRISCA_ASSERT(axis >= 0 && axis < kChartAxisCount);
  return kDataTitles[axis];
}

const char* ChartRangeMenuTitle(int axis) {
  BRISCA_ASSERT(axis >= 0 && axis < kChartAxisCount);
  return kRangeTitles[axis];
}

}  // namespace brisca
