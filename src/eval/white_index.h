// Answers, in constant time, whether a rectangle of a picture holds a white cell (check 148),
// in less memory than the picture's own text.
//
// The picture is cut into tiles of 8 x 8 cells, each one 64-bit word of its white cells. A
// rectangle falls into at most three runs of tiles across (a partly covered tile at each end,
// whole tiles between) and three down. The whole tiles in the middle are answered by a count of
// the tiles holding a white cell, summed over the tiles above and to the left; a partly covered
// corner by its tile word under a mask; and a run of tiles that the rectangle covers only in
// some rows (or columns) of each tile by a bit set over the tiles of that run, kept for every
// run of rows (and columns) a tile has, so that the test is a few word operations.
#pragma once

#include <cstdint>
#include <vector>

#include "base/bit_rows.h"
#include "base/populated.h"
#include "eval/test_case.h"

class WhiteIndex {
 public:
  explicit WhiteIndex(const TestCase& testCase);

  // Whether columns [x0, x1) of rows [y0, y1), a part of the picture that is not empty, hold
  // a white cell.
  bool AnyWhite(int x0, int y0, int x1, int y1) const;

 private:
  struct Run {  // tiles first..last, of which the cells lo..hi-1 of each are covered
    int first;
    int last;
    int lo;
    int hi;
  };
  static int Split(int from, int to, Run* runs);
  bool AnyWhite(const Run& across, const Run& down) const;
  bool AnyInTiles(const Run& across, const Run& down) const;
  // The tiles with a white cell among tiles [i0, i1) x [j0, j1).
  std::uint32_t TilesWithWhite(int i0, int j0, int i1, int j1) const;
  void BuildTiles(const TestCase& testCase);
  void BuildCounts();
  void BuildBands();

  int tilesAcross_ = 0;
  int tilesDown_ = 0;
  std::vector<bit_rows::Word, PopulatingAllocator<bit_rows::Word>>
      tiles_;  // bit r * 8 + c: the cell (8 i + c, 8 j + r) is white
  std::vector<std::uint32_t, PopulatingAllocator<std::uint32_t>>
      tilesWithWhite_;  // over tiles [0, i) x [0, j)
  // For a run of rows of a tile (36 kinds), a bit per tile of a tile row: the tile has a white
  // cell in those rows. Likewise for runs of columns over the tiles of a tile column. Only for
  // pictures wide (or tall) enough that a run of tiles could be long.
  std::vector<bit_rows::Word, PopulatingAllocator<bit_rows::Word>> rowBands_;
  std::vector<bit_rows::Word, PopulatingAllocator<bit_rows::Word>> columnBands_;
  int rowBandWords_ = 0;
  int columnBandWords_ = 0;
};
