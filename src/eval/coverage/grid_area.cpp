#include "eval/coverage/grid_area.h"

#include <algorithm>
#include <utility>

namespace {
// A box or two: their areas less what they share.
std::int64_t FewArea(std::span<const PackedRect> boxes) {
  std::int64_t area = 0;
  for (const PackedRect& box : boxes) {
    area += box.Area();
  }
  if (boxes.size() == 2) {
    const PackedRect& a = boxes[0];
    const PackedRect& b = boxes[1];
    const std::int64_t across = std::min(a.Right(), b.Right()) - std::max(a.Left(), b.Left());
    const std::int64_t down = std::min(a.Bottom(), b.Bottom()) - std::max(a.Top(), b.Top());
    area -= across > 0 && down > 0 ? across * down : 0;
  }
  return area;
}

std::size_t IndexOf(const ScratchArray<int>& edges, int value) {
  return static_cast<std::size_t>(std::lower_bound(edges.begin(), edges.end(), value) -
                                  edges.begin());
}
}  // namespace

std::int64_t GridArea::operator()(std::span<const PackedRect> boxes) {
  if (boxes.size() <= 2) {
    return FewArea(boxes);
  }
  across_.clear();
  down_.clear();
  for (const PackedRect& box : boxes) {
    across_.insert(across_.end(), {box.Left(), box.Right()});
    down_.insert(down_.end(), {box.Top(), box.Bottom()});
  }
  for (auto* edges : {&across_, &down_}) {
    std::sort(edges->begin(), edges->end());
    edges->erase(std::unique(edges->begin(), edges->end()), edges->end());
  }
  const std::size_t across = across_.size();
  const std::size_t down = down_.size();
  cover_.assign(across * down, 0);
  for (const PackedRect& box : boxes) {
    const std::size_t x0 = IndexOf(across_, box.Left());
    const std::size_t x1 = IndexOf(across_, box.Right());
    const std::size_t y0 = IndexOf(down_, box.Top());
    const std::size_t y1 = IndexOf(down_, box.Bottom());
    cover_[y0 * across + x0] += 1;
    cover_[y0 * across + x1] -= 1;
    cover_[y1 * across + x0] -= 1;
    cover_[y1 * across + x1] += 1;
  }
  std::int64_t area = 0;
  for (std::size_t j = 0; j + 1 < down; ++j) {
    std::int32_t running = 0;
    for (std::size_t i = 0; i + 1 < across; ++i) {
      running += cover_[j * across + i];
      // The cover of this cell: this row's running sum plus the cell above.
      const std::int32_t cover = running + (j > 0 ? cover_[(j - 1) * across + i] : 0);
      cover_[j * across + i] = cover;
      if (cover > 0) {
        area += static_cast<std::int64_t>(across_[i + 1] - across_[i]) * (down_[j + 1] - down_[j]);
      }
    }
  }
  return area;
}

std::size_t LargestBoxes(std::span<const PackedRect> boxes, std::size_t count,
                         PackedRect* largest) {
  std::size_t kept = 0;
  for (const PackedRect& box : boxes) {
    if (kept < count) {
      largest[kept++] = box;
    } else if (box.Area() > largest[count - 1].Area()) {
      largest[count - 1] = box;
    } else {
      continue;
    }
    // The new one moves up to its place.
    for (std::size_t i = kept - 1; i > 0 && largest[i].Area() > largest[i - 1].Area(); --i) {
      std::swap(largest[i], largest[i - 1]);
    }
  }
  return kept;
}
