#pragma once
// "Induction" page of the Pro Iterator: manifolds to try in phase 1, one check
// box per manifold type in five groups, the induction-flow choice for
// individual runners, and the number of tests.

#include <array>

#include "gui/iterator/ProChoices.h"
#include "gui/iterator/ProPage.h"

class QCheckBox;
class QLabel;
class QRadioButton;

namespace brisca {

class ProInductionPage : public ProPage {
  Q_OBJECT

 public:
  ProInductionPage(IteratorPhases& phases, const CVexoDoc& baseline, QWidget* parent = nullptr);
  void Refresh() override;

  QButtonGroup* Mode() const { return mode_; }
  //! The check box of "Manifold Type" item 1..19.
  QCheckBox* Manifold(int item) const { return manifolds_.at(item - 1); }
  QRadioButton* RaiseFlow() const { return raise_; }
  QLabel* TestCount() const { return tests_; }

 private:
  void OnManifold(int item, bool checked);

  QButtonGroup* mode_ = nullptr;
  std::array<QCheckBox*, kManifoldTypes> manifolds_{};
  QRadioButton* existing_ = nullptr;
  QRadioButton* raise_ = nullptr;
  QLabel* tests_ = nullptr;
};

//! "Manifold Type" item 1..19 with its catalogue name, as a list entry.
CPartTypeSpec ManifoldChoice(int item);

}  // namespace brisca
