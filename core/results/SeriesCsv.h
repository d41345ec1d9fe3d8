#pragma once
// The plotted series of a chart as comma-separated text: one row per X value
// with a column per series when every series has the same X values (a chart
// of one document), else one row per point naming its series (curves of
// several documents). Texts holding a comma or a quote are quoted.

#include <filesystem>
#include <string>
#include <vector>

namespace brisca {

struct CsvSeries {
  std::string name;
  std::vector<double> x;
  std::vector<double> y;  //!< as many values as x
};

//! The text of the file. A `note` (what the figures hold for) comes first as
//! a "# " comment line; without one the text starts with the header row.
std::string SeriesCsvText(const std::string& xTitle, const std::vector<CsvSeries>& series,
                          const std::string& note = {});

//! Writes the text to `path` (the old file stays whole when writing fails); a
//! failure is reported by its file error code and gives false.
bool SaveSeriesCsv(const std::filesystem::path& path, const std::string& xTitle,
                   const std::vector<CsvSeries>& series, const std::string& note = {});

}  // namespace brisca
