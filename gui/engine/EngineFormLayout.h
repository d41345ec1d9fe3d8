#pragma once
// Where everything sits on the engine form, in dialog units (a quarter of the
// form font's average character width across, an eighth of its height down):
// the seven groups, the value fields, the labels, separators and buttons.

#include <QRect>

#include <span>

namespace brisca::form {

inline constexpr int kFormWidth = 296;
inline constexpr int kFormHeight = 586;
inline constexpr int kFieldHeight = 8;

enum GroupIndex : int {
  kShortBlockGroup, kHeadsGroup, kCompressionGroup, kInductionGroup, kExhaustGroup,
  kCamshaftGroup, kNotesGroup, kGroupCount
};

struct GroupPlace {
  int id;
  const char* title;
  QRect box;    //!< dialog units
  int lightId;  //!< 0: no light
};
std::span<const GroupPlace> Groups();

//! A value field: its id, group and rectangle.
struct FieldPlace {
  int id;
  GroupIndex group;
  QRect box;
};
//! Every value field, each group's fields in their tab order.
std::span<const FieldPlace> Fields();
const FieldPlace& FieldOf(int id);

//! A text: right-aligned labels end at `x`, left-aligned ones start there.
struct LabelPlace {
  int id;  //!< 0 for labels the form never changes
  const char* text;
  int x;
  int y;
  bool rightAligned;
  bool small;  //!< the small italic font
};
std::span<const LabelPlace> Labels();

struct SeparatorPlace {
  int id;
  int x;
  int y;
  int width;
};
std::span<const SeparatorPlace> Separators();

struct ButtonPlace {
  int id;
  const char* text;
  QRect box;
};
std::span<const ButtonPlace> Buttons();

// Controls that are not value fields.
inline constexpr int kRodLengthRadio = 2544;
inline constexpr int kRodRatioRadio = 2543;
inline constexpr int kVariableValveTimingBox = 2556;
inline constexpr int kSurgeLamp = 2561;
inline constexpr int kChokeLamp = 2562;
inline constexpr int kOverspeedLamp = 2563;
inline constexpr int kPortFlowButton = 1;
inline constexpr int kCrCalcButton = 2;
inline constexpr int kVelmorButton = 3;
inline constexpr int kSimulationTimingLabel = 1161;
inline constexpr int kAdditionalTimingLabel = 1163;

//! One stop of the keyboard's round: a value field or one of the form's buttons and boxes.
struct TabStop {
  int id;  //!< a field's id, or kRodLengthRadio ... kVariableValveTimingBox, kPortFlowButton ...
  GroupIndex group;
  bool field;
};
//! The keyboard's order over the form: each group's fields in their tab order,
//! with the group's buttons and boxes where they sit.
std::span<const TabStop> TabStops();

//! The three lamps: id, label text, left edge of the label (dialog units), row.
struct LampPlace {
  int id;
  const char* text;
  int x;
  int labelY;
  int lampY;
};
std::span<const LampPlace> Lamps();

}  // namespace brisca::form
