#include "gui/engine/EngineFormLayout.h"

#include <array>

#include "core/base/FatalAssert.h"

namespace brisca::form {
namespace {

constexpr int kLeftField = 80;   // left column of value fields
constexpr int kLeftWidth = 48;
constexpr int kRightField = 216; // right column
constexpr int kRightWidth = 56;
constexpr int kWideWidth = 192;
constexpr int kLeftLabel = 78;   // right edge of the left column's labels
constexpr int kRightLabel = 214;
constexpr int kCamLabel = 110;   // right edge of the camshaft row labels
constexpr int kLowIntake = 112;  // camshaft columns
constexpr int kLowExhaust = 152;
constexpr int kHighIntake = 198;
constexpr int kHighExhaust = 238;
constexpr int kLobeWidth = 38;
constexpr int kTimingWidth = 20;
constexpr int kH = kFieldHeight;

// Rows clear the group titles, which reach a little below their tabs.
constexpr int Y(int y) { return y + (y < 53 ? 1 : 2); }

constexpr std::array kGroups = {
    GroupPlace{1003, "Short Block", {0, 5, 278, 48}, 2550},
    GroupPlace{1006, "Cylinder Heads", {0, 53, 278, 64}, 2551},
    GroupPlace{1008, "Compression", {0, 117, 278, 36}, 2552},
    GroupPlace{1010, "Induction", {0, 153, 277, 108}, 2553},
    GroupPlace{1058, "Exhaust", {0, 261, 278, 26}, 2554},
    GroupPlace{1120, "Camshaft", {0, 287, 278, 216}, 2555},
    GroupPlace{1013, "Notes", {0, 503, 278, 66}, 0},
};

constexpr FieldPlace L(int id, GroupIndex g, int y, int w = kLeftWidth) {
  return {id, g, {kLeftField, Y(y), w, kH}};
}
constexpr FieldPlace R(int id, GroupIndex g, int y) {
  return {id, g, {kRightField, Y(y), kRightWidth, kH}};
}
constexpr FieldPlace C(int id, int x, int y, int w = kLobeWidth) {
  return {id, kCamshaftGroup, {x, Y(y), w, kH}};
}

// Camshaft rows.
constexpr int kLiftRow = 347, kDurationRow = 356, kCenterRow = 365, kTrueCenterRow = 374,
              kAdvanceRow = 383, kLobeRow = 394, kOverlapRow = 403, kRampRow = 412,
              kActivationRow = 421, kMethodRow = 430, kTimingHeadRow = 440,
              kSimulationRow = 450, kAdditionalRow = 467, kTrueRow = 484;

constexpr FieldPlace T(int id, int column, int index, int y) {
  return {id, kCamshaftGroup, {column + index * kTimingWidth, Y(y),
                               kTimingWidth - 1, kH}};
}

constexpr std::array kFields = {
    // Short Block
    L(1014, kShortBlockGroup, 16, kWideWidth), L(1017, kShortBlockGroup, 25),
    R(1022, kShortBlockGroup, 25), L(1026, kShortBlockGroup, 34), L(1032, kShortBlockGroup, 43),
    R(1027, kShortBlockGroup, 43), R(1034, kShortBlockGroup, 34),
    // Cylinder Heads
    L(1036, kHeadsGroup, 64, kWideWidth), L(1056, kHeadsGroup, 86), R(1068, kHeadsGroup, 86),
    L(1038, kHeadsGroup, 95), L(1040, kHeadsGroup, 104),
    // Compression
    L(1042, kCompressionGroup, 128), L(1044, kCompressionGroup, 139),
    R(1031, kCompressionGroup, 139),
    // Induction
    L(1048, kInductionGroup, 164, kWideWidth), L(1046, kInductionGroup, 173, 64),
    FieldPlace{1057, kInductionGroup, {156, Y(173), 50, kH}}, L(1050, kInductionGroup, 182, kWideWidth),
    L(1052, kInductionGroup, 191, 64), L(1070, kInductionGroup, 212, 100),
    L(1094, kInductionGroup, 223), R(1095, kInductionGroup, 223), L(1096, kInductionGroup, 232),
    R(1088, kInductionGroup, 232), L(1090, kInductionGroup, 243), R(1086, kInductionGroup, 243),
    L(1072, kInductionGroup, 252), R(1074, kInductionGroup, 252),
    // Exhaust
    L(1060, kExhaustGroup, 272, kWideWidth),
    // Camshaft, low-speed lobe
    L(1122, kCamshaftGroup, 298, 150), L(1130, kCamshaftGroup, 307, 150),
    C(1171, kLowIntake, kLiftRow), C(1175, kLowExhaust, kLiftRow),
    C(1177, kLowIntake, kAdvanceRow), C(1213, kLowExhaust, kAdvanceRow),
    C(1151, kLowIntake, kRampRow), C(1124, kLowIntake, kMethodRow, 2 * kLobeWidth + 2),
    T(1137, kLowIntake, 0, kSimulationRow), T(1139, kLowIntake, 1, kSimulationRow),
    T(1165, kLowIntake, 2, kSimulationRow), T(1167, kLowIntake, 3, kSimulationRow),
    T(1156, kLowIntake, 0, kAdditionalRow), T(1157, kLowIntake, 1, kAdditionalRow),
    T(1187, kLowIntake, 2, kAdditionalRow), T(1188, kLowIntake, 3, kAdditionalRow),
    // high-speed lobe
    C(1174, kHighIntake, kLiftRow), C(1189, kHighExhaust, kLiftRow),
    C(1196, kHighIntake, kAdvanceRow), C(1214, kHighExhaust, kAdvanceRow),
    C(1154, kHighIntake, kRampRow), C(1179, kHighIntake, kActivationRow),
    C(1146, kHighIntake, kMethodRow, 2 * kLobeWidth + 2),
    T(1150, kHighIntake, 0, kSimulationRow), T(1155, kHighIntake, 1, kSimulationRow),
    T(1199, kHighIntake, 2, kSimulationRow), T(1200, kHighIntake, 3, kSimulationRow),
    T(1158, kHighIntake, 0, kAdditionalRow), T(1159, kHighIntake, 1, kAdditionalRow),
    T(1202, kHighIntake, 2, kAdditionalRow), T(1203, kHighIntake, 3, kAdditionalRow),
    // display-only camshaft fields
    C(1141, kLowIntake, kDurationRow), C(1169, kLowExhaust, kDurationRow),
    C(1143, kHighIntake, kDurationRow), C(1192, kHighExhaust, kDurationRow),
    C(1133, kLowIntake, kCenterRow), C(1182, kLowExhaust, kCenterRow),
    C(1144, kHighIntake, kCenterRow), C(1193, kHighExhaust, kCenterRow),
    C(1194, kLowIntake, kTrueCenterRow), C(1211, kLowExhaust, kTrueCenterRow),
    C(1195, kHighIntake, kTrueCenterRow), C(1212, kHighExhaust, kTrueCenterRow),
    C(1135, kLowIntake, kLobeRow), C(1145, kHighIntake, kLobeRow),
    C(1173, kLowIntake, kOverlapRow), C(1197, kHighIntake, kOverlapRow),
    T(1198, kLowIntake, 0, kTrueRow), T(1201, kLowIntake, 1, kTrueRow),
    T(1204, kLowIntake, 2, kTrueRow), T(1206, kLowIntake, 3, kTrueRow),
    T(1205, kHighIntake, 0, kTrueRow), T(1207, kHighIntake, 1, kTrueRow),
    T(1208, kHighIntake, 2, kTrueRow), T(1210, kHighIntake, 3, kTrueRow),
    // Notes
    FieldPlace{1664, kNotesGroup, {14, Y(514), 258, 48}},
};

constexpr LabelPlace RL(const char* text, int y, int id = 0) {
  return {id, text, kLeftLabel, Y(y), true, false};
}
constexpr LabelPlace RR(const char* text, int y, int id = 0) {
  return {id, text, kRightLabel, Y(y), true, false};
}
constexpr LabelPlace CL(const char* text, int y, int id = 0) {
  return {id, text, kCamLabel, Y(y), true, false};
}
constexpr LabelPlace Left(const char* text, int x, int y, int id = 0, bool small = false) {
  return {id, text, x, Y(y), false, small};
}

constexpr std::array kLabels = {
    RL("Short Block:", 16), RL("No. Cylinders:", 25), RR("Bore:", 25), RL("Stroke:", 34),
    RR("Total Volume:", 34), RL("Rod Length:", 43), RR("Rod Ratio:", 43),
    RL("Type:", 64), Left("Valve Specifications:", 14, 74), RL("Intake Valves/Port:", 86),
    RR("Exhaust Valves/Port:", 86), RL("Intake Valve Dia:", 95), RL("Exhaust Valve Dia:", 104),
    Left("(Auto)", kLeftField + kLeftWidth + 3, 95, 1062),
    Left("(Auto)", kLeftField + kLeftWidth + 3, 104, 1063),
    RL("Compression Ratio:", 128), RL("Combustion Space:", 139), RR("Cylinder Volume:", 139),
    RL("Manifold Type:", 164), RL("Flow Rate:", 173), Left("@", 148, 173), RL("Fuel:", 182),
    RL("Nitrous:", 191), Left("Forced Induction Specifications:", 14, 203),
    RL("Blower Type:", 212), RL("Turbine Size:", 223), RR("Turbine A/R:", 223),
    RL("Number Turbos:", 232), RR("Internal Ratio:", 232), RL("Belt Ratio:", 243),
    RR("Boost Limit:", 243), RL("Intercooler Eff:", 252), RR("IC Press. Drop:", 252),
    RL("Exhaust System:", 272),
    RL("Cam Name:", 298), RL("Lifters:", 307), Left("Cam Specification", 14, 317),
    Left("Low Speed Lobes", kLowIntake, 328), Left("High Speed Lobes", kHighIntake + 10, 328),
    Left("  Intake ", kLowIntake, 337, 0, true), Left("Exhaust", kLowExhaust, 337, 0, true),
    Left("  Intake ", kHighIntake, 337, 0, true), Left("Exhaust", kHighExhaust, 337, 0, true),
    CL("Lift At Valve:", kLiftRow), Left("(Auto)", 14, kLiftRow, 1064),
    CL("Duration:", kDurationRow), CL("Centerline Angle:", kCenterRow),
    CL("True Centerline Angle:", kTrueCenterRow), CL("Cam Advanced(+)/Retarded(-):", kAdvanceRow),
    CL("Lobe Centerline Angle:", kLobeRow), CL("Valve Overlap:", kOverlapRow),
    CL("Lifter Acceleration Rate:", kRampRow), Left("(Auto)", kLowExhaust, kRampRow, 1215),
    Left("(Auto)", kHighExhaust, kRampRow, 1216), CL("Activation RPM:", kActivationRow),
    Left("(Auto)", kHighExhaust, kActivationRow, 1067), CL("Valve Timing Based On:", kMethodRow),
    Left(" IVO", kLowIntake, kTimingHeadRow, 0, true),
    Left(" IVC", kLowIntake + kTimingWidth, kTimingHeadRow, 0, true),
    Left("EVO", kLowIntake + 2 * kTimingWidth, kTimingHeadRow, 0, true),
    Left("EVC", kLowIntake + 3 * kTimingWidth, kTimingHeadRow, 0, true),
    Left(" IVO", kHighIntake, kTimingHeadRow, 0, true),
    Left(" IVC", kHighIntake + kTimingWidth, kTimingHeadRow, 0, true),
    Left("EVO", kHighIntake + 2 * kTimingWidth, kTimingHeadRow, 0, true),
    Left("EVC", kHighIntake + 3 * kTimingWidth, kTimingHeadRow, 0, true),
    CL("Simulation Timing", kSimulationRow - 4), CL("(Not Defined):", kSimulationRow + 5, 1161),
    CL("Additional Timing", kAdditionalRow - 4), CL("(Not Defined):", kAdditionalRow + 5, 1163),
    CL("True Timing", kTrueRow),
};

constexpr std::array kSeparators = {
    SeparatorPlace{1098, 14, Y(83), 258},  SeparatorPlace{1097, 14, Y(201), 258},
    SeparatorPlace{1099, 14, Y(221), 258}, SeparatorPlace{1100, 14, Y(241), 258},
    SeparatorPlace{1183, 14, Y(326), 258}, SeparatorPlace{1185, kLowIntake, Y(345), 78},
    SeparatorPlace{1186, kHighIntake, Y(345), 78}, SeparatorPlace{1190, kLowIntake, Y(392), 78},
    SeparatorPlace{1191, kHighIntake, Y(392), 78},
};

constexpr std::array kButtons = {
    // Under the head's name, which takes the row's whole width, on the row of
    // "Valve Specifications:".
    ButtonPlace{kPortFlowButton, "Port Flow", {234, Y(72), 38, 10}},
    ButtonPlace{kCrCalcButton, "CR Calc", {216, Y(127), 56, 10}},
    ButtonPlace{kVelmorButton, "Velmor", {234, Y(297), 38, 10}},
};

constexpr std::array kLamps = {
    LampPlace{kSurgeLamp, "Surge", 184, Y(203), Y(212)},
    LampPlace{kChokeLamp, "Choke", 208, Y(203), Y(212)},
    LampPlace{kOverspeedLamp, "Overspeed", 233, Y(203), Y(212)},
};

constexpr TabStop F(int id, GroupIndex group) { return {id, group, true}; }
constexpr TabStop B(int id, GroupIndex group) { return {id, group, false}; }

// The rod buttons come before the row's two fields, so that the round still ends
// on "Rod Length:" when it is the typed one; the V-V-T box heads the high-speed
// column but comes before the lobe rows, which end the round while it is off.
constexpr std::array kTabStops = {
    F(1014, kShortBlockGroup), F(1017, kShortBlockGroup), F(1022, kShortBlockGroup),
    F(1026, kShortBlockGroup), B(kRodLengthRadio, kShortBlockGroup),
    B(kRodRatioRadio, kShortBlockGroup), F(1032, kShortBlockGroup), F(1027, kShortBlockGroup),
    F(1036, kHeadsGroup), B(kPortFlowButton, kHeadsGroup), F(1038, kHeadsGroup),
    F(1040, kHeadsGroup),
    F(1042, kCompressionGroup), B(kCrCalcButton, kCompressionGroup),
    F(1048, kInductionGroup), F(1046, kInductionGroup), F(1057, kInductionGroup),
    F(1050, kInductionGroup), F(1052, kInductionGroup), F(1070, kInductionGroup),
    F(1094, kInductionGroup), F(1095, kInductionGroup), F(1096, kInductionGroup),
    F(1088, kInductionGroup), F(1090, kInductionGroup), F(1086, kInductionGroup),
    F(1072, kInductionGroup), F(1074, kInductionGroup),
    F(1060, kExhaustGroup),
    F(1122, kCamshaftGroup), B(kVelmorButton, kCamshaftGroup), F(1130, kCamshaftGroup),
    B(kVariableValveTimingBox, kCamshaftGroup),
    F(1171, kCamshaftGroup), F(1175, kCamshaftGroup), F(1177, kCamshaftGroup),
    F(1213, kCamshaftGroup), F(1151, kCamshaftGroup), F(1124, kCamshaftGroup),
    F(1137, kCamshaftGroup), F(1139, kCamshaftGroup), F(1165, kCamshaftGroup),
    F(1167, kCamshaftGroup), F(1156, kCamshaftGroup), F(1157, kCamshaftGroup),
    F(1187, kCamshaftGroup), F(1188, kCamshaftGroup),
    F(1174, kCamshaftGroup), F(1189, kCamshaftGroup), F(1196, kCamshaftGroup),
    F(1214, kCamshaftGroup), F(1154, kCamshaftGroup), F(1179, kCamshaftGroup),
    F(1146, kCamshaftGroup), F(1150, kCamshaftGroup), F(1155, kCamshaftGroup),
    F(1199, kCamshaftGroup), F(1200, kCamshaftGroup), F(1158, kCamshaftGroup),
    F(1159, kCamshaftGroup), F(1202, kCamshaftGroup), F(1203, kCamshaftGroup),
    F(1664, kNotesGroup),
};

}  // namespace

std::span<const TabStop> TabStops() { return kTabStops; }
std::span<const GroupPlace> Groups() { return kGroups; }
std::span<const FieldPlace> Fields() { return kFields; }
std::span<const LabelPlace> Labels() { return kLabels; }
std::span<const SeparatorPlace> Separators() { return kSeparators; }
std::span<const ButtonPlace> Buttons() { return kButtons; }
std::span<const LampPlace> Lamps() { return kLamps; }

const FieldPlace& FieldOf(int id) {
  for (const FieldPlace& place : kFields) {
    if (place.id == id) return place;
  }
  BRISCA_ASSERT(false);
  return kFields[0];
}

}  // namespace brisca::form
