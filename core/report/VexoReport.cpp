#include "core/report/VexoReport.h"

#include <array>
#include <ctime>
#include <system_error>
#include <utility>

#include "core/document/VexoDoc.h"
#include "core/report/ChartImageSink.h"
#include "core/reportspecs/ReportSpecs.h"

namespace brisca {
namespace {

// The fuel of the run without nitrous: the methanol fuels with nitrous fall
// back to methanol, every other fuel to gasoline.
constexpr int kFirstMethanolNitrousFuel = 12;
constexpr int kLastMethanolNitrousFuel = 17;
constexpr int kMethanolFuel = 10;
constexpr const char* kMethanolName = "Methanol";
constexpr int kGasolineFuel = 1;
constexpr const char* kGasolineName = "Gasoline";

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
  for (const auto& stale : {ReportSpecs::LeftChartPath(ReportFolder()), ReportSpecs::RightChartPath(ReportFolder())})
    std::filesystem::remove(stale, ec);

  const std::filesystem::path temp = ReportSpecs::TempPath(ReportFolder());
  const bool processed = Process(TemplatePath(), temp) && Process(temp, OutputPath());
  SaveCharts();
  return processed;
}

void CVexoReport::RunWithoutNitrous() {
  EngineParameters& e = document_.Engine();
  const CPartTypeSpec fuel = e.fuelType;
  CFloatPtSpec nitrous = e.nitrousFlowRate;
  nitrous = e.nitrousFlowRate;  // the copy constructor drops the flag of an invalid value
  const std::array<ResultSet, 3> results = e.results;

  const int fuelItem = e.fuelType.GetValue();
  if (fuelItem >= kFirstMethanolNitrousFuel && fuelItem <= kLastMethanolNitrousFuel) {
    e.fuelType.SetSelection(kMethanolFuel, kMethanolName);
  } else {
    e.fuelType.SetSelection(kGasolineFuel, kGasolineName);
  }
  e.nitrousFlowRate.SetValue(0.0f);
  if (document_.RunSimulation(false, false)) {
    const ResultSet& without = document_.Results(ResultSetId::Displayed);
    context_.powerWithoutNitrous = without.power;
    context_.torqueWithoutNitrous = without.torque;
    context_.countWithoutNitrous = without.count;
  }

  e.fuelType = fuel;
  e.nitrousFlowRate = nitrous;
  // A run that fails clears the results: the document keeps the ones it had.
  if (!document_.RunSimulation(false, false)) e.results = results;
}

void CVexoReport::SaveCharts() {
  if (charts_ == nullptr) return;
  charts_->SaveChartImage(ChartRole::First, ReportSpecs::LeftChartPath(ReportFolder()));
  charts_->SaveChartImage(ChartRole::Second, ReportSpecs::RightChartPath(ReportFolder()));
}

}  // namespace brisca
