#include "cover_map.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {
std::string Rows(const CoverMap& cover, int w, int h) {
  std::string text;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      text += cover.Covered(x, y) ? '#' : '.';
    }
    text += '|';
  }
  return text;
}

TEST(CoverMap, OverlapsCountOnceAndEmptyRectanglesPaintNothing) {
  const std::vector<Rect> rects = {
      {0, 0, 2, 2}, {1, 1, 2, 1}, {1, 1, 2, 1}, {3, 0, 0, 2}, {3, 0, -1, 2}};
  EXPECT_EQ(Rows(CoverMap(4, 3, rects), 4, 3), "##..|###.|....|");
}

// Only a failing rectangle lies outside the grid; it is drawn as far as it lies inside.
TEST(CoverMap, PartsOutsideTheGridAreCut) {
  const std::vector<Rect> rects = {{-5, 2, 6, 1}, {2, -1, INT_MAX, 2}, {INT_MAX, 0, INT_MAX, 1}};
  EXPECT_EQ(Rows(CoverMap(3, 3, rects), 3, 3), "..#|...|#..|");
}
}  // namespace
