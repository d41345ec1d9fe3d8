#pragma once
// A page of the child frame whose real view is not built yet: it names the
// view that belongs there and what it will show, and states what the document
// holds now (its name, units and the peak power and torque of its last run),
// all read from the document.

#include <QWidget>

#include <optional>

#include "gui/shell/ViewRegistry.h"

class QLabel;

namespace brisca {

class CVexoDoc;

class PlaceholderView : public QWidget {
  Q_OBJECT

 public:
  //! Enters itself in `slot` of `registry` when that slot is empty.
  PlaceholderView(CVexoDoc& document, ViewRegistry& registry, std::optional<ViewSlot> slot,
                  const QString& viewName, const QString& description, QWidget* parent = nullptr);
  ~PlaceholderView() override;

  //! Re-reads the document.
  Q_INVOKABLE void UpdateView();

  CVexoDoc& Document() const { return document_; }
  //! What the page states about the document now.
  QString SummaryText() const;
  //! What the page shows (as of its last update).
  QString ShownSummary() const;

 private:
  CVexoDoc& document_;
  ViewRegistry& registry_;
  QLabel* summary_;
};

}  // namespace brisca
