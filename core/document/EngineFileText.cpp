#include "core/document/EngineFileText.h"

#include <algorithm>
#include <array>
#include <string>

#include "core/base/FileError.h"
#include "core/base/Version.h"
#include "core/sim/induction/CompressorMapNames.h"
#include "core/base/NumberText.h"
#include "core/base/TextReader.h"
#include "core/base/TextWriter.h"

namespace brisca {
namespace {

constexpr const char* kWrite = "EngineFile::Write";
constexpr const char* kRead = "EngineFile::Read";

// The version line is read the way a 256-byte fgets buffer reads it.
constexpr std::size_t kVersionLineChars = 255;
// Old files keep "Nitrous Flow Rate" in units of 25 HP.
constexpr float kOldNitrousStep = 25.0f;
// Limits of the two plain floats of a forced-induction choice: any catalogue
// row lies far inside them.
constexpr float kMaxBlowerEfficiency = 100.0f;  // [%]
constexpr float kMaxBlowerSpeed = 500000.0f;    // [rpm]

using CF = CalculatorForm;
// Newest first. Everything the table does not name is as in "4.2".
constexpr std::array<EngineFileVersion, 10> kVersions = {{
    // text    rod    x25    calculator  results notes  report optional
    {"4.2", true, false, CF::Full, true, true, true, false},
    {"4.11", true, false, CF::Full, true, true, true, false},
    {"4.10", true, true, CF::Short, true, true, true, false},
    {"4.06", false, true, CF::Short, true, true, true, true},
    {"4.05", false, true, CF::Short, true, true, false, false},
    {"3.10", false, true, CF::Short, true, false, false, false},
    {"3.08", false, true, CF::Short, true, false, false, false},
    {"3.07", false, true, CF::Absent, false, false, false, false},
    {"3.06", false, true, CF::Absent, false, false, false, false},
    {"3.05", false, true, CF::Absent, false, false, false, false},
}};

std::string Trimmed(std::string_view text) {
  std::string line = TrimTrailingSpace(text);
  line.erase(0, CountLeadingSpace(line));
  return line;
}

// "%d" line read as a flag: any non-zero value is on.
bool ReadFlagLine(TextReader& in) { return in.ScanIntLine(kRead) != 0; }

int ReadIntInRange(TextReader& in, int low, int high) {
  const int value = in.ScanIntLine(kRead);
  if (value < low || value > high) throw FileError(kErrInvalidValue, kRead);
  return value;
}

float ReadFloatInRange(TextReader& in, float low, float high) {
  const float value = in.ScanFloat(kRead);
  in.SkipSpace();
  if (!(value >= low && value <= high)) throw FileError(kErrInvalidValue, kRead);
  return value;
}

void WriteSpecs(TextWriter& out, std::initializer_list<const CSimSpec*> specs) {
  for (const CSimSpec* spec : specs) spec->Write(out);
}

void ReadSpecs(TextReader& in, std::initializer_list<CSimSpec*> specs) {
  for (CSimSpec* spec : specs) spec->Read(in);
}

// One row "%.0f %f %f": engine speed, power, torque. An empty set writes zeros.
void WriteResultRows(TextWriter& out, const ResultSet& set) {
  for (int k = 0; k < kResultPoints; ++k) {
    const bool filled = k < set.count;
    const float rpm = filled ? set.rpm[k] : 0.0f;
    const float power = filled ? set.power[k] : 0.0f;
    const float torque = filled ? set.torque[k] : 0.0f;
    out.WriteLine(FormatFixed(rpm, 0) + " " + FormatFixed(power, 6) + " " + FormatFixed(torque, 6),
                  kWrite);
  }
}

void SkipResultRows(TextReader& in, int count) {
  for (int k = 0; k < count; ++k) {
    in.ScanFloat(kRead);
    in.ScanFloat(kRead);
    in.ScanFloat(kRead);
    in.SkipSpace();
  }
}

void ReadNitrous(TextReader& in, CFloatPtSpec& nitrous, bool times25) {
  nitrous.Read(in);
  if (!times25) return;
  const float value = nitrous.GetValue() * kOldNitrousStep;
  // A value the parameter cannot hold is refused rather than stored out of range.
  if (!nitrous.InRange(value)) throw FileError(kErrInvalidValue, kRead);
  const bool assigned = nitrous.IsAssigned();
  nitrous.SetValue(value);
  if (!assigned) nitrous.Unassign();
}

void ReadForcedInduction(TextReader& in, EngineParameters& e) {
  e.forcedInductionKind = ReadIntInRange(in, kNoForcedInduction, kScrewBlower);
  e.compressorMap = ReadIntInRange(in, 0, kCompressorMapCount);
  // "None" is the only choice without a device: anything else would reach the
  // simulation as a boosted engine with no kind.
  const bool none = e.forcedInductionType.GetValue() == kNoForcedInductionItem;
  if (none != (e.forcedInductionKind == kNoForcedInduction))
    throw FileError(kErrInvalidValue, kRead);
}

void ReadFullCalculator(TextReader& in, EngineParameters& e) {
  e.crDataValid = ReadFlagLine(in);
  e.crMethod = ReadIntInRange(in, 1, 2);
  ReadSpecs(in, {&e.chamberVolume, &e.gasketBore, &e.gasketThickness, &e.domeVolume,
                 &e.reliefsVolume, &e.deckClearance, &e.downBoreDistance, &e.measuredVolume,
                 &e.gasketVolume, &e.deckVolume, &e.combustionSpace});
}

// The older layout kept one piston distance, chosen by the method.
void ReadShortCalculator(TextReader& in, EngineParameters& e) {
  e.crDataValid = ReadFlagLine(in);
  e.crMethod = ReadIntInRange(in, 1, 2);
  ReadSpecs(in, {&e.chamberVolume, &e.gasketBore, &e.gasketThickness});
  if (e.crMethod == 2) {
    e.deckClearance.Read(in);
    e.domeVolume.SetValue(0.0f);
    e.reliefsVolume.SetValue(0.0f);
    e.downBoreDistance.Unassign();
  } else {
    e.downBoreDistance.Read(in);
    e.deckClearance.Unassign();
    e.domeVolume.Unassign();
    e.reliefsVolume.Unassign();
  }
  ReadSpecs(in, {&e.measuredVolume, &e.gasketVolume, &e.deckVolume, &e.combustionSpace});
}

void ReadResults(TextReader& in) {
  ReadFlagLine(in);  // nitrous flag: the rows are discarded either way
  const int count = in.ScanIntLine(kRead);
  if (count < 1) throw FileError(kErrInvalidValue, kRead);
  SkipResultRows(in, count);
  SkipResultRows(in, count);
}

}  // namespace

const EngineFileVersion* FindEngineFileVersion(std::string_view text) {
  const auto found = std::find_if(kVersions.begin(), kVersions.end(),
                                  [&](const EngineFileVersion& v) { return v.text == text; });
  return found == kVersions.end() ? nullptr : &*found;
}

void WriteEngineText(TextWriter& out, const EngineFileRecords& records, bool metricFlag,
                     const EngineFileResults& results) {
  const EngineParameters& e = records.engine;
  out.WriteLine(kFileVersionText, kWrite);
  out.WriteInt(metricFlag ? 1 : 0, kWrite);
  out.WriteInt(e.autoValveSizes ? 1 : 0, kWrite);
  out.WriteInt(e.autoRun ? 1 : 0, kWrite);
  WriteSpecs(out, {&e.shortBlockType, &e.bore, &e.stroke, &e.cylinders, &e.rodLength, &e.rodRatio});
  out.WriteInt(e.rodByRatio ? 1 : 0, kWrite);
  WriteSpecs(out, {&e.cylinderHeadType, &e.intakeValves, &e.exhaustValves, &e.intakeValveDiameter,
                   &e.exhaustValveDiameter, &e.compressionRatio, &e.inductionFlow, &e.pressureDrop,
                   &e.manifoldType, &e.fuelType, &e.nitrousFlowRate, &e.forcedInductionType});
  out.WriteInt(e.forcedInductionKind, kWrite);
  out.WriteInt(e.compressorMap, kWrite);
  e.blowerFlowPerRevolution.Write(out);
  out.WriteFloat(e.blowerEfficiency, kWrite);
  out.WriteFloat(e.blowerMaxSpeed, kWrite);
  WriteSpecs(out, {&e.turbineDiameter, &e.turbineAR, &e.turbos, &e.internalGearRatio,
                   &e.beltGearRatio, &e.boostLimit, &e.intercoolerEfficiency,
                   &e.intercoolerPressureDrop, &e.exhaustSystem, &e.camDataFile});
  e.camshaft.WriteText(out);
  e.airflowFile.Write(out);
  e.flow.WriteText(out);
  out.WriteInt(e.crDataValid ? 1 : 0, kWrite);
  out.WriteInt(e.crMethod, kWrite);
  WriteSpecs(out, {&e.chamberVolume, &e.gasketBore, &e.gasketThickness, &e.domeVolume,
                   &e.reliefsVolume, &e.deckClearance, &e.downBoreDistance, &e.measuredVolume,
                   &e.gasketVolume, &e.deckVolume, &e.combustionSpace});
  out.WriteInt(results.nitrous ? 1 : 0, kWrite);
  out.WriteInt(kResultPoints, kWrite);
  WriteResultRows(out, *results.withoutNitrous);
  WriteResultRows(out, *results.asIs);
  e.notes.Write(out);
  records.firstChart.WriteText(out);
  records.secondChart.WriteText(out);
  records.report.WriteText(out);
}

void ReadEngineText(TextReader& in, const EngineFileRecords& records) {
  EngineParameters& e = records.engine;
  const EngineFileVersion* version =
      FindEngineFileVersion(Trimmed(in.ReadLine(kRead, kVersionLineChars)));
  if (!version) throw FileError(kErrEngineVersion, kRead);

  e.metricUnits = ReadIntInRange(in, 0, 1) == 1;
  e.autoValveSizes = ReadFlagLine(in);
  e.autoRun = ReadFlagLine(in);
  ReadSpecs(in, {&e.shortBlockType, &e.bore, &e.stroke, &e.cylinders});
  if (version->rodGeometry) {
    ReadSpecs(in, {&e.rodLength, &e.rodRatio});
    e.rodByRatio = ReadFlagLine(in);
  }
  e.cylinderHeadType.Read(in);
  if (e.cylinderHeadType.GetValue() == kCustomHeadItem) e.autoValveSizes = false;
  ReadSpecs(in, {&e.intakeValves, &e.exhaustValves, &e.intakeValveDiameter,
                 &e.exhaustValveDiameter, &e.compressionRatio, &e.inductionFlow, &e.pressureDrop,
                 &e.manifoldType, &e.fuelType});
  ReadNitrous(in, e.nitrousFlowRate, version->nitrousTimes25);
  e.forcedInductionType.Read(in);
  ReadForcedInduction(in, e);
  e.blowerFlowPerRevolution.Read(in);
  e.blowerEfficiency = ReadFloatInRange(in, 0.0f, kMaxBlowerEfficiency);
  e.blowerMaxSpeed = ReadFloatInRange(in, 0.0f, kMaxBlowerSpeed);
  ReadSpecs(in, {&e.turbineDiameter, &e.turbineAR, &e.turbos, &e.internalGearRatio,
                 &e.beltGearRatio, &e.boostLimit, &e.intercoolerEfficiency,
                 &e.intercoolerPressureDrop, &e.exhaustSystem, &e.camDataFile});
  e.camshaft.ReadText(in);
  e.airflowFile.Read(in);
  e.flow.ReadText(in);
  switch (version->calculator) {
    case CalculatorForm::Full: ReadFullCalculator(in, e); break;
    case CalculatorForm::Short: ReadShortCalculator(in, e); break;
    case CalculatorForm::Absent: break;
  }
  if (version->results) ReadResults(in);
  if (version->notesAndCharts) {
    e.notes.Read(in);
    records.firstChart.ReadText(in);
    records.secondChart.ReadText(in);
  }
  // Without stored settings they stay cleared: the first report fills them.
  if (!version->report) return;
  if (version->reportOptional) {
    in.SkipSpace();
    if (in.AtEnd()) return;
  }
  records.report.Reset("");
  records.report.ReadText(in);
}

}  // namespace brisca
