#pragma once
// A kept result of a test series written as an engine file of its own.
//
// The result was scored with its values at full precision, but the file keeps
// six decimals: the engine the file holds can give slightly other results.
// The file therefore stores the results of the engine as written - it is read
// back and run before it is written again - and tells that engine's score, so
// that a fresh run of the file reproduces what it stores.

#include <filesystem>
#include <string>

#include "core/iterator/Iterator.h"

namespace brisca {

struct CompressorMapSupply;

//! One kept engine as written.
struct KeptEngineFile {
  std::string name;     //!< the file's name in its folder
  bool ran = false;     //!< the engine as written ran (its results are stored)
  float score = 0.0f;   //!< its score by the series' criterion, when it ran
};

//! Writes kept result `slot` of `series` as "Best<rank + 1>-<baseline title>.qen"
//! into `dir`, as a new document receives it, with the results of the engine
//! as read back from the file (compressor maps from `maps`). False after a
//! reported file error.
bool WriteKeptEngineFile(const Iterator& series, int slot, int rank, const CompressorMapSupply& maps,
                         const std::filesystem::path& dir, KeptEngineFile& file);

}  // namespace brisca
