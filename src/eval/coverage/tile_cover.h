// The tiles: a block of large rectangles decided a tile of 32 x 32 cells at a time. A tile that
// some rectangle covers whole is covered; such tiles are found for all rectangles at once from a
// table of differences over the tiles, a constant a rectangle, whatever its size. Only the tiles
// with black cells that no rectangle covers whole (open tiles) are painted, from the rectangles
// that reach into them, and compared with the picture. Over a block of large rectangles that
// overlap a lot, as a cover by large rectangles mostly does, few tiles stay open.
#pragma once

#include <cstdint>
#include <span>

#include "eval/coverage/packed_rect.h"
#include "eval/rect.h"
#include "eval/test_case.h"

class TileCover {
 public:
  enum class Outcome { kCovered, kMissed, kTooOpen };

  // Whether `boxes`, inside the black cells of `testCase`, cover all of them: kMissed with the
  // first black cell left out in row-major order; kTooOpen, having decided nothing, when more
  // than `mostOpen` tiles would have to be painted.
  Outcome operator()(const TestCase& testCase, std::span<const PackedRect> boxes, int mostOpen,
                     Cell& missing);

  // The number of tiles of a picture.
  static std::int64_t Tiles(const TestCase& testCase) {
    return static_cast<std::int64_t>((testCase.w + kSide - 1) / kSide) *
           ((testCase.h + kSide - 1) / kSide);
  }

 private:
  static constexpr int kSide = 32;
  static constexpr int kMostTiles = (kMaxSide + kSide - 1) / kSide;

  struct Open {
    int i;
    int j;
    std::uint32_t black[kSide];    // the picture's black cells, a bit a cell
    std::uint32_t painted[kSide];  // the cells the boxes cover
  };

  void MarkWholeTiles(const TestCase& testCase, std::span<const PackedRect> boxes);
  bool FindOpen(const TestCase& testCase, int mostOpen);
  void PaintOpen(std::span<const PackedRect> boxes);
  bool FirstMissing(Cell& missing) const;

  int across_ = 0;
  int down_ = 0;
  ScratchArray<std::int32_t> counts_;     // rectangles over each tile whole, as differences
  std::uint32_t whole_[kMostTiles] = {};  // bit i of row j: tile (i, j) is covered whole
  std::uint32_t open_[kMostTiles] = {};   // bit i of row j: tile (i, j) is open
  std::uint16_t openIndex_[kMostTiles * kMostTiles] = {};
  ScratchArray<Open> opens_;
};
