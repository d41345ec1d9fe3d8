#pragma once
// A file name or path held by the engine (a cam file, a flow file, ...).

#include <string>
#include <string_view>

#include "core/spec/SimSpec.h"

namespace brisca {

class CFileSpec : public CSimSpec {
 public:
  friend bool operator==(const CFileSpec&, const CFileSpec&) = default;
  //! Unassigned, with an empty name.
  explicit CFileSpec(const char* label);
  CFileSpec(const CFileSpec& other) = default;
  //! Copies every field, the assigned flag included.
  CFileSpec& operator=(const CFileSpec& other);

  //! Refuses an empty text and one with a line break (it would split the
  //! file's name line); otherwise stores it unless checkOnly.
  bool SetFromText(std::string_view text, bool checkOnly = false) override;
  //! The name, or "***" when unassigned.
  std::string GetText() const override;
  std::string GetTextWithUnits() const override { return GetText(); }
  bool IsValid() const override;
  //! "Open or Save Cam File"
  std::string GetPrompt() const override;
  //! "%d\n" assigned flag, "%s\n" GetText (so "***" when unassigned).
  void Write(TextWriter& out) const override;
  //! Reads what Write wrote. With flag 0 the name line is skipped and the spec
  //! stays as it was.
  void Read(TextReader& in) override;

  const std::string& GetName() const { return name_; }

 private:
  std::string name_;  //!< file name or path
};

}  // namespace brisca
