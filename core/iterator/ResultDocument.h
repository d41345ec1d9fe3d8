#pragma once
// A kept result of a test series, received by a new engine document.

#include <string>

#include "core/iterator/Iterator.h"

namespace brisca {

//! "Best<slot + 1>-" followed by the baseline's title cut before its first '.'.
std::string ResultDocumentTitle(int slot, const std::string& baselineTitle);

//! Fills `document` with kept result `slot` of `series` as a new document
//! receives it: the engine that was scored, its title, marked modified, every
//! automatic calculation off (so the received values stay as they were
//! scored), then its derived values recomputed - and, with Auto Run on, simulated.
void ReceiveKeptResult(const Iterator& series, int slot, CVexoDoc& document);

}  // namespace brisca
