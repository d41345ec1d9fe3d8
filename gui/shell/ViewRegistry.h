#pragma once
// The views a document knows by name: the engine form, the standard and the
// extended results table and its two charts. A view enters itself when its
// slot is empty, so a second window on the same document (New Window) adds
// views that show the document but are not registered; printing and the
// chart settings use the registered ones.
//
// It also keeps what every window on the document shows for the session only:
// the measured run laid over its charts (never saved with the engine).

#include <array>
#include <optional>

#include "core/results/MeasuredRun.h"

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

  //! The measured run over the document's charts (none: nothing laid over).
  const std::optional<MeasuredRun>& Measured() const { return measured_; }
  void SetMeasured(std::optional<MeasuredRun> run) { measured_ = std::move(run); }

 private:
  static std::size_t Index(ViewSlot slot) { return static_cast<std::size_t>(slot); }
  std::array<QWidget*, 5> views_{};
  std::optional<MeasuredRun> measured_;
};

}  // namespace brisca
