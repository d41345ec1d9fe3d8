#include "core/valvetrain/CamProfile.h"

#include <algorithm>

#include "core/base/FatalAssert.h"
#include "core/base/NumberText.h"

namespace brisca {
namespace {

// Crank angles of the derived values may lie anywhere within two revolutions.
constexpr float kMinAngle = -720.0f;
constexpr float kMaxAngle = 720.0f;
constexpr float kMaxAdvance = 15.0f;    // [deg] either way
constexpr float kMinLift = 0.1f;        // [in]
constexpr float kMaxLift = 1.5f;        // [in]
constexpr float kMinRampRate = 1.0f;
constexpr float kMaxRampRate = 6.0f;
constexpr float kClearedRampRate = 3.0f;
constexpr float kHalfTurn = 180.0f;     // [deg] from TDC to BDC

constexpr const char* kMethodLabel = "Camshaft Timing Method";
constexpr const char* kEventLabels[kCamEventCount] = {
    "Nominal Intake Valve Opening", "Nominal Intake Valve Closing",
    "Nominal Exhaust Valve Opening", "Nominal Exhaust Valve Closing"};
constexpr const char* kActualLabels[kCamEventCount] = {
    "Actual Intake Valve Opening", "Actual Intake Valve Closing",
    "Actual Exhaust Valve Opening", "Actual Exhaust Valve Closing"};
constexpr int kEventCodes[kCamEventCount] = {kErrCamIVO, kErrCamIVC, kErrCamEVO, kErrCamEVC};

CFloatPtSpec Angle(const char* label) {
  return CFloatPtSpec(label, UnitDegree, kMinAngle, kMaxAngle, UnitDegree, kSameUnit);
}

CFloatPtSpec Event(CamEvent event) {
  const EventLimits limits = CamEventLimits(kSeatToSeat, event);
  return CFloatPtSpec(kEventLabels[event], UnitDegree, limits.min, limits.max, UnitDegree,
                      kSameUnit);
}

CFloatPtSpec Lift(const char* label) {
  return CFloatPtSpec(label, UnitInch, kMinLift, kMaxLift, UnitMillimeter, kInchToMillimeter);
}

CCamProfile::TimingData NewTimingSet() {
  return {CPartTypeSpec(kMethodLabel, kSeatToSeat, kFiftyThou),
          {Event(kIVO), Event(kIVC), Event(kEVO), Event(kEVC)}};
}

// Stores v when it lies within the spec's limits, else unassigns the spec.
void AssignOrUnassign(CFloatPtSpec& spec, float v) {
  if (spec.InRange(v)) {
    spec.SetValue(v);
  } else {
    spec.ResetValue();
  }
}

// The value and flag of `from`, as far as `to`'s limits allow.
void CopyEventValue(CFloatPtSpec& to, const CFloatPtSpec& from) {
  if (from.IsValid() && to.InRange(from.GetValue())) {
    to.SetValue(from.GetValue());
  } else {
    to.ResetValue();
  }
}

bool SetIsValid(const CCamProfile::TimingData& set) {
  return set.method.IsValid() &&
         std::all_of(set.events.begin(), set.events.end(),
                     [](const CFloatPtSpec& e) { return e.IsValid(); });
}

float InDomestic(const CFloatPtSpec& spec) {
  CFloatPtSpec copy = spec;
  copy.ToDomestic();
  return copy.GetValue();
}

}  // namespace

CCamProfile::CCamProfile()
    : camType_("Camshaft Type", 1, kMaxCamTypeCode),
      lifterType_("Camshaft Lifter Type", 1, 5),
      lobeCenterAngle_(Angle("Lobe Center Angle")),
      valveOverlap_(Angle("Valve Overlap")),
      intakeAdvance_("Camshaft Intake Advance/Retard", UnitDegree, -kMaxAdvance, kMaxAdvance,
                     UnitDegree, kSameUnit),
      exhaustAdvance_("Camshaft Exhaust Advance/Retard", UnitDegree, -kMaxAdvance, kMaxAdvance,
                      UnitDegree, kSameUnit),
      intakeLift_(Lift("Intake Valve Lift")),
      exhaustLift_(Lift("Exhaust Valve Lift")),
      intakeDuration_(Angle("Intake Valve Duration")),
      exhaustDuration_(Angle("Exhaust Valve Duration")),
      primary_(NewTimingSet()),
      intakeCenterline_(Angle("Nominal Intake Centerline Angle")),
      exhaustCenterline_(Angle("Nominal Exhaust Centerline Angle")),
      actualEvents_{Angle(kActualLabels[kIVO]), Angle(kActualLabels[kIVC]),
                    Angle(kActualLabels[kEVO]), Angle(kActualLabels[kEVC])},
      actualIntakeCenterline_(Angle("Actual Intake Centerline Angle")),
      actualExhaustCenterline_(Angle("Actual Exhaust Centerline Angle")),
      secondary_(NewTimingSet()),
      rampRate_("Lifter Ramp Rate", UnitNone, kMinRampRate, kMaxRampRate, UnitNone, kSameUnit) {
  Clear();
}

CCamProfile::CCamProfile(const CCamProfile& other) : CCamProfile() { CopyFrom(other); }

CCamProfile& CCamProfile::operator=(const CCamProfile& other) {
  CopyFrom(other);
  return *this;
}

void CCamProfile::Clear() {
  modified_ = false;
  camType_ = CPartTypeSpec(camType_.GetLabel(), camType_.GetMin(), camType_.GetMax());
  lifterType_ = CPartTypeSpec(lifterType_.GetLabel(), lifterType_.GetMin(), lifterType_.GetMax());
  UnassignMethod(primary_);
  UnassignMethod(secondary_);
  intakeLift_.ResetValue();
  exhaustLift_.ResetValue();
  for (CFloatPtSpec& e : primary_.events) e.ResetValue();
  for (CFloatPtSpec& e : secondary_.events) e.ResetValue();
  UnassignDerived();
  intakeAdvance_.SetValue(0.0f);
  exhaustAdvance_.SetValue(0.0f);
  autoValveLift_ = false;
  autoRampRate_ = false;
  rampRate_.SetValue(kClearedRampRate);
  for (std::string& text : texts_) text.clear();
}

void CCamProfile::CopyFrom(const CCamProfile& other) {
  if (&other == this) return;
  modified_ = other.modified_;
  metricUnits_ = other.metricUnits_;
  camType_ = other.camType_;
  lifterType_ = other.lifterType_;
  lobeCenterAngle_ = other.lobeCenterAngle_;
  valveOverlap_ = other.valveOverlap_;
  intakeAdvance_ = other.intakeAdvance_;
  exhaustAdvance_ = other.exhaustAdvance_;
  intakeLift_ = other.intakeLift_;
  exhaustLift_ = other.exhaustLift_;
  autoValveLift_ = other.autoValveLift_;
  intakeDuration_ = other.intakeDuration_;
  exhaustDuration_ = other.exhaustDuration_;
  primary_ = other.primary_;
  intakeCenterline_ = other.intakeCenterline_;
  exhaustCenterline_ = other.exhaustCenterline_;
  actualEvents_ = other.actualEvents_;
  actualIntakeCenterline_ = other.actualIntakeCenterline_;
  actualExhaustCenterline_ = other.actualExhaustCenterline_;
  secondary_ = other.secondary_;
  rampRate_ = other.rampRate_;
  autoRampRate_ = other.autoRampRate_;
  texts_ = other.texts_;
}

void CCamProfile::SetUnits(bool metric) {
  AssertAnglesInDegrees();
  intakeLift_.SetUnitSystem(!metric);
  exhaustLift_.SetUnitSystem(!metric);
  metricUnits_ = metric;
}

void CCamProfile::SetMethod(TimingData& set, int method) {
  const bool stored = set.method.SetSelection(method, CamTimingMethodName(method));
  BRISCA_ASSERT(stored);
  for (int e = 0; e < kCamEventCount; ++e) {
    const EventLimits limits = CamEventLimits(method, static_cast<CamEvent>(e));
    set.events[e].SetLimits(limits.min, limits.max);
  }
}

// An unassigned method stands for no convention; its events carry the
// seat-to-seat limits, as in a new profile.
void CCamProfile::UnassignMethod(TimingData& set) {
  set.method = CPartTypeSpec(kMethodLabel, kSeatToSeat, kFiftyThou);
  for (int e = 0; e < kCamEventCount; ++e) {
    const EventLimits limits = CamEventLimits(kSeatToSeat, static_cast<CamEvent>(e));
    set.events[e].SetLimits(limits.min, limits.max);
  }
}

void CCamProfile::SetPrimaryMethod(int method) { SetMethod(primary_, method); }

void CCamProfile::SetSecondaryMethod(int method) { SetMethod(secondary_, method); }

void CCamProfile::SetPrimaryEvents(const CFloatPtSpec& ivo, const CFloatPtSpec& ivc,
                                   const CFloatPtSpec& evo, const CFloatPtSpec& evc) {
  CopyEventValue(primary_.events[kIVO], ivo);
  CopyEventValue(primary_.events[kIVC], ivc);
  CopyEventValue(primary_.events[kEVO], evo);
  CopyEventValue(primary_.events[kEVC], evc);
}

void CCamProfile::SetSecondaryEvents(const CFloatPtSpec& ivo, const CFloatPtSpec& ivc,
                                     const CFloatPtSpec& evo, const CFloatPtSpec& evc) {
  CopyEventValue(secondary_.events[kIVO], ivo);
  CopyEventValue(secondary_.events[kIVC], ivc);
  CopyEventValue(secondary_.events[kEVO], evo);
  CopyEventValue(secondary_.events[kEVC], evc);
}

void CCamProfile::SwapTimingSets() {
  const TimingData old = primary_;
  primary_ = secondary_;
  secondary_ = old;
  ComputeDerived();
}

bool CCamProfile::CheckEvents(int& code) const {
  for (int e = 0; e < kCamEventCount; ++e) {
    if (!primary_.events[e].IsValid()) {
      code = kEventCodes[e];
      return false;
    }
  }
  if (!intakeAdvance_.IsValid()) {
    code = kErrCamIntakeAdvance;
    return false;
  }
  if (!exhaustAdvance_.IsValid()) {
    code = kErrCamExhaustAdvance;
    return false;
  }
  return true;
}

void CCamProfile::UnassignDerived() {
  lobeCenterAngle_.ResetValue();
  valveOverlap_.ResetValue();
  intakeDuration_.ResetValue();
  exhaustDuration_.ResetValue();
  intakeCenterline_.ResetValue();
  exhaustCenterline_.ResetValue();
  for (CFloatPtSpec& e : actualEvents_) e.ResetValue();
  actualIntakeCenterline_.ResetValue();
  actualExhaustCenterline_.ResetValue();
}

void CCamProfile::AssertAnglesInDegrees() const {
  for (const CFloatPtSpec* angle :
       {&lobeCenterAngle_, &valveOverlap_, &intakeAdvance_, &exhaustAdvance_, &intakeDuration_,
        &exhaustDuration_, &intakeCenterline_, &exhaustCenterline_, &actualIntakeCenterline_,
        &actualExhaustCenterline_})
    BRISCA_ASSERT(angle->GetUnitCode() == UnitDegree);
  for (int e = 0; e < kCamEventCount; ++e) {
    BRISCA_ASSERT(primary_.events[e].GetUnitCode() == UnitDegree);
    BRISCA_ASSERT(secondary_.events[e].GetUnitCode() == UnitDegree);
    BRISCA_ASSERT(actualEvents_[e].GetUnitCode() == UnitDegree);
  }
}

void CCamProfile::ComputeDerived() {
  AssertAnglesInDegrees();
  int code = 0;
  if (!CheckEvents(code)) {
    UnassignDerived();
    return;
  }
  const float ivo = primary_.events[kIVO].GetValue();
  const float ivc = primary_.events[kIVC].GetValue();
  const float evo = primary_.events[kEVO].GetValue();
  const float evc = primary_.events[kEVC].GetValue();
  const float ai = intakeAdvance_.GetValue();
  const float ae = exhaustAdvance_.GetValue();

  const float di = ivc + ivo + kHalfTurn;
  const float de = evc + evo + kHalfTurn;
  const float ci = di / 2.0f - ivo;
  const float ce = de / 2.0f - evc;
  intakeDuration_.SetValue(di);
  exhaustDuration_.SetValue(de);
  intakeCenterline_.SetValue(ci);
  exhaustCenterline_.SetValue(ce);
  lobeCenterAngle_.SetValue((ci + ce) / 2.0f);
  valveOverlap_.SetValue(evc + ivo);
  // Advancing a lobe opens and closes its valve earlier: earlier opening is a
  // larger "before" angle, earlier closing a smaller "after" angle.
  actualEvents_[kIVO].SetValue(ivo + ai);
  actualEvents_[kIVC].SetValue(ivc - ai);
  actualEvents_[kEVO].SetValue(evo + ae);
  actualEvents_[kEVC].SetValue(evc - ae);
  actualIntakeCenterline_.SetValue(ci - ai);
  actualExhaustCenterline_.SetValue(ce + ae);
}

bool CCamProfile::CheckCard(int& code) const {
  if (!lobeCenterAngle_.IsValid()) {
    code = kErrCamLobeCenter;
  } else if (!intakeCenterline_.IsValid()) {
    code = kErrCamIntakeCenterline;
  } else if (!intakeDuration_.IsValid()) {
    code = kErrCamIntakeDuration;
  } else if (!exhaustDuration_.IsValid()) {
    code = kErrCamExhaustDuration;
  } else {
    return true;
  }
  return false;
}

void CCamProfile::EventsFromCard() {
  int code = 0;
  BRISCA_ASSERT(CheckCard(code));
  const float lca = lobeCenterAngle_.GetValue();
  const float ci = intakeCenterline_.GetValue();
  const float di = intakeDuration_.GetValue();
  const float de = exhaustDuration_.GetValue();

  const float ivo = di / 2.0f - ci;
  const float ivc = di - ivo - kHalfTurn;
  const float ce = 2.0f * lca - ci;
  const float evc = de / 2.0f - ce;
  const float evo = de - evc - kHalfTurn;
  AssignOrUnassign(primary_.events[kIVO], ivo);
  AssignOrUnassign(primary_.events[kIVC], ivc);
  AssignOrUnassign(primary_.events[kEVO], evo);
  AssignOrUnassign(primary_.events[kEVC], evc);
  AssignOrUnassign(exhaustCenterline_, ce);
  // An overlap left from earlier events would describe another cam.
  if (primary_.events[kIVO].IsValid() && primary_.events[kEVC].IsValid()) {
    valveOverlap_.SetValue(evc + ivo);
  } else {
    valveOverlap_.ResetValue();
  }
}

namespace {

// The mean extra angle of the seat-to-seat events over the 0.050-inch events
// [deg]; the sets must be valid and of opposite conventions.
float MeanExtraAngle(const CCamProfile::TimingData& seat, const CCamProfile::TimingData& fifty) {
  float sum = 0.0f;
  for (int e = kCamEventCount - 1; e >= 0; --e)  // EVC, EVO, IVC, IVO
    sum += seat.events[e].GetValue() - fifty.events[e].GetValue();
  return sum * 0.25f;
}

}  // namespace

bool CCamProfile::CanComputeRampRate() const {
  if (!SetIsValid(primary_) || !SetIsValid(secondary_)) return false;
  if (!intakeLift_.IsValid() || !exhaustLift_.IsValid()) return false;
  if (primary_.method.GetValue() == secondary_.method.GetValue()) return false;
  const bool primaryIsSeat = primary_.method.GetValue() == kSeatToSeat;
  const TimingData& seat = primaryIsSeat ? primary_ : secondary_;
  const TimingData& fifty = primaryIsSeat ? secondary_ : primary_;
  return MeanExtraAngle(seat, fifty) > 0.0f;
}

bool CCamProfile::ComputeRampRate() {
  BRISCA_ASSERT(SetIsValid(primary_) && SetIsValid(secondary_));
  BRISCA_ASSERT(intakeLift_.IsValid() && exhaustLift_.IsValid());
  BRISCA_ASSERT(secondary_.method.GetValue() == OtherTimingMethod(primary_.method.GetValue()));
  const bool primaryIsSeat = primary_.method.GetValue() == kSeatToSeat;
  const TimingData& seat = primaryIsSeat ? primary_ : secondary_;
  const TimingData& fifty = primaryIsSeat ? secondary_ : primary_;

  const float a = MeanExtraAngle(seat, fifty);
  // Seat-to-seat events no longer than the 0.050-inch ones describe no lifter
  // ramp at all; the formula would divide by zero or turn negative.
  if (!(a > 0.0f)) {
    rampRate_.ResetValue();
    return false;
  }
  const float dis = seat.events[kIVC].GetValue() + seat.events[kIVO].GetValue() + kHalfTurn;
  const float des = seat.events[kEVC].GetValue() + seat.events[kEVO].GetValue() + kHalfTurn;
  const float li = InDomestic(intakeLift_);
  const float le = InDomestic(exhaustLift_);
  // J grows with duration per square of lift; the lift limits keep it above 0.
  const float j = 0.005f * (dis / (0.1f * (10.0f * li) * (10.0f * li)) +
                            des / (0.1f * (10.0f * le) * (10.0f * le)));
  const float r = 35.0f / (a * j) + 1.5f;
  rampRate_.SetValue(std::clamp(r, kMinRampRate, kMaxRampRate));
  return true;
}

void CCamProfile::UpdateAutoRampRate() {
  if (!autoRampRate_) return;
  if (CanComputeRampRate()) {
    ComputeRampRate();
  } else {
    rampRate_.ResetValue();
  }
}

bool CCamProfile::Validate(int& code) const {
  if (!camType_.IsValid()) {
    code = kErrCamType;
  } else if (!lifterType_.IsValid()) {
    code = kErrCamLifterType;
  } else if (!rampRate_.IsValid()) {
    code = kErrCamRampRate;
  } else if (!primary_.method.IsValid()) {
    code = kErrCamTimingMethod;
  } else if (!intakeLift_.IsValid()) {
    code = kErrCamIntakeLift;
  } else if (!exhaustLift_.IsValid()) {
    code = kErrCamExhaustLift;
  } else {
    return CheckEvents(code);
  }
  return false;
}

void CCamProfile::ConvertTo(CCamProfile& target, int method) const {
  BRISCA_ASSERT(&target != this);
  target.Clear();
  target.CopyFrom(*this);
  target.SetPrimaryMethod(method);
  target.SetSecondaryMethod(OtherTimingMethod(method));
  target.valveOverlap_.ResetValue();
  target.intakeDuration_.ResetValue();
  target.exhaustDuration_.ResetValue();
  for (CFloatPtSpec& e : target.primary_.events) e.ResetValue();
  for (CFloatPtSpec& e : target.secondary_.events) e.ResetValue();
  for (CFloatPtSpec& e : target.actualEvents_) e.ResetValue();
  target.actualIntakeCenterline_.ResetValue();
  target.actualExhaustCenterline_.ResetValue();

  const TimingData* source = nullptr;
  if (SetIsValid(primary_) && primary_.method.GetValue() == method) {
    source = &primary_;
  } else if (SetIsValid(secondary_) && secondary_.method.GetValue() == method) {
    source = &secondary_;
  }
  if (source != nullptr) {
    const auto& ev = source->events;
    target.SetPrimaryEvents(ev[kIVO], ev[kIVC], ev[kEVO], ev[kEVC]);
  }
  int code = 0;
  if (target.CheckEvents(code)) target.ComputeDerived();
}

void CCamProfile::LoadCamType(const CamTypeRow& row) {
  BRISCA_ASSERT(row.hasTiming);
  const bool stored = camType_.SetSelection(row.code, row.name);
  BRISCA_ASSERT(stored);
  SetPrimaryMethod(kSeatToSeat);
  SetSecondaryMethod(kFiftyThou);
  for (int e = 0; e < kCamEventCount; ++e) {
    primary_.events[e].SetValue(row.seatToSeat[e]);
    secondary_.events[e].SetValue(row.fiftyThou[e]);
  }
  intakeAdvance_.SetValue(0.0f);
  exhaustAdvance_.SetValue(0.0f);
  intakeLift_.SetValueInSystem(row.intakeLift, true);
  exhaustLift_.SetValueInSystem(row.exhaustLift, true);
  SetUnits(metricUnits_);
  rampRate_.SetValue(row.rampRate);
  autoRampRate_ = false;
  // A high-speed row carries its activation speed where the lifter would be:
  // the lobe keeps the lifter its caller copied from the low-speed lobe.
  if (const LifterTypeRow* lifter = FindLifterTypeByCommand(row.lifterOrRpm)) {
    const bool lifterStored = lifterType_.SetSelection(lifter->code, lifter->name);
    BRISCA_ASSERT(lifterStored);
  }
}

void CCamProfile::SetAutoValveLift(bool on) {
  autoValveLift_ = on;
  if (on) {
    intakeLift_.ResetValue();
    exhaustLift_.ResetValue();
  }
}

void CCamProfile::ApplyAutoValveLift(float intakeValveDiameter) {
  BRISCA_ASSERT(camType_.IsValid());
  const ValveLifts lifts = AutoValveLift(camType_.GetValue(), intakeValveDiameter);
  intakeLift_.SetValueInSystem(lifts.intake, true);
  exhaustLift_.SetValueInSystem(lifts.exhaust, true);
  SetUnits(metricUnits_);
}

void CCamProfile::SetText(CamText which, std::string_view text) {
  std::string line(text);
  std::replace_if(line.begin(), line.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
  if (line.size() > kMaxCamTextLength) {
    std::size_t cut = kMaxCamTextLength;
    // Never split a UTF-8 sequence: back up over continuation bytes.
    while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
    line.resize(cut);
  }
  // Leading blanks would not survive the file either: the line before a text
  // is read with scanf's "%d\n", which skips them.
  line = TrimTrailingSpace(line);
  line.erase(0, CountLeadingSpace(line));
  texts_.at(which) = line;
}

}  // namespace brisca
