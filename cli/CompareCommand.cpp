#include "cli/CompareCommand.h"

#include <cstdio>
#include <memory>
#include <string>

#include <nlohmann/json.hpp>

#include "cli/ConditionOptions.h"
#include "cli/EngineLoader.h"
#include "cli/FailureReport.h"
#include "cli/FileProblems.h"
#include "cli/json/JsonText.h"
#include "core/base/NumberText.h"
#include "core/results/MeasuredDeviation.h"
#include "core/results/MeasuredDeviationTable.h"
#include "core/results/MeasuredRun.h"

namespace brisca::cli {
namespace {

struct CompareOptions {
  std::string engine;
  std::string measured;
  std::string format = "table";
  std::string dataDir;
  ConditionOptions conditions;
};

std::string Pad(const std::string& text, std::size_t width) {
  return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

std::string Table(const std::string& engine, const MeasuredRun& run, const MeasuredDeviation& d,
                  const TestConditions& conditions) {
  static const char* const kHeadings[] = {"Engine Speed", "Power Meas", "Power Sim", "Power Dev",
                                          "Power Dev", "Torque Meas", "Torque Sim", "Torque Dev",
                                          "Torque Dev"};
  static const char* const kUnits[] = {"(rpm)", "(HP)", "(HP)", "(HP)", "(%)",
                                       "(lb-ft)", "(lb-ft)", "(lb-ft)", "(%)"};
  const DeviationTable table = MakeDeviationTable(d, conditions);
  std::string out = engine + " against " + run.name + "\n" + table.summary.front() + "\n";
  for (const char* heading : kHeadings) out += Pad(heading, 13);
  out += "\n";
  for (const char* unit : kUnits) out += Pad(unit, 13);
  out += "\n";
  for (const std::vector<std::string>& row : table.rows) {
    for (const std::string& cell : row) out += Pad(cell, 13);
    out += "\n";
  }
  for (std::size_t i = 1; i < table.summary.size(); ++i) out += table.summary[i] + "\n";
  return out;
}

std::string Csv(const MeasuredDeviation& d, const TestConditions& conditions) {
  const std::vector<std::string> summary = DeviationSummary(d, conditions);
  std::string out = "# " + summary.front() + "\n";
  out += "rpm,measuredPower,simulatedPower,powerDeviation,powerDeviationPercent,"
         "measuredTorque,simulatedTorque,torqueDeviation,torqueDeviationPercent\n";
  for (std::size_t i = 0; i < d.power.points.size(); ++i) {
    const DeviationPoint& p = d.power.points[i];
    const DeviationPoint& t = d.torque.points[i];
    out += FormatFixed(p.rpm, 0) + "," + FormatFixed(p.measured, 3) + "," + FormatFixed(p.simulated, 3) +
           "," + FormatFixed(p.delta, 3) + "," + FormatFixed(p.deltaPercent, 3) + "," +
           FormatFixed(t.measured, 3) + "," + FormatFixed(t.simulated, 3) + "," +
           FormatFixed(t.delta, 3) + "," + FormatFixed(t.deltaPercent, 3) + "\n";
  }
  for (std::size_t i = 1; i < summary.size(); ++i) out += "# " + summary[i] + "\n";
  return out;
}

nlohmann::ordered_json SeriesJson(const DeviationSeries& s, const char* unit) {
  nlohmann::ordered_json series = {{"unit", unit},
                                   {"rms", s.rms},
                                   {"rmsPercent", s.rmsPercent},
                                   {"largest", s.largest},
                                   {"largestPercent", s.largestPercent},
                                   {"largestRpm", s.largestRpm}};
  series["points"] = nlohmann::ordered_json::array();
  for (const DeviationPoint& p : s.points) {
    series["points"].push_back({{"rpm", p.rpm},
                                {"measured", p.measured},
                                {"simulated", p.simulated},
                                {"deviation", p.delta},
                                {"deviationPercent", p.deltaPercent}});
  }
  return series;
}

std::string Json(const std::string& engine, const MeasuredRun& run, const MeasuredDeviation& d,
                 const TestConditions& conditions) {
  nlohmann::ordered_json out = {{"schema", json::kSchemaVersion},
                                {"engine", engine},
                                {"ok", d.pointsCompared > 0},
                                {"measured", run.name}};
  out["frame"] = {{"corrected", d.corrected},
                  {"standard", StandardName(d.standard)},
                  {"measuredFactor", d.measuredScale},
                  {"simulatedFactor", d.simulatedScale},
                  {"note", DeviationSummary(d, conditions).front()}};
  if (run.weather.weatherGiven) {
    out["measuredWeather"] = {{"barometerInHg", run.weather.barometerInHg},
                              {"temperatureF", run.weather.temperatureF},
                              {"humidityPercent", run.weather.humidityPercent}};
  } else {
    out["measuredWeather"] = nullptr;
  }
  out["pointsCompared"] = d.pointsCompared;
  out["pointsOutside"] = d.pointsOutside;
  out["power"] = SeriesJson(d.power, "HP");
  out["torque"] = SeriesJson(d.torque, "lb-ft");
  return out.dump(2) + "\n";
}

int Compare(const CompareOptions& options, const TestConditions& conditions) {
  // The file named, with the system's reason, when it cannot even be opened.
  if (!CheckInputFile(options.measured)) return kExitEngineError;
  MeasuredRun run;
  if (!LoadMeasuredRun(options.measured, run)) {
    NoteFailurePath(options.measured);
    return kExitEngineError;
  }
  const std::unique_ptr<EngineSession> session =
      OpenEngine(options.engine, options.dataDir, OpenRun::Always);
  if (!session) return kExitEngineError;
  const MeasuredDeviation deviation = CompareMeasured(session->doc.Results(), run, conditions);
  const std::string engine = session->doc.GetTitle();
  std::string text;
  if (options.format == "csv") {
    text = Csv(deviation, conditions);
  } else if (options.format == "json") {
    text = Json(engine, run, deviation, conditions);
  } else {
    text = Table(engine, run, deviation, conditions);
  }
  std::fwrite(text.data(), 1, text.size(), stdout);
  return std::fflush(stdout) == 0 ? kExitOk : kExitEngineError;
}

}  // namespace

void AddCompareCommand(CLI::App& app, int& status) {
  auto options = std::make_shared<CompareOptions>();
  CLI::App* command = app.add_subcommand(
      "compare", "Run an engine and compare a measured run (dyno export) with its curves");
  command->add_option("engine", options->engine, "Engine file (.qen)")->required();
  command->add_option("measured", options->measured, "Measured run (.csv or tab-separated text)")
      ->required();
  command->add_option("-f,--format", options->format, "Output: table, csv or json")
      ->check(CLI::IsMember({"table", "csv", "json"}))
      ->capture_default_str();
  AddConditionOptions(*command, options->conditions);
  AddDataDirOption(*command, options->dataDir);
  command->callback([options, &status] {
    if (options->format == "json") WantJsonFailure();
    const TestConditions conditions = options->conditions.Conditions();
    status = Compare(*options, conditions);
  });
}

}  // namespace brisca::cli
