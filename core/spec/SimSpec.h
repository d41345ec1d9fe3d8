#pragma once
// One engine parameter as the user sees, chooses or types it. A spec value knows
// its label, whether it has been assigned, its value and limits; it formats itself
// for display and for the edit prompt, parses typed text, range-checks, and writes
// and reads itself as one or two lines of a data file.
//
// The kinds: CFloatPtSpec (a real number with units), CIntegerSpec, CPartTypeSpec
// (a chosen component), CFileSpec (a file name) and CNotesSpec (free text), each
// in its own header. Views and dialogs use them only through the virtual
// operations below; the base alone is never used, and its operations are
// FatalAsserts.
//
// Unassigned means no user, component choice or file has given the parameter a
// value yet: it still holds one (its lower limit) but displays as "***".
//
// File errors: Write throws FileError 44 when the stream refuses the text; Read
// throws 45 when the text cannot be read and 47 when it holds a value outside the
// limits. Either way the spec is left as it was before the failing read.

#include <string>
#include <string_view>

namespace brisca {

class TextReader;
class TextWriter;

//! Text shown for a value that has not been assigned.
inline constexpr const char* kUnassignedText = "***";

class CSimSpec {
 public:
  //! `label` is not copied: it must be a string that outlives the spec (a literal).
  explicit CSimSpec(const char* label);
  virtual ~CSimSpec() = default;

  //! Parses and validates `text`; stores it unless checkOnly. False leaves the spec as it was.
  virtual bool SetFromText(std::string_view text, bool checkOnly = false);
  //! The value as display text, "***" when unassigned.
  virtual std::string GetText() const;
  //! GetText with the unit appended where the kind has one.
  virtual std::string GetTextWithUnits() const;
  //! Assigned and within limits.
  virtual bool IsValid() const;
  //! The help line shown while the user edits this parameter.
  virtual std::string GetPrompt() const;
  //! The limits as the prompt names them ("2.000 to 7.000 in"); empty for kinds without limits.
  virtual std::string GetRangeText() const;
  virtual void Write(TextWriter& out) const;
  virtual void Read(TextReader& in);
  //! True when the edit dialog should offer several lines.
  virtual bool IsMultiLine() const;
  //! Internal consistency; a failure is a FatalAssert.
  virtual void AssertValid() const;

  const char* GetLabel() const { return label_; }
  bool IsAssigned() const { return assigned_; }
  //! Same kind of parameter holding the same: every member alike.
  friend bool operator==(const CSimSpec&, const CSimSpec&) = default;
  //! Marks the value as not given (it keeps what it holds and shows "***").
  void Unassign() { assigned_ = false; }

 protected:
  CSimSpec(const CSimSpec&) = default;
  CSimSpec& operator=(const CSimSpec&) = default;

  const char* label_;       //!< parameter name, e.g. "Bore"; not owned, never null
  bool assigned_ = false;   //!< given a value by the user, a component choice or a file
};

//! Text with its trailing white space removed (the newline of a line read from a file).
std::string TrimTrailingSpace(std::string_view text);

}  // namespace brisca
