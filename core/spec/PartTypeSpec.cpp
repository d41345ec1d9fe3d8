#include "core/spec/PartTypeSpec.h"

#include "core/base/FatalAssert.h"
#include "core/base/FileError.h"
#include "core/base/TextReader.h"
#include "core/base/TextWriter.h"

namespace brisca {

CPartTypeSpec::CPartTypeSpec(const char* label, int min, int max)
    : CSimSpec(label), index_(min), min_(min), max_(max) {
  CPartTypeSpec::AssertValid();
}

CPartTypeSpec& CPartTypeSpec::operator=(const CPartTypeSpec& other) {
  CSimSpec::operator=(other);
  index_ = other.index_;
  min_ = other.min_;
  max_ = other.max_;
  name_ = other.name_;
  CPartTypeSpec::AssertValid();
  return *this;
}

bool CPartTypeSpec::SetSelection(int index, std::string_view name, bool checkOnly) {
  if (name.empty() || !InRange(index)) return false;
  if (name.find_first_of("\r\n") != std::string_view::npos) return false;
  if (!checkOnly) {
    index_ = index;
    name_ = name;
    assigned_ = true;
  }
  return true;
}

bool CPartTypeSpec::SetFromText(std::string_view text, bool checkOnly) {
  return SetSelection(max_, text, checkOnly);
}

std::string CPartTypeSpec::GetText() const { return assigned_ ? name_ : kUnassignedText; }

bool CPartTypeSpec::IsValid() const { return assigned_ && InRange(index_); }

std::string CPartTypeSpec::GetPrompt() const {
  return std::string("Select or Enter ") + label_;
}

void CPartTypeSpec::Write(TextWriter& out) const {
  BRISCA_ASSERT(!name_.empty());
  out.WriteLine(name_, "CPartTypeSpec::Write");
  out.WriteInt(index_, "CPartTypeSpec::Write");
}

void CPartTypeSpec::Read(TextReader& in) {
  const std::string name = TrimTrailingSpace(in.ReadLine("CPartTypeSpec::Read"));
  const int index = in.ScanIntLine("CPartTypeSpec::Read");
  if (!InRange(index)) throw FileError(kErrInvalidValue, "CPartTypeSpec::Read");
  // A blank name line would leave an assigned spec that cannot be written again.
  if (!SetSelection(index, name)) throw FileError(kErrInvalidValue, "CPartTypeSpec::Read");
}

void CPartTypeSpec::AssertValid() const {
  CSimSpec::AssertValid();
  BRISCA_ASSERT(min_ > 0);
  BRISCA_ASSERT(min_ <= max_);
  BRISCA_ASSERT(InRange(index_));
}

}  // namespace brisca
