#pragma once
// The constants of the camshaft: timing conventions and their event limits,
// lifter types, the built-in cam types of the component menu, the automatic
// valve-lift factors, and the numbered messages the cam records give. One
// table each; nothing else spells these numbers.

#include <array>
#include <span>

namespace brisca {

//! "Camshaft Timing Method" codes.
enum CamTimingMethod : int {
  kSeatToSeat = 1,   //!< "Seat-To-Seat": events at the valve seat
  kFiftyThou = 2,    //!< "0.050-inch": events at 0.050 in lifter rise
};

//! The four nominal events of a timing set, in file order.
enum CamEvent : int { kIVO = 0, kIVC = 1, kEVO = 2, kEVC = 3 };
inline constexpr int kCamEventCount = 4;

//! Numbered messages (ReportErrorCode) of the cam checks.
enum CamErrorCode : int {
  kErrCamType = 27,
  kErrCamLifterType = 29,
  kErrCamTimingMethod = 30,
  kErrCamIntakeAdvance = 31,
  kErrCamIntakeLift = 32,
  kErrCamExhaustLift = 33,
  kErrCamIVO = 34,
  kErrCamIVC = 35,
  kErrCamEVO = 36,
  kErrCamEVC = 37,
  kErrCamIntakeCenterline = 38,
  kErrCamLobeCenter = 39,
  kErrCamIntakeDuration = 40,
  kErrCamExhaustDuration = 41,
  kErrCamRampRate = 105,
  kErrCamActivationRpm = 171,
  kErrCamExhaustAdvance = 172,
};

//! Numbered notices (ReportNoticeCode) of the cam commands.
enum CamNoticeCode : int {
  kNoticeFiftyToSeat = 101,       //!< values changed from 0.050-inch to seat-to-seat figures
  kNoticeSeatToFifty = 102,       //!< values changed from seat-to-seat to 0.050-inch figures
  kNoticeNoRampRate = 107,        //!< the ramp rate cannot be computed
};

//! Limits of one nominal event [crank degrees].
struct EventLimits {
  float min;
  float max;
};

//! Limits of `event` in timing convention `method` (1 or 2; FatalAssert otherwise).
EventLimits CamEventLimits(int method, CamEvent event);
//! "Seat-To-Seat" or "0.050-inch"; FatalAssert for another method.
const char* CamTimingMethodName(int method);
//! The other convention: 1 ↔ 2.
int OtherTimingMethod(int method);

//! One lifter type of the "Camshaft Lifter Type" menu.
struct LifterTypeRow {
  int code;         //!< "Camshaft Lifter Type" value
  const char* name;
  int command;      //!< menu command
};
//! In the cam manager's list order: Hydraulic, Roller Hydraulic, Solid, Roller Solid, None.
std::span<const LifterTypeRow> LifterTypes();
const LifterTypeRow* FindLifterTypeByCode(int code);
const LifterTypeRow* FindLifterTypeByCommand(int command);

//! One built-in cam type. A two-lobe (variable valve timing) type is two rows:
//! its low-speed row, keyed by the menu command, and right after it the
//! high-speed row (code + 1, command + 1, no menu item).
struct CamTypeRow {
  int command;            //!< menu command, or catalogue key of a high-speed row
  int code;               //!< "Camshaft Type" value
  const char* name;
  bool hasTiming;         //!< false for the custom type: the user enters everything
  std::array<float, kCamEventCount> seatToSeat;  //!< IVO, IVC, EVO, EVC [deg]
  float intakeLift;       //!< [in]
  float exhaustLift;      //!< [in]
  float rampRate;         //!< "Lifter Ramp Rate"
  int lifterOrRpm;        //!< lifter menu command; in a high-speed row the activation speed [rpm]
  std::array<float, kCamEventCount> fiftyThou;   //!< IVO, IVC, EVO, EVC [deg]
};

inline constexpr int kCustomCamTypeCode = 6;
inline constexpr int kCustomCamTypeCommand = 32885;
inline constexpr int kMaxCamTypeCode = 13;

std::span<const CamTypeRow> CamTypes();
//! The row of a catalogue key (menu command), or nullptr.
const CamTypeRow* FindCamTypeByCommand(int command);
//! True for the low-speed row of a two-lobe type.
bool IsTwoLobeCamType(const CamTypeRow& row);
//! The high-speed row that follows a two-lobe low-speed row; its code must be
//! 9, 11 or 13 (FatalAssert otherwise).
const CamTypeRow& HighSpeedRow(const CamTypeRow& lowSpeedRow);

//! Valve lift from the intake valve diameter d [in] and the cam type code
//! (1..13; FatalAssert otherwise, as for d ≤ 0): intake d × f, exhaust
//! d × f × 0.95, each limited to 0.1..1.5 in, f by cam type.
struct ValveLifts {
  float intake;   //!< [in]
  float exhaust;  //!< [in]
};
ValveLifts AutoValveLift(int camTypeCode, float intakeValveDiameter);

}  // namespace brisca
