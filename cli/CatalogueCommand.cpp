#include "cli/CatalogueCommand.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "core/document/PartCat.h"

#include "cli/json/JsonText.h"

namespace brisca::cli {
namespace {

struct CatalogueOptions {
  std::string category;
  std::string format = "table";
};

std::string FormatCell(float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
  return text;
}

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

std::vector<int> UsedCells(const CatalogueCategoryInfo& info) {
  std::vector<int> cells;
  for (int k = 0; k < kValueCellCount; ++k)
    if (info.cellNames[static_cast<std::size_t>(k)]) cells.push_back(k);
  return cells;
}

using Table = std::vector<std::vector<std::string>>;

Table CategoryTable(const CatalogueCategoryInfo& info, bool withCategory) {
  const std::vector<int> cells = UsedCells(info);
  Table table;
  std::vector<std::string> header;
  if (withCategory) header.push_back("Category");
  for (const char* name : {"Command", "Item", "Name"}) header.push_back(name);
  for (int k : cells) header.push_back(info.cellNames[static_cast<std::size_t>(k)]);
  table.push_back(header);
  for (const CatalogueRow& row : ComponentCatalogue::Instance().CategoryRows(info.category)) {
    std::vector<std::string> line;
    if (withCategory) line.push_back(info.key);
    line.push_back(std::to_string(row.command));
    line.push_back(std::to_string(row.item));
    line.push_back(row.name);
    for (int k : cells) line.push_back(FormatCell(row.values[static_cast<std::size_t>(k)]));
    table.push_back(line);
  }
  return table;
}

void PrintTable(const Table& table) {
  std::vector<std::size_t> widths;
  for (const auto& line : table)
    for (std::size_t c = 0; c < line.size(); ++c) {
      if (widths.size() <= c) widths.push_back(0);
      widths[c] = std::max(widths[c], line[c].size());
    }
  for (const auto& line : table) {
    std::string text;
    for (std::size_t c = 0; c < line.size(); ++c) {
      std::string cell = line[c];
      if (c + 1 < line.size()) cell.resize(widths[c] + 2, ' ');
      text += cell;
    }
    std::printf("%s\n", text.c_str());
  }
}

void PrintCsv(const Table& table, bool withHeader) {
  for (std::size_t r = withHeader ? 0 : 1; r < table.size(); ++r) {
    std::string text;
    for (std::size_t c = 0; c < table[r].size(); ++c) {
      if (c > 0) text += ',';
      text += CsvField(table[r][c]);
    }
    std::printf("%s\n", text.c_str());
  }
}

// All categories in one csv share one header: category, command, item, name, cells 3..14.
void PrintAllCsv() {
  std::string header = "Category,Command,Item,Name";
  for (int k = kFirstValueCell; k <= kLastValueCell; ++k) header += ",Cell " + std::to_string(k);
  std::printf("%s\n", header.c_str());
  for (const CatalogueCategoryInfo& info : ComponentCatalogue::Categories()) {
    for (const CatalogueRow& row : ComponentCatalogue::Instance().CategoryRows(info.category)) {
      std::string text = std::string(info.key) + "," + std::to_string(row.command) + "," +
                         std::to_string(row.item) + "," + CsvField(row.name);
      for (float value : row.values) text += "," + FormatCell(value);
      std::printf("%s\n", text.c_str());
    }
  }
}

// {"schema", "ok", "categories": [{"key", "menu", "title", "columns", "rows": [...]}]}:
// each row its command, item, name and "values" named as the table's columns.
void PrintJson(const CatalogueOptions& options) {
  json::Json categories = json::Json::array();
  for (const CatalogueCategoryInfo& info : ComponentCatalogue::Categories()) {
    if (!options.category.empty() && options.category != info.key) continue;
    const std::vector<int> cells = UsedCells(info);
    json::Json columns = json::Json::array();
    for (int k : cells) columns.push_back(info.cellNames[static_cast<std::size_t>(k)]);
    json::Json rows = json::Json::array();
    for (const CatalogueRow& row : ComponentCatalogue::Instance().CategoryRows(info.category)) {
      json::Json values;
      for (int k : cells)
        values[info.cellNames[static_cast<std::size_t>(k)]] =
            json::Number(row.values[static_cast<std::size_t>(k)]);
      rows.push_back({{"command", row.command}, {"item", row.item}, {"name", row.name},
                      {"values", values.is_null() ? json::Json::object() : values}});
    }
    categories.push_back({{"key", info.key}, {"menu", info.menuId}, {"title", info.menuTitle},
                          {"columns", columns}, {"rows", rows}});
  }
  json::Json document;
  document["schema"] = json::kSchemaVersion;
  document["ok"] = true;
  document["categories"] = std::move(categories);
  const std::string text = json::Text(document);
  std::fwrite(text.data(), 1, text.size(), stdout);
}

void RunCatalogue(const CatalogueOptions& options) {
  if (options.format == "json") {
    PrintJson(options);
    return;
  }
  const bool csv = options.format == "csv";
  if (!options.category.empty()) {
    const Table table = CategoryTable(*ComponentCatalogue::FindCategory(options.category), false);
    csv ? PrintCsv(table, true) : PrintTable(table);
    return;
  }
  if (csv) {
    PrintAllCsv();
    return;
  }
  bool first = true;
  for (const CatalogueCategoryInfo& info : ComponentCatalogue::Categories()) {
    std::printf("%s== %s (menu %d \"%s\") ==\n", first ? "" : "\n", info.key, info.menuId,
                info.menuTitle);
    PrintTable(CategoryTable(info, false));
    first = false;
  }
}

}  // namespace

void AddCatalogueCommand(CLI::App& app) {
  auto options = std::make_shared<CatalogueOptions>();
  std::vector<std::string> keys;
  for (const CatalogueCategoryInfo& info : ComponentCatalogue::Categories()) keys.push_back(info.key);

  CLI::App* command = app.add_subcommand("catalogue", "List the component catalogue");
  command->add_option("--category", options->category, "Only this category")
      ->check(CLI::IsMember(keys));
  command->add_option("-f,--format", options->format, "Output format: table, csv or json")
      ->check(CLI::IsMember({"table", "csv", "json"}));
  command->callback([options] { RunCatalogue(*options); });
}

}  // namespace brisca::cli
