#include "core/valvetrain/CamWorkingCopies.h"

#include <algorithm>
#include <cmath>

#include "core/base/ErrCode.h"
#include "core/base/FatalAssert.h"

namespace brisca {
namespace {

constexpr float kMinRampRate = 1.0f;
constexpr float kMaxRampRate = 6.0f;
constexpr int kFirstActivationRpm = 2500;
constexpr int kLastActivationRpm = 8000;
constexpr int kActivationRpmStep = 500;
// Errors posted when card values put events outside their limits.
constexpr int kErrIntakeEventsLost = 106;
constexpr int kErrExhaustEventsLost = 107;

int MethodSlot(int method) {
  BRISCA_ASSERT(method == kSeatToSeat || method == kFiftyThou);
  return method - 1;
}

bool BothValid(const CCamProfile& p, CamEvent a, CamEvent b) {
  return p.Event(TimingSet::Primary, a).IsValid() && p.Event(TimingSet::Primary, b).IsValid();
}

void CopyCard(const CCamProfile& from, CCamProfile& to) {
  to.IntakeCenterline() = from.IntakeCenterline();
  to.LobeCenterAngle() = from.LobeCenterAngle();
  to.IntakeLift() = from.IntakeLift();
  to.ExhaustLift() = from.ExhaustLift();
}

}  // namespace

float RampRateAtSliderPosition(int position) {
  const float rate = static_cast<float>(kRampSliderMin + kRampSliderMax - position) * 0.1f;
  return std::clamp(rate, kMinRampRate, kMaxRampRate);
}

int SliderPositionOfRampRate(float rampRate) {
  const int position = kRampSliderMin + kRampSliderMax - static_cast<int>(std::lround(rampRate * 10.0f));
  return std::clamp(position, kRampSliderMin, kRampSliderMax);
}

std::vector<int> ActivationRpmChoices() {
  std::vector<int> choices;
  for (int rpm = kFirstActivationRpm; rpm <= kLastActivationRpm; rpm += kActivationRpmStep)
    choices.push_back(rpm);
  return choices;
}

CamWorkingCopies::CamWorkingCopies()
    : manualRampRate_{CCamProfile().RampRate(), CCamProfile().RampRate()},
      activationRpm_(CCamshaft().activationRpm) {
  Clear();
}

void CamWorkingCopies::Load(const CCamshaft& camshaft) {
  const CCamProfile* lobes[2] = {&camshaft.lowSpeedLobe, &camshaft.highSpeedLobe};
  for (int lobe = 0; lobe < 2; ++lobe) {
    CCamProfile& seat = copies_[lobe][0];
    CCamProfile& fifty = copies_[lobe][1];
    lobes[lobe]->ConvertTo(seat, kSeatToSeat);
    lobes[lobe]->ConvertTo(fifty, kFiftyThou);
    // Each lobe keeps its own cam type: a two-lobe cam's high-speed lobe has a
    // type of its own (and its own automatic lift factor). A lobe without one
    // is named as a one-lobe cam names it: the low-speed lobe "Custom", the
    // high-speed lobe after the low-speed lobe.
    if (!seat.CamType().IsValid()) {
      if (lobe == kLowSpeedLobe) {
        seat.CamType().SetSelection(kCustomCamTypeCode, kCustomCamName);
      } else {
        seat.CamType() = copies_[kLowSpeedLobe][0].CamType();
      }
    }
    fifty.CamType() = seat.CamType();
  }
  const CPartTypeSpec& method = camshaft.lowSpeedLobe.Method(TimingSet::Primary);
  view_ = method.IsValid() ? method.GetValue() : kSeatToSeat;
  lobe_ = kLowSpeedLobe;
  variableValveTiming_ = camshaft.variableValveTiming;
  activationRpm_ = camshaft.activationRpm;
  autoActivationRpm_ = camshaft.autoActivationRpm;
  for (int lobe = 0; lobe < 2; ++lobe) manualRampRate_[lobe] = copies_[lobe][0].RampRate();
}

CCamProfile CamWorkingCopies::Merged(int lobe) const {
  const CCamProfile& seat = copies_.at(lobe)[0];
  const CCamProfile& fifty = copies_.at(lobe)[1];
  BRISCA_ASSERT(seat.Method(TimingSet::Primary).GetValue() == kSeatToSeat);
  BRISCA_ASSERT(fifty.Method(TimingSet::Primary).GetValue() == kFiftyThou);
  const CCamProfile& shown = view_ == kSeatToSeat ? seat : fifty;
  const CCamProfile& other = view_ == kSeatToSeat ? fifty : seat;
  CCamProfile merged;
  merged.CopyFrom(shown);
  merged.SetSecondaryMethod(other.Method(TimingSet::Primary).GetValue());
  merged.SetSecondaryEvents(other.Event(TimingSet::Primary, kIVO), other.Event(TimingSet::Primary, kIVC),
                            other.Event(TimingSet::Primary, kEVO), other.Event(TimingSet::Primary, kEVC));
  return merged;
}

void CamWorkingCopies::MergeInto(CCamshaft& camshaft) const {
  camshaft.lowSpeedLobe.CopyFrom(Merged(kLowSpeedLobe));
  camshaft.highSpeedLobe.CopyFrom(Merged(kHighSpeedLobe));
  camshaft.variableValveTiming = variableValveTiming_;
  camshaft.activationRpm = activationRpm_;
  camshaft.autoActivationRpm = autoActivationRpm_;
}

void CamWorkingCopies::Clear() {
  for (auto& lobe : copies_) {
    for (int method : {kSeatToSeat, kFiftyThou}) {
      CCamProfile& copy = lobe[MethodSlot(method)];
      copy.Clear();
      copy.CamType().SetSelection(kCustomCamTypeCode, kCustomCamName);
      copy.SetPrimaryMethod(method);
      copy.SetSecondaryMethod(OtherTimingMethod(method));
    }
  }
  view_ = kSeatToSeat;
  lobe_ = kLowSpeedLobe;
  fileName_.clear();
  folder_.clear();
  loadedFromFile_ = false;
  variableValveTiming_ = false;
  activationRpm_.ResetValue();
  autoActivationRpm_ = false;
}

bool CamWorkingCopies::Open(const std::filesystem::path& folder, const std::string& name,
                            bool metric) {
  CCamshaft camshaft;
  if (!camshaft.LoadFromFile(folder / name)) return false;
  camshaft.lowSpeedLobe.ComputeDerived();
  camshaft.highSpeedLobe.ComputeDerived();
  Load(camshaft);
  fileName_ = name;
  folder_ = folder;
  loadedFromFile_ = true;
  SetUnits(metric);
  ClearModified();
  return true;
}

void CamWorkingCopies::SetFileName(const std::string& name) {
  if (name != fileName_) folder_.clear();
  fileName_ = name;
  loadedFromFile_ = false;
}

bool CamWorkingCopies::Save(const std::filesystem::path& path) {
  CCamshaft camshaft;
  MergeInto(camshaft);
  int code = 0;
  if (!camshaft.Validate(code)) {
    ReportErrorCode(code);
    return false;
  }
  if (!camshaft.SaveToFile(path)) return false;
  fileName_ = path.filename().string();
  folder_ = path.parent_path();
  ClearModified();
  return true;
}

void CamWorkingCopies::SetView(int method) {
  MethodSlot(method);
  if (method == view_) return;
  view_ = method;
  for (CCamProfile& copy : copies_[lobe_]) copy.SetModified(true);
}

CCamProfile& CamWorkingCopies::Copy(int lobe, int method) {
  return copies_.at(lobe)[MethodSlot(method)];
}

const CCamProfile& CamWorkingCopies::Copy(int lobe, int method) const {
  return copies_.at(lobe)[MethodSlot(method)];
}

void CamWorkingCopies::SetVariableValveTiming(bool on) {
  variableValveTiming_ = on;
  if (!on) lobe_ = kLowSpeedLobe;
  SetAllModified();
}

void CamWorkingCopies::SetLobe(int lobe) {
  BRISCA_ASSERT(lobe == kLowSpeedLobe || (lobe == kHighSpeedLobe && variableValveTiming_));
  lobe_ = lobe;
  SetAllModified();
}

void CamWorkingCopies::ChooseActivationRpm(float rpm) {
  activationRpm_.SetValue(rpm);
  autoActivationRpm_ = false;
  SetAllModified();
}

bool CamWorkingCopies::Rename(std::string_view name) {
  CPartTypeSpec type = copies_[0][0].CamType();
  if (!type.SetSelection(kCustomCamTypeCode, name)) return false;
  for (auto& lobe : copies_) {
    for (CCamProfile& copy : lobe) {
      copy.CamType() = type;
      copy.SetModified(true);
    }
  }
  return true;
}

void CamWorkingCopies::SetText(CamText which, std::string_view text) {
  for (auto& lobe : copies_) {
    for (CCamProfile& copy : lobe) {
      const std::string before = copy.Text(which);
      copy.SetText(which, text);
      if (copy.Text(which) != before) copy.SetModified(true);
    }
  }
}

void CamWorkingCopies::SetLifter(int code) {
  const LifterTypeRow* row = FindLifterTypeByCode(code);
  BRISCA_ASSERT(row != nullptr);
  for (auto& lobe : copies_) {
    for (CCamProfile& copy : lobe) {
      if (!copy.LifterType().IsValid() || copy.LifterType().GetValue() != code) copy.SetModified(true);
      copy.LifterType().SetSelection(row->code, row->name);
    }
  }
}

bool CamWorkingCopies::AutoRampRate() {
  CCamProfile& seat = copies_[lobe_][0];
  CCamProfile& fifty = copies_[lobe_][1];
  if (!seat.AutoRampRateOn()) {
    manualRampRate_[lobe_] = seat.RampRate();
    seat.SetModified(true);
    fifty.SetModified(true);
  }
  seat.SetAutoRampRate(true);
  fifty.SetAutoRampRate(true);

  bool computed = false;
  const auto primaryValid = [](const CCamProfile& p) {
    for (int e = 0; e < kCamEventCount; ++e)
      if (!p.Event(TimingSet::Primary, static_cast<CamEvent>(e)).IsValid()) return false;
    return true;
  };
  if (primaryValid(seat) && primaryValid(fifty) && seat.IntakeLift().IsValid() &&
      seat.ExhaustLift().IsValid()) {
    seat.SetSecondaryMethod(kFiftyThou);
    seat.SetSecondaryEvents(fifty.Event(TimingSet::Primary, kIVO), fifty.Event(TimingSet::Primary, kIVC),
                            fifty.Event(TimingSet::Primary, kEVO), fifty.Event(TimingSet::Primary, kEVC));
    // Seat-to-seat events not longer on average than the 0.050-inch ones give no rate.
    computed = seat.CanComputeRampRate() && seat.ComputeRampRate();
  }
  if (computed) {
    fifty.RampRate() = seat.RampRate();
  } else {
    seat.RampRate().ResetValue();
    fifty.RampRate().ResetValue();
  }
  return computed;
}

void CamWorkingCopies::ManualRampRate() {
  CCamProfile& seat = copies_[lobe_][0];
  CCamProfile& fifty = copies_[lobe_][1];
  const bool wasAuto = seat.AutoRampRateOn();
  seat.SetAutoRampRate(false);
  fifty.SetAutoRampRate(false);
  // Leaving the automatic rate changes the cam as choosing it does.
  if (wasAuto) {
    seat.SetModified(true);
    fifty.SetModified(true);
  }
  if (wasAuto && !seat.RampRate().IsValid()) {
    seat.RampRate() = manualRampRate_[lobe_];
    fifty.RampRate() = manualRampRate_[lobe_];
  }
}

void CamWorkingCopies::SetRampRateFromSlider(int position) {
  const float rate = RampRateAtSliderPosition(position);
  for (CCamProfile& copy : copies_[lobe_]) {
    CFloatPtSpec& spec = copy.RampRate();
    if (spec.IsValid() && std::fabs(spec.GetValue() - rate) < 0.0001f) continue;
    spec.SetValue(rate);
    copy.SetModified(true);
  }
}

void CamWorkingCopies::EventAccepted(int method) { Copy(lobe_, method).ComputeDerived(); }

void CamWorkingCopies::LiftAccepted(int method) {
  const CCamProfile& from = Copy(lobe_, method);
  CCamProfile& to = Copy(lobe_, OtherTimingMethod(method));
  to.IntakeLift() = from.IntakeLift();
  to.ExhaustLift() = from.ExhaustLift();
}

std::vector<int> CamWorkingCopies::CardAccepted(int method, bool shared) {
  CCamProfile& copy = Copy(lobe_, method);
  if (shared) CopyCard(copy, Copy(lobe_, OtherTimingMethod(method)));
  std::vector<int> errors;
  int code = 0;
  if (!copy.CheckCard(code)) return errors;
  const bool intakeBefore = BothValid(copy, kIVO, kIVC);
  const bool exhaustBefore = BothValid(copy, kEVO, kEVC);
  copy.EventsFromCard();
  if (intakeBefore && !BothValid(copy, kIVO, kIVC)) errors.push_back(kErrIntakeEventsLost);
  if (exhaustBefore && !BothValid(copy, kEVO, kEVC)) errors.push_back(kErrExhaustEventsLost);
  return errors;
}

bool CamWorkingCopies::Validate(int& code) const {
  if (!Copy(kLowSpeedLobe, view_).Validate(code)) return false;
  if (!variableValveTiming_) return true;
  if (!Copy(kHighSpeedLobe, view_).Validate(code)) return false;
  if (!activationRpm_.IsValid()) {
    code = kErrCamActivationRpm;
    return false;
  }
  return true;
}

bool CamWorkingCopies::AnyModified() const {
  for (const auto& lobe : copies_)
    for (const CCamProfile& copy : lobe)
      if (copy.IsModified()) return true;
  return false;
}

void CamWorkingCopies::SetAllModified() {
  for (auto& lobe : copies_)
    for (CCamProfile& copy : lobe) copy.SetModified(true);
}

void CamWorkingCopies::ClearModified() {
  for (auto& lobe : copies_)
    for (CCamProfile& copy : lobe) copy.SetModified(false);
}

void CamWorkingCopies::SetUnits(bool metric) {
  for (auto& lobe : copies_)
    for (CCamProfile& copy : lobe) copy.SetUnits(metric);
}

}  // namespace brisca
