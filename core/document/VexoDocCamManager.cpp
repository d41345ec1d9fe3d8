// The document's cam manager command: the host shows the manager, which hands
// its copies over through ApplyCamCopies; after OK the engine follows.
#include "core/document/DocumentHost.h"
#include "core/document/VexoDoc.h"

namespace brisca {

bool CVexoDoc::OnCamManager() {
  if (!host_ || !host_->RunCamManager(*this)) return false;
  UpdateDerivedValues();
  SetUnits(engine_.metricUnits);
  RedrawViews();
  return true;
}

}  // namespace brisca
