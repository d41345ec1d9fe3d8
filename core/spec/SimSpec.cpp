#include "core/spec/SimSpec.h"

#include "core/base/FatalAssert.h"
#include "core/base/NumberText.h"

namespace brisca {

CSimSpec::CSimSpec(const char* label) : label_(label) { CSimSpec::AssertValid(); }

// The base stands for no parameter: reaching one of these is a programming error.
bool CSimSpec::SetFromText(std::string_view, bool) { FatalAssert(__FILE__, __LINE__); }
std::string CSimSpec::GetText() const { FatalAssert(__FILE__, __LINE__); }
std::string CSimSpec::GetTextWithUnits() const { FatalAssert(__FILE__, __LINE__); }
bool CSimSpec::IsValid() const { FatalAssert(__FILE__, __LINE__); }
std::string CSimSpec::GetPrompt() const { FatalAssert(__FILE__, __LINE__); }
std::string CSimSpec::GetRangeText() const { return {}; }
void CSimSpec::Write(TextWriter&) const { FatalAssert(__FILE__, __LINE__); }
void CSimSpec::Read(TextReader&) { FatalAssert(__FILE__, __LINE__); }

bool CSimSpec::IsMultiLine() const { return false; }

void CSimSpec::AssertValid() const { BRISCA_ASSERT(label_ != nullptr); }

std::string TrimTrailingSpace(std::string_view text) {
  std::size_t length = text.size();
  while (length > 0 && IsCSpace(text[length - 1])) --length;
  return std::string(text.substr(0, length));
}

}  // namespace brisca
