#pragma once
// A test series as `iterate` sets it up: the engine opened and run, both
// phases set up from a preset or a setup file and phase 1 prepared. Shared by
// the whole-series run, the shards and their merge, and the cluster driver.

#include <memory>
#include <string>

#include "cli/EngineLoader.h"
#include "core/iterator/Iterator.h"
#include "cli/json/ShardRecordFile.h"

namespace brisca::cli {

//! The preset names of --preset.
inline const char* const kIteratePresets[] = {"cam-hp", "cam-torque", "bore-stroke-hp",
                                              "bore-stroke-torque"};

struct SeriesSession {
  ShardSeries source;
  std::unique_ptr<EngineSession> engine;
  Iterator phase1;
  Iterator phase2;
  bool dual = true;
  //! Phase 1's best result when phase 2 started from it: phase 2's baseline.
  Iterator phase1Best;
};

//! Opens the engine and sets both phases up; phase 1 is prepared and both are
//! validated as a whole-series run does. Errors are reported (stderr); false.
bool OpenSeries(const ShardSeries& source, SeriesSession& session);

//! Phase 2 around phase 1's best test, evaluated again from the engine (never
//! read back from a written file) with its logged score; false with `code`
//! as the whole-series run fails.
bool StartPhase2(SeriesSession& session, int bestTest, int& code);

//! The fingerprint of `phase` (prepared, not run) of this machine; `fromDigest`
//! is the digest of the merged phase-1 record a phase-2 round starts from.
ShardFingerprint FingerprintOf(const SeriesSession& session, const Iterator& phase,
                               const std::string& fromDigest);

//! Reads the merged phase-1 record `path` for a phase-2 round and checks it
//! belongs to `session`'s series. False with `error`.
bool ReadPhase1Record(const SeriesSession& session, const std::string& path, ShardRecord& record,
                      std::string& digest, std::string& error);

//! `path` made absolute, or empty.
std::string AbsolutePath(const std::string& path);

}  // namespace brisca::cli
