#pragma once
// The kept results of a finished series: the ranking printed on stdout and the
// engines written as new documents receive them.

#include <string>
#include <vector>

#include "core/iterator/Iterator.h"

namespace brisca::cli {

//! The slots either phase varied, with a derived bore or stroke, in slot order.
std::vector<int> ShownSlots(const Iterator& phase1, const Iterator& phase2, bool phase2Ran);

//! Baseline score, then one line per kept result, best first.
void PrintKeptResults(const Iterator& it, const CVexoDoc& engine, const std::vector<int>& slots);

//! Writes every kept result as "Best<slot + 1>-<title>.qen" into `dir` (made
//! when missing); false after a reported failure.
bool WriteKeptEngines(const Iterator& results, const std::string& dir);

//! "N tests failed: first failure code C" on stderr when any failed.
void PrintFailures(int failures, int firstCode);

}  // namespace brisca::cli
