#pragma once
// A range limit typed into the chart properties: an axis minimum or maximum
// (whole numbers) or a data-zone edge (0 .. 2147483648). It behaves as a value
// of the dialogs' edit pattern: it parses and range-checks typed text, formats
// itself back and offers the help text shown while it is edited. It is never
// written to a file on its own (the chart state is).

#include <string>
#include <string_view>

#include "core/spec/SimSpec.h"

namespace brisca {

//! Largest data-zone edge the properties accept.
inline constexpr double kZoneLimitMax = 2147483648.0;

class CChartLimitSpec : public CSimSpec {
 public:
  enum class Kind {
    AxisLimit,  //!< a signed 32-bit whole number, shown "%d"
    ZoneEdge,   //!< a number 0 .. 2147483648, shown as short as it reads back
  };

  //! `label` must outlive the spec (a literal). The help text is set apart (SetPrompt).
  CChartLimitSpec(const char* label, Kind kind);

  //! A number as strtod reads it (leading blanks, trailing characters ignored);
  //! axis limits must be whole and within 32 bits, zone edges within 0..2147483648.
  bool SetFromText(std::string_view text, bool checkOnly = false) override;
  std::string GetText() const override;
  std::string GetTextWithUnits() const override { return GetText(); }
  bool IsValid() const override;
  std::string GetPrompt() const override { return prompt_; }
  void AssertValid() const override;

  void SetPrompt(std::string prompt) { prompt_ = std::move(prompt); }
  //! Stores `value` (must pass the kind's checks: FatalAssert) and marks it assigned.
  void SetValue(double value);
  double GetValue() const { return value_; }
  //! Whether `value` is one this kind accepts.
  bool Accepts(double value) const;

 private:
  Kind kind_;
  double value_ = 0.0;
  std::string prompt_;
};

}  // namespace brisca
