// The area of the union of a few boxes, strip by strip: between two neighbouring edges down
// the rows the same boxes cover each row, and the union of their runs across is found by one
// walk over them in the order of their left edges. About 4 n * n steps for n boxes, without a
// table to clear: cheaper than any sweep for a handful.
#pragma once

#include <cstdint>
#include <span>

#include "eval/coverage/packed_rect.h"

// The most boxes FewBoxesArea takes; byLeft_ numbers them in a byte.
inline constexpr std::size_t kFewBoxesMost = 32;
static_assert(kFewBoxesMost <= 256);

class FewBoxesArea {
 public:
  // At most kFewBoxesMost boxes.
  std::int64_t operator()(std::span<const PackedRect> boxes);

 private:
  std::uint8_t byLeft_[kFewBoxesMost];
  int down_[2 * kFewBoxesMost];
};
