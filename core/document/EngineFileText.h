#pragma once
// The engine file's text: every parameter of an engine, the embedded port-flow
// record and camshaft, the compression-ratio calculator, the results block, the
// notes, both charts' settings and the report settings, in the fixed order of
// the current version "4.2". The reader also takes the nine older versions,
// which lack some sections (see EngineFileVersion).
//
// Values are in domestic units both ways: the writer expects an engine switched
// to domestic units, the reader leaves one in domestic units with the stored
// unit system in `metricUnits` for its owner to apply.
//
// Errors travel as FileError: 44 write; 45 a value that cannot be read or an
// early end; 47 a value outside its limits; 48 an engine file of another
// version; 49 and 50 from the embedded flow and cam texts. The reader fills the
// records it is given as it goes: read into fresh records and take them over
// only when the whole text was read.

#include <string_view>

#include "core/document/EngineParameters.h"
#include "core/reportspecs/ReportSpecs.h"
#include "core/results/ChartState.h"

namespace brisca {

class TextReader;
class TextWriter;

//! The shape of section 15 (compression-ratio calculator) in one version.
enum class CalculatorForm { Full, Short, Absent };

//! What one accepted engine-file version holds beyond the common sections.
struct EngineFileVersion {
  std::string_view text;     //!< the version line, e.g. "4.06"
  bool rodGeometry;          //!< "Rod Length", "Rod Ratio" and the rod-by-ratio flag
  bool nitrousTimes25;       //!< "Nitrous Flow Rate" stored in 25-HP steps
  CalculatorForm calculator;
  bool results;              //!< the results block
  bool notesAndCharts;       //!< "Notes" and both chart settings
  //! The report settings. Files of "4.06" are found both with and without
  //! them, so there they are read only when text follows the charts.
  bool report;
  bool reportOptional;
};

//! The accepted version whose line is `text` (already trimmed), or nullptr.
const EngineFileVersion* FindEngineFileVersion(std::string_view text);

//! The two row groups of the results block: the engine without nitrous, then as it is.
struct EngineFileResults {
  bool nitrous = false;  //!< "Nitrous Flow Rate" above 0
  const ResultSet* withoutNitrous = nullptr;
  const ResultSet* asIs = nullptr;
};

//! Everything an engine file holds, by reference into its owner.
struct EngineFileRecords {
  EngineParameters& engine;
  ChartState& firstChart;
  ChartState& secondChart;
  ReportSpecs& report;
};

//! Writes version "4.2". `records.engine` must be in domestic units with every
//! part type chosen; `metricFlag` is the unit system to store.
void WriteEngineText(TextWriter& out, const EngineFileRecords& records, bool metricFlag,
                     const EngineFileResults& results);

//! Reads an engine text of any accepted version into records that start
//! cleared and domestic. The stored unit system lands in engine.metricUnits;
//! the values stay domestic. The results block is checked and discarded.
//! Stored report settings are read over the built-in defaults with an empty
//! title; a file without them leaves them cleared (not specified).
void ReadEngineText(TextReader& in, const EngineFileRecords& records);

}  // namespace brisca
