#pragma once
// A measured run drawn over a document's charts: which of its curves a chart
// shows, and in which air.
//
// A run measures engine speed, flywheel power and flywheel torque (the reader
// passes wheel columns over), so it has a curve wherever a chart's Y item,
// or a curve of a Y combination, is power or torque, and the X item is one
// of the three. Wheel items get none: a flywheel figure on a wheel axis would
// read as a loss that was never measured.

#include <optional>
#include <vector>

#include "core/results/MeasuredRun.h"
#include "core/results/TestConditions.h"

namespace brisca {

//! One measured curve of a chart: the item it stands for and its points.
struct MeasuredCurve {
  int item = 0;  //!< the Y item (power or torque) the curve is drawn as
  struct Point {
    double x = 0.0;
    double y = 0.0;
  };
  std::vector<Point> points;  //!< in the run's order (ascending speed)
};

//! The factor that puts the run's power and torque into the air the
//! displayed simulated figures hold for (DisplayScale of `conditions`): a run
//! that states its weather is moved from it by the law of `conditions`
//!   CF(run weather) / CF(model air) × DisplayScale(conditions),
//! one that states none is shown as read (1).
double MeasuredDisplayScale(const MeasuredRun& run, const TestConditions& conditions);

//! The value `point` gives for chart item `item` with power and torque times
//! `scale`: engine speed, power or torque; nothing for any other item.
std::optional<double> MeasuredItemValue(const MeasuredPoint& point, int item, double scale);

//! The curves of `run` on a chart of X item `xItem` against Y item `yItem`
//! (a combination gives one per member it measured), in the combination's
//! order; none when the run does not measure the X item.
std::vector<MeasuredCurve> MeasuredCurves(const MeasuredRun& run, int xItem, int yItem, double scale);

}  // namespace brisca
