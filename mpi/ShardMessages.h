#pragma once
// A rank's shard log as bytes for an MPI message, and back.

#include <string>

#include "core/iterator/ShardLog.h"

namespace brisca::mpi {

std::string PackState(const ShardState& state);
//! False when `bytes` is not a packed state.
bool UnpackState(const std::string& bytes, ShardState& state);

}  // namespace brisca::mpi
