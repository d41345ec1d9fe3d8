#include "cli/ReportPdf.h"

#include <cstdio>

#ifdef BRISCA_CLI_CHARTS
#include <QTextDocument>

#include "gui/report/ReportLayout.h"
#endif

namespace brisca::cli {

#ifdef BRISCA_CLI_CHARTS

bool CanWriteReportPdf() { return true; }

// Needs the application object ReportCharts makes.
bool WriteReportPdf(const std::filesystem::path& reportFile, const std::filesystem::path& reportFolder,
                    const std::filesystem::path& pdf) {
  const std::unique_ptr<QTextDocument> report = LayOutReport(reportFile, reportFolder);
  if (!report) {
    std::fprintf(stderr, "brisca-cli: the report %s could not be read\n", reportFile.c_str());
    return false;
  }
  if (!brisca::WriteReportPdf(*report, pdf)) {
    std::fprintf(stderr, "brisca-cli: the PDF file %s could not be written\n", pdf.c_str());
    return false;
  }
  return true;
}

#else

bool CanWriteReportPdf() { return false; }

bool WriteReportPdf(const std::filesystem::path&, const std::filesystem::path&, const std::filesystem::path& pdf) {
  std::fprintf(stderr, "brisca-cli: %s not written: this build has no report layout for PDF files\n",
               pdf.c_str());
  return false;
}

#endif

}  // namespace brisca::cli
