#include "core/spec/IntegerSpec.h"

#include "core/base/FatalAssert.h"
#include "core/base/FileError.h"
#include "core/base/NumberText.h"
#include "core/base/TextReader.h"
#include "core/base/TextWriter.h"

namespace brisca {

CIntegerSpec::CIntegerSpec(const char* label, int min, int max)
    : CSimSpec(label), value_(min), min_(min), max_(max) {
  CIntegerSpec::AssertValid();
}

CIntegerSpec& CIntegerSpec::operator=(const CIntegerSpec& other) {
  CSimSpec::operator=(other);
  value_ = other.value_;
  min_ = other.min_;
  max_ = other.max_;
  CIntegerSpec::AssertValid();
  return *this;
}

bool CIntegerSpec::SetFromText(std::string_view text, bool checkOnly) {
  int v = 0;
  // atoi would read "abc" as 0; a text with no number in it is no value.
  if (text.empty() || ParseIntPrefix(text, v) == 0 || !InRange(v)) return false;
  if (!checkOnly) SetValue(v);
  return true;
}

std::string CIntegerSpec::GetText() const {
  return assigned_ ? FormatInt(value_) : std::string(kUnassignedText);
}

bool CIntegerSpec::IsValid() const { return assigned_ && InRange(value_); }

std::string CIntegerSpec::GetPrompt() const {
  return std::string("Enter ") + label_ + " Value Within Range: " + GetRangeText();
}

std::string CIntegerSpec::GetRangeText() const { return FormatInt(min_) + " to " + FormatInt(max_); }

void CIntegerSpec::Write(TextWriter& out) const { out.WriteInt(value_, "CIntegerSpec::Write"); }

void CIntegerSpec::Read(TextReader& in) {
  const int v = in.ScanIntLine("CIntegerSpec::Read");
  if (!InRange(v)) throw FileError(kErrInvalidValue, "CIntegerSpec::Read");
  SetValue(v);
}

void CIntegerSpec::AssertValid() const {
  CSimSpec::AssertValid();
  BRISCA_ASSERT(min_ <= max_);
  BRISCA_ASSERT(InRange(value_));
}

void CIntegerSpec::SetValue(int v) {
  BRISCA_ASSERT(InRange(v));
  value_ = v;
  assigned_ = true;
}

}  // namespace brisca
