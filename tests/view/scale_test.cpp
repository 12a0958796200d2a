#include "view/scale.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
TEST(CellPixels, SmallGridsLargerLargeOnesNotBelowTheLeast) {
  EXPECT_EQ(CellPixels(4, 3), kMostCellPixels);
  EXPECT_EQ(CellPixels(20, 12), 40);
  EXPECT_EQ(CellPixels(200, 200), 4);
  EXPECT_EQ(CellPixels(1000, 1), kLeastCellPixels);
}

TEST(RulerNumbers, MultiplesThatDoNotTouchAndTheNamedOne) {
  using Numbers = std::vector<int>;
  // Two digits need 24 pixels: every column at 40 pixels a cell, every fifth at 5.
  EXPECT_EQ(RulerNumbers(0, 4, 40, 2, std::nullopt), (Numbers{0, 1, 2, 3, 4}));
  EXPECT_EQ(RulerNumbers(3, 27, 5, 2, std::nullopt), (Numbers{5, 10, 15, 20, 25}));
  // The named column takes the place of the multiples too near it, and only in range.
  EXPECT_EQ(RulerNumbers(3, 27, 5, 2, 12), (Numbers{5, 12, 20, 25}));
  EXPECT_EQ(RulerNumbers(3, 27, 5, 2, 15), (Numbers{5, 10, 15, 20, 25}));
  EXPECT_EQ(RulerNumbers(3, 27, 5, 2, 3), (Numbers{3, 10, 15, 20, 25}));
  EXPECT_EQ(RulerNumbers(3, 27, 5, 2, 28), (Numbers{5, 10, 15, 20, 25}));
  // Past the largest step, that one.
  EXPECT_EQ(RulerNumbers(0, 2500, 0.01, 4, std::nullopt), (Numbers{0, 1000, 2000}));
}

TEST(RulerDigits, OfTheLargestColumnOrRow) {
  EXPECT_EQ(RulerDigits(10, 3), 1);
  EXPECT_EQ(RulerDigits(3, 11), 2);
  EXPECT_EQ(RulerDigits(1000, 1000), 3);
}
}  // namespace
