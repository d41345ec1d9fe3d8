#pragma once
// What the cam manager edits: each lobe of a camshaft held twice, once with
// its primary timing set in the seat-to-seat convention and once in the
// 0.050-inch convention, plus working copies of the variable-valve-timing
// values, the cam file's name and folder, and per lobe the ramp rate to give
// back when the automatic ramp rate is switched off.
//
// The copy shown is that of the current lobe and view convention. Edits go
// into the copies only; the document takes the result through MergeInto.
//
// Every user edit marks the copies it touches `modified`; opening or saving a
// cam file clears the marks. A cam name typed by the user makes the cam a
// custom cam (code 6) in all four copies.

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/spec/FloatPtSpec.h"
#include "core/valvetrain/CamProfile.h"
#include "core/valvetrain/Camshaft.h"

namespace brisca {

//! The lobe shown: low-speed or, with variable valve timing, high-speed.
enum CamLobeIndex : int { kLowSpeedLobe = 0, kHighSpeedLobe = 1 };

//! The ramp-rate slider: positions 10..60, the top (10) showing 6.0.
inline constexpr int kRampSliderMin = 10;
inline constexpr int kRampSliderMax = 60;
//! The ramp rate at slider position `position`, limited to 1..6.
float RampRateAtSliderPosition(int position);
//! The slider position that shows `rampRate` (nearest tenth).
int SliderPositionOfRampRate(float rampRate);

//! The activation speeds the list offers [rpm]: 2500..8000 in steps of 500.
std::vector<int> ActivationRpmChoices();

//! Name of a custom cam when the cam has none.
inline constexpr const char* kCustomCamName = "Custom";

class CamWorkingCopies {
 public:
  //! Cleared (as Clear).
  CamWorkingCopies();

  // ---- loading and merging ----------------------------------------------
  //! Each lobe of `camshaft` converted into its two copies, both with the
  //! lobe's own cam type; a low-speed lobe without one is named "Custom"
  //! (code 6), a high-speed lobe without one takes the low-speed lobe's. The
  //! view follows the low-speed lobe's convention, the low-speed lobe is shown.
  //! Takes the variable-valve-timing values; the file name is left alone.
  void Load(const CCamshaft& camshaft);
  //! The lobe as one profile: the copy of the view convention with the other
  //! copy's primary events as its secondary set.
  CCamProfile Merged(int lobe) const;
  //! Both lobes merged and the variable-valve-timing values, into `camshaft`.
  void MergeInto(CCamshaft& camshaft) const;
  //! Everything reset: four cleared copies named "Custom" with their
  //! conventions, seat-to-seat view, low-speed lobe, no file, no variable
  //! valve timing, activation speed unassigned and not automatic.
  void Clear();

  // ---- cam files -----------------------------------------------------------
  //! Reads the cam file `folder`/`name` (errors reported by the file); on
  //! success the copies hold it in `metric` units, unmodified, with its name
  //! and folder and the loaded flag on. False leaves everything as it was.
  bool Open(const std::filesystem::path& folder, const std::string& name, bool metric);
  //! Writes the merged camshaft to `path` (it must validate: the failure code
  //! is reported); on success the name and folder are kept and the marks cleared.
  bool Save(const std::filesystem::path& path);
  //! The copies stand for the cam file `name` without reading it (an engine's
  //! "Cam Data File"; empty for none); the loaded flag goes off and the folder
  //! is kept only while the name stays the same.
  void SetFileName(const std::string& name);
  const std::string& FileName() const { return fileName_; }
  const std::filesystem::path& Folder() const { return folder_; }
  bool LoadedFromFile() const { return loadedFromFile_; }

  // ---- what is shown ---------------------------------------------------
  int View() const { return view_; }
  int Lobe() const { return lobe_; }
  //! The view convention (1 or 2); a change marks both copies of the lobe.
  void SetView(int method);
  CCamProfile& Copy(int lobe, int method);
  const CCamProfile& Copy(int lobe, int method) const;
  CCamProfile& Shown() { return Copy(lobe_, view_); }
  const CCamProfile& Shown() const { return Copy(lobe_, view_); }

  // ---- variable valve timing -----------------------------------------------
  bool VariableValveTiming() const { return variableValveTiming_; }
  const CFloatPtSpec& ActivationRpm() const { return activationRpm_; }
  bool AutoActivationRpm() const { return autoActivationRpm_; }
  //! On or off; off returns to the low-speed lobe. Marks all four copies.
  void SetVariableValveTiming(bool on);
  //! The lobe shown (the high-speed one only with variable valve timing). Marks all four.
  void SetLobe(int lobe);
  //! A chosen activation speed; clears the automatic speed. Marks all four.
  void ChooseActivationRpm(float rpm);

  // ---- description ---------------------------------------------------------
  //! A cam name typed by the user: code 6 with that name in all four copies
  //! (refused, changing nothing, for a name a cam type cannot hold).
  bool Rename(std::string_view name);
  //! A description text into all four copies; marks them when it changed.
  void SetText(CamText which, std::string_view text);
  //! A lifter type by its code into all four copies.
  void SetLifter(int code);

  // ---- ramp rate -------------------------------------------------------------
  //! "Auto Calc.": automatic ramp rate in both copies of the lobe, computed
  //! from the seat-to-seat and 0.050-inch events and the lifts. False when it
  //! cannot be computed: the rate of both copies is then unassigned (the
  //! caller shows notice 107 and calls Manual on Cancel).
  bool AutoRampRate();
  //! "Manual": automatic ramp rate off in both copies (marking them when it
  //! was on); when it was on and the rate is not valid, the rate remembered
  //! when it was switched on is restored.
  void ManualRampRate();
  //! The slider moved: the rate at `position` into both copies when it differs.
  void SetRampRateFromSlider(int position);
  bool RampRateIsAuto() const { return Shown().AutoRampRateOn(); }

  // ---- values accepted on the pages ------------------------------------------
  //! An event of the `method` copy accepted: its derived values follow.
  void EventAccepted(int method);
  //! A lift accepted in the `method` copy: copied into the other copy.
  void LiftAccepted(int method);
  //! A cam-card value accepted in the `method` copy. With `shared` (centreline,
  //! lobe centre, lift) the view copy's card values are copied into the other
  //! copy too. When the copy's card is complete its events follow from it.
  //! Returns the errors to post: 106 when IVO and IVC were both valid and no
  //! longer are, 107 likewise for EVO and EVC.
  std::vector<int> CardAccepted(int method, bool shared);

  // ---- applying ---------------------------------------------------------------
  //! The view copy of the low-speed lobe, then with variable valve timing that
  //! of the high-speed lobe and the activation speed (171).
  bool Validate(int& code) const;
  bool AnyModified() const;
  void SetAllModified();
  void ClearModified();
  //! All four copies to the unit system.
  void SetUnits(bool metric);

 private:
  std::array<std::array<CCamProfile, 2>, 2> copies_;  // [lobe][method - 1]
  // Per lobe, the manual ramp rate to restore. It keeps the ramp rate's own
  // limits (1..6): a value range of 0..1 could hold no ramp rate at all.
  std::array<CFloatPtSpec, 2> manualRampRate_;
  int view_ = kSeatToSeat;
  int lobe_ = kLowSpeedLobe;
  bool variableValveTiming_ = false;
  CFloatPtSpec activationRpm_;
  bool autoActivationRpm_ = false;
  std::string fileName_;
  std::filesystem::path folder_;
  bool loadedFromFile_ = false;
};

}  // namespace brisca
