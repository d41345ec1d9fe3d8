#pragma once
// A chosen component (Cylinder Head Type, ...): the number of the chosen item of
// its menu and its display name. Items run from min (> 0) to max; the last one is
// the custom item, which carries the name the user typed.

#include <string>
#include <string_view>

#include "core/spec/SimSpec.h"

namespace brisca {

class CPartTypeSpec : public CSimSpec {
 public:
  friend bool operator==(const CPartTypeSpec&, const CPartTypeSpec&) = default;
  //! Unassigned, at item min with no name. min ≤ 0 or max < min is a FatalAssert.
  CPartTypeSpec(const char* label, int min, int max);
  CPartTypeSpec(const CPartTypeSpec& other) = default;
  //! Copies every field, the assigned flag included.
  CPartTypeSpec& operator=(const CPartTypeSpec& other);

  //! Typed text names the custom item: SetSelection(max, text, checkOnly).
  bool SetFromText(std::string_view text, bool checkOnly = false) override;
  //! The name, or "***" when unassigned.
  std::string GetText() const override;
  std::string GetTextWithUnits() const override { return GetText(); }
  bool IsValid() const override;
  //! "Select or Enter Cylinder Head Type"
  std::string GetPrompt() const override;
  //! "%s\n" name, "%d\n" index. The owner validates first: an empty name is a FatalAssert.
  void Write(TextWriter& out) const override;
  //! Reads what Write wrote; the name loses its trailing white space.
  void Read(TextReader& in) override;
  void AssertValid() const override;

  //! False for an empty name, a name with a line break (it would split the
  //! file's name line), or an index out of range; otherwise stores both unless
  //! checkOnly and marks the spec assigned.
  bool SetSelection(int index, std::string_view name, bool checkOnly = false);
  int GetValue() const { return index_; }
  int GetMin() const { return min_; }
  int GetMax() const { return max_; }
  const std::string& GetName() const { return name_; }
  bool InRange(int v) const { return min_ <= v && v <= max_; }

 private:
  int index_;         //!< chosen item, within [min_, max_]
  int min_;           //!< first item, > 0
  int max_;           //!< last item: the custom one
  std::string name_;  //!< the item's display name, or the user's own text
};

}  // namespace brisca
