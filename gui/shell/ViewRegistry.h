#pragma once
// The views a document knows by name: the engine form, the standard and the
// extended results table and its two charts. A view enters itself when its
// slot is empty, so a second window on the same document (New Window) adds
// views that show the document but are not registered; printing and the
// chart settings use the registered ones.

#include <array>

class QWidget;

namespace brisca {

enum class ViewSlot { EngineForm, ResultsTable, ProDataTable, FirstChart, SecondChart };

class ViewRegistry {
 public:
  //! Enters `view` when `slot` is empty; true when it did.
  bool Register(ViewSlot slot, QWidget* view);
  //! Empties every slot that holds `view`.
  void Unregister(const QWidget* view);
  QWidget* View(ViewSlot slot) const { return views_[Index(slot)]; }

 private:
  static std::size_t Index(ViewSlot slot) { return static_cast<std::size_t>(slot); }
  std::array<QWidget*, 5> views_{};
};

}  // namespace brisca
