#pragma once
// Merging the shards of one phase: the parts are checked to be one whole
// series, their admission logs are replayed in test order through the same
// keeper, and the kept engines are rebuilt by evaluating their test numbers
// from the baseline - what one machine running the whole series keeps, slot
// for slot.

#include <string>
#include <vector>

#include "core/iterator/ShardFile.h"

namespace brisca {

//! The merged phase: its keeper, the admissions it took (replaying these alone
//! gives the same keeper) and the shards' sums.
struct MergedPhase {
  KeepTen keeper;
  ShardState state;
};

//! Replays the union of `logs` in test order. False with `error` when two logs
//! hold the same test.
bool MergeLogs(const std::vector<const ShardState*>& logs, MergedPhase& merged, std::string& error);

//! Checks that `parts` (read from the files `names`) are the complete shards
//! 1..N of one series: finished, equal fingerprints and series, each shard
//! once, each having run exactly its own tests. False with `error` naming the
//! part at fault.
bool CheckParts(const std::vector<ShardRecord>& parts, const std::vector<std::string>& names,
                std::string& error);

//! The tests a shard of `shards` owns among 1..total.
std::int64_t ShardTestCount(std::int64_t total, int shard, int shards);

//! Fills the result slots of `series` (set up and prepared; its own slots
//! empty, its odometer anywhere) with the
//! merged keeper's results: every kept test is evaluated again from the
//! baseline and the admissions are offered in order. False with `error` when
//! a kept test does not give its logged score bit for bit.
bool RebuildKept(Iterator& series, const MergedPhase& merged, std::string& error);

//! Evaluates test `testNumber` of `series` (set up and prepared) into `work`.
TestOutcome EvaluateTest(const Iterator& series, int testNumber, CVexoDoc& work);

}  // namespace brisca
