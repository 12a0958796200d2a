// The tiles: a block of large rectangles decided a tile of 32 x 32 cells at a time. A tile that
// some rectangle covers whole is covered; such tiles are found for all rectangles at once from a
// table of differences over the tiles, a constant a rectangle, whatever its size. Only the tiles
// with black cells that no rectangle covers whole (open tiles) are painted, from the rectangles
// that reach into them, and compared with the picture. Over a block of large rectangles that
// overlap a lot, as a cover by large rectangles mostly does, few tiles stay open.
//
// The same pass can vouch for the white-cell check of all the rectangles at once (check 148):
// a rectangle covers a white cell exactly when a tile it covers whole has one, a tile it reaches
// has no black cell at all, or it paints a white cell of an open tile.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <unordered_map>

#include "eval/coverage/packed_rect.h"
#include "eval/rect.h"
#include "eval/test_case.h"

class TileCover {
 public:
  // The cells a side of a tile: a row of a tile is one 32-bit word.
  static constexpr int kSide = 32;

  enum class Outcome { kCovered, kMissed, kCoversWhite, kTooOpen };

  // Decides whether `boxes`, which lie inside the picture of `testCase`, cover every black cell.
  // Returns kCovered, or kMissed with `missing` the first black cell left out in row-major
  // order. Returns kTooOpen, having decided nothing, as soon as the boxes so far have reached
  // into open tiles (each reach a paint of up to 32 rows) more than `reachesPerBox` times a box
  // beyond the first kFreeReaches. Without `checkWhite` the boxes must lie inside the black
  // cells; with it, kCoversWhite says that one of them does not, before anything else is
  // decided (which one is left to the caller).
  Outcome operator()(const TestCase& testCase, std::span<const PackedRect> boxes, int reachesPerBox,
                     bool checkWhite, Cell& missing);

  // The number of tiles of a picture.
  static std::int64_t Tiles(const TestCase& testCase) {
    return static_cast<std::int64_t>((testCase.w + kSide - 1) / kSide) *
           ((testCase.h + kSide - 1) / kSide);
  }

 private:
  static constexpr int kMostTiles = (kMaxSide + kSide - 1) / kSide;
  // A row of tiles, and a row of a tile, is one 32-bit word; openIndex_ counts open tiles in 16
  // bits.
  static_assert(kSide == 32 && kMostTiles <= 32);
  static_assert(kMostTiles * kMostTiles <= 1 << 16);
  // Reaches allowed before any box: as many as a picture has tiles (`make bench
  // WORKLOADS="copies unions"`).
  static constexpr std::int64_t kFreeReaches = kMostTiles * kMostTiles;

  // A picture by tiles, made once for each test case the tiles decide a block of: the black
  // cells of each tile's rows side by side, and which tiles hold a black or a white cell.
  struct TiledPicture {
    ScratchArray<std::uint32_t> black;  // tile (i, j), row r: ((j * across + i) * 32 + r)
    std::uint32_t anyBlack[kMostTiles] = {};
    std::uint32_t anyWhite[kMostTiles] = {};
  };

  struct Open {
    int i;
    int j;
    const std::uint32_t* black;    // the picture's black cells, a bit a cell
    std::uint32_t painted[kSide];  // the cells the boxes cover
  };

  const TiledPicture& Tiled(const TestCase& testCase);
  void MarkTiles(const TestCase& testCase, std::span<const PackedRect> boxes, bool touched);
  void FindOpen(const TiledPicture& tiled);
  bool PaintOpen(std::span<const PackedRect> boxes, int reachesPerBox);
  bool PaintsWhite() const;
  bool FirstMissing(Cell& missing) const;

  int across_ = 0;
  int down_ = 0;
  ScratchArray<std::int32_t> counts_;       // boxes over each tile whole, as differences
  ScratchArray<std::int32_t> reach_;        // boxes reaching into each tile, likewise
  std::uint32_t whole_[kMostTiles] = {};    // bit i of row j: tile (i, j) is covered whole
  std::uint32_t touched_[kMostTiles] = {};  // tile (i, j) is reached by a box
  std::uint32_t open_[kMostTiles] = {};     // tile (i, j) is open
  std::uint16_t openIndex_[kMostTiles * kMostTiles] = {};
  ScratchArray<Open> opens_;
  // By test number: the test cases of one run come from one list.
  std::unordered_map<int, std::unique_ptr<TiledPicture>> tiled_;
};
