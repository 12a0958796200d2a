// Every way of deciding a block, run against the others and against plain cover counts: the
// area of the union, and the first cell that differs from the picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "eval/coverage/canvas.h"
#include "eval/coverage/few_boxes.h"
#include "eval/coverage/one_axis.h"
#include "eval/coverage/sections.h"
#include "eval/coverage/sweep_area.h"
#include "eval/coverage/tile_cover.h"
#include "eval/test_util.h"
#include "without_cell.h"

namespace {
// Cover counts of rectangles with area over a w x h grid, from a table of differences.
std::vector<int> CoverCounts(int w, int h, const std::vector<Rect>& rects) {
  std::vector<int> cover(static_cast<std::size_t>(w + 1) * (h + 1), 0);
  const auto at = [&](int x, int y) -> int& {
    return cover[static_cast<std::size_t>(y) * (w + 1) + x];
  };
  for (const Rect& r : rects) {
    if (r.HasArea()) {
      ++at(r.x, r.y);
      --at(r.x + r.width, r.y);
      --at(r.x, r.y + r.height);
      ++at(r.x + r.width, r.y + r.height);
    }
  }
  for (int y = 0; y <= h; ++y) {
    for (int x = 0; x <= w; ++x) {
      at(x, y) += (x > 0 ? at(x - 1, y) : 0) + (y > 0 ? at(x, y - 1) : 0) -
                  (x > 0 && y > 0 ? at(x - 1, y - 1) : 0);
    }
  }
  std::vector<int> cells(static_cast<std::size_t>(w) * h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) cells[static_cast<std::size_t>(y) * w + x] = at(x, y);
  }
  return cells;
}

// The first cell, in row-major order, where being covered differs from being black.
std::optional<Cell> FirstMismatch(const std::vector<std::string>& rows,
                                  const std::vector<Rect>& rects) {
  const int h = static_cast<int>(rows.size());
  const int w = static_cast<int>(rows[0].size());
  const std::vector<int> cover = CoverCounts(w, h, rects);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      if ((rows[y][x] == '#') != (cover[static_cast<std::size_t>(y) * w + x] > 0)) {
        return Cell{x, y};
      }
    }
  }
  return std::nullopt;
}

struct Ways {
  Canvas canvas;
  FewBoxesArea fewBoxes;
  Sections sections;
  SweepArea sweep;
  EdgeWalk walk;
  OneAxis oneAxis;
  TileCover tiles;
};

std::vector<PackedRect> Packed(const std::vector<Rect>& rects) {
  std::vector<PackedRect> boxes;
  for (const Rect& rect : rects) boxes.push_back(PackedRect::Of(rect));
  return boxes;
}

std::int64_t ReferenceArea(int w, int h, const std::vector<Rect>& rects) {
  const std::vector<int> cover = CoverCounts(w, h, rects);
  return std::count_if(cover.begin(), cover.end(), [](int c) { return c > 0; });
}

// The area by every way that takes the block (few boxes only take a few), each checked.
void ExpectEveryArea(Ways& ways, const TestCase& testCase, const std::vector<Rect>& rects,
                     std::int64_t expected, const std::string& what) {
  const std::vector<PackedRect> boxes = Packed(rects);
  if (boxes.size() <= kFewBoxesMost) {
    EXPECT_EQ(ways.fewBoxes(boxes), expected) << what << ": few boxes";
  }
  EXPECT_EQ(ways.sweep(testCase, boxes, ways.walk), expected) << what << ": sweep";
  ways.canvas.Begin(testCase);
  ways.canvas.Paint(boxes);
  EXPECT_EQ(ways.canvas.CountAndClear(boxes), expected) << what << ": painter";
  const std::int64_t oneAxis = ways.oneAxis(testCase, boxes);
  if (oneAxis >= 0) {
    EXPECT_EQ(oneAxis, expected) << what << ": one axis";
  }
}

// The tiles decide whether boxes inside the black cells cover them all, and name the first
// black cell left out; asked to check the white cells too, they decide the same.
void ExpectTilesDecide(Ways& ways, const TestCase& testCase, const std::vector<Rect>& rects,
                       std::optional<Cell> missing, const std::string& what) {
  for (const bool checkWhite : {false, true}) {
    Cell cell;
    const TileCover::Outcome outcome =
        ways.tiles(testCase, Packed(rects), 1 << 20, checkWhite, cell);
    ASSERT_EQ(outcome, missing ? TileCover::Outcome::kMissed : TileCover::Outcome::kCovered)
        << what << ": tiles";
    if (missing) {
      EXPECT_EQ(cell, *missing) << what << ": tiles";
    }
  }
}

// The first cell that differs, by the painter and by the sections down the rows.
void ExpectFirstDifference(Ways& ways, const TestCase& testCase, const std::vector<Rect>& rects,
                           std::optional<Cell> expected, const std::string& what) {
  const std::vector<PackedRect> boxes = Packed(rects);
  Cell cell;
  ways.canvas.Begin(testCase);
  ways.canvas.Paint(boxes);
  const bool painted = ways.canvas.FirstDifference(cell);
  ways.canvas.Clear(boxes);
  ASSERT_EQ(painted, expected.has_value()) << what << ": painter";
  if (painted) {
    EXPECT_EQ(cell, *expected) << what << ": painter";
  }
  const bool walked = ways.sections.FirstDifference(testCase, boxes, ways.walk, cell);
  ASSERT_EQ(walked, expected.has_value()) << what << ": rows";
  if (walked) {
    EXPECT_EQ(cell, *expected) << what << ": rows";
  }
}

// Random boxes over grids from one cell to 1000 x 1000, from one box to hundreds, over a
// picture that is their union with one cell turned, or not. One set of ways serves every
// round, as in a run.
TEST(CoverageWays, AgreeWithCoverCounts) {
  std::mt19937 random(2026);
  const auto uniform = [&random](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  Ways ways;
  for (int round = 0; round < 400; ++round) {
    const int large = round % 8 == 0 ? 1000 : 70;
    const int w = uniform(1, large);
    const int h = uniform(1, large);
    const int count = uniform(0, 5) == 0 ? uniform(1, 4) : uniform(1, round % 3 == 0 ? 300 : 30);
    std::vector<Rect> rects;
    for (int i = 0; i < count; ++i) {
      const int x = uniform(0, w - 1);
      const int y = uniform(0, h - 1);
      const int side = uniform(0, 3);  // thin, small, or any size
      rects.push_back({x, y, side == 0 ? 1 : uniform(1, side == 1 ? std::min(8, w - x) : w - x),
                       side == 3 ? 1 : uniform(1, side == 1 ? std::min(8, h - y) : h - y)});
      if (uniform(0, 9) == 0)
        rects.push_back(rects.back());  // duplicates
    }
    const std::vector<int> cover = CoverCounts(w, h, rects);
    std::vector<std::string> rows(h, std::string(w, '.'));
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        if (cover[static_cast<std::size_t>(y) * w + x] > 0)
          rows[y][x] = '#';
      }
    }
    bool insideBlack = true;
    if (round % 2 == 1) {
      char& cell = rows[uniform(0, h - 1)][uniform(0, w - 1)];
      insideBlack = cell == '.';
      cell = cell == '#' ? '.' : '#';
    }
    const PictureForTest picture(rows, 1, 1);
    ways.tiles = TileCover();  // it keeps pictures by address, and this one is new
    const std::string what = "round " + std::to_string(round);
    ExpectEveryArea(ways, picture.testCase, rects, ReferenceArea(w, h, rects), what);
    const std::optional<Cell> mismatch = FirstMismatch(rows, rects);
    ExpectFirstDifference(ways, picture.testCase, rects, mismatch, what);
    if (insideBlack) {
      ExpectTilesDecide(ways, picture.testCase, rects, mismatch, what);
    } else {
      // The turned cell lies under a box: checking the white cells, the tiles must find it.
      Cell cell;
      EXPECT_EQ(ways.tiles(picture.testCase, Packed(rects), 1 << 20, true, cell),
                TileCover::Outcome::kCoversWhite)
          << what;
    }
  }
}

// A box over a tile of white cells alone, in any row of tiles below the box's first: the
// tiles, checking white cells, must see the box reach it (a tile with no black cell is never
// painted, so only the tiles the box reaches can tell).
TEST(CoverageWays, BoxReachingAWhiteTileBelowItsFirstRow) {
  constexpr int kSide = TileCover::kSide;
  for (int row = 1; row < 4; ++row) {
    std::vector<std::string> rows(4 * kSide, std::string(4 * kSide, '#'));
    for (int y = row * kSide; y < (row + 1) * kSide; ++y) {
      rows[y].replace(kSide, kSide, kSide, '.');
    }
    const PictureForTest picture(rows, 1000, 1000);
    TileCover tiles;
    Cell cell;
    EXPECT_EQ(tiles(picture.testCase, Packed({{0, 0, 4 * kSide, 4 * kSide}}), 1 << 20, true, cell),
              TileCover::Outcome::kCoversWhite)
        << "white tile in row " << row;
  }
}

// The shapes that defeat one way or another, on an all-black 1000 x 1000 picture: each way
// must find the whole area, and both locators the one cell that a cover missing it leaves.
TEST(CoverageWays, LargeShapes) {
  const std::vector<std::string> rows(1000, std::string(1000, '#'));
  const PictureForTest picture(rows, 1000, 1000);
  std::mt19937 random(7);
  std::vector<Rect> strips;
  for (int y = 0; y < 1000; ++y) {
    for (int x = 0; x < 1000; x += 50) strips.push_back({x, y, 50, 1});
  }
  std::vector<Rect> columns;
  std::vector<Rect> bands;
  for (int copy = 0; copy < 3; ++copy) {
    for (int at = 0; at < 1000;) {
      const int side = std::min(1000 - at, 1 + static_cast<int>(random() % 7));
      columns.push_back({at, 0, side, 1000});
      bands.push_back({0, at, 1000, side});
      at += side;
    }
  }
  std::vector<Rect> large;
  for (int i = 0; i < 300; ++i) {
    const int x = static_cast<int>(random() % 1000);
    const int y = static_cast<int>(random() % 1000);
    large.push_back({x, y, 1 + static_cast<int>(random() % (1000 - x)),
                     1 + static_cast<int>(random() % (1000 - y))});
  }
  large.push_back({0, 0, 1000, 500});
  large.push_back({0, 500, 1000, 500});
  Ways ways;
  for (std::vector<Rect> rects :
       {strips, columns, bands, std::vector<Rect>(500, {0, 0, 1000, 1000}), large}) {
    std::shuffle(rects.begin(), rects.end(), random);
    ExpectEveryArea(ways, picture.testCase, rects, 1000000, "whole");
    ExpectTilesDecide(ways, picture.testCase, rects, std::nullopt, "whole");
    // The same block with the bottom-right cell cut out of every rectangle that holds it.
    std::vector<Rect> pieces;
    for (Rect& r : rects) {
      if (r.x + r.width == 1000 && r.y + r.height == 1000) {
        r.width == 1 ? --r.height : --r.width;
        if (r.height > 1)
          pieces.push_back({999, r.y, 1, r.height - 1});
      }
    }
    rects.insert(rects.end(), pieces.begin(), pieces.end());
    ExpectEveryArea(ways, picture.testCase, rects, 999999, "missing");
    ExpectFirstDifference(ways, picture.testCase, rects, Cell{999, 999}, "missing");
    ExpectTilesDecide(ways, picture.testCase, rects, Cell{999, 999}, "missing");
  }
}

// Where two cells are left out of a cover, every way names the first in reading order: the
// tiles find them in open tiles taken row of tiles by row of tiles, left to right, so the first
// miss they meet is not always the first cell (a later tile may hold an earlier row), and
// within one tile the lower bit of a row comes first.
TEST(CoverageWays, FirstMissInReadingOrder) {
  const std::vector<std::string> rows(960, std::string(960, '#'));
  const PictureForTest picture(rows, 1000, 1000);
  std::vector<Rect> cover;  // 96 x 96 boxes, twice over: every tile covered whole
  for (int copy = 0; copy < 2; ++copy) {
    for (int y = 0; y < 960; y += 96) {
      for (int x = 0; x < 960; x += 96) cover.push_back({x, y, 96, 96});
    }
  }
  const struct {
    Cell left;
    Cell right;
  } misses[] = {
      {{130, 494}, {600, 494}},  // one row, two tiles
      {{5, 500}, {600, 485}},    // one row of tiles, the later tile on the earlier row
      {{900, 100}, {5, 600}},    // two rows of tiles
      {{300, 300}, {290, 300}},  // one row of one tile
      {{290, 310}, {310, 300}},  // two rows of one tile
  };
  Ways ways;
  for (const auto& miss : misses) {
    const std::vector<Rect> rects =
        WithoutCell(WithoutCell(cover, miss.left.x, miss.left.y), miss.right.x, miss.right.y);
    const Cell first = std::min(miss.left, miss.right, [](const Cell& a, const Cell& b) {
      return a.y != b.y ? a.y < b.y : a.x < b.x;
    });
    const std::string what = std::to_string(first.x) + ", " + std::to_string(first.y);
    ExpectTilesDecide(ways, picture.testCase, rects, first, what);
    ExpectFirstDifference(ways, picture.testCase, rects, first, what);
  }
}
}  // namespace
