#pragma once
// A whole-number engine parameter (Number of Cylinders, ...) with inclusive limits.

#include <string>
#include <string_view>

#include "core/spec/SimSpec.h"

namespace brisca {

class CIntegerSpec : public CSimSpec {
 public:
  friend bool operator==(const CIntegerSpec&, const CIntegerSpec&) = default;
  //! Unassigned, at min. min > max is a FatalAssert.
  CIntegerSpec(const char* label, int min, int max);
  CIntegerSpec(const CIntegerSpec& other) = default;
  //! Copies every field, the assigned flag included.
  CIntegerSpec& operator=(const CIntegerSpec& other);

  //! Accepts what strtol accepts (leading white space, trailing characters
  //! ignored); a text without a number is refused. Must be within [min, max].
  bool SetFromText(std::string_view text, bool checkOnly = false) override;
  //! "%d", or "***" when unassigned.
  std::string GetText() const override;
  std::string GetTextWithUnits() const override { return GetText(); }
  bool IsValid() const override;
  //! "Enter Number of Cylinders Value Within Range: 1 to 16"
  std::string GetPrompt() const override;
  //! "1 to 16"
  std::string GetRangeText() const override;
  //! "%d\n": the value only, no flag.
  void Write(TextWriter& out) const override;
  //! Reads what Write wrote; the spec becomes assigned.
  void Read(TextReader& in) override;
  void AssertValid() const override;

  int GetValue() const { return value_; }
  int GetMin() const { return min_; }
  int GetMax() const { return max_; }
  bool InRange(int v) const { return min_ <= v && v <= max_; }
  //! Stores v and marks the spec assigned; v out of range is a FatalAssert.
  void SetValue(int v);

 private:
  int value_;  //!< always within [min_, max_]
  int min_;
  int max_;
};

}  // namespace brisca
