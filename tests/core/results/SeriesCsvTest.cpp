#include "core/results/SeriesCsv.h"

#include <gtest/gtest.h>

namespace brisca {
namespace {

TEST(SeriesCsvTest, SeriesOnOneXShareARowAndOthersNameTheirSeries) {
  const std::vector<CsvSeries> shared = {{"Power (HP)", {1000, 1500}, {52.5, 93}},
                                         {"Torque (lb-ft)", {1000, 1500}, {275.25, 327}}};
  EXPECT_EQ(SeriesCsvText("Engine Speed (RPM)", shared),
            "Engine Speed (RPM),Power (HP),Torque (lb-ft)\n1000,52.5,275.25\n1500,93,327\n");

  const std::vector<CsvSeries> compared = {{"Power (HP)-A, B", {1000, 1500}, {50, 90}},
                                           {"Power (HP)-\"C\"", {1000}, {60}}};
  EXPECT_EQ(SeriesCsvText("Engine Speed (RPM)", compared),
            "Series,Engine Speed (RPM),Value\n"
            "\"Power (HP)-A, B\",1000,50\n\"Power (HP)-A, B\",1500,90\n"
            "\"Power (HP)-\"\"C\"\"\",1000,60\n");
}

TEST(SeriesCsvTest, ANoteComesFirstAsACommentLineAndNoNoteAddsNothing) {
  const std::vector<CsvSeries> shared = {{"Power (HP)", {1000}, {52.5}}};
  const std::string plain = "Engine Speed (RPM),Power (HP)\n1000,52.5\n";
  EXPECT_EQ(SeriesCsvText("Engine Speed (RPM)", shared), plain);
  EXPECT_EQ(SeriesCsvText("Engine Speed (RPM)", shared, ""), plain);
  EXPECT_EQ(SeriesCsvText("Engine Speed (RPM)", shared, "Corrected to SAE J1349, factor 0.9823"),
            "# Corrected to SAE J1349, factor 0.9823\n" + plain);
}

}  // namespace
}  // namespace brisca
