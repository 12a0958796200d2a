// Regions of cells for the picture: half-open ranges [x0, x1) x [y0, y1), in cells. A submitted
// rectangle may lie far outside the grid or have sides that do not fit an int when added, so
// clipping sums in 64 bits.
#pragma once

#include <algorithm>
#include <cstdint>

#include "eval/rect.h"

struct Region {
  int x0 = 0;
  int y0 = 0;
  int x1 = 0;
  int y1 = 0;

  bool Empty() const { return x0 >= x1 || y0 >= y1; }
  int Width() const { return x1 - x0; }
  int Height() const { return y1 - y0; }
  bool Contains(int x, int y) const { return x >= x0 && x < x1 && y >= y0 && y < y1; }
  bool operator==(const Region&) const = default;
};

// The part of `rect` inside `to`; empty when it has no area there.
inline Region Clip(const Rect& rect, const Region& to) {
  const auto clamp = [](std::int64_t value, int low, int high) {
    return static_cast<int>(std::clamp<std::int64_t>(value, low, high));
  };
  Region region{clamp(rect.x, to.x0, to.x1), clamp(rect.y, to.y0, to.y1),
                clamp(static_cast<std::int64_t>(rect.x) + rect.width, to.x0, to.x1),
                clamp(static_cast<std::int64_t>(rect.y) + rect.height, to.y0, to.y1)};
  if (region.Empty()) {
    return Region{};
  }
  return region;
}
