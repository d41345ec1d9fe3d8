#pragma once
// The chart pictures of a report made in the desktop program: each chart as
// its view shows it (comparisons included), or, for a chart without a view,
// as the document's chart state says.

#include "core/report/ChartImageSink.h"

namespace brisca {

class CVexoDoc;
class ViewRegistry;

class ViewChartImages : public ChartImageSink {
 public:
  ViewChartImages(const CVexoDoc& document, const ViewRegistry& views)
      : document_(document), views_(views) {}
  bool SaveChartImage(ChartRole role, const std::filesystem::path& path) override;

 private:
  const CVexoDoc& document_;
  const ViewRegistry& views_;
};

}  // namespace brisca
