#include "cli/PrintCommand.h"

#include <cstdio>
#include <memory>
#include <string>

#include "cli/ConditionOptions.h"
#include "cli/EngineLoader.h"
#include "cli/FileProblems.h"
#include "cli/OptionChecks.h"
#include "cli/ReportPdf.h"
#include "cli/StdStreams.h"

#ifdef BRISCA_CLI_CHARTS
#include <QApplication>
#include <QString>

#include "cli/OffscreenApplication.h"
#include "core/base/ErrCode.h"
#include "core/base/FileError.h"
#include "gui/engine/EnginePdf.h"
#include "gui/engine/EnginePrinter.h"
#include "gui/shell/PdfFile.h"
#endif

namespace brisca::cli {
namespace {

struct PrintOptions {
  std::string engine;
  std::string output;
  std::string dataDir;
  bool run = false;
  ConditionOptions conditions;
};

#ifdef BRISCA_CLI_CHARTS

int Print(const PrintOptions& options, const TestConditions& conditions) {
  if (!IsStdStream(options.output)) {
    try {
      brisca::CheckPdfTarget(options.output);  // before the engine's run
    } catch (const FileError& error) {
      ReportPdfError(error);
      return kExitEngineError;
    }
  }
  const std::unique_ptr<EngineSession> session =
      OpenEngine(options.engine, options.dataDir, options.run ? OpenRun::Always : OpenRun::AsStored);
  if (!session) return kExitEngineError;
  ApplyDisplayConditions(session->doc, conditions);
  const OutputFile output(options.output, ".pdf");
  if (!output.Ok()) return kExitEngineError;
  const std::unique_ptr<QApplication> application = MakeOffscreenApplication();
  try {
    PrintEngineToPdf(session->doc, QString::fromStdString(output.Path().string()));
  } catch (const FileError& error) {
    ReportPdfError(error);
    return kExitEngineError;
  }
  if (output.ToStdout()) {
    // The PDF is the standard output; the note on it goes to standard error.
    if (!output.Deliver()) return kExitEngineError;
    std::fprintf(stderr, "%d pages printed to standard output\n", EnginePrinter::kPageCount);
    return kExitOk;
  }
  std::printf("%d pages printed to %s\n", EnginePrinter::kPageCount, options.output.c_str());
  return std::fflush(stdout) == 0 ? kExitOk : kExitEngineError;
}

#else

int Print(const PrintOptions&, const TestConditions&) {
  std::fputs("brisca-cli: print is not available: this brisca-cli was built without the desktop "
             "program, which draws the pages\n",
             stderr);
  return kExitEngineError;
}

#endif

}  // namespace

void AddPrintCommand(CLI::App& app, int& status) {
  auto options = std::make_shared<PrintOptions>();
  CLI::App* command = app.add_subcommand(
      "print", "Open an engine file and print its seven pages (form, port flow, tables, charts) to a PDF file");
  command->add_option("engine", options->engine, "Engine file (.qen)")->required();
  command->add_option("-o,--output,--out", options->output, "PDF file to write (-: standard output)")
      ->required()
      ->check(NonEmptyPath());
  command->add_flag("--run", options->run,
                    "Run the engine before printing, whatever its Auto Run says");
  AddConditionOptions(*command, options->conditions);
  AddDataDirOption(*command, options->dataDir);
  command->callback([options, &status] { status = Print(*options, options->conditions.Conditions()); });
}

}  // namespace brisca::cli
