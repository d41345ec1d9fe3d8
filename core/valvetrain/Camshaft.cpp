#include "core/valvetrain/Camshaft.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "core/base/DataFile.h"
#include "core/base/FatalAssert.h"
#include "core/base/FileError.h"
#include "core/base/TextReader.h"
#include "core/base/TextWriter.h"

namespace brisca {
namespace {

constexpr const char* kWrite = "CCamshaft::WriteText";
constexpr const char* kRead = "CCamshaft::ReadText";
constexpr const char* kCurrentVersion = "4.2";
constexpr std::string_view kVersions[] = {"4.2", "4.11", "4.10"};
constexpr float kMinActivationRpm = 2500.0f;
constexpr float kMaxActivationRpm = 8000.0f;

bool ReadFlag(TextReader& in) {
  const int flag = in.ScanIntLine(kRead);
  if (flag != 0 && flag != 1) throw FileError(kErrInvalidValue, kRead);
  return flag == 1;
}

}  // namespace

CCamshaft::CCamshaft()
    : activationRpm("High Speed Activation RPM", UnitRpm, kMinActivationRpm, kMaxActivationRpm,
                    UnitRpm, kSameUnit) {}

void CCamshaft::Clear() {
  variableValveTiming = false;
  lowSpeedLobe.Clear();
  highSpeedLobe.Clear();
  activationRpm.ResetValue();
  autoActivationRpm = false;
}

void CCamshaft::CopyFrom(const CCamshaft& other) {
  if (&other == this) return;
  variableValveTiming = other.variableValveTiming;
  activationRpm = other.activationRpm;
  autoActivationRpm = other.autoActivationRpm;
  lowSpeedLobe.CopyFrom(other.lowSpeedLobe);
  highSpeedLobe.CopyFrom(other.highSpeedLobe);
}

void CCamshaft::SetUnits(bool metric) {
  lowSpeedLobe.SetUnits(metric);
  highSpeedLobe.SetUnits(metric);
}

bool CCamshaft::Validate(int& code) const {
  if (!lowSpeedLobe.Validate(code)) return false;
  if (!variableValveTiming) return true;
  if (!highSpeedLobe.Validate(code)) return false;
  if (!activationRpm.IsValid()) {
    code = kErrCamActivationRpm;
    return false;
  }
  return true;
}

void CCamshaft::LoadCamType(int command) {
  const CamTypeRow* row = FindCamTypeByCommand(command);
  BRISCA_ASSERT(row != nullptr && row->hasTiming);
  lowSpeedLobe.Clear();
  highSpeedLobe.Clear();
  variableValveTiming = IsTwoLobeCamType(*row);
  lowSpeedLobe.LoadCamType(*row);
  if (variableValveTiming) {
    const CamTypeRow& high = HighSpeedRow(*row);
    highSpeedLobe.LifterType() = lowSpeedLobe.LifterType();
    highSpeedLobe.LoadCamType(high);
    activationRpm.SetValue(static_cast<float>(high.lifterOrRpm));
  } else {
    highSpeedLobe.CamType() = lowSpeedLobe.CamType();
    highSpeedLobe.LifterType() = lowSpeedLobe.LifterType();
    highSpeedLobe.SetPrimaryMethod(kSeatToSeat);
    highSpeedLobe.SetSecondaryMethod(kFiftyThou);
  }
}

bool CCamshaft::SetCustomCamType(std::string_view name) {
  CPartTypeSpec type = lowSpeedLobe.CamType();
  if (!type.SetSelection(kCustomCamTypeCode, name)) return false;
  lowSpeedLobe.Clear();
  highSpeedLobe.Clear();
  lowSpeedLobe.CamType() = type;
  highSpeedLobe.CamType() = type;
  return true;
}

// Each lobe is brought to the method on its own: a lobe already in it is left
// alone, so two lobes that disagree (a hand-made file) still end up agreeing.
int CCamshaft::SetTimingMethod(int method) {
  const int other = OtherTimingMethod(method);  // FatalAssert for a method other than 1, 2
  const CPartTypeSpec& lowMethod = lowSpeedLobe.Method(TimingSet::Primary);
  int notice = 0;
  if (lowMethod.IsValid() && lowMethod.GetValue() != method)
    notice = method == kSeatToSeat ? kNoticeFiftyToSeat : kNoticeSeatToFifty;

  for (CCamProfile* lobe : {&lowSpeedLobe, &highSpeedLobe}) {
    const CPartTypeSpec& primary = lobe->Method(TimingSet::Primary);
    if (primary.IsValid() && primary.GetValue() == method) continue;
    if (primary.IsValid()) {
      lobe->SwapTimingSets();
      if (!lobe->Method(TimingSet::Primary).IsValid()) lobe->SetPrimaryMethod(method);
    } else {
      lobe->SetPrimaryMethod(method);
      lobe->SetSecondaryMethod(other);
    }
    BRISCA_ASSERT(lobe->Method(TimingSet::Primary).GetValue() == method);
  }
  return notice;
}

void CCamshaft::SetAutoValveLift(bool on) {
  lowSpeedLobe.SetAutoValveLift(on);
  highSpeedLobe.SetAutoValveLift(on);
}

void CCamshaft::SetAutoActivationRpm(bool on) {
  autoActivationRpm = on;
  if (on) activationRpm.SetValue(kDefaultActivationRpm);
}

void CCamshaft::UpdateDerived(const CFloatPtSpec& intakeValveDiameter) {
  if (lowSpeedLobe.AutoValveLiftOn() && lowSpeedLobe.CamType().IsValid() &&
      intakeValveDiameter.IsValid()) {
    CFloatPtSpec diameter = intakeValveDiameter;
    diameter.ToDomestic();
    lowSpeedLobe.ApplyAutoValveLift(diameter.GetValue());
    // The commands keep both lobes' flags equal and give both a cam type, but a
    // cam file may not: a high-speed lobe without either keeps its own lifts.
    if (variableValveTiming && highSpeedLobe.AutoValveLiftOn() &&
        highSpeedLobe.CamType().IsValid())
      highSpeedLobe.ApplyAutoValveLift(diameter.GetValue());
  }
  lowSpeedLobe.ComputeDerived();
  highSpeedLobe.ComputeDerived();
  lowSpeedLobe.UpdateAutoRampRate();
  highSpeedLobe.UpdateAutoRampRate();
}

void CCamshaft::WriteText(TextWriter& out) const {
  out.WriteLine(kCurrentVersion, kWrite);
  out.WriteInt(variableValveTiming ? 1 : 0, kWrite);
  activationRpm.Write(out);
  out.WriteInt(autoActivationRpm ? 1 : 0, kWrite);
  lowSpeedLobe.WriteText(out);
  highSpeedLobe.WriteText(out);
}

void CCamshaft::ReadText(TextReader& in) {
  CCamshaft read;
  read.CopyFrom(*this);
  const std::string version = ReadCamVersionLine(in, kRead);
  if (std::find(std::begin(kVersions), std::end(kVersions), version) == std::end(kVersions))
    throw FileError(kErrCamVersion, kRead);
  read.variableValveTiming = ReadFlag(in);
  read.activationRpm.Read(in);
  read.autoActivationRpm = ReadFlag(in);
  read.lowSpeedLobe.ReadText(in);
  read.highSpeedLobe.ReadText(in);
  CopyFrom(read);
}

bool CCamshaft::SaveToFile(const std::filesystem::path& path) const {
  return SaveDataFile(path, "CCamshaft::SaveToFile", [this](TextWriter& out) { WriteText(out); });
}

bool CCamshaft::LoadFromFile(const std::filesystem::path& path) {
  return LoadDataFile(path, "CCamshaft::LoadFromFile", [this](TextReader& in) {
    CCamshaft read;
    read.CopyFrom(*this);
    read.ReadText(in);
    read.lowSpeedLobe.SetModified(false);
    read.highSpeedLobe.SetModified(false);
    CopyFrom(read);
  });
}

}  // namespace brisca
