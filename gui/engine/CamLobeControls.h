#pragma once
// The value fields of one cam lobe on the engine form: name and lifters (low-
// speed lobe only), lifts, durations, centrelines, advance, lobe centre,
// overlap, ramp rate, timing method and the three sets of timing events.

#include <array>
#include <functional>

namespace brisca {

class CCamProfile;
class CSimSpecEditCtrl;
class CVexoDoc;

class CamLobeControls {
 public:
  static constexpr int kFieldCount = 28;
  //! Finds the form's field of an id.
  using FieldLookup = std::function<CSimSpecEditCtrl*(int id)>;

  //! `highSpeed` picks the high-speed column's fields.
  CamLobeControls(CVexoDoc& document, CCamProfile& lobe, bool highSpeed, const FieldLookup& find);

  //! Binds every field; `autoLift` is the low-speed lobe's automatic lift flag.
  void Bind(int groupId, bool autoLift);
  //! Shows the lobe's values and sets the modes of the lift and ramp-rate fields.
  void Refresh(bool autoLift);
  void SetEnabled(bool enabled);
  //! The lobe's fields that exist (the high-speed lobe has no name and lifters).
  const std::array<CSimSpecEditCtrl*, kFieldCount>& Fieldset() const { return fields_; }

 private:
  enum Slot : int {
    kName, kLifters, kIntakeLift, kExhaustLift, kIntakeDuration, kExhaustDuration,
    kIntakeCenter, kExhaustCenter, kTrueIntakeCenter, kTrueExhaustCenter, kIntakeAdvance,
    kExhaustAdvance, kLobeCenter, kOverlap, kRampRate, kMethod, kPrimary, kSecondary = kPrimary + 4,
    kTrue = kSecondary + 4
  };

  CVexoDoc& document_;
  CCamProfile& lobe_;
  bool highSpeed_;
  std::array<CSimSpecEditCtrl*, kFieldCount> fields_{};
};

}  // namespace brisca
