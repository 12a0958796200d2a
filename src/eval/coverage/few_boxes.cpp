#include "eval/coverage/few_boxes.h"

#include <algorithm>
#include <utility>

#include "base/expect.h"

namespace {
// A box or two: their areas less what they share.
std::int64_t OneOrTwoArea(std::span<const PackedRect> boxes) {
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
}  // namespace

std::int64_t FewBoxesArea::operator()(std::span<const PackedRect> boxes) {
  const std::size_t count = boxes.size();
  ZEL_EXPECT(count <= kFewBoxesMost);
  if (count <= 2) {
    return OneOrTwoArea(boxes);
  }
  for (std::size_t i = 0; i < count; ++i) {
    byLeft_[i] = static_cast<std::uint8_t>(i);
    down_[2 * i] = boxes[i].Top();
    down_[2 * i + 1] = boxes[i].Bottom();
  }
  std::sort(byLeft_, byLeft_ + count,
            [&boxes](std::uint8_t l, std::uint8_t r) { return boxes[l].Left() < boxes[r].Left(); });
  PackedRect ordered[kFewBoxesMost];
  for (std::size_t n = 0; n < count; ++n) {
    ordered[n] = boxes[byLeft_[n]];
  }
  std::sort(down_, down_ + 2 * count);
  const int edges = static_cast<int>(std::unique(down_, down_ + 2 * count) - down_);
  std::int64_t area = 0;
  for (int k = 0; k + 1 < edges; ++k) {
    const int top = down_[k];
    const int bottom = down_[k + 1];
    // The union of the runs of the boxes over this strip, walked from the left. Without a
    // branch on the boxes: whether one lies over the strip, or leaves a gap before it, is as
    // unpredictable as the boxes themselves.
    int covered = 0;
    int runFrom = 0;
    int runTo = 0;
    for (std::size_t n = 0; n < count; ++n) {
      const PackedRect& box = ordered[n];
      const int over = -static_cast<int>(box.Top() <= top && box.Bottom() >= bottom);
      const int gap = over & -static_cast<int>(box.Left() > runTo);
      covered += (runTo - runFrom) & gap;
      runFrom = (box.Left() & gap) | (runFrom & ~gap);
      // A box over the strip ends the run at its right edge or leaves it longer.
      runTo = std::max(runTo, box.Right() & over);
    }
    covered += runTo - runFrom;
    area += static_cast<std::int64_t>(covered) * (bottom - top);
  }
  return area;
}
