// The area of the union of a few rectangles, by a grid of their distinct edges: a cell per pair
// of neighbouring edges across and down, with a cover count each. Two rectangles are added up
// less what they share, without a grid.
#pragma once

#include <cstdint>
#include <span>

#include "eval/coverage/packed_rect.h"

class GridArea {
 public:
  std::int64_t operator()(std::span<const PackedRect> boxes);

 private:
  ScratchArray<int> across_;  // the distinct edges across
  ScratchArray<int> down_;    // and down
  ScratchArray<std::int32_t> cover_;
};

// The `count` largest of `boxes` by area, from the largest down, into `largest` (which has room
// for `count`); returns how many there are.
std::size_t LargestBoxes(std::span<const PackedRect> boxes, std::size_t count, PackedRect* largest);
