#include "cli/ResultFormat.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <iterator>

#include "cli/json/JsonText.h"
#include "core/base/NumberText.h"

namespace brisca::cli {
namespace {

//! What a quantity measures, for its unit.
enum class Dimension { Other, Power, Torque, Pressure };

//! One result quantity: its key in CSV and JSON, its array and its unit.
struct Quantity {
  const char* key;
  ResultArray ResultSet::*values;
  Dimension dimension;
  const char* unit;  //!< in the program's units; Power, Torque and Pressure change when metric
};

// Every quantity of a point, in the order CSV columns and JSON members follow.
constexpr Quantity kQuantities[] = {
    {"rpm", &ResultSet::rpm, Dimension::Other, "rpm"},
    {"power", &ResultSet::power, Dimension::Power, "HP"},
    {"wheelPower", &ResultSet::wheelPower, Dimension::Power, "HP"},
    {"torque", &ResultSet::torque, Dimension::Torque, "lb-ft"},
    {"wheelTorque", &ResultSet::wheelTorque, Dimension::Torque, "lb-ft"},
    {"manifoldPressure", &ResultSet::manifoldPressure, Dimension::Pressure, "psia"},
    {"boost", &ResultSet::boost, Dimension::Pressure, "psi"},
    {"volumetricEfficiency", &ResultSet::volumetricEfficiency, Dimension::Other, "%"},
    {"indicatedPower", &ResultSet::indicatedPower, Dimension::Power, "HP"},
    {"frictionPower", &ResultSet::frictionPower, Dimension::Power, "HP"},
    {"pumpingPower", &ResultSet::pumpingPower, Dimension::Power, "HP"},
    {"mechanicalEfficiency", &ResultSet::mechanicalEfficiency, Dimension::Other, "%"},
    {"inductionAirflow", &ResultSet::inductionAirflow, Dimension::Other, "cfm"},
    {"pistonForce", &ResultSet::pistonForce, Dimension::Other, "lbf"},
    {"pistonSpeed", &ResultSet::pistonSpeed, Dimension::Other, "ft/min"},
    {"bmep", &ResultSet::bmep, Dimension::Pressure, "psi"},
    {"imep", &ResultSet::imep, Dimension::Pressure, "psi"},
    {"fmep", &ResultSet::fmep, Dimension::Pressure, "psi"},
    {"pmep", &ResultSet::pmep, Dimension::Pressure, "psi"},
};

const char* UnitOf(Dimension dimension, const char* unit, bool metric) {
  if (!metric) return unit;
  switch (dimension) {
    case Dimension::Power: return "kW";
    case Dimension::Torque: return "N\u00B7m";
    case Dimension::Pressure: return "kPa";
    case Dimension::Other: break;
  }
  return unit;
}

//! `value` in the frame's units; the value itself, untouched, in the program's.
float InUnits(float value, Dimension dimension, bool metric) {
  if (!metric) return value;
  switch (dimension) {
    case Dimension::Power: return static_cast<float>(value * kKWPerHp);
    case Dimension::Torque: return static_cast<float>(value * kNmPerLbFt);
    case Dimension::Pressure: return static_cast<float>(value * kKPaPerPsi);
    case Dimension::Other: break;
  }
  return value;
}

//! The columns of the standard results table.
struct TableColumn {
  const char* heading;
  const char* unit;
  ResultArray ResultSet::*values;
  int decimals;
  Dimension dimension;
};

constexpr TableColumn kTableColumns[] = {
    {"Engine Speed", "rpm", &ResultSet::rpm, 0, Dimension::Other},
    {"Power", "HP", &ResultSet::power, 1, Dimension::Power},
    {"Torque", "lb-ft", &ResultSet::torque, 1, Dimension::Torque},
    {"Wheel Power", "HP", &ResultSet::wheelPower, 1, Dimension::Power},
    {"Wheel Torque", "lb-ft", &ResultSet::wheelTorque, 1, Dimension::Torque},
    {"Manifold Pres", "psia", &ResultSet::manifoldPressure, 2, Dimension::Pressure},
    {"Vol Eff", "%", &ResultSet::volumetricEfficiency, 1, Dimension::Other},
    {"BMEP", "psi", &ResultSet::bmep, 1, Dimension::Pressure},
};
constexpr int kTableColumnWidth = 14;

// Pads to `width` characters (a UTF-8 sequence such as "·" is one).
std::string PadLeft(const std::string& text, std::size_t width) {
  std::size_t characters = 0;
  for (const char c : text) characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return characters >= width ? text : std::string(width - characters, ' ') + text;
}

// "conditions": the standard, the weather (or null), the factor and the note
// line; "units": the unit of each quantity.
void AddConditions(json::Json& document, const ResultFrame& frame) {
  const TestConditions& c = frame.conditions;
  json::Json conditions;
  conditions["standard"] = StandardName(c.standard);
  if (c.weatherGiven) {
    conditions["weather"] = {{"barometerInHg", json::Number(c.barometerInHg)},
                             {"temperatureF", json::Number(c.temperatureF)},
                             {"humidityPercent", json::Number(c.humidityPercent)}};
  } else {
    conditions["weather"] = nullptr;
  }
  conditions["factor"] = json::Number(static_cast<float>(DisplayScale(c)));
  conditions["note"] = ConditionsNote(c, frame.metric);
  document["conditions"] = std::move(conditions);
  json::Json units;
  for (const Quantity& q : kQuantities) units[q.key] = UnitOf(q.dimension, q.unit, frame.metric);
  document["units"] = std::move(units);
}

}  // namespace

std::string ShortestFloat(float value) {
  char buffer[64];
  const auto result = std::to_chars(std::begin(buffer), std::end(buffer), value);
  return std::string(buffer, result.ptr);
}

std::vector<int> PointsInWindow(const CVexoDoc& doc, float minRpm, float maxRpm) {
  const ResultSet& set = doc.Results();
  std::vector<int> points;
  for (int k = 0; k < set.count; ++k) {
    if (set.rpm[k] >= minRpm && set.rpm[k] <= maxRpm) points.push_back(k);
  }
  return points;
}

bool IsPlainFrame(const ResultFrame& frame) {
  return !frame.metric && !IsTransformed(frame.conditions);
}

std::string FormatResultsTable(const CVexoDoc& doc, const std::vector<int>& points,
                               const ResultFrame& frame) {
  const ResultSet set = DisplayedResults(doc.Results(), frame.conditions);
  std::string out = doc.GetTitle() + "\n";
  if (!IsPlainFrame(frame)) out += ConditionsNote(frame.conditions, frame.metric) + "\n";
  std::string headings;
  std::string units;
  for (const TableColumn& column : kTableColumns) {
    headings += PadLeft(column.heading, kTableColumnWidth);
    units += PadLeft(std::string("(") + UnitOf(column.dimension, column.unit, frame.metric) + ")",
                     kTableColumnWidth);
  }
  out += headings + "\n" + units + "\n";
  for (const int k : points) {
    for (const TableColumn& column : kTableColumns) {
      const float value = InUnits((set.*column.values)[k], column.dimension, frame.metric);
      out += PadLeft(FormatFixed(value, column.decimals), kTableColumnWidth);
    }
    out += "\n";
  }
  return out;
}

std::string FormatResultsCsv(const CVexoDoc& doc, const std::vector<int>& points,
                             const ResultFrame& frame) {
  const ResultSet set = DisplayedResults(doc.Results(), frame.conditions);
  std::string out;
  if (!IsPlainFrame(frame)) {
    out += "# " + ConditionsNote(frame.conditions, frame.metric) + "\n";
    // The weather once more as a measured run states it: the file then
    // compares with the model in the same air.
    if (frame.conditions.weatherGiven) {
      out += "# baro " + FormatFixed(frame.conditions.barometerInHg, 3) + " inHg\n";
      out += "# temp " + FormatFixed(frame.conditions.temperatureF, 2) + " F\n";
      out += "# humidity " + FormatFixed(frame.conditions.humidityPercent, 1) + " %\n";
    }
  }
  for (const Quantity& q : kQuantities) {
    out += std::string(&q == kQuantities ? "" : ",") + q.key;
    if (frame.metric) out += std::string(" (") + UnitOf(q.dimension, q.unit, true) + ")";
  }
  out += "\n";
  for (const int k : points) {
    for (const Quantity& q : kQuantities) {
      if (&q != kQuantities) out += ",";
      out += ShortestFloat(InUnits((set.*q.values)[k], q.dimension, frame.metric));
    }
    out += "\n";
  }
  return out;
}

std::string FormatResultsJson(const CVexoDoc& doc, const std::vector<int>& points,
                              const ResultFrame& frame) {
  const ResultSet set = DisplayedResults(doc.Results(), frame.conditions);
  json::Json document;
  document["schema"] = json::kSchemaVersion;
  document["engine"] = doc.GetTitle();
  document["ok"] = !set.IsEmpty();
  if (!IsPlainFrame(frame)) AddConditions(document, frame);
  document["warnings"] = {{"surge", set.surge}, {"choke", set.choke}, {"overspeed", set.overspeed}};
  json::Json rows = json::Json::array();
  for (const int k : points) {
    json::Json point;
    for (const Quantity& q : kQuantities)
      point[q.key] = json::Number(InUnits((set.*q.values)[k], q.dimension, frame.metric));
    rows.push_back(std::move(point));
  }
  document["points"] = std::move(rows);
  return json::Text(document);
}

}  // namespace brisca::cli
