#pragma once
// The displayed result set of a run as text: the standard results table, CSV
// with every quantity, or JSON. Numbers never follow the process locale; CSV
// and JSON give each float in its shortest text that reads back exactly.

#include <string>
#include <vector>

#include "core/document/VexoDoc.h"
#include "core/results/TestConditions.h"

namespace brisca::cli {

//! How the figures are shown: in which air and in which units. The default,
//! the model's own figures in the program's units, gives the text as it has
//! always been, byte for byte; anything else adds a line stating the
//! conditions and the factor (and, metric, units in the CSV header).
struct ResultFrame {
  TestConditions conditions;
  bool metric = false;  //!< kW, N·m and kPa in place of HP, lb-ft and psi
};

//! Indices of the displayed set's points whose engine speed lies in [minRpm, maxRpm].
std::vector<int> PointsInWindow(const CVexoDoc& doc, float minRpm, float maxRpm);

std::string FormatResultsTable(const CVexoDoc& doc, const std::vector<int>& points,
                               const ResultFrame& frame = {});
//! With a frame other than the default: "# " comment lines first (the
//! conditions, and a weather as the measured-run reader takes it).
std::string FormatResultsCsv(const CVexoDoc& doc, const std::vector<int>& points,
                             const ResultFrame& frame = {});
//! {"schema", "engine", "ok", "warnings": {"surge", "choke", "overspeed"}, "points": [...]};
//! with a frame other than the default, "conditions" and "units" after "ok".
std::string FormatResultsJson(const CVexoDoc& doc, const std::vector<int>& points,
                              const ResultFrame& frame = {});

//! True when `frame` is the default one (the text stays as it always was).
bool IsPlainFrame(const ResultFrame& frame);

//! The shortest decimal text that reads back as `value` ("null" for NaN or infinity
//! where JSON asks for it).
std::string ShortestFloat(float value);

}  // namespace brisca::cli
