#include "view/cover_map.h"

#include "view/region.h"

CoverMap::CoverMap(int w, int h, std::span<const Rect> rects) : w_(w) {
  const std::size_t stride = static_cast<std::size_t>(w) + 1;
  std::vector<std::int32_t> delta(stride * (static_cast<std::size_t>(h) + 1), 0);
  const auto at = [&delta, stride](int x, int y) -> std::int32_t& {
    return delta[static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x)];
  };
  for (const Rect& rect : rects) {
    const Region box = Clip(rect, Region{0, 0, w, h});
    if (box.Empty()) {
      continue;
    }
    at(box.x0, box.y0) += 1;
    at(box.x1, box.y0) -= 1;
    at(box.x0, box.y1) -= 1;
    at(box.x1, box.y1) += 1;
  }
  covered_.resize(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
  // Summed along each row, then down each column: delta(x, y) becomes the cover count.
  for (int y = 0; y <= h; ++y) {
    for (int x = 1; x <= w; ++x) {
      at(x, y) += at(x - 1, y);
    }
  }
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      if (y > 0) {
        at(x, y) += at(x, y - 1);
      }
      covered_[static_cast<std::size_t>(y) * static_cast<std::size_t>(w) +
               static_cast<std::size_t>(x)] = at(x, y) > 0;
    }
  }
}
