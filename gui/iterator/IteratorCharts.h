#pragma once
// The charts both iterator windows draw from a run snapshot: the current test
// (best, baseline and last tested engine), the result bars (baseline against
// best), the baseline curve of the criterion with its speed range, and the
// kept results as a 3D surface.

#include <QColor>

#include "core/iterator/BarChartScale.h"
#include "gui/iterator/IteratorRun.h"

namespace brisca {

class CChart2D;
class CSurface3D;

inline const QColor kBestColor = Qt::red;
inline const QColor kBaselineColor = Qt::gray;
inline const QColor kLastColor = QColor(0x00, 0xA0, 0x00);

//! Chart quantity of a criterion: 3 torque for criteria 0 and 1, else 2 power.
int CriterionQuantity(int criterion);
//! "hp" / "lb-ft" and the area units, by criterion.
const char* CriterionUnits(int criterion);

//! X fixed at 1000..14500 rpm ("RPM"), Y from 0 to an automatic maximum,
//! titled with the quantity's unit caption. Curves over the baseline's sweep
//! points: best (red) and last tested (green) once the phase has tested,
//! baseline (grey) always; 1-pixel lines, markers of 5.
void ShowCurrentTest(CChart2D& chart, const RunSnapshot& snapshot);

//! Sets up the bar chart's two labelled places ("Baseline", "Best").
void InitResultBars(CChart2D& chart);
//! The two bars; the axis moves by the rescale rule (0..baseline before
//! anything was kept). `axis` is the window's remembered axis.
void ShowResultBars(CChart2D& chart, const RunSnapshot& snapshot, BarAxis& axis);

//! The baseline's curve of the criterion's quantity with vertical markers at
//! the speed range's ends.
void ShowCriterionRange(CChart2D& chart, const TestCurve& baseline, int criterion, float low,
                        float high);

//! Row i (X) of the 10 × 28 grid holds kept result i's curve of the
//! criterion's quantity over the sweep (Y, in 1000 rpm); rows without a result are 0.
void ShowResultSurface(CSurface3D& surface, const RunSnapshot& snapshot);

}  // namespace brisca
