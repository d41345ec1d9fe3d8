#include "core/spec/NotesSpec.h"

#include "core/base/FatalAssert.h"
#include "core/base/FileError.h"
#include "core/base/TextReader.h"
#include "core/base/TextWriter.h"

namespace brisca {

CNotesSpec::CNotesSpec(const char* label) : CSimSpec(label) { CNotesSpec::AssertValid(); }

CNotesSpec& CNotesSpec::operator=(const CNotesSpec& other) {
  CSimSpec::operator=(other);
  text_ = other.text_;
  CNotesSpec::AssertValid();
  return *this;
}

bool CNotesSpec::SetFromText(std::string_view text, bool checkOnly) {
  if (checkOnly) return true;
  // Emptied notes are no notes: otherwise notes once typed could never be removed.
  text_ = text;
  assigned_ = !text.empty();
  return true;
}

std::string CNotesSpec::GetText() const { return assigned_ ? text_ : kUnassignedText; }

bool CNotesSpec::IsValid() const { return assigned_ && !text_.empty(); }

std::string CNotesSpec::GetPrompt() const { return "Enter or Modify Notes Text"; }

void CNotesSpec::Write(TextWriter& out) const {
  const std::string text = GetText();
  out.WriteIntInt(assigned_ ? 1 : 0, static_cast<int>(text.size()), "CNotesSpec::Write");
  out.WriteLine(text, "CNotesSpec::Write");
}

void CNotesSpec::Read(TextReader& in) {
  constexpr const char* kWhere = "CNotesSpec::Read";
  const int flag = in.ScanInt(kWhere);
  const int count = in.ScanInt(kWhere);
  // Not a scanf "\n": that would swallow the text's own leading blanks and line breaks.
  in.EndLine(kWhere);
  if (count < 0) throw FileError(kErrRead, kWhere);
  std::string text;
  for (int i = 0; i < count; ++i) text += in.ReadChar(kWhere);
  if (in.ReadChar(kWhere) != '\n') throw FileError(kErrRead, kWhere);
  if (flag != 0) SetFromText(text);
}

}  // namespace brisca
