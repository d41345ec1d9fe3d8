#pragma once
// The arithmetic of the cam math calculator: a cam card (lobe centre, intake
// centreline, both durations) turned into the primary valve events of a
// working copy of a lobe. Only the primary timing set takes part.

#include "core/valvetrain/CamProfile.h"

namespace brisca {

//! EventsFromCard when the four card values of `lobe` are valid; otherwise
//! its four primary events are unassigned.
void CamCardToEvents(CCamProfile& lobe);

//! The checks of "Apply", in order: lobe centre 39, intake centreline 38,
//! intake duration 40, exhaust duration 41, intake lift 32, exhaust lift 33,
//! primary IVO 34, IVC 35, EVO 36, EVC 37.
bool CheckCamMathApply(const CCamProfile& lobe, int& code);

}  // namespace brisca
