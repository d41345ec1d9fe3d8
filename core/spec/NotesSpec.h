#pragma once
// The engine's free-text notes: any characters, line breaks included.

#include <string>
#include <string_view>

#include "core/spec/SimSpec.h"

namespace brisca {

class CNotesSpec : public CSimSpec {
 public:
  friend bool operator==(const CNotesSpec&, const CNotesSpec&) = default;
  //! Unassigned, with an empty text.
  explicit CNotesSpec(const char* label);
  CNotesSpec(const CNotesSpec& other) = default;
  //! Copies every field, the assigned flag included.
  CNotesSpec& operator=(const CNotesSpec& other);

  //! Stores the text unless checkOnly; an empty text unassigns the notes.
  bool SetFromText(std::string_view text, bool checkOnly = false) override;
  //! The text, or "***" when unassigned.
  std::string GetText() const override;
  std::string GetTextWithUnits() const override { return GetText(); }
  bool IsValid() const override;
  //! "Enter or Modify Notes Text"
  std::string GetPrompt() const override;
  //! "%d %d\n" assigned flag and character count of GetText, then the text and a
  //! newline. The count, not the line structure, delimits the text.
  void Write(TextWriter& out) const override;
  //! Reads what Write wrote, the text starting right after the count line, so
  //! leading blanks and line breaks of the text survive.
  void Read(TextReader& in) override;
  bool IsMultiLine() const override { return true; }

 private:
  std::string text_;  //!< free text, may hold line breaks
};

}  // namespace brisca
