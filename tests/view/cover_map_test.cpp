#include "view/cover_map.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {
// Overlaps count once, rectangles without area paint nothing, and a failing rectangle outside
// the grid paints only its part inside, whatever its sums.
TEST(CoverMap, CoveredCells) {
  const std::vector<Rect> rects = {
      {0, 0, 2, 2},  {1, 1, 2, 1},  {1, 1, 2, 1},        {3, 0, 0, 2},
      {3, 0, -1, 2}, {-5, 2, 6, 1}, {3, -1, INT_MAX, 2}, {INT_MAX, 0, INT_MAX, 1}};
  const CoverMap cover(4, 3, rects);
  std::string text;
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 4; ++x) {
      text += cover.Covered(x, y) ? '#' : '.';
    }
    text += '|';
  }
  EXPECT_EQ(text, "##.#|###.|#...|");
}
}  // namespace
