#include "mpi/BlockDealer.h"

#include <algorithm>

namespace brisca::mpi {
namespace {

constexpr std::int64_t kBlocksPerRank = 32;
constexpr std::int64_t kMinBlock = 4;
constexpr std::int64_t kMaxBlock = 1024;

}  // namespace

BlockDealer::BlockDealer(std::int64_t total, int ranks)
    : total_(total),
      block_(std::clamp<std::int64_t>(total / (kBlocksPerRank * std::max(ranks, 1)), kMinBlock,
                                      kMaxBlock)) {}

TestBlock BlockDealer::Next() {
  if (next_ > total_) return {};
  const TestBlock block{next_, std::min(total_, next_ + block_ - 1)};
  next_ = block.last + 1;
  return block;
}

}  // namespace brisca::mpi
