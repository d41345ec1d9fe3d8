#pragma once
// The kept results of a finished series: the ranking printed on stdout and the
// engines written as new documents receive them.

#include <map>
#include <string>
#include <vector>

#include "cli/json/JsonText.h"
#include "core/iterator/Iterator.h"
#include "core/iterator/KeptEngineFile.h"

namespace brisca::cli {

//! The slots either phase varied, with a derived bore or stroke, in slot order.
std::vector<int> ShownSlots(const Iterator& phase1, const Iterator& phase2, bool phase2Ran);

//! The kept results' slots, best score first (equal scores in slot order).
std::vector<int> RankOrder(const Iterator& it);

//! Writes every kept result into `dir` (made when missing), named by rank:
//! "Best1-<title>.qen" the best (see WriteKeptEngineFile; compressor maps as
//! `engine`'s). False after a reported failure.
bool WriteKeptEngines(const Iterator& results, const CVexoDoc& engine, const std::string& dir,
                      std::vector<KeptEngineFile>& files);

//! The user's engine's score as the baseline, phase 2's start when
//! `phase2Start` is given, then one line per kept result, best first, with
//! its gain over the baseline and, when `files` holds them, the file it was
//! written to (and that file's score where it differs).
void PrintKeptResults(const Iterator& it, const CVexoDoc& engine, const std::vector<int>& slots,
                      const Iterator* phase2Start, const std::vector<KeptEngineFile>& files);

//! The same as members of `document`: "criterion", "unit", "baseline",
//! "phase2Start" (or null) and "ranking", one object per kept result with its
//! "file" (or null).
void KeptResultsJson(const Iterator& it, const CVexoDoc& engine, const std::vector<int>& slots,
                     const Iterator* phase2Start, const std::vector<KeptEngineFile>& files,
                     json::Json& document);

//! Writes the kept engines when `dir` is given, then prints the table and
//! where they went, or with `document` fills it instead (KeptResultsJson and
//! "output"). False after a reported failure.
bool ReportKeptResults(const Iterator& results, const CVexoDoc& engine, const std::vector<int>& slots,
                       const Iterator* phase2Start, const std::string& dir,
                       json::Json* document = nullptr);

//! On stderr: how many tests failed, for each reason; `uncounted` failures
//! come from shard records of an older version, which kept no reasons.
void PrintFailures(const std::map<int, int>& counts, int uncounted = 0);

//! On stderr, before a phase runs: how many of its tests lie outside the limits.
void PrintOutsideLimits(const Iterator& phase, int phaseNumber);

}  // namespace brisca::cli
