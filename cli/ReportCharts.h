#pragma once
// The chart pictures of a report. Built with the desktop program, brisca-cli
// draws them with the desktop's chart layer on Qt's offscreen platform;
// without it there are none and the report says the charts are missing.

#include <memory>

namespace brisca {
class ChartImageSink;
class CVexoDoc;
}  // namespace brisca

namespace brisca::cli {

class ReportCharts {
 public:
  explicit ReportCharts(const CVexoDoc& document);
  ~ReportCharts();
  ReportCharts(const ReportCharts&) = delete;
  ReportCharts& operator=(const ReportCharts&) = delete;

  //! Where the report saves its chart pictures; null without the chart layer.
  ChartImageSink* Sink() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace brisca::cli
