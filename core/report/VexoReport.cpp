#include "core/report/VexoReport.h"

#include <ctime>
#include <system_error>
#include <utility>

#include "core/base/ErrCode.h"
#include "core/base/FileError.h"
#include "core/document/RunWithoutNitrous.h"
#include "core/document/VexoDoc.h"
#include "core/report/ChartImageSink.h"
#include "core/reportspecs/ReportSpecs.h"

namespace brisca {
namespace {

std::tm LocalNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local;
}

}  // namespace

CVexoReport::CVexoReport(CVexoDoc& document, ReportSpecs& settings, std::filesystem::path reportFolder,
                         ChartImageSink* charts)
    : document_(document), settings_(settings), charts_(charts) {
  context_.document = &document_;
  context_.settings = &settings_;
  context_.reportFolder = std::move(reportFolder);
  context_.now = LocalNow();
}

std::filesystem::path CVexoReport::TemplatePath() const {
  return templatePath_.empty() ? settings_.InputPath(ReportFolder()) : templatePath_;
}

std::filesystem::path CVexoReport::OutputPath() const {
  return outputPath_.empty() ? settings_.OutputPath(ReportFolder()) : outputPath_;
}

bool CVexoReport::ResolveMacro(std::string_view name, std::string& text) {
  return ResolveReportMacro(name, context_, text);
}

bool CVexoReport::Generate() {
  if (!settings_.specified) {
    if (!settings_.LoadDefaults(document_.GetTitle(), ReportFolder())) settings_.Reset(document_.GetTitle());
  }
  context_.now = LocalNow();

  const CFloatPtSpec& nitrous = document_.Engine().nitrousFlowRate;
  context_.nitrous = nitrous.IsValid() && nitrous.GetValue() > 0.0f;
  context_.countWithoutNitrous = 0;
  if (context_.nitrous) RunWithoutNitrous();

  std::error_code ec;
  std::filesystem::create_directories(ReportFolder(), ec);  // a failure shows as 126 below
  for (const auto& stale : {ReportSpecs::LeftChartPath(ChartFolder()), ReportSpecs::RightChartPath(ChartFolder())})
    std::filesystem::remove(stale, ec);

  const std::filesystem::path temp = ReportSpecs::TempPath(ReportFolder());
  const bool processed = Process(TemplatePath(), temp) && Process(temp, OutputPath());
  const bool pictured = SaveCharts();
  return processed && pictured;
}

void CVexoReport::RunWithoutNitrous() {
  // Shown in the same air as the run with nitrous, so the gain is the nitrous's alone.
  const ResultSet without =
      DisplayedResults(brisca::RunWithoutNitrous(document_), document_.DisplayConditions());
  context_.powerWithoutNitrous = without.power;
  context_.torqueWithoutNitrous = without.torque;
  context_.countWithoutNitrous = without.count;
}

std::filesystem::path CVexoReport::ChartFolder() const {
  std::error_code ec;
  const std::filesystem::path output = std::filesystem::absolute(OutputPath(), ec);
  return ec || output.parent_path().empty() ? ReportFolder() : output.parent_path();
}

bool CVexoReport::SaveCharts() {
  if (charts_ == nullptr) return true;
  bool saved = true;
  for (const auto& [role, path] : {std::pair{ChartRole::First, ReportSpecs::LeftChartPath(ChartFolder())},
                                   std::pair{ChartRole::Second, ReportSpecs::RightChartPath(ChartFolder())}}) {
    try {
      saved = charts_->SaveChartImage(role, path) && saved;
    } catch (const FileError& error) {
      // A picture the report names but that is not there is a failed report.
      ReportErrorCode(error.code(), false, error.detail());
      saved = false;
    }
  }
  return saved;
}

}  // namespace brisca
