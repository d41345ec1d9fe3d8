#pragma once
// The files of a series run in shards: a shard's partial result, the saved
// progress of a running shard (the same record, not complete yet) and the
// merged record of a finished phase that a second round starts from. The
// command line keeps them as JSON files (cli/json/ShardRecordFile.h); scores are
// hexadecimal float texts, so they read back bit for bit.

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/iterator/ShardLog.h"

namespace brisca {

//! What must be equal for two shards to be parts of one series: the program
//! build, the engine, setup and compressor map files (digests of their bytes),
//! the score bits of a fixed probe test (the maths library may take other
//! code paths on other processors) and the record a second round starts from.
struct ShardFingerprint {
  std::string build;
  std::string engine;
  std::string setup;
  std::string maps;
  std::string probe;
  std::string from;

  bool operator==(const ShardFingerprint&) const = default;
};

//! How to set the series up again: the files and options it came from.
struct ShardSeries {
  std::string engine;   //!< engine file, absolute
  std::string preset;   //!< preset name, or empty
  std::string setup;    //!< setup file, absolute, or empty
  std::string dataDir;  //!< data folder for the compressor maps, or empty
  std::string from;     //!< merged phase-1 record of a phase-2 round, or empty

  bool operator==(const ShardSeries&) const = default;
};

enum class ShardRecordKind { Part, Merged };

struct ShardRecord {
  ShardRecordKind kind = ShardRecordKind::Part;
  ShardFingerprint fingerprint;
  ShardSeries series;
  int phase = 1;
  int shard = 1;  //!< K of N; a merged record: 0 of 0
  int shards = 1;
  std::int64_t total = 0;  //!< tests of the phase
  bool complete = false;   //!< false: saved progress of a running shard
  ShardState state;        //!< merged: the merged keeper's admissions and the sums
};

//! Largest record read. A record logs every result its shard's keeper
//! admitted, about 40 bytes each: far more than the data files' limit, yet
//! bounded, so a huge file picked by mistake is refused instead of filling
//! the memory. 512 MiB hold some 13 million admissions.
inline constexpr std::size_t kMaxShardRecordBytes = std::size_t{512} << 20;

//! False with `error` when the record's numbers do not fit together: the
//! shard number beyond the count, or an admission log no keeper could have
//! written with these counts. The reader of the files checks each record read.
bool CheckShardRecord(const ShardRecord& record, std::string& error);

//! Digest of a byte string, 16 hex digits (FNV-1a, 64 bits): tells files apart,
//! proves nothing against a forger.
std::string DigestOf(const std::string& bytes);
//! Exact text of a float ("0x1.8p+3") and back; false when `text` is not one.
std::string HexFloat(float value);
bool ParseHexFloat(const std::string& text, float& value);

}  // namespace brisca
