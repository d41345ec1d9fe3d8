#pragma once
// "Optimize For" page of the Pro Iterator: the criterion, its engine-speed
// range ("From" below "To") under a label that names the criterion, and the
// baseline's torque or power curve with markers at the range's ends.

#include <array>

#include "gui/iterator/ProPage.h"

class QComboBox;
class QLabel;
class QRadioButton;

namespace brisca {

class CChart2D;

class ProOptimizePage : public ProPage {
  Q_OBJECT

 public:
  ProOptimizePage(IteratorPhases& phases, const CVexoDoc& baseline, QWidget* parent = nullptr);
  void Refresh() override;

  QRadioButton* Criterion(int criterion) const { return criteria_.at(criterion); }
  QLabel* RangeLabel() const { return rangeLabel_; }
  QComboBox* From() const { return from_; }
  QComboBox* To() const { return to_; }
  CChart2D* Chart() const { return chart_; }

 private:
  void OnRange(bool fromChanged);

  std::array<QRadioButton*, 4> criteria_{};
  QLabel* rangeLabel_ = nullptr;
  QComboBox* from_ = nullptr;
  QComboBox* to_ = nullptr;
  CChart2D* chart_ = nullptr;
};

}  // namespace brisca
