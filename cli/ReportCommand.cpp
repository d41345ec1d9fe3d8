#include "cli/ReportCommand.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

#include "cli/ConditionOptions.h"
#include "cli/EngineLoader.h"
#include "cli/FileProblems.h"
#include "cli/OptionChecks.h"
#include "cli/ReportCharts.h"
#include "cli/ReportPdf.h"
#include "core/document/ProgramPaths.h"
#include "core/report/ReportFolder.h"
#include "core/reportspecs/ReportSpecs.h"
#include "core/report/VexoReport.h"

namespace brisca::cli {
namespace {

namespace fs = std::filesystem;

struct ReportOptions {
  std::string engine;
  std::string output;
  std::string templateFile;
  std::string pdf;
  std::string dataDir;
  ConditionOptions conditions;
};

// The report refers to its logo by name: put the one it names beside a report
// written outside the report folder. A file of that name already there is kept
// unless it is empty, as a copy cut short by a full disk left it.
void CopyLogoBeside(const fs::path& output, const ReportSpecs& settings, const fs::path& reportFolder) {
  const std::string logo = settings.includeLogo && ReportSpecs::IsPlainFileName(settings.logoFile)
                               ? settings.logoFile
                               : kReportNullLogoFile;
  std::error_code ec;
  const fs::path folder = fs::absolute(output, ec).parent_path();
  if (ec || fs::equivalent(folder, reportFolder, ec)) return;
  const fs::path target = folder / logo;
  const bool empty = fs::is_regular_file(target, ec) && fs::file_size(target, ec) == 0;
  const bool keep = fs::exists(target, ec) && !empty;
  if (!keep) CopyReportPiece(reportFolder / logo, target);
}

int Report(const ReportOptions& options, const TestConditions& conditions) {
  if (!options.pdf.empty() && !CanWriteReportPdf()) {
    std::fprintf(stderr, "brisca-cli: --pdf needs the build with the desktop program\n");
    return kExitUsage;
  }
  if (!options.templateFile.empty() && !CheckInputFile(options.templateFile)) return kExitEngineError;
  if (!CheckOutputFile(options.output)) return kExitEngineError;
  if (!options.pdf.empty() && !CheckReportPdfTarget(options.pdf)) return kExitEngineError;
  const std::unique_ptr<EngineSession> session =
      OpenEngine(options.engine, options.dataDir, OpenRun::Always);
  if (!session) return kExitEngineError;

  const ProgramPaths paths = ProgramPaths::Discover();
  const fs::path installed = options.dataDir.empty()
                                 ? InstalledReportFolder(paths)
                                 : fs::path(options.dataDir) / "Manuals & Videos" / "Kalvex";
  if (!FillReportFolder(paths.reportFolder, installed)) {
    std::fprintf(stderr, "brisca-cli: the report folder %s could not be filled from %s\n",
                 paths.reportFolder.c_str(), installed.c_str());
  }

  CVexoDoc& doc = session->doc;
  ApplyDisplayConditions(doc, conditions);
  const ReportCharts charts(doc);
  CVexoReport report(doc, doc.Report(), paths.reportFolder, charts.Sink());
  report.SetOutputPath(options.output);
  if (!options.templateFile.empty()) report.SetTemplatePath(options.templateFile);
  if (!report.Generate()) return kExitEngineError;
  CopyLogoBeside(options.output, doc.Report(), paths.reportFolder);
  std::printf("report written to %s\n", options.output.c_str());
  if (!options.pdf.empty()) {
    // The report names its pictures without a folder: they lie beside it.
    std::error_code ec;
    const fs::path beside = fs::absolute(options.output, ec).parent_path();
    if (!WriteReportPdf(options.output, ec ? paths.reportFolder : beside, options.pdf)) return kExitEngineError;
    std::printf("PDF written to %s\n", options.pdf.c_str());
  }
  return std::fflush(stdout) == 0 ? kExitOk : kExitEngineError;
}

}  // namespace

void AddReportCommand(CLI::App& app, int& status) {
  auto options = std::make_shared<ReportOptions>();
  CLI::App* command =
      app.add_subcommand("report", "Open an engine file, run it and write its HTML report");
  command->add_option("engine", options->engine, "Engine file (.qen)")->required();
  command->add_option("-o,--output,--out", options->output, "Report file to write (.html)")
      ->required()
      ->check(NonEmptyPath());
  command->add_option("--template", options->templateFile,
                      "Report template to fill instead of the report folder's");
  command->add_option("--pdf", options->pdf, "Also write the report, laid out for printing, as a PDF file")
      ->check(NonEmptyPath());
  AddConditionOptions(*command, options->conditions);
  AddDataDirOption(*command, options->dataDir);
  command->callback([options, &status] { status = Report(*options, options->conditions.Conditions()); });
}

}  // namespace brisca::cli
