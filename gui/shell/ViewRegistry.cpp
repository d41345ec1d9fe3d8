#include "gui/shell/ViewRegistry.h"

namespace brisca {

bool ViewRegistry::Register(ViewSlot slot, QWidget* view) {
  QWidget*& entry = views_[Index(slot)];
  if (entry) return false;
  entry = view;
  return true;
}

void ViewRegistry::Unregister(const QWidget* view) {
  for (QWidget*& entry : views_) {
    if (entry == view) entry = nullptr;
  }
}

}  // namespace brisca
