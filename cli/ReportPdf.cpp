#include "cli/ReportPdf.h"

#include <cstdio>

#ifdef BRISCA_CLI_CHARTS
#include <QTextDocument>

#include "gui/report/ReportLayout.h"
#include "gui/shell/PdfFile.h"
#endif

#include "core/base/ErrCode.h"
#include "core/base/FileError.h"

namespace brisca::cli {

void ReportPdfError(const FileError& error) {
  ReportErrorCode(error.code());
  if (*error.detail()) std::fprintf(stderr, "brisca-cli: %s\n", error.detail());
}

#ifdef BRISCA_CLI_CHARTS

bool CanWriteReportPdf() { return true; }

bool CheckReportPdfTarget(const std::filesystem::path& pdf) {
  try {
    brisca::CheckPdfTarget(pdf);
  } catch (const FileError& error) {
    ReportPdfError(error);
    return false;
  }
  return true;
}

// Needs the application object ReportCharts makes.
bool WriteReportPdf(const std::filesystem::path& reportFile, const std::filesystem::path& reportFolder,
                    const std::filesystem::path& pdf) {
  const std::unique_ptr<QTextDocument> report = LayOutReport(reportFile, reportFolder);
  if (!report) {
    std::fprintf(stderr, "brisca-cli: the report %s could not be read\n", reportFile.c_str());
    return false;
  }
  try {
    brisca::WriteReportPdf(*report, pdf);
  } catch (const FileError& error) {
    ReportPdfError(error);
    return false;
  }
  return true;
}

#else

bool CanWriteReportPdf() { return false; }

bool CheckReportPdfTarget(const std::filesystem::path&) { return false; }

bool WriteReportPdf(const std::filesystem::path&, const std::filesystem::path&, const std::filesystem::path& pdf) {
  std::fprintf(stderr, "brisca-cli: %s not written: this build has no report layout for PDF files\n",
               pdf.c_str());
  return false;
}

#endif

}  // namespace brisca::cli
