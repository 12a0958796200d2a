#include "view/rect_tints.h"

namespace {
// The tint of the last rectangle whose border runs through each cell, plus one (0: none).
class BorderMap {
 public:
  explicit BorderMap(const Region& region)
      : region_(region),
        cells_(static_cast<std::size_t>(region.Width()) * static_cast<std::size_t>(region.Height()),
               0) {}

  // The tints (as bits) on the cells just outside the box's four sides.
  unsigned Around(const Region& box) const {
    unsigned seen = 0;
    for (int x = box.x0; x < box.x1; ++x) {
      seen |= Bit(x, box.y0 - 1) | Bit(x, box.y1);
    }
    for (int y = box.y0; y < box.y1; ++y) {
      seen |= Bit(box.x0 - 1, y) | Bit(box.x1, y);
    }
    return seen;
  }

  void Paint(const Region& box, std::uint8_t tint) {
    for (int x = box.x0; x < box.x1; ++x) {
      At(x, box.y0) = At(x, box.y1 - 1) = static_cast<std::uint8_t>(tint + 1);
    }
    for (int y = box.y0; y < box.y1; ++y) {
      At(box.x0, y) = At(box.x1 - 1, y) = static_cast<std::uint8_t>(tint + 1);
    }
  }

 private:
  unsigned Bit(int x, int y) const {
    if (!region_.Contains(x, y)) {
      return 0;
    }
    return 1u << cells_[Index(x, y)];
  }
  std::uint8_t& At(int x, int y) { return cells_[Index(x, y)]; }
  std::size_t Index(int x, int y) const {
    return static_cast<std::size_t>(y - region_.y0) * static_cast<std::size_t>(region_.Width()) +
           static_cast<std::size_t>(x - region_.x0);
  }

  Region region_;
  std::vector<std::uint8_t> cells_;
};

std::uint8_t FirstFree(unsigned seen) {
  for (int tint = 0; tint < kTintCount; ++tint) {
    if ((seen & (2u << tint)) == 0) {
      return static_cast<std::uint8_t>(tint);
    }
  }
  return 0;
}
}  // namespace

std::vector<std::uint8_t> ChooseTints(std::span<const Region> boxes, const Region& region,
                                      std::int64_t budget) {
  std::vector<std::uint8_t> tints(boxes.size(), 0);
  BorderMap borders(region);
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    const Region& box = boxes[i];
    budget -= 4 * (static_cast<std::int64_t>(box.Width()) + box.Height());
    if (budget < 0) {
      tints[i] = static_cast<std::uint8_t>(i % kTintCount);
      continue;
    }
    tints[i] = FirstFree(borders.Around(box));
    borders.Paint(box, tints[i]);
  }
  return tints;
}
