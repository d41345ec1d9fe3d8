#pragma once
// "Bore/Stroke" page of the Pro Iterator: the test mode, per phase the bore
// and stroke tolerances and one step (inch or millimetre lists), "Maintain
// Current Displacement", the resulting limits and the number of tests.

#include <array>

#include "gui/iterator/ProPage.h"

class QCheckBox;
class QComboBox;
class QLabel;

namespace brisca {

class ProBoreStrokePage : public ProPage {
  Q_OBJECT

 public:
  ProBoreStrokePage(IteratorPhases& phases, const CVexoDoc& baseline, QWidget* parent = nullptr);
  void Refresh() override;

  QButtonGroup* Mode() const { return mode_; }
  //! Bore (0) or stroke (1) tolerance choice of phase 1 or 2.
  QComboBox* Tolerance(int phase, int which) const { return rows_[phase - 1].tolerance[which]; }
  QComboBox* Step(int phase) const { return rows_[phase - 1].step; }
  QCheckBox* ConstantDisplacement() const { return constant_; }
  //! Minimum (0) and maximum (1) of bore (row 0), stroke (1) and displacement (2).
  QLabel* Limit(int row, int end) const { return limits_[row][end]; }
  QLabel* TestCount() const { return tests_; }

 private:
  struct PhaseRows {
    QGroupBox* box = nullptr;
    std::array<QComboBox*, 2> tolerance{};
    QComboBox* step = nullptr;
  };
  QGroupBox* BuildPhase(int phase);
  QGroupBox* BuildLimits();
  void Apply(int phase, int changed);
  void ShowLimits();

  bool metric_;
  QButtonGroup* mode_ = nullptr;
  std::array<PhaseRows, 2> rows_;
  QCheckBox* constant_ = nullptr;
  std::array<std::array<QLabel*, 2>, 3> limits_{};
  QLabel* tests_ = nullptr;
};

}  // namespace brisca
