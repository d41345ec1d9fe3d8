#pragma once
// "Cam Timing" page of the Pro Iterator for one lobe: the test mode, and per
// phase the four valve events with their "+/-" tolerances and one step (the
// high-speed lobe adds the activation speed), and the number of tests.

#include <array>

#include "gui/iterator/ProPage.h"

class QComboBox;
class QLabel;

namespace brisca {

class ProCamPage : public ProPage {
  Q_OBJECT

 public:
  //! `highSpeed`: the high-speed lobe (slots 7..11), else the cam (slots 1..4).
  ProCamPage(IteratorPhases& phases, const CVexoDoc& baseline, bool highSpeed,
             QWidget* parent = nullptr);
  void Refresh() override;

  QButtonGroup* Mode() const { return mode_; }
  //! Tolerance choice of event k (0..3) in phase 1 or 2.
  QComboBox* Tolerance(int phase, int k) const { return rows_[phase - 1].tolerance[k]; }
  QComboBox* Step(int phase) const { return rows_[phase - 1].step; }
  QComboBox* Activation(int phase) const { return rows_[phase - 1].activation; }
  QLabel* TestCount(int phase) const { return rows_[phase - 1].tests; }

 private:
  struct PhaseRows {
    QGroupBox* box = nullptr;
    std::array<QLabel*, 4> centre{};
    std::array<QComboBox*, 4> tolerance{};
    QComboBox* step = nullptr;
    QLabel* activationCentre = nullptr;
    QComboBox* activation = nullptr;
    QLabel* tests = nullptr;
  };
  QGroupBox* BuildPhase(int phase);
  void Apply(int phase);
  int FirstSlot() const { return highSpeed_ ? kSlotHighIvo : kSlotLowIvo; }
  SlotGroup Group() const { return highSpeed_ ? SlotGroup::HighSpeedCam : SlotGroup::LowSpeedCam; }

  bool highSpeed_;
  QButtonGroup* mode_ = nullptr;
  std::array<PhaseRows, 2> rows_;
};

}  // namespace brisca
