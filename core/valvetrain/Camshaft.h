#pragma once
// The camshaft of an engine: a low-speed lobe set and, for variable valve
// timing, a high-speed lobe set that takes over from an activation speed on.
//
// The cam file (".qcm") is the camshaft's text; the engine file embeds the
// same text. Its lines:
//
//   4.2                 version (4.11 and 4.10 also read)
//   <0|1>               variableValveTiming
//   <flag> <value>      "High Speed Activation RPM"
//   <0|1>               autoActivationRpm
//   <profile text>      low-speed lobe (CCamProfile), with its own version
//   <profile text>      high-speed lobe, always present
//
// WriteText / ReadText raise FileError (44 write, 45 read or early end, 47
// invalid value, 50 unknown version); ReadText leaves the camshaft as it was
// on any error. SaveToFile / LoadFromFile own their file: they report the code
// through ReportErrorCode and return false.

#include <filesystem>

#include "core/spec/FloatPtSpec.h"
#include "core/valvetrain/CamProfile.h"

namespace brisca {

class TextReader;
class TextWriter;

//! The cam file dialogs.
inline constexpr const char* kCamFileExtension = "qcm";
inline constexpr const char* kCamFilePattern = "*.qcm";
inline constexpr const char* kCamFileFilter = "Cam Data Files (*.qcm)|*.qcm|All Files (*.*)|*.*||";
//! "Auto Calculate" activation speed when no better one is known [rpm].
inline constexpr float kDefaultActivationRpm = 5000.0f;

class CCamshaft {
 public:
  friend bool operator==(const CCamshaft&, const CCamshaft&) = default;
  //! Cleared, domestic.
  CCamshaft();

  //! One lobe, VVT off, both lobes cleared, activation speed unassigned and not automatic.
  void Clear();
  void CopyFrom(const CCamshaft& other);
  //! Both lobes to the given unit system.
  void SetUnits(bool metric);
  //! The low-speed lobe; with variable valve timing also the high-speed lobe
  //! and then the activation speed (171).
  bool Validate(int& code) const;

  // ---- what the component commands call ---------------------------------
  //! A built-in cam type by its menu command (FatalAssert for an unknown
  //! command or the custom type): both lobes cleared and filled from the row,
  //! seat-to-seat primary, 0.050-inch secondary. A two-lobe type also fills
  //! the high-speed lobe from the next row and sets the activation speed;
  //! otherwise the high-speed lobe gets the cam type and lifter only.
  void LoadCamType(int command);
  //! "Custom Cam Type": both lobes cleared and named `name` (code 6); false,
  //! changing nothing, for a name a part type cannot hold.
  bool SetCustomCamType(std::string_view name);
  //! The timing-convention command: makes `method` the primary convention of
  //! both lobes, swapping their sets where needed. Returns the notice the
  //! caller shows (101 from 0.050-inch to seat-to-seat, 102 the reverse), or
  //! 0 when the low-speed lobe's convention did not change.
  int SetTimingMethod(int method);
  //! "Auto Calculate Valve Lift" for both lobes; on unassigns all four lifts.
  void SetAutoValveLift(bool on);
  //! "Auto Calculate" activation speed; switching it on sets 5000 rpm.
  void SetAutoActivationRpm(bool on);

  // ---- recalculation -----------------------------------------------------
  //! The camshaft's part of the document recalculation: automatic lifts from
  //! the intake valve diameter (any unit system), ComputeDerived on both lobes,
  //! automatic ramp rates. With variable valve timing the high-speed lobe gets
  //! automatic lifts too, from its own cam type, when its flag is on and its
  //! cam type valid.
  void UpdateDerived(const CFloatPtSpec& intakeValveDiameter);

  // ---- files ---------------------------------------------------------------
  void WriteText(TextWriter& out) const;
  void ReadText(TextReader& in);
  //! Writes the cam file through a temporary file renamed over `path`; a
  //! failed save leaves the old file intact. Reports 43/44/46, returns false.
  bool SaveToFile(const std::filesystem::path& path) const;
  //! Reads a cam file; on failure (43/45/46/47/50 reported, false returned)
  //! the camshaft is untouched. On success both lobes are unmodified.
  bool LoadFromFile(const std::filesystem::path& path);

  // ---- members -------------------------------------------------------------
  bool variableValveTiming = false;  //!< the high-speed lobe is in use
  CFloatPtSpec activationRpm;        //!< "High Speed Activation RPM" [rpm]
  bool autoActivationRpm = false;    //!< the activation speed is computed
  CCamProfile lowSpeedLobe;          //!< the only lobe without variable valve timing
  CCamProfile highSpeedLobe;         //!< used only with variableValveTiming
};

}  // namespace brisca
