#include "core/results/MeasuredDeviationTable.h"

#include "core/base/NumberText.h"

namespace brisca {
namespace {

std::string FrameLine(const MeasuredDeviation& d, const TestConditions& conditions) {
  if (d.corrected) {
    return std::string("Both corrected to ") + StandardName(d.standard) + ": measured \u00D7 " +
           FormatFixed(d.measuredScale, 4) + ", simulated \u00D7 " + FormatFixed(d.simulatedScale, 4);
  }
  return "Measured as read; simulated " + ConditionsNote(conditions, false);
}

std::string SummaryLine(const char* name, const DeviationSeries& s, const char* unit) {
  return std::string(name) + ": RMS " + FormatFixed(s.rms, 2) + " " + unit + " (" +
         FormatFixed(s.rmsPercent, 2) + " %), largest " + FormatFixed(s.largest, 2) + " " + unit + " (" +
         FormatFixed(s.largestPercent, 2) + " %) at " + FormatFixed(s.largestRpm, 0) + " rpm";
}

}  // namespace

std::vector<std::string> DeviationSummary(const MeasuredDeviation& d, const TestConditions& conditions) {
  return {FrameLine(d, conditions), SummaryLine("Power", d.power, "HP"), SummaryLine("Torque", d.torque, "lb-ft"),
          "Points compared: " + std::to_string(d.pointsCompared) + " (" + std::to_string(d.pointsOutside) +
              " outside the simulated speed range)"};
}

DeviationTable MakeDeviationTable(const MeasuredDeviation& d, const TestConditions& conditions) {
  DeviationTable table;
  table.headings = {"Engine Speed (rpm)",  "Power Measured (HP)",     "Power Simulated (HP)",
                    "Power \u0394 (HP)",   "Power \u0394 (%)",        "Torque Measured (lb-ft)",
                    "Torque Simulated (lb-ft)", "Torque \u0394 (lb-ft)", "Torque \u0394 (%)"};
  // CompareMeasured gives power and torque at the same points.
  for (std::size_t i = 0; i < d.power.points.size() && i < d.torque.points.size(); ++i) {
    const DeviationPoint& p = d.power.points[i];
    const DeviationPoint& t = d.torque.points[i];
    table.rows.push_back({FormatFixed(p.rpm, 0), FormatFixed(p.measured, 1), FormatFixed(p.simulated, 1),
                          FormatFixed(p.delta, 1), FormatFixed(p.deltaPercent, 2), FormatFixed(t.measured, 1),
                          FormatFixed(t.simulated, 1), FormatFixed(t.delta, 1), FormatFixed(t.deltaPercent, 2)});
  }
  table.summary = DeviationSummary(d, conditions);
  return table;
}

std::string DeviationTableText(const DeviationTable& table) {
  auto line = [](const std::vector<std::string>& cells) {
    std::string text;
    for (std::size_t i = 0; i < cells.size(); ++i) text += (i ? "\t" : "") + cells[i];
    return text + "\n";
  };
  std::string text = line(table.headings);
  for (const auto& row : table.rows) text += line(row);
  text += "\n";
  for (const std::string& summary : table.summary) text += summary + "\n";
  return text;
}

}  // namespace brisca
