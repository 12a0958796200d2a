#include "eval/test_case.h"

#include <algorithm>

#include "base/populated.h"

const TestCase* FindTestCase(const TestCaseList& testCases, int number) {
  if (number < 1 || static_cast<std::size_t>(number) > testCases.size()) {
    return nullptr;
  }
  return &testCases[static_cast<std::size_t>(number) - 1];
}

PictureArena::~PictureArena() {
  for (const Block& block : blocks_) {
    FreePopulated(block.bytes, block.size);
  }
}

bit_rows::Byte* PictureArena::Allocate(std::size_t bytes) {
  bytes += bit_rows::kPadding;
  if (bytes > left_) {
    // Blocks grow with the input, from 64 KiB (a small input pays little) to 2 MiB (`make bench
    // WORKLOADS="tiny large"`).
    const std::size_t grown = (std::size_t{64} << 10) << std::min<std::size_t>(blocks_.size(), 5);
    const std::size_t size = std::max(bytes, grown);
    blocks_.push_back({static_cast<bit_rows::Byte*>(AllocatePopulated(size)), size});
    next_ = blocks_.back().bytes;
    left_ = size;
  }
  bit_rows::Byte* taken = next_;
  // The padding of one picture may be the first bytes of the next: it is only ever read.
  next_ += bytes - bit_rows::kPadding;
  left_ -= bytes - bit_rows::kPadding;
  return taken;
}
