#include "core/iterator/ResultDocument.h"

#include "core/base/FatalAssert.h"
#include "core/document/VexoDoc.h"

namespace brisca {

std::string ResultDocumentTitle(int slot, const std::string& baselineTitle) {
  return "Best" + std::to_string(slot + 1) + "-" + baselineTitle.substr(0, baselineTitle.find('.'));
}

void ReceiveKeptResult(const Iterator& series, int slot, CVexoDoc& document) {
  BRISCA_ASSERT(slot >= 0 && slot < series.KeptCount());
  const CVexoDoc& kept = *series.Result(slot).engine;
  document.CopyFrom(kept);
  // The kept engine carries the baseline's title.
  document.SetTitle(ResultDocumentTitle(slot, kept.GetTitle()));
  document.SetModified(true);
  document.ClearAutoFlags();
  document.UpdateDerivedValues();
}

}  // namespace brisca
