#pragma once
// One cam lobe set: the valve events in two timing conventions at once
// (seat-to-seat and 0.050-inch lifter rise), the valve lifts, the advance or
// retard of each lobe, the lifter and its ramp rate, and descriptive texts.
//
// Invariants:
//  - The four events of each timing set always carry the limits of that set's
//    method (the method's index, whether or not it is assigned). Methods change
//    only through SetPrimaryMethod / SetSecondaryMethod / SwapTimingSets.
//  - Once both methods are assigned they are opposite conventions; ReadText
//    refuses a profile that names one convention twice.
//  - The derived values (durations, centrelines, lobe centre, overlap, actual
//    events) describe the primary set; ComputeDerived brings them up to date.
//  - Angles are degrees in both unit systems; only the two lifts switch units.
//  - Each text is one line without white space at its ends, so the profile
//    text always reads back as written.
//
// Reading errors of ReadText travel as FileError (45 read or early end, 47
// invalid value, 50 unknown version); the profile is then left as it was.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "core/spec/FloatPtSpec.h"
#include "core/spec/PartTypeSpec.h"
#include "core/valvetrain/CamTypes.h"

namespace brisca {

class TextReader;
class TextWriter;

//! The eight descriptive texts, in member (and file) order.
enum CamText : int {
  kCamEngine = 0,               //!< "Engine:"
  kCamRecommendedEngineType,    //!< "Recommended Engine Type:"
  kCamUsage,                    //!< "Useage:"
  kCamApplication,              //!< "Cam Application:"
  kCamManufacturer,             //!< "Manuf.:"
  kCamExtraText1,               //!< shown by no dialog; kept and stored
  kCamEmailWeb,                 //!< "Email/Web:"
  kCamExtraText2,               //!< shown by no dialog; kept and stored
};
inline constexpr int kCamTextCount = 8;
//! Longest text the profile text reads back whole [bytes].
inline constexpr std::size_t kMaxCamTextLength = 1023;

//! Primary or secondary timing set.
enum class TimingSet { Primary, Secondary };

class CCamProfile {
 public:
  friend bool operator==(const CCamProfile&, const CCamProfile&) = default;
  //! Cleared, domestic; both timing sets carry the seat-to-seat limits.
  CCamProfile();
  CCamProfile(const CCamProfile& other);
  CCamProfile& operator=(const CCamProfile& other);

  //! Unassigns every value except the advance/retard values (0) and the ramp
  //! rate (3.0); flags off, texts empty. Keeps the unit system and the limits.
  void Clear();
  //! Copies every member, `modified` and the unit system included.
  void CopyFrom(const CCamProfile& other);
  //! Switches the two lifts to the given unit system.
  void SetUnits(bool metric);
  bool IsMetric() const { return metricUnits_; }

  //! Assigns the method (1 or 2, FatalAssert otherwise) and gives that set's
  //! events its limits (an event outside them becomes unassigned).
  void SetPrimaryMethod(int method);
  void SetSecondaryMethod(int method);
  //! Copies four event values into a set (IVO, IVC, EVO, EVC); the set keeps
  //! its limits, and a value that is not valid or lies outside them lands
  //! unassigned.
  void SetPrimaryEvents(const CFloatPtSpec& ivo, const CFloatPtSpec& ivc, const CFloatPtSpec& evo,
                        const CFloatPtSpec& evc);
  void SetSecondaryEvents(const CFloatPtSpec& ivo, const CFloatPtSpec& ivc,
                          const CFloatPtSpec& evo, const CFloatPtSpec& evc);
  //! Exchanges the primary and secondary sets (method, events, limits), then ComputeDerived.
  void SwapTimingSets();

  //! First invalid of primary IVO 34, IVC 35, EVO 36, EVC 37, intake advance 31, exhaust advance 172.
  bool CheckEvents(int& code) const;
  //! Durations, centrelines, lobe centre, overlap and actual events from the
  //! primary events and the advance values; all unassigned when CheckEvents fails.
  void ComputeDerived();
  //! First invalid of lobe centre 39, intake centreline 38, intake duration 40, exhaust duration 41.
  bool CheckCard(int& code) const;
  //! The primary events (and exhaust centreline, overlap) from the cam-card
  //! values; each lands only within its limits, else it is unassigned. The
  //! card values must be valid (FatalAssert).
  void EventsFromCard();

  //! Both methods, all eight events and both lifts valid, the methods opposite,
  //! and the seat-to-seat events longer on average than the 0.050-inch ones.
  bool CanComputeRampRate() const;
  //! Stores the ramp rate from the difference between the two conventions and
  //! the lifts. Returns false, leaving the ramp rate unassigned, when the
  //! seat-to-seat events are not longer on average (no rate can be formed).
  //! Missing values or equal methods are a FatalAssert.
  bool ComputeRampRate();
  //! The recalculation step for autoRampRate: ComputeRampRate where possible,
  //! else the ramp rate is unassigned. Does nothing while autoRampRate is off.
  void UpdateAutoRampRate();

  //! First failure of cam type 27, lifter 29, ramp rate 105, primary method 30,
  //! intake lift 32, exhaust lift 33, then CheckEvents.
  bool Validate(int& code) const;
  //! Makes `target` (not this profile: FatalAssert) a copy whose primary set is
  //! in convention `method`, with events taken from whichever set of this
  //! profile is valid in that convention, and derived values recomputed.
  void ConvertTo(CCamProfile& target, int method) const;

  //! Fills the profile from a built-in cam type row: cam type, seat-to-seat
  //! primary and 0.050-inch secondary events, lifts, ramp rate, advance 0,
  //! autoRampRate off, and the lifter of the row unless it is a high-speed row.
  //! The row must carry timing (FatalAssert).
  void LoadCamType(const CamTypeRow& row);
  //! Automatic valve lift on or off; switching it on unassigns both lifts.
  void SetAutoValveLift(bool on);
  //! Automatic ramp rate on or off.
  void SetAutoRampRate(bool on) { autoRampRate_ = on; }
  //! Lifts from the intake valve diameter [in] and this profile's cam type,
  //! assigned as domestic values. The cam type must be valid (FatalAssert).
  void ApplyAutoValveLift(float intakeValveDiameter);

  //! The profile text, always in domestic units; the profile is not converted.
  void WriteText(TextWriter& out) const;
  //! Reads a profile text of any accepted version into this profile; on any
  //! FileError the profile is left exactly as it was. Clears `modified`.
  void ReadText(TextReader& in);

  // ---- members -----------------------------------------------------------
  bool IsModified() const { return modified_; }
  void SetModified(bool modified) { modified_ = modified; }
  bool AutoValveLiftOn() const { return autoValveLift_; }
  bool AutoRampRateOn() const { return autoRampRate_; }

  CPartTypeSpec& CamType() { return camType_; }
  const CPartTypeSpec& CamType() const { return camType_; }
  CPartTypeSpec& LifterType() { return lifterType_; }
  const CPartTypeSpec& LifterType() const { return lifterType_; }
  CFloatPtSpec& LobeCenterAngle() { return lobeCenterAngle_; }
  const CFloatPtSpec& LobeCenterAngle() const { return lobeCenterAngle_; }
  const CFloatPtSpec& ValveOverlap() const { return valveOverlap_; }
  CFloatPtSpec& IntakeAdvance() { return intakeAdvance_; }
  const CFloatPtSpec& IntakeAdvance() const { return intakeAdvance_; }
  CFloatPtSpec& ExhaustAdvance() { return exhaustAdvance_; }
  const CFloatPtSpec& ExhaustAdvance() const { return exhaustAdvance_; }
  CFloatPtSpec& IntakeLift() { return intakeLift_; }
  const CFloatPtSpec& IntakeLift() const { return intakeLift_; }
  CFloatPtSpec& ExhaustLift() { return exhaustLift_; }
  const CFloatPtSpec& ExhaustLift() const { return exhaustLift_; }
  CFloatPtSpec& IntakeDuration() { return intakeDuration_; }
  const CFloatPtSpec& IntakeDuration() const { return intakeDuration_; }
  CFloatPtSpec& ExhaustDuration() { return exhaustDuration_; }
  const CFloatPtSpec& ExhaustDuration() const { return exhaustDuration_; }
  CFloatPtSpec& IntakeCenterline() { return intakeCenterline_; }
  const CFloatPtSpec& IntakeCenterline() const { return intakeCenterline_; }
  const CFloatPtSpec& ExhaustCenterline() const { return exhaustCenterline_; }
  const CFloatPtSpec& ActualEvent(CamEvent event) const { return actualEvents_.at(event); }
  const CFloatPtSpec& ActualIntakeCenterline() const { return actualIntakeCenterline_; }
  const CFloatPtSpec& ActualExhaustCenterline() const { return actualExhaustCenterline_; }
  CFloatPtSpec& RampRate() { return rampRate_; }
  const CFloatPtSpec& RampRate() const { return rampRate_; }

  const CPartTypeSpec& Method(TimingSet set) const { return Set(set).method; }
  CFloatPtSpec& Event(TimingSet set, CamEvent event) { return Set(set).events.at(event); }
  const CFloatPtSpec& Event(TimingSet set, CamEvent event) const {
    return Set(set).events.at(event);
  }

  const std::string& Text(CamText which) const { return texts_.at(which); }
  //! Stores one line: line breaks become blanks, the text is cut to
  //! kMaxCamTextLength bytes and white space at both ends is dropped.
  void SetText(CamText which, std::string_view text);

  //! One timing set: its convention and its four events.
  struct TimingData {
    CPartTypeSpec method;                                //!< "Camshaft Timing Method"
    std::array<CFloatPtSpec, kCamEventCount> events;     //!< IVO, IVC, EVO, EVC [deg]
    friend bool operator==(const TimingData&, const TimingData&) = default;
  };

 private:
  TimingData& Set(TimingSet set) { return set == TimingSet::Primary ? primary_ : secondary_; }
  const TimingData& Set(TimingSet set) const {
    return set == TimingSet::Primary ? primary_ : secondary_;
  }
  static void SetMethod(TimingData& set, int method);
  static void UnassignMethod(TimingData& set);
  void UnassignDerived();
  void AssertAnglesInDegrees() const;
  void ReadBody(TextReader& in);

  bool modified_ = false;         //!< edited in the cam manager since loaded
  bool metricUnits_ = false;      //!< lifts in mm (true) or inches
  CPartTypeSpec camType_;         //!< "Camshaft Type" 1..13; its name is the cam name
  CPartTypeSpec lifterType_;      //!< "Camshaft Lifter Type" 1..5
  CFloatPtSpec lobeCenterAngle_;  //!< derived [cam deg]
  CFloatPtSpec valveOverlap_;     //!< derived EVC + IVO [deg]
  CFloatPtSpec intakeAdvance_;    //!< positive advances the intake lobe [deg]
  CFloatPtSpec exhaustAdvance_;   //!< positive advances the exhaust lobe [deg]
  CFloatPtSpec intakeLift_;       //!< maximum lift at the valve [in | mm]
  CFloatPtSpec exhaustLift_;      //!< [in | mm]
  bool autoValveLift_ = false;    //!< lifts follow the intake valve diameter
  CFloatPtSpec intakeDuration_;   //!< derived IVC + IVO + 180 [deg]
  CFloatPtSpec exhaustDuration_;  //!< derived EVC + EVO + 180 [deg]
  TimingData primary_;            //!< the set shown, simulated and written as "nominal"
  CFloatPtSpec intakeCenterline_;     //!< derived, after TDC [deg]
  CFloatPtSpec exhaustCenterline_;    //!< derived, before TDC [deg]
  std::array<CFloatPtSpec, kCamEventCount> actualEvents_;  //!< nominal ± advance [deg]
  CFloatPtSpec actualIntakeCenterline_;   //!< [deg]
  CFloatPtSpec actualExhaustCenterline_;  //!< [deg]
  TimingData secondary_;          //!< the other convention
  CFloatPtSpec rampRate_;         //!< "Lifter Ramp Rate", lifter acceleration class
  bool autoRampRate_ = false;     //!< the ramp rate is computed
  std::array<std::string, kCamTextCount> texts_;
};

//! The version line of a cam or profile text (fgets of 1023 characters,
//! trimmed); the end of the file throws FileError 45 naming `where`.
std::string ReadCamVersionLine(TextReader& in, const char* where);

}  // namespace brisca
