#include "cli/ReportCharts.h"

#ifdef BRISCA_CLI_CHARTS
#include <QApplication>

#include "cli/OffscreenApplication.h"
#include "gui/results/ChartBuilder.h"
#endif

namespace brisca::cli {

#ifdef BRISCA_CLI_CHARTS

struct ReportCharts::Impl {
  explicit Impl(const CVexoDoc& document)
      : application(MakeOffscreenApplication()), charts(document) {}

  std::unique_ptr<QApplication> application;
  DocumentChartImages charts;
};

ReportCharts::ReportCharts(const CVexoDoc& document) : impl_(std::make_unique<Impl>(document)) {}
ChartImageSink* ReportCharts::Sink() const { return &impl_->charts; }

#else

struct ReportCharts::Impl {};
ReportCharts::ReportCharts(const CVexoDoc&) {}
ChartImageSink* ReportCharts::Sink() const { return nullptr; }

#endif

ReportCharts::~ReportCharts() = default;

}  // namespace brisca::cli
