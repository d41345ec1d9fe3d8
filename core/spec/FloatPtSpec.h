#pragma once
// A real-valued engine parameter with a unit in each of the two unit systems.
// The value is held in the current unit; limits are kept in both. Metric values
// are domestic × factor. Converting back to domestic clamps into the domestic
// limits so that float rounding never makes a good value invalid.

#include <string>
#include <string_view>

#include "core/spec/SimSpec.h"
#include "core/spec/UnitTable.h"

namespace brisca {

class CFloatPtSpec : public CSimSpec {
 public:
  friend bool operator==(const CFloatPtSpec&, const CFloatPtSpec&) = default;
  //! Unassigned, at domesticMin, in the domestic unit. Unit codes missing from
  //! the unit table, or min > max, are FatalAsserts.
  CFloatPtSpec(const char* label, UnitCode domesticUnit, float domesticMin, float domesticMax,
               UnitCode metricUnit, float factor);
  //! Copies every field; the copy is assigned only when `other` is valid.
  CFloatPtSpec(const CFloatPtSpec& other);
  //! Copies every field, the assigned flag included.
  CFloatPtSpec& operator=(const CFloatPtSpec& other);

  //! Accepts what strtod accepts (leading white space, trailing characters
  //! ignored). A text that converts to 0 must consist of digits, '.' and '-' only
  //! and be at most 100 characters; a text of which nothing converts is refused.
  //! The value, as a float, must pass the range check of the current unit.
  bool SetFromText(std::string_view text, bool checkOnly = false) override;
  //! Three decimals for inches, two for millimetres...: the current unit's format.
  std::string GetText() const override;
  //! GetText, a blank, the current unit's label.
  std::string GetTextWithUnits() const override;
  bool IsValid() const override;
  //! "Enter Bore Value Within Range: 2.000 to 7.000 in"
  std::string GetPrompt() const override;
  //! "2.000 to 7.000 in": both limits in the current unit's format, and its label.
  std::string GetRangeText() const override;
  //! "%d %f\n": assigned flag, value in the current unit. The owner fixes the unit system.
  void Write(TextWriter& out) const override;
  //! Reads what Write wrote; flag 0 keeps the value but leaves the spec unassigned.
  void Read(TextReader& in) override;
  void AssertValid() const override;

  //! Steps 1 to 3 of SetFromText: the text as a float, without the range check.
  static bool ParseNumber(std::string_view text, float& value);
  //! Parses, rounds half away from zero to `decimals`, range-checks, stores.
  bool SetFromTextRounded(std::string_view text, int decimals);

  float GetValue() const { return value_; }
  UnitCode GetUnitCode() const { return currentUnit_; }
  const char* GetUnitLabel() const;
  bool IsDomestic() const { return currentUnit_ == domesticUnit_; }
  bool IsMetric() const { return currentUnit_ == metricUnit_; }
  //! Limits of the current unit.
  float GetMin() const;
  float GetMax() const;
  //! (min − 0.00001) ≤ v ≤ (max + 0.00001) with the current unit's limits.
  bool InRange(float v) const;

  //! Stores v and marks the spec assigned; v out of range is a FatalAssert.
  void SetValue(float v);
  //! SetValue of v rounded half away from zero to `decimals`.
  void SetValueRounded(float v, int decimals);
  //! Switches to the given system first: stores a value known in that system.
  void SetValueInSystem(float v, bool domestic);
  //! Adds delta; past a limit the value stops at that limit. Always assigns.
  void StepValue(float delta);
  //! Back to the current unit's lower limit, unassigned.
  void ResetValue();
  //! New domestic limits; a value now outside them is reset.
  void SetLimits(float domesticMin, float domesticMax);
  //! Makes this spec another parameter: value at the new minimum, domestic; keeps the flag.
  void Redefine(const char* label, UnitCode domesticUnit, float domesticMin, float domesticMax,
                UnitCode metricUnit, float factor);

  //! value / factor, clamped into the domestic limits.
  void ToDomestic();
  //! value × factor.
  void ToMetric();
  void SetUnitSystem(bool domestic);

 private:
  void Initialise();
  const char* CurrentFormat() const;

  float value_ = 0.0f;          //!< in the current unit
  float domesticMin_ = 0.0f;    //!< lower limit [domestic unit]
  float domesticMax_ = 0.0f;    //!< upper limit [domestic unit]
  float metricMin_ = 0.0f;      //!< domesticMin × factor [metric unit]
  float metricMax_ = 0.0f;      //!< domesticMax × factor [metric unit]
  UnitCode currentUnit_ = UnitNone;   //!< always domesticUnit_ or metricUnit_
  UnitCode domesticUnit_ = UnitNone;
  UnitCode metricUnit_ = UnitNone;    //!< may equal domesticUnit_
  float factor_ = 1.0f;               //!< metric = domestic × factor
  const char* domesticFormat_ = nullptr;  //!< display format from the unit table
  const char* metricFormat_ = nullptr;    //!< display format from the unit table
};

}  // namespace brisca
