#include "gui/results/ViewChartImages.h"

#include "gui/results/Chart2dView.h"
#include "gui/results/ChartBuilder.h"
#include "gui/shell/ViewRegistry.h"

namespace brisca {

bool ViewChartImages::SaveChartImage(ChartRole role, const std::filesystem::path& path) {
  const ViewSlot slot = role == ChartRole::First ? ViewSlot::FirstChart : ViewSlot::SecondChart;
  if (const auto* view = qobject_cast<const CChart2dView*>(views_.View(slot))) return view->SaveAsBitmap(path);
  return DocumentChartImages(document_).SaveChartImage(role, path);
}

}  // namespace brisca
