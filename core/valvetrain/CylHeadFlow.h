#pragma once
// The port-flow record: the flow-bench data that describe a cylinder head to
// the simulation. For each side (intake, exhaust) a table of valve lift
// against measured airflow per port, the bench conditions (test valve
// diameter, test pressure drop) and the number of valves sharing a port.
//
// Invariants:
//  - GetPointCount() is always 4..10; points at and above it are unassigned
//    on both sides. Lowering the count unassigns the dropped points, so raising
//    it again never brings old values back.
//  - A record that passes Validate has a description, every value valid up to
//    the point count, and lifts that rise strictly on each side.
//  - The description is one line of at most kMaxDescriptionLength bytes with
//    no blanks at either end, so the record's text always reads back as written.
//
// Values go in and out in the record's current unit system (SetUnits); the
// flow text always holds domestic values.
//
// File errors of WriteText / ReadText travel as FileError (44 write, 45 read
// or early end, 47 invalid value, 49 unknown version). SaveToFile and
// LoadFromFile own their file: they report the code through ReportErrorCode
// and return false.

#include <array>
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "core/spec/FloatPtSpec.h"
#include "core/spec/IntegerSpec.h"

namespace brisca {

class TextReader;
class TextWriter;

enum class FlowSide { Intake, Exhaust };

//! Numbered messages of the record's checks (ReportErrorCode).
enum FlowErrorCode : int {
  kErrIntakeValvesPerPort = 6,
  kErrExhaustValvesPerPort = 7,
  kErrIntakeLiftsNotRising = 51,
  kErrExhaustLiftsNotRising = 52,
  kErrIntakeTestDiameter = 53,
  kErrIntakePressureDrop = 54,
  kErrExhaustTestDiameter = 55,
  kErrExhaustPressureDrop = 56,
  kErrIntakeLift = 57,
  kErrIntakeFlow = 58,
  kErrExhaustLift = 59,
  kErrExhaustFlow = 60,
  kErrFlowDescription = 61,
};

//! The flow file choosers.
inline constexpr const char* kFlowFileExtension = "qfw";
inline constexpr const char* kFlowFilePattern = "*.qfw";
inline constexpr const char* kFlowFileFilter = "Airflow Files (*.qfw)|*.qfw|All Files (*.*)|*.*||";

inline constexpr int kMinFlowPoints = 4;
inline constexpr int kMaxFlowPoints = 10;
//! Longest description the flow text reads back whole [bytes].
inline constexpr std::size_t kMaxDescriptionLength = 1023;

class CCylHeadFlow {
 public:
  friend bool operator==(const CCylHeadFlow&, const CCylHeadFlow&) = default;
  //! Unmodified, no description or notes, domestic, 4 points; diameters,
  //! pressure drops and valve counts assigned their lower limits; no points.
  CCylHeadFlow();
  CCylHeadFlow(const CCylHeadFlow& other);
  CCylHeadFlow& operator=(const CCylHeadFlow& other);

  //! Copies every member: all ten points of both sides, units and `modified`.
  void CopyFrom(const CCylHeadFlow& other);

  //! Default data for the current point count: empty texts, lower-limit bench
  //! values, lifts 0.05 in apart, 100 cfm everywhere. Keeps count and units.
  void Reset();
  //! Loads built-in head `key` (1..24) with 8 points and empty notes, keeping
  //! the unit system. An unknown key is a FatalAssert.
  void LoadBuiltIn(int key);
  //! The description of built-in head `key`; an unknown key is a FatalAssert.
  static const char* BuiltInDescription(int key);

  //! n must be 4..10 (FatalAssert). Unassigns both sides' points n..9.
  void SetPointCount(int n);
  //! The dialog's spin step: count + delta (delta limited to ±1, count to
  //! 4..10). A new point continues the spacing of the last two lifts and
  //! repeats the last flows; where a side's lifts do not rise, its new lift is
  //! left unassigned and `liftCode` tells why (else 0). Sets `modified` and
  //! returns true when the count changed.
  bool StepPointCount(int delta, int& liftCode);

  //! Continues the lift spacing at `index` (0..9, FatalAssert otherwise) over
  //! the points after it: step = lift[index] − lift[index−1] (lift[0] itself at
  //! 0), each new lift clamped to the lift limits. Refuses, changing nothing,
  //! when the step is not positive (51 / 52) or a lift it uses is not valid
  //! (57 / 59): extending such lifts could only make them fall.
  bool ExtendLifts(FlowSide side, int index, int& code);
  //! lift[index] > lift[index−1] (index 0 always passes), else 51 / 52.
  bool CheckLiftStep(FlowSide side, int index, int& code) const;
  //! Lifts rise strictly over the points in use, else 51 / 52.
  bool CheckLiftsAscending(FlowSide side, int& code) const;
  //! First failure of: description 61; intake diameter 53, drop 54, valves 6;
  //! exhaust diameter 55, drop 56, valves 7; per point intake lift 57, intake
  //! flow 58, exhaust lift 59, exhaust flow 60; rising lifts 51, 52.
  bool Validate(int& code) const;

  //! Converts diameters, pressure drops and points to metric or domestic units.
  void SetUnits(bool metric);
  bool IsMetric() const { return metricUnits_; }

  //! Valves-per-port values; asking while one is not valid is a FatalAssert.
  int IntakeValvesPerPort() const;
  int ExhaustValvesPerPort() const;

  //! The flow text (also embedded in the engine file), always in domestic
  //! units with "0" as the units line; the record itself is not converted.
  void WriteText(TextWriter& out) const;
  //! Reads the flow text of any accepted version; older-layout text leaves the
  //! valves per port and notes as they were. On any FileError the record is
  //! left exactly as it was. Afterwards the record is in the unit system the
  //! text names.
  void ReadText(TextReader& in);

  //! Writes the flow file (temporary file renamed over `path`); a failed save
  //! leaves the old file intact. Reports 43/44/46 and returns false on failure;
  //! clears `modified` on success.
  bool SaveToFile(const std::filesystem::path& path);
  //! Reads a flow file into the record. On failure (43/45/46/47/49 reported,
  //! false returned) the record is untouched; on success `modified` is cleared.
  bool LoadFromFile(const std::filesystem::path& path);

  //! Name offered by the save dialog: `defaultName`, or when that is empty the
  //! description with each of \ / : * ? < > | replaced by "_".
  std::string ProposedFileName(std::string_view defaultName) const;

  bool IsModified() const { return modified_; }
  void SetModified(bool modified) { modified_ = modified; }
  const std::string& GetDescription() const { return description_; }
  //! Stores one line: line breaks become blanks, ends are trimmed, and the text
  //! is cut to kMaxDescriptionLength bytes (at a character boundary).
  void SetDescription(std::string_view description);
  const std::string& GetNotes() const { return notes_; }
  //! Free text; line breaks are kept.
  void SetNotes(std::string_view notes) { notes_ = notes; }
  int GetPointCount() const { return pointCount_; }

  CFloatPtSpec& TestDiameter(FlowSide side) { return Port(side).testDiameter; }
  const CFloatPtSpec& TestDiameter(FlowSide side) const { return Port(side).testDiameter; }
  CFloatPtSpec& PressureDrop(FlowSide side) { return Port(side).pressureDrop; }
  const CFloatPtSpec& PressureDrop(FlowSide side) const { return Port(side).pressureDrop; }
  CIntegerSpec& ValvesPerPort(FlowSide side) { return Port(side).valvesPerPort; }
  const CIntegerSpec& ValvesPerPort(FlowSide side) const { return Port(side).valvesPerPort; }
  //! Point i (0..9, FatalAssert otherwise); only points below the count are used.
  CFloatPtSpec& Lift(FlowSide side, int i);
  const CFloatPtSpec& Lift(FlowSide side, int i) const;
  CFloatPtSpec& Flow(FlowSide side, int i);
  const CFloatPtSpec& Flow(FlowSide side, int i) const;

  //! One side's bench data, in declaration order.
  struct PortData {
    CFloatPtSpec testDiameter;                      //!< test valve diameter [in | mm]
    CFloatPtSpec pressureDrop;                      //!< test pressure drop [inH2O | cmH2O]
    CIntegerSpec valvesPerPort;                     //!< valves sharing one port, 1..3
    std::array<CFloatPtSpec, kMaxFlowPoints> flow;  //!< airflow per port [cfm]
    std::array<CFloatPtSpec, kMaxFlowPoints> lift;  //!< valve lift [in | mm]
    friend bool operator==(const PortData&, const PortData&) = default;
  };

 private:
  PortData& Port(FlowSide side) { return side == FlowSide::Intake ? intake_ : exhaust_; }
  const PortData& Port(FlowSide side) const {
    return side == FlowSide::Intake ? intake_ : exhaust_;
  }
  void AssignDefaultScalars();
  int MissingValueCode() const;
  void ReadBody(TextReader& in);

  bool modified_ = false;            //!< changed since last loaded from or saved to a flow file
  std::string description_;          //!< "Cylinder Head Description"; one line
  std::string notes_;                //!< free notes, may hold line breaks
  bool metricUnits_ = false;         //!< values held in metric (true) or domestic units
  int pointCount_ = kMinFlowPoints;  //!< lift/flow points in use, 4..10
  PortData intake_;
  PortData exhaust_;
};

}  // namespace brisca
