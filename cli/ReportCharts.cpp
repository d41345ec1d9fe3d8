#include "cli/ReportCharts.h"

#ifdef BRISCA_CLI_CHARTS
#include <QApplication>
#include <QByteArray>

#include "gui/results/ChartBuilder.h"
#endif

namespace brisca::cli {

#ifdef BRISCA_CLI_CHARTS

struct ReportCharts::Impl {
  explicit Impl(const CVexoDoc& document) : application(MakeApplication()), charts(document) {}

  // The chart layer draws with widgets, which need an application object; the
  // offscreen platform needs no display.
  static std::unique_ptr<QApplication> MakeApplication() {
    if (QApplication::instance()) return nullptr;
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    static int argc = 1;
    static char name[] = "brisca-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QApplication>(argc, argv);
  }

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
