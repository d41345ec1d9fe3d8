#include "core/spec/FloatPtSpec.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "core/base/FatalAssert.h"
#include "core/base/FileError.h"
#include "core/base/NumberText.h"
#include "core/base/TextReader.h"
#include "core/base/TextWriter.h"

namespace brisca {
namespace {

// Absorbs the float error of typed text and of unit conversion at the limits.
constexpr float kRangeTolerance = 0.00001f;
// Longest text accepted as zero: a guard against a page of zeros typed into a field.
constexpr std::size_t kMaxZeroTextLength = 100;

float RoundHalfAwayFromZero(float v, int decimals) {
  const double scale = std::pow(10.0, decimals);
  const double magnitude = std::trunc(std::fabs(static_cast<double>(v)) * scale + 0.5) / scale;
  return static_cast<float>(v < 0.0f ? -magnitude : magnitude);
}

bool IsZeroTextCharacter(char c) { return (c >= '0' && c <= '9') || c == '.' || c == '-'; }

}  // namespace

CFloatPtSpec::CFloatPtSpec(const char* label, UnitCode domesticUnit, float domesticMin,
                           float domesticMax, UnitCode metricUnit, float factor)
    : CSimSpec(label),
      domesticMin_(domesticMin),
      domesticMax_(domesticMax),
      domesticUnit_(domesticUnit),
      metricUnit_(metricUnit),
      factor_(factor) {
  Initialise();
  CFloatPtSpec::AssertValid();
}

CFloatPtSpec::CFloatPtSpec(const CFloatPtSpec& other) : CSimSpec(other.label_) {
  *this = other;
  assigned_ = other.IsValid();
}

CFloatPtSpec& CFloatPtSpec::operator=(const CFloatPtSpec& other) {
  CSimSpec::operator=(other);
  value_ = other.value_;
  domesticMin_ = other.domesticMin_;
  domesticMax_ = other.domesticMax_;
  metricMin_ = other.metricMin_;
  metricMax_ = other.metricMax_;
  currentUnit_ = other.currentUnit_;
  domesticUnit_ = other.domesticUnit_;
  metricUnit_ = other.metricUnit_;
  factor_ = other.factor_;
  domesticFormat_ = other.domesticFormat_;
  metricFormat_ = other.metricFormat_;
  CFloatPtSpec::AssertValid();
  return *this;
}

void CFloatPtSpec::Initialise() {
  metricMin_ = domesticMin_ * factor_;
  metricMax_ = domesticMax_ * factor_;
  value_ = domesticMin_;
  currentUnit_ = domesticUnit_;
  const UnitRow* domestic = FindUnit(domesticUnit_);
  const UnitRow* metric = FindUnit(metricUnit_);
  domesticFormat_ = domestic ? domestic->format : nullptr;
  metricFormat_ = metric ? metric->format : nullptr;
}

bool CFloatPtSpec::ParseNumber(std::string_view text, float& value) {
  if (text.empty()) return false;
  double parsed = 0.0;
  // Nothing convertible ("-", ".", "abc") is refused rather than taken as zero.
  if (ParseDoublePrefix(text, parsed) == 0) return false;
  // strtod reads "0x1" and "0abc" as zero: only a text that looks like a zero is one.
  if (parsed == 0.0) {
    if (text.size() > kMaxZeroTextLength) return false;
    if (!std::all_of(text.begin(), text.end(), IsZeroTextCharacter)) return false;
  }
  if (std::fabs(parsed) > FLT_MAX) return false;
  value = static_cast<float>(parsed);
  return true;
}

bool CFloatPtSpec::SetFromText(std::string_view text, bool checkOnly) {
  float v = 0.0f;
  if (!ParseNumber(text, v) || !InRange(v)) return false;
  if (!checkOnly) SetValue(v);
  return true;
}

bool CFloatPtSpec::SetFromTextRounded(std::string_view text, int decimals) {
  float v = 0.0f;
  if (!ParseNumber(text, v)) return false;
  v = RoundHalfAwayFromZero(v, decimals);
  if (!InRange(v)) return false;
  SetValue(v);
  return true;
}

const char* CFloatPtSpec::CurrentFormat() const {
  return IsDomestic() ? domesticFormat_ : metricFormat_;
}

std::string CFloatPtSpec::GetText() const {
  if (!assigned_) return kUnassignedText;
  return FormatFixed(value_, FormatDecimals(CurrentFormat()));
}

std::string CFloatPtSpec::GetTextWithUnits() const {
  return GetText() + ' ' + GetUnitLabel();
}

bool CFloatPtSpec::IsValid() const { return assigned_ && InRange(value_); }

std::string CFloatPtSpec::GetPrompt() const {
  return std::string("Enter ") + label_ + " Value Within Range: " + GetRangeText();
}

std::string CFloatPtSpec::GetRangeText() const {
  const int decimals = FormatDecimals(CurrentFormat());
  return FormatFixed(GetMin(), decimals) + " to " + FormatFixed(GetMax(), decimals) + ' ' +
         GetUnitLabel();
}

void CFloatPtSpec::Write(TextWriter& out) const {
  out.WriteIntFloat(assigned_ ? 1 : 0, value_, "CFloatPtSpec::Write");
}

void CFloatPtSpec::Read(TextReader& in) {
  const TextReader::IntFloat line = in.ScanIntFloatLine("CFloatPtSpec::Read");
  if (!InRange(line.value)) throw FileError(kErrInvalidValue, "CFloatPtSpec::Read");
  SetValue(line.value);
  if (line.flag == 0) assigned_ = false;
}

void CFloatPtSpec::AssertValid() const {
  CSimSpec::AssertValid();
  BRISCA_ASSERT(domesticMin_ <= domesticMax_);
  BRISCA_ASSERT(metricMin_ <= metricMax_);
  BRISCA_ASSERT(currentUnit_ == domesticUnit_ || currentUnit_ == metricUnit_);
  BRISCA_ASSERT(InRange(value_));
  BRISCA_ASSERT(domesticFormat_ != nullptr && metricFormat_ != nullptr);
}

const char* CFloatPtSpec::GetUnitLabel() const {
  const UnitRow* row = FindUnit(currentUnit_);
  return row ? row->label : "";
}

float CFloatPtSpec::GetMin() const { return IsDomestic() ? domesticMin_ : metricMin_; }

float CFloatPtSpec::GetMax() const { return IsDomestic() ? domesticMax_ : metricMax_; }

bool CFloatPtSpec::InRange(float v) const {
  return (GetMin() - kRangeTolerance) <= v && v <= (GetMax() + kRangeTolerance);
}

void CFloatPtSpec::SetValue(float v) {
  BRISCA_ASSERT(InRange(v));
  value_ = v;
  assigned_ = true;
}

void CFloatPtSpec::SetValueRounded(float v, int decimals) {
  SetValue(RoundHalfAwayFromZero(v, decimals));
}

void CFloatPtSpec::SetValueInSystem(float v, bool domestic) {
  SetUnitSystem(domestic);
  SetValue(v);
}

void CFloatPtSpec::StepValue(float delta) {
  const float v = value_ + delta;
  if (InRange(v)) {
    SetValue(v);
  } else {
    SetValue(delta > 0.0f ? GetMax() : GetMin());
  }
}

void CFloatPtSpec::ResetValue() {
  value_ = GetMin();
  assigned_ = false;
}

void CFloatPtSpec::SetLimits(float domesticMin, float domesticMax) {
  domesticMin_ = domesticMin;
  domesticMax_ = domesticMax;
  metricMin_ = domesticMin_ * factor_;
  metricMax_ = domesticMax_ * factor_;
  if (!InRange(value_)) ResetValue();
  CFloatPtSpec::AssertValid();
}

void CFloatPtSpec::Redefine(const char* label, UnitCode domesticUnit, float domesticMin,
                            float domesticMax, UnitCode metricUnit, float factor) {
  label_ = label;
  domesticUnit_ = domesticUnit;
  metricUnit_ = metricUnit;
  factor_ = factor;
  domesticMin_ = domesticMin;
  domesticMax_ = domesticMax;
  Initialise();
  CFloatPtSpec::AssertValid();
}

// Both directions clamp into the target limits: a value the tolerance let in just
// past a limit must not come out of the conversion beyond the tolerance, where it
// would no longer be valid.
void CFloatPtSpec::ToDomestic() {
  if (currentUnit_ == domesticUnit_) return;
  value_ = std::clamp(value_ / factor_, domesticMin_, domesticMax_);
  currentUnit_ = domesticUnit_;
}

void CFloatPtSpec::ToMetric() {
  if (currentUnit_ == metricUnit_) return;
  value_ = std::clamp(value_ * factor_, metricMin_, metricMax_);
  currentUnit_ = metricUnit_;
}

void CFloatPtSpec::SetUnitSystem(bool domestic) {
  if (domestic) {
    ToDomestic();
  } else {
    ToMetric();
  }
}

}  // namespace brisca
