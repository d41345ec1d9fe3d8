// The chart properties of a chart view: opening the sheet and taking back
// what it applies.
#include <algorithm>

#include "core/document/DocumentHost.h"
#include "core/document/VexoDoc.h"
#include "gui/results/Chart2dView.h"
#include "gui/results/ChartPropertiesSheet.h"
#include "gui/shell/MainFrame.h"

namespace brisca {

std::vector<CVexoDoc*> CChart2dView::OtherDocuments() const {
  std::vector<CVexoDoc*> others;
  if (auto* frame = qobject_cast<CMainFrame*>(window())) others = frame->Documents().Documents();
  others.erase(std::remove(others.begin(), others.end(), &document_), others.end());
  return others;
}

bool CChart2dView::OpenProperties(int customAxis) {
  CChartPropertiesSheet sheet(*this, OtherDocuments(), this);
  if (customAxis >= 0) sheet.StartOnCustomRange(customAxis);
  return sheet.exec() == QDialog::Accepted;
}

void CChart2dView::ApplyProperties(const ChartState& state, const std::array<CVexoDoc*, kComparisonSlots - 1>& chosen) {
  ChartState& own = State();
  bool changed = !(own == state);
  for (int i = 1; i < kComparisonSlots; ++i) changed = changed || Slot(i).document != chosen[static_cast<std::size_t>(i - 1)];
  // OK or Apply on the settings as they were leaves the document unmodified.
  if (!changed) return;
  own.comparison = state.comparison;
  for (int i = 1; i < kComparisonSlots; ++i) SetSlot(i, chosen[static_cast<std::size_t>(i - 1)]);
  own.axes = state.axes;
  own.zones = state.zones;
  const NamedChange name(document_, "Chart Settings");
  document_.SetModified(true);
  Rebuild();
  if (DocumentHost* host = document_.Host()) host->UpdateAllViews(document_);
}

}  // namespace brisca
