#pragma once
// The displayed result set of a run as text: the standard results table, CSV
// with every quantity, or JSON. Numbers never follow the process locale; CSV
// and JSON give each float in its shortest text that reads back exactly.

#include <string>
#include <vector>

#include "core/document/VexoDoc.h"

namespace brisca::cli {

//! Indices of the displayed set's points whose engine speed lies in [minRpm, maxRpm].
std::vector<int> PointsInWindow(const CVexoDoc& doc, float minRpm, float maxRpm);

std::string FormatResultsTable(const CVexoDoc& doc, const std::vector<int>& points);
std::string FormatResultsCsv(const CVexoDoc& doc, const std::vector<int>& points);
//! {"schema", "engine", "ok", "warnings": {"surge", "choke", "overspeed"}, "points": [...]}.
std::string FormatResultsJson(const CVexoDoc& doc, const std::vector<int>& points);

//! The shortest decimal text that reads back as `value` ("null" for NaN or infinity
//! where JSON asks for it).
std::string ShortestFloat(float value);

}  // namespace brisca::cli
