#include "eval/white_index.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "eval/test_util.h"

namespace {
// The index against counting: random pictures, from a single cell to wider than 16 tiles,
// with every kind of run across and down.
TEST(WhiteIndex, AgreesWithCountingCells) {
  std::mt19937 random(99);
  const auto uniform = [&random](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  for (int round = 0; round < 300; ++round) {
    const int w = round % 3 == 0 ? uniform(1, 20) : uniform(1, 260);
    const int h = round % 3 == 1 ? uniform(1, 20) : uniform(1, 260);
    const int whitePerMille = uniform(0, 3) == 0 ? 0 : uniform(1, 30);
    std::vector<std::string> rows(h, std::string(w, '#'));
    for (std::string& row : rows) {
      for (char& c : row) c = uniform(0, 999) < whitePerMille ? '.' : '#';
    }
    PictureForTest picture(rows, 1, 1);
    const WhiteIndex index(picture.testCase);
    for (int query = 0; query < 200; ++query) {
      const int x0 = uniform(0, w - 1);
      const int y0 = uniform(0, h - 1);
      const int x1 = uniform(x0 + 1, w);
      const int y1 = uniform(y0 + 1, h);
      bool white = false;
      for (int y = y0; y < y1 && !white; ++y) {
        white = rows[y].find('.', x0) < static_cast<std::size_t>(x1);
      }
      ASSERT_EQ(index.AnyWhite(x0, y0, x1, y1), white)
          << w << "x" << h << " [" << x0 << "," << x1 << ")x[" << y0 << "," << y1 << ")";
    }
  }
}

// A lone white cell in a whole tile of a long run across: the bands of a picture wider than 64
// tiles hold that run in two words, and a white cell on either side of their boundary counts.
TEST(WhiteIndex, FindsALoneWhiteCellAtTheEndOfAWideRun) {
  for (const int whiteX : {504, 511, 512, 519, 520, 527, 600, 991, 999}) {
    std::vector<std::string> rows(16, std::string(1000, '#'));
    rows[3][whiteX] = '.';
    PictureForTest picture(rows, 1, 1);
    const WhiteIndex index(picture.testCase);
    const int tileEnd = (whiteX / 8 + 1) * 8;
    // Queries from tile 63 (x0 497, 504) start their run of whole tiles on the last bit of the
    // first word, from tiles 64 and 65 (x0 512, 520, up to x1 1000) on the first bits of the
    // second.
    for (const int x0 : {0, 5, 100, 497, 504, 512, 520}) {
      for (const int x1 : {whiteX, whiteX + 1, tileEnd, std::min(tileEnd + 3, 1000), 1000}) {
        if (x1 <= x0) {
          continue;
        }
        EXPECT_EQ(index.AnyWhite(x0, 2, x1, 5), x0 <= whiteX && whiteX < x1)
            << "white at x = " << whiteX << ", [" << x0 << "," << x1 << ")";
      }
    }
  }
}

// The same down a tall picture: a lone white cell in the second or third column of tiles, seen
// by a query inside that column across many rows of tiles, when the column bands take two words
// (more than 64 rows of tiles) and each column's bands must stand apart.
TEST(WhiteIndex, FindsALoneWhiteCellDownATallPicture) {
  for (const int whiteY : {3, 504, 511, 512, 519, 999}) {
    for (const int whiteX : {9, 23}) {
      std::vector<std::string> rows(1000, std::string(24, '#'));
      rows[whiteY][whiteX] = '.';
      PictureForTest picture(rows, 1, 1);
      const WhiteIndex index(picture.testCase);
      const int x0 = whiteX / 8 * 8;
      for (const int y0 : {0, 100}) {
        for (const int y1 : {whiteY, whiteY + 1, 1000}) {
          if (y1 <= y0) {
            continue;
          }
          EXPECT_EQ(index.AnyWhite(x0, y0, x0 + 8, y1), y0 <= whiteY && whiteY < y1)
              << "white at (" << whiteX << ", " << whiteY << "), rows [" << y0 << "," << y1 << ")";
        }
      }
    }
  }
}
}  // namespace
