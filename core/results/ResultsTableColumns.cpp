#include "core/results/ResultsTableColumns.h"

#include <array>
#include <cstdio>

namespace brisca {
namespace {

constexpr std::array<ResultsTableColumn, 8> kStandard{{
    {"Engine", "RPM", &ResultSet::rpm, 0},
    {"Power", "(Fly)", &ResultSet::power, 0},
    {"Torque", "(Fly)", &ResultSet::torque, 0},
    {"Power", "(Wheel)", &ResultSet::wheelPower, 0},
    {"Torque", "(Wheel)", &ResultSet::wheelTorque, 0},
    {"Int Man", "Pressure", &ResultSet::manifoldPressure, 2},
    {"Vol", "Eff %", &ResultSet::volumetricEfficiency, 1},
    {"BMEP", "Pressure", &ResultSet::bmep, 1},
}};

constexpr std::array<ResultsTableColumn, 12> kExtended{{
    {"Engine", "RPM", &ResultSet::rpm, 0},
    {"Power", "(Fly)", &ResultSet::power, 0},
    {"Indicated", "Power", &ResultSet::indicatedPower, 0},
    {"Frictional", "Power", &ResultSet::frictionPower, 0},
    {"Pumping", "Power", &ResultSet::pumpingPower, 0},
    {"Mech.", "Eff %", &ResultSet::mechanicalEfficiency, 1},
    {"Induction", "Airflow", &ResultSet::inductionAirflow, 1},
    {"Piston", "Force", &ResultSet::pistonForce, 0},
    {"Piston", "Speed", &ResultSet::pistonSpeed, 0},
    {"IMEP", "Pressure", &ResultSet::imep, 1},
    {"FMEP", "Pressure", &ResultSet::fmep, 1},
    {"PMEP", "Pressure", &ResultSet::pmep, 1},
}};

std::string Format(float value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, static_cast<double>(value));
  return text;
}

}  // namespace

std::span<const ResultsTableColumn> ResultsTableColumns(ResultsTableKind kind) {
  if (kind == ResultsTableKind::Standard) return kStandard;
  return kExtended;
}

std::vector<std::string> ResultsTableCells(ResultsTableKind kind, const ResultsTableRow& row,
                                           const ResultSet& results) {
  const auto columns = ResultsTableColumns(kind);
  std::vector<std::string> cells;
  cells.reserve(columns.size());
  cells.push_back(Format(row.rpm, columns[0].decimals));
  for (std::size_t k = 1; k < columns.size(); ++k) {
    cells.push_back(row.hasValues
                        ? Format(row.ValueOf(results.rpm, results.*columns[k].values),
                                 columns[k].decimals)
                        : std::string());
  }
  return cells;
}

std::vector<ResultsTableRow> ResultsTableRowsOf(const ChartAxisSpec& secondChartX,
                                                const ResultSet& results) {
  return MakeResultsTableRows(secondChartX, results.rpm, results.count);
}

}  // namespace brisca
