#pragma once
// "Run/Results" page of the Pro Iterator: Run/Stop and Restart, the best
// results as bars and as a 3D surface with its rotation buttons, and one
// "Save:" check button per kept result.

#include <QWidget>

#include <array>

#include "core/iterator/BarChartScale.h"
#include "core/iterator/Iterator.h"
#include "gui/iterator/IteratorRun.h"

class QCheckBox;
class QPushButton;

namespace brisca {

class CChart2D;
class CSurface3D;

class ProResultsPage : public QWidget {
  Q_OBJECT

 public:
  explicit ProResultsPage(QWidget* parent = nullptr);

  //! Bars and surface of `snapshot`.
  void ShowResults(const RunSnapshot& snapshot);
  //! One check button per kept result of `series`, checked by its keep flag
  //! and titled with the result's number and score.
  void ShowSaveButtons(const Iterator& series);

  QPushButton* RunButton() const { return run_; }
  QPushButton* RestartButton() const { return restart_; }
  CChart2D* BarChart() const { return bars_; }
  CSurface3D* Surface() const { return surface_; }
  //! "X+", "X-", "Y+", "Y-", "Z+", "Z-", "Home" in that order.
  QPushButton* RotateButton(int i) const { return rotate_.at(i); }
  QCheckBox* SaveButton(int slot) const { return save_.at(slot); }
  const BarAxis& BarAxisShown() const { return axis_; }

 signals:
  //! The user checked or cleared the keep flag of result `slot`.
  void KeepChanged(int slot, bool keep);

 private:
  //! "3: 248.7" on the boxes of kept results, the number alone on the others.
  void ShowScores(const std::array<float, kIteratorResults>& scores, int kept);

  QPushButton* run_ = nullptr;
  QPushButton* restart_ = nullptr;
  CChart2D* bars_ = nullptr;
  CSurface3D* surface_ = nullptr;
  std::array<QPushButton*, 7> rotate_{};
  std::array<QCheckBox*, kIteratorResults> save_{};
  BarAxis axis_;
  bool filling_ = false;
};

}  // namespace brisca
