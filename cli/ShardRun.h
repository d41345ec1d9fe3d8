#pragma once
// brisca-cli iterate ENGINE (--preset P | --setup FILE) --shard K/N --out PART.json
// [--phase 2 --from MERGED] [--checkpoint FILE]: one shard of one phase of a
// series, written as a partial result for `iterate-merge`.

#include <string>

#include "cli/json/ShardRecordFile.h"

namespace brisca::cli {

//! The options of `iterate`.
struct IterateOptions {
  std::string engine;
  std::string preset;
  std::string setup;
  std::string out;
  std::string dataDir;
  int threads = 0;
  std::string shard;  //!< "K/N", or empty for the whole series
  int phase = 1;
  std::string from;                //!< merged phase-1 record (phase 2)
  std::string checkpoint;          //!< saved progress of the shard
  double checkpointSeconds = 5.0;  //!< between two saves
  std::string format = "text";     //!< the ranking as "text" or "json"
  bool quiet = false;              //!< no progress lines, no notices
};

//! The series' files and options, paths made absolute.
ShardSeries SourceOf(const IterateOptions& options);

//! "K/N" with 1 ≤ K ≤ N; false otherwise.
bool ParseShard(const std::string& text, int& shard, int& shards);

//! Runs the shard; returns the exit status.
int RunShard(const std::string& shardText, const IterateOptions& options);

}  // namespace brisca::cli
