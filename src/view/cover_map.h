// Which cells of a grid a block's rectangles cover, so that the picture can show the black
// cells left uncovered. Each rectangle costs O(1) in a table of differences that is summed
// once, so a block of a million overlapping rectangles costs one pass over the grid.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "eval/rect.h"

class CoverMap {
 public:
  // Parts of rectangles outside the w x h grid are ignored.
  CoverMap(int w, int h, std::span<const Rect> rects);
  bool Covered(int x, int y) const {
    return covered_[static_cast<std::size_t>(y) * static_cast<std::size_t>(w_) +
                    static_cast<std::size_t>(x)] != 0;
  }

 private:
  int w_;
  std::vector<std::uint8_t> covered_;
};
