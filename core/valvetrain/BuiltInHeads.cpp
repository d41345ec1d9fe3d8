#include "core/valvetrain/BuiltInHeads.h"

#include <iterator>

namespace brisca {
namespace {

// Every built-in head was measured at 28 inH2O, with the same lifts on both sides.
constexpr float kDrop = 28.0f;  // [inH2O]

// Lift sets [in].
constexpr BuiltInPoints kLiftsWide = {0.2f, 0.3f, 0.4f, 0.5f, 0.55f, 0.6f, 0.65f, 0.7f};
constexpr BuiltInPoints kLiftsFromLow = {0.05f, 0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f, 0.7f};
constexpr BuiltInPoints kLiftsHigh = {0.2f, 0.3f, 0.4f, 0.5f, 0.6f, 0.7f, 0.8f, 0.9f};
constexpr BuiltInPoints kLiftsFourValve = {0.05f, 0.1f, 0.15f, 0.2f, 0.25f, 0.3f, 0.4f, 0.5f};

// Hemi and pentroof heads of the same porting flow alike [cfm].
constexpr BuiltInPoints kStockIn = {98, 134, 163, 180, 182, 182, 182, 182};
constexpr BuiltInPoints kStockEx = {83, 109, 125, 134, 134, 134, 139, 139};
constexpr BuiltInPoints kPocketIn = {113, 154, 189, 207, 210, 210, 210, 210};
constexpr BuiltInPoints kPocketEx = {95, 125, 144, 155, 155, 155, 161, 161};
constexpr BuiltInPoints kPocketLargeIn = {116, 157, 193, 213, 216, 216, 216, 216};
constexpr BuiltInPoints kPocketLargeEx = {98, 128, 148, 158, 158, 158, 165, 165};
constexpr BuiltInPoints kHighFlowIn = {28, 56, 114, 167, 211, 234, 250, 264};
constexpr BuiltInPoints kHighFlowEx = {26, 52, 99, 135, 169, 189, 198, 209};
constexpr BuiltInPoints kAllOutIn = {132, 197, 246, 294, 319, 346, 364, 370};
constexpr BuiltInPoints kAllOutEx = {118, 157, 194, 238, 265, 286, 290, 295};
constexpr BuiltInPoints kFourStockIn = {37, 75, 117, 151, 174, 194, 233, 253};
constexpr BuiltInPoints kFourStockEx = {31, 64, 99, 128, 148, 165, 197, 215};
constexpr BuiltInPoints kFourPortedIn = {42, 87, 136, 174, 213, 241, 288, 311};
constexpr BuiltInPoints kFourPortedEx = {36, 74, 115, 148, 180, 205, 244, 264};
constexpr BuiltInPoints kFourRaceIn = {48, 98, 154, 197, 241, 273, 326, 352};
constexpr BuiltInPoints kFourRaceEx = {39, 81, 127, 163, 200, 226, 270, 291};

// Columns: key, description,
//   intake  {test diameter [in], drop, valves per port, lifts, flow [cfm]},
//   exhaust {test diameter [in], drop, valves per port, lifts, flow [cfm]}.
// clang-format off
constexpr BuiltInHead kHeads[] = {
    {1, "2-Valve, Wedge, Low Perf/Stock Ports & Valves",
     {1.4f, kDrop, 1, &kLiftsWide, {87, 116, 140, 144, 146, 146, 148, 148}},
     {1.12f, kDrop, 1, &kLiftsWide, {64, 77, 83, 86, 87, 87, 88, 88}}},
    {2, "2-Valve, Wedge, Low Perf/Pocket Porting",
     {1.4f, kDrop, 1, &kLiftsWide, {92, 122, 148, 152, 155, 155, 157, 157}},
     {1.12f, kDrop, 1, &kLiftsWide, {68, 81, 88, 91, 91, 91, 92, 92}}},
    {3, "2-Valve, Wedge, Low Perf/Ported, Large Valves",
     {1.4f, kDrop, 1, &kLiftsWide, {90, 123, 150, 166, 168, 168, 168, 168}},
     {1.12f, kDrop, 1, &kLiftsWide, {71, 93, 107, 115, 115, 115, 120, 120}}},
    {4, "2-Valve, Wedge, HP/Stock Ports And Valves",
     {1.4f, kDrop, 1, &kLiftsWide, {93, 122, 148, 152, 155, 155, 157, 157}},
     {1.12f, kDrop, 1, &kLiftsWide, {68, 81, 88, 91, 92, 92, 92, 92}}},
    {5, "2-Valve, Wedge, HP/Pocket Porting, Stock Valve Size",
     {1.4f, kDrop, 1, &kLiftsWide, {96, 130, 160, 176, 177, 177, 177, 177}},
     {1.12f, kDrop, 1, &kLiftsWide, {75, 99, 113, 122, 122, 122, 127, 127}}},
    {6, "2-Valve, Wedge, HP/Pocket Porting, Large Valves",
     {1.4f, kDrop, 1, &kLiftsWide, {97, 132, 162, 178, 181, 181, 181, 181}},
     {1.12f, kDrop, 1, &kLiftsWide, {76, 100, 116, 124, 124, 124, 129, 129}}},
    {7, "2-Valve, Wedge, HP/Fully Ported, Large Valves",
     {1.414f, kDrop, 1, &kLiftsWide, {96, 135, 166, 187, 193, 197, 197, 198}},
     {1.126f, kDrop, 1, &kLiftsWide, {76, 105, 128, 130, 132, 134, 137, 137}}},
    {8, "2-Valve, Wedge, All-Out Porting And Mods",
     {1.441f, kDrop, 1, &kLiftsFromLow, {24, 47, 97, 141, 178, 199, 212, 224}},
     {1.143f, kDrop, 1, &kLiftsFromLow, {21, 42, 79, 107, 134, 150, 157, 166}}},
    {9, "2-Valve, Hemi, Stock Ports, Stock Valves",
     {1.518f, kDrop, 1, &kLiftsWide, kStockIn},
     {1.303f, kDrop, 1, &kLiftsWide, kStockEx}},
    {10, "2-Valve, Hemi, Pocket Ported, Stock Valves",
     {1.518f, kDrop, 1, &kLiftsWide, kPocketIn},
     {1.303f, kDrop, 1, &kLiftsWide, kPocketEx}},
    {11, "2-Valve, Hemi, Pocket Ported, Large Valves",
     {1.518f, kDrop, 1, &kLiftsWide, kPocketLargeIn},
     {1.303f, kDrop, 1, &kLiftsWide, kPocketLargeEx}},
    {12, "2-Valve, Hemi, High-Flow, Fully Ported",
     {1.56f, kDrop, 1, &kLiftsFromLow, kHighFlowIn},
     {1.317f, kDrop, 1, &kLiftsFromLow, kHighFlowEx}},
    {13, "2-Valve, Hemi, High-Flow, All-Out Porting/Mods",
     {1.677f, kDrop, 1, &kLiftsHigh, kAllOutIn},
     {1.317f, kDrop, 1, &kLiftsHigh, kAllOutEx}},
    {14, "4-Valve, Hemi, Stock Ports And Valves",
     {1.303f, kDrop, 2, &kLiftsFourValve, kFourStockIn},
     {1.106f, kDrop, 2, &kLiftsFourValve, kFourStockEx}},
    {15, "4-Valve, Hemi, Ported With Large Valves",
     {1.303f, kDrop, 2, &kLiftsFourValve, kFourPortedIn},
     {1.106f, kDrop, 2, &kLiftsFourValve, kFourPortedEx}},
    {16, "4-Valve, Hemi, Race Porting And Mods",
     {1.378f, kDrop, 2, &kLiftsFourValve, kFourRaceIn},
     {1.142f, kDrop, 2, &kLiftsFourValve, kFourRaceEx}},
    {17, "2-Valve, Pentroof, Stock Ports, Stock Valves",
     {1.518f, kDrop, 1, &kLiftsWide, kStockIn},
     {1.303f, kDrop, 1, &kLiftsWide, kStockEx}},
    {18, "2-Valve, Pentroof, Pocket Ported, Stock Valves",
     {1.518f, kDrop, 1, &kLiftsWide, kPocketIn},
     {1.303f, kDrop, 1, &kLiftsWide, kPocketEx}},
    {19, "2-Valve, Pentroof, Pocket Ported, Large Valves",
     {1.518f, kDrop, 1, &kLiftsWide, kPocketLargeIn},
     {1.303f, kDrop, 1, &kLiftsWide, kPocketLargeEx}},
    {20, "2-Valve, Pentroof, High-Flow, Fully Ported",
     {1.56f, kDrop, 1, &kLiftsFromLow, kHighFlowIn},
     {1.317f, kDrop, 1, &kLiftsFromLow, kHighFlowEx}},
    {21, "2-Valve, Pentroof, High-Flow, All-Out Porting/Mods",
     {1.677f, kDrop, 1, &kLiftsHigh, kAllOutIn},
     {1.317f, kDrop, 1, &kLiftsHigh, kAllOutEx}},
    {22, "4-Valve, Pentroof, Stock Ports And Valves",
     {1.303f, kDrop, 2, &kLiftsFourValve, kFourStockIn},
     {1.106f, kDrop, 2, &kLiftsFourValve, kFourStockEx}},
    {23, "4-Valve, Pentroof, Ported With Large Valves",
     {1.303f, kDrop, 2, &kLiftsFourValve, kFourPortedIn},
     {1.106f, kDrop, 2, &kLiftsFourValve, kFourPortedEx}},
    {24, "4-Valve, Pentroof, Race Porting And Mods",
     {1.378f, kDrop, 2, &kLiftsFourValve, kFourRaceIn},
     {1.142f, kDrop, 2, &kLiftsFourValve, kFourRaceEx}},
};
// clang-format on
static_assert(std::size(kHeads) == kBuiltInHeadCount);

}  // namespace

const BuiltInHead* FindBuiltInHead(int key) {
  for (const BuiltInHead& head : kHeads) {
    if (head.key == key) return &head;
  }
  return nullptr;
}

bool IsBuiltInDescription(std::string_view description) {
  for (const BuiltInHead& head : kHeads) {
    if (description == head.description) return true;
  }
  return false;
}

}  // namespace brisca
