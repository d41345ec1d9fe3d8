#pragma once
// Hands out a series' tests in blocks of consecutive tests, in rising order,
// to whichever rank asks next: fast ranks come back sooner and take more.
// Each rank so sees its own tests in rising order, which the exact merge needs.

#include <cstdint>

namespace brisca::mpi {

struct TestBlock {
  std::int64_t first = 0;  //!< 0: nothing left
  std::int64_t last = 0;
};

class BlockDealer {
 public:
  //! Blocks small enough that every rank gets many of them, large enough to
  //! keep the messages few.
  BlockDealer(std::int64_t total, int ranks);

  TestBlock Next();
  std::int64_t BlockSize() const { return block_; }

 private:
  std::int64_t total_;
  std::int64_t block_;
  std::int64_t next_ = 1;
};

}  // namespace brisca::mpi
