#pragma once
// The report of one engine document: fills the template of the report folder
// with the document's values and results and writes the report file there.
//
// Generate, step by step:
//  1. settings never set up for the document take the saved defaults
//     ("Kalvex.INI"), or the built-in ones, with the document's title;
//  2. with nitrous, the engine is run once without it (gasoline, or methanol
//     for the methanol fuels with nitrous) for the power and torque split,
//     then fuel and nitrous are put back and the engine run again;
//  3. the template is processed into "DefaultTempFile.html", which is then
//     processed into the report file, so macros of included pieces resolve;
//  4. the two charts are saved as "DefaultLeftChart.bmp" and
//     "DefaultRightChart.bmp" through the chart sink, when there is one,
//     beside the report file (which names them without a folder); each is
//     written whole or not at all, and one that cannot be written is error 44
//     naming the file and the cause, and fails the report.
// Chart images of an earlier report are removed first: without a sink the
// report shows its line about missing charts, never an old engine's charts.

#include <filesystem>
#include <string>
#include <string_view>

#include "core/report/MacroProcessor.h"
#include "core/report/ReportMacros.h"

namespace brisca {

class CVexoDoc;
class ChartImageSink;
struct ReportSpecs;

class CVexoReport : public CReportMacroProcessor {
 public:
  //! `document` and `settings` (normally document.Report()) are not owned and
  //! must outlive the report; `charts` may be null (no chart images).
  CVexoReport(CVexoDoc& document, ReportSpecs& settings, std::filesystem::path reportFolder,
              ChartImageSink* charts = nullptr);

  //! Makes the report (see above). True when both passes succeeded; every
  //! failure has been reported by its number. The caller opens or prints the
  //! report file either way.
  bool Generate();

  //! The macro's text (ReportMacros); false for a name that is no macro.
  bool ResolveMacro(std::string_view name, std::string& text) override;

  //! A template outside the report folder (the command line's --template);
  //! empty: the settings' input file.
  void SetTemplatePath(std::filesystem::path path) { templatePath_ = std::move(path); }
  //! A report file outside the report folder; empty: the settings' output file.
  void SetOutputPath(std::filesystem::path path) { outputPath_ = std::move(path); }

  std::filesystem::path TemplatePath() const;
  std::filesystem::path OutputPath() const;
  const std::filesystem::path& ReportFolder() const { return context_.reportFolder; }
  //! Where the chart pictures go: the report file's folder.
  std::filesystem::path ChartFolder() const;

  //! "Nitrous Flow Rate" was above 0 at the last Generate.
  bool UsedNitrous() const { return context_.nitrous; }
  //! Power and torque of the run without nitrous (all 0 until one was made).
  const ResultArray& PowerWithoutNitrous() const { return context_.powerWithoutNitrous; }
  const ResultArray& TorqueWithoutNitrous() const { return context_.torqueWithoutNitrous; }

 private:
  void RunWithoutNitrous();
  //! False when a picture could not be written (reported by its number).
  bool SaveCharts();

  CVexoDoc& document_;
  ReportSpecs& settings_;
  ChartImageSink* charts_;                //!< not owned, may be null
  std::filesystem::path templatePath_;    //!< overrides the settings' input file
  std::filesystem::path outputPath_;      //!< overrides the settings' output file
  ReportMacroContext context_;
};

}  // namespace brisca
