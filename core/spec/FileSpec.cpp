#include "core/spec/FileSpec.h"

#include "core/base/FatalAssert.h"
#include "core/base/FileError.h"
#include "core/base/TextReader.h"
#include "core/base/TextWriter.h"

namespace brisca {

CFileSpec::CFileSpec(const char* label) : CSimSpec(label) { CFileSpec::AssertValid(); }

CFileSpec& CFileSpec::operator=(const CFileSpec& other) {
  CSimSpec::operator=(other);
  name_ = other.name_;
  CFileSpec::AssertValid();
  return *this;
}

bool CFileSpec::SetFromText(std::string_view text, bool checkOnly) {
  if (text.empty() || text.find_first_of("\r\n") != std::string_view::npos) return false;
  if (!checkOnly) {
    name_ = text;
    assigned_ = true;
  }
  return true;
}

std::string CFileSpec::GetText() const { return assigned_ ? name_ : kUnassignedText; }

bool CFileSpec::IsValid() const { return assigned_ && !name_.empty(); }

std::string CFileSpec::GetPrompt() const { return std::string("Open or Save ") + label_; }

void CFileSpec::Write(TextWriter& out) const {
  out.WriteInt(assigned_ ? 1 : 0, "CFileSpec::Write");
  out.WriteLine(GetText(), "CFileSpec::Write");
}

void CFileSpec::Read(TextReader& in) {
  const int flag = in.ScanIntLine("CFileSpec::Read");
  const std::string name = TrimTrailingSpace(in.ReadLine("CFileSpec::Read"));
  if (flag == 0) return;
  if (!SetFromText(name)) throw FileError(kErrInvalidValue, "CFileSpec::Read");
}

}  // namespace brisca
