#pragma once
// The merge of one phase's shard logs on the machine that writes the result:
// the kept engines rebuilt, the fallback to phase 1's results when phase 2
// kept nothing, the merged record, the ranking and the files. Shared by
// `iterate-merge` and the cluster driver.

#include <map>
#include <string>
#include <vector>

#include "cli/SeriesSession.h"
#include "cli/json/JsonText.h"
#include "core/iterator/ShardMerge.h"

namespace brisca::cli {

struct MergedResult {
  int phase = 1;
  MergedPhase merged;
  ShardRecord record;                 //!< the merged record of this phase
  const Iterator* results = nullptr;  //!< the phase whose kept engines count
  //! The failed tests, both phases' once phase 2 ran: by reason, and those
  //! of older shard records, which kept no reasons.
  std::map<int, int> failureCounts;
  int uncountedFailures = 0;
};

//! The merged phase-1 record's keeper replayed from its admissions.
MergedPhase ReplayRecord(const ShardRecord& record);

//! Merges `logs` of `phase` of `session` (phase 2 started with StartPhase2 from
//! `phase1`, the merged phase-1 record; phase 1's kept results are rebuilt
//! from it unless they already were). `fingerprint` and `series` go into the
//! merged record. False with `error`.
bool MergePhase(SeriesSession& session, int phase, const std::vector<const ShardState*>& logs,
                const ShardRecord* phase1, const ShardFingerprint& fingerprint,
                MergedResult& result, std::string& error);

//! Checks that the files of `session` still give `expected` here. False with `error`.
bool CheckFingerprint(const ShardFingerprint& expected, const ShardFingerprint& here,
                      std::string& error);

//! Prints the failures and the ranking, writes the kept engines and the merged
//! record "merged-phase<P>.json" into `dir`. False after a reported failure.
//! With `document` the ranking and the record's path ("record") fill it instead.
bool WriteMergedResult(const SeriesSession& session, const MergedResult& result,
                       const std::string& dir, json::Json* document = nullptr);

}  // namespace brisca::cli
