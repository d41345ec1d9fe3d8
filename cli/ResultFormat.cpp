#include "cli/ResultFormat.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <iterator>

#include "cli/json/JsonText.h"
#include "core/base/NumberText.h"

namespace brisca::cli {
namespace {

//! One result quantity: its key in CSV and JSON and its array.
struct Quantity {
  const char* key;
  ResultArray ResultSet::*values;
};

// Every quantity of a point, in the order CSV columns and JSON members follow.
constexpr Quantity kQuantities[] = {
    {"rpm", &ResultSet::rpm},
    {"power", &ResultSet::power},
    {"wheelPower", &ResultSet::wheelPower},
    {"torque", &ResultSet::torque},
    {"wheelTorque", &ResultSet::wheelTorque},
    {"manifoldPressure", &ResultSet::manifoldPressure},
    {"boost", &ResultSet::boost},
    {"volumetricEfficiency", &ResultSet::volumetricEfficiency},
    {"indicatedPower", &ResultSet::indicatedPower},
    {"frictionPower", &ResultSet::frictionPower},
    {"pumpingPower", &ResultSet::pumpingPower},
    {"mechanicalEfficiency", &ResultSet::mechanicalEfficiency},
    {"inductionAirflow", &ResultSet::inductionAirflow},
    {"pistonForce", &ResultSet::pistonForce},
    {"pistonSpeed", &ResultSet::pistonSpeed},
    {"bmep", &ResultSet::bmep},
    {"imep", &ResultSet::imep},
    {"fmep", &ResultSet::fmep},
    {"pmep", &ResultSet::pmep},
};

//! The columns of the standard results table.
struct TableColumn {
  const char* heading;
  const char* unit;
  ResultArray ResultSet::*values;
  int decimals;
};

constexpr TableColumn kTableColumns[] = {
    {"Engine Speed", "rpm", &ResultSet::rpm, 0},
    {"Power", "HP", &ResultSet::power, 1},
    {"Torque", "lb-ft", &ResultSet::torque, 1},
    {"Wheel Power", "HP", &ResultSet::wheelPower, 1},
    {"Wheel Torque", "lb-ft", &ResultSet::wheelTorque, 1},
    {"Manifold Pres", "psia", &ResultSet::manifoldPressure, 2},
    {"Vol Eff", "%", &ResultSet::volumetricEfficiency, 1},
    {"BMEP", "psi", &ResultSet::bmep, 1},
};
constexpr int kTableColumnWidth = 14;

std::string PadLeft(const std::string& text, std::size_t width) {
  return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
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

std::string FormatResultsTable(const CVexoDoc& doc, const std::vector<int>& points) {
  const ResultSet& set = doc.Results();
  std::string out = doc.GetTitle() + "\n";
  std::string headings;
  std::string units;
  for (const TableColumn& column : kTableColumns) {
    headings += PadLeft(column.heading, kTableColumnWidth);
    units += PadLeft(std::string("(") + column.unit + ")", kTableColumnWidth);
  }
  out += headings + "\n" + units + "\n";
  for (const int k : points) {
    for (const TableColumn& column : kTableColumns) {
      out += PadLeft(FormatFixed((set.*column.values)[k], column.decimals), kTableColumnWidth);
    }
    out += "\n";
  }
  return out;
}

std::string FormatResultsCsv(const CVexoDoc& doc, const std::vector<int>& points) {
  const ResultSet& set = doc.Results();
  std::string out;
  for (const Quantity& q : kQuantities) out += std::string(&q == kQuantities ? "" : ",") + q.key;
  out += "\n";
  for (const int k : points) {
    for (const Quantity& q : kQuantities) {
      if (&q != kQuantities) out += ",";
      out += ShortestFloat((set.*q.values)[k]);
    }
    out += "\n";
  }
  return out;
}

std::string FormatResultsJson(const CVexoDoc& doc, const std::vector<int>& points) {
  const ResultSet& set = doc.Results();
  json::Json document;
  document["schema"] = json::kSchemaVersion;
  document["engine"] = doc.GetTitle();
  document["ok"] = !set.IsEmpty();
  document["warnings"] = {{"surge", set.surge}, {"choke", set.choke}, {"overspeed", set.overspeed}};
  json::Json rows = json::Json::array();
  for (const int k : points) {
    json::Json point;
    for (const Quantity& q : kQuantities) point[q.key] = json::Number((set.*q.values)[k]);
    rows.push_back(std::move(point));
  }
  document["points"] = std::move(rows);
  return json::Text(document);
}

}  // namespace brisca::cli
