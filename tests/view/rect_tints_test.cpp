#include "view/rect_tints.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
// A cover of 1 x 1 and 2 x 1 tiles in rows: every two tiles that share a side differ.
TEST(ChooseTints, NeighboursDiffer) {
  std::vector<Region> boxes;
  for (int y = 0; y < 6; ++y) {
    for (int x = y % 2; x < 8; x += 2) {
      boxes.push_back(Region{x, y, std::min(x + 2, 8), y + 1});
    }
    if (y % 2 == 1) {
      boxes.push_back(Region{0, y, 1, y + 1});
    }
  }
  const Region region{0, 0, 8, 6};
  const auto tints = ChooseTints(boxes, region);
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    for (std::size_t j = 0; j < i; ++j) {
      const Region& a = boxes[i];
      const Region& b = boxes[j];
      const bool sideBySide = (a.y0 == b.y0 && (a.x1 == b.x0 || b.x1 == a.x0)) ||
                              ((a.y1 == b.y0 || b.y1 == a.y0) && a.x0 < b.x1 && b.x0 < a.x1);
      if (sideBySide) {
        EXPECT_NE(tints[i], tints[j]) << i << " " << j;
      }
    }
  }
}

TEST(ChooseTints, PastTheBudgetTintsGoRound) {
  const std::vector<Region> boxes(8, Region{0, 0, 10, 10});
  const auto tints = ChooseTints(boxes, Region{0, 0, 10, 10}, 0);
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    EXPECT_EQ(tints[i], i % kTintCount);
  }
}
}  // namespace
