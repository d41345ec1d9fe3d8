#include "core/valvetrain/CamTypes.h"

#include <algorithm>

#include "core/base/FatalAssert.h"

namespace brisca {
namespace {

// [method − 1][event]: IVO, IVC, EVO, EVC.
constexpr EventLimits kEventLimits[2][kCamEventCount] = {
    {{-10.0f, 80.0f}, {0.0f, 120.0f}, {0.0f, 125.0f}, {-10.0f, 80.0f}},   // seat to seat
    {{-25.0f, 50.0f}, {-10.0f, 95.0f}, {-10.0f, 105.0f}, {-25.0f, 50.0f}}, // 0.050 in
};

constexpr const char* kMethodNames[2] = {"Seat-To-Seat", "0.050-inch"};

constexpr LifterTypeRow kLifterTypes[] = {
    {1, "Hydraulic", 33540},
    {4, "Roller Hydraulic", 33541},
    {2, "Solid", 33542},
    {3, "Roller Solid", 33543},
    {5, "None (Overhead Cam)", 33544},
};

// Seat-to-seat and 0.050-inch figures of the built-in cams.
constexpr CamTypeRow kCamTypes[] = {
    {32879, 1, "Stock Street/Economy", true, {20, 52, 63, 18}, 0.51f, 0.51f, 2.9f, 33541,
     {-6, 26, 37, -11}},
    {32880, 2, "High Performance Street", true, {31, 63, 77, 29}, 0.552f, 0.552f, 3.1f, 33541,
     {9, 41, 52, 4}},
    {32881, 3, "Dual Purpose Street/Track", true, {34, 66, 77, 29}, 0.608f, 0.614f, 3.9f, 33543,
     {15, 47, 58, 10}},
    {32882, 4, "Drag Racing/Circle Track", true, {43, 75, 80, 48}, 0.656f, 0.64f, 4.3f, 33542,
     {27, 59, 61, 29}},
    {32883, 5, "Drag Racing High-Speed", true, {52, 88, 88, 52}, 0.692f, 0.692f, 4.6f, 33543,
     {35, 71, 71, 35}},
    {32884, 7, "Pro Stock/Max Power", true, {48, 96, 110, 62}, 0.867f, 0.816f, 5.4f, 33543,
     {30, 78, 90, 42}},
    {kCustomCamTypeCommand, kCustomCamTypeCode, "Custom Cam Type", false, {}, 0, 0, 0, 0, {}},
    {33868, 8, "V-V-T Street Cam", true, {6.5f, 44.5f, 46.5f, 4.5f}, 0.305f, 0.305f, 2.41f, 33544,
     {-9.5f, 29.5f, 31.5f, -11.5f}},
    {33869, 9, "V-V-T Street Cam", true, {26, 60, 56, 20}, 0.459f, 0.416f, 3.39f, 4500,
     {12.5f, 46.5f, 42.5f, 6.5f}},
    {33870, 10, "V-V-T Max Street Cam", true, {14.5f, 50.5f, 50.5f, 14.5f}, 0.354f, 0.354f, 2.93f,
     33544, {2, 38, 38, 2}},
    {33871, 11, "V-V-T Max Street Cam", true, {31, 61, 52, 34}, 0.472f, 0.457f, 3.84f, 5500,
     {19, 49, 40, 22}},
    {33872, 12, "V-V-T Hot Street/Race Cam", true, {12, 52, 60, 4}, 0.38f, 0.37f, 2.38f, 33544,
     {-11, 29, 37, -19}},
    {33873, 13, "V-V-T Hot Street/Race Cam", true, {34, 78, 74, 42}, 0.5f, 0.48f, 2.8f, 6000,
     {13, 57, 51, 19}},
};

// Low-speed menu commands of the two-lobe types.
constexpr int kTwoLobeCommands[] = {33868, 33870, 33872};

// Lift per inch of intake valve diameter, by cam type code 1..13.
constexpr float kLiftFactors[kMaxCamTypeCode] = {
    0.201f, 0.23f, 0.26f, 0.297f, 0.346f, 0.297f, 0.346f, 0.2f, 0.25f, 0.25f, 0.3f, 0.3f, 0.35f};

constexpr float kExhaustLiftShare = 0.95f;
constexpr float kMinLift = 0.1f;   // [in] "Intake Valve Lift" limits
constexpr float kMaxLift = 1.5f;

void AssertMethod(int method) { BRISCA_ASSERT(method == kSeatToSeat || method == kFiftyThou); }

}  // namespace

EventLimits CamEventLimits(int method, CamEvent event) {
  AssertMethod(method);
  BRISCA_ASSERT(event >= 0 && event < kCamEventCount);
  return kEventLimits[method - 1][event];
}

const char* CamTimingMethodName(int method) {
  AssertMethod(method);
  return kMethodNames[method - 1];
}

int OtherTimingMethod(int method) {
  AssertMethod(method);
  return method == kSeatToSeat ? kFiftyThou : kSeatToSeat;
}

std::span<const LifterTypeRow> LifterTypes() { return kLifterTypes; }

const LifterTypeRow* FindLifterTypeByCode(int code) {
  for (const LifterTypeRow& row : kLifterTypes)
    if (row.code == code) return &row;
  return nullptr;
}

const LifterTypeRow* FindLifterTypeByCommand(int command) {
  for (const LifterTypeRow& row : kLifterTypes)
    if (row.command == command) return &row;
  return nullptr;
}

std::span<const CamTypeRow> CamTypes() { return kCamTypes; }

const CamTypeRow* FindCamTypeByCommand(int command) {
  for (const CamTypeRow& row : kCamTypes)
    if (row.command == command) return &row;
  return nullptr;
}

bool IsTwoLobeCamType(const CamTypeRow& row) {
  return std::find(std::begin(kTwoLobeCommands), std::end(kTwoLobeCommands), row.command) !=
         std::end(kTwoLobeCommands);
}

const CamTypeRow& HighSpeedRow(const CamTypeRow& lowSpeedRow) {
  BRISCA_ASSERT(IsTwoLobeCamType(lowSpeedRow));
  const CamTypeRow* high = FindCamTypeByCommand(lowSpeedRow.command + 1);
  BRISCA_ASSERT(high != nullptr && (high->code == 9 || high->code == 11 || high->code == 13));
  return *high;
}

ValveLifts AutoValveLift(int camTypeCode, float intakeValveDiameter) {
  BRISCA_ASSERT(camTypeCode >= 1 && camTypeCode <= kMaxCamTypeCode);
  BRISCA_ASSERT(intakeValveDiameter > 0.0f);
  const float lift = intakeValveDiameter * kLiftFactors[camTypeCode - 1];
  return {std::clamp(lift, kMinLift, kMaxLift),
          std::clamp(lift * kExhaustLiftShare, kMinLift, kMaxLift)};
}

}  // namespace brisca
