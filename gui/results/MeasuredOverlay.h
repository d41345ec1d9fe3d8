#pragma once
// A measured run over a document's chart: its curves as overlay lines (dashed
// for power, dash-dotted for torque, in one colour of their own that is none
// of the compared documents') with the legend "Measured - <file>".

#include <QColor>
#include <QString>

#include <vector>

#include "core/results/ChartState.h"
#include "core/results/MeasuredRun.h"
#include "gui/results/ChartBuilder.h"
#include "gui/results/chartlib/Chart2D.h"

namespace brisca {

//! "Measured - <file name>".
QString MeasuredLegend(const MeasuredRun& run);

//! The colour of measured curves: near black on a light plot, near white on a
//! dark one (the plot is white while zones are shown and on paper).
QColor MeasuredColor(const ChartPalette& palette, bool zonesShown);

//! The lines `run` adds to a chart showing `state`: its curves on Y1, then on
//! Y2 (none while Y2 is "(None)"), power and torque times `scale`. With more
//! than one line each legend names its item first ("Power (HP)-Measured - ...").
std::vector<OverlayLine> MeasuredOverlayLines(const MeasuredRun& run, const ChartState& state, double scale,
                                              const ChartPalette& palette);

}  // namespace brisca
