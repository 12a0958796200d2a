// Whether a block's rectangles cover exactly the black cells of a picture, at a cost that no
// shape of the block can inflate. Every rectangle handed in has passed the grid and white-cell
// checks, so their union lies inside the black cells, and it covers every black cell exactly
// when its area equals the number of black cells.
//
// A small rectangle (a few rows of a word or two) is painted into the canvas as it arrives, in
// the same pass that looks for a white cell under it (check 148): for the small rectangles of
// most covers that is all there is to do. Otherwise Coverage keeps the block's rectangles and
// decides, in one place, which way finds the area of their union; each way has its own file,
// and each is tried only where it is the cheapest, in this order:
// - settled: one rectangle as large as the whole black area; nothing to add up;
// - the canvas (canvas.h): every rectangle was painted as it came;
// - few boxes (few_boxes.h): a handful of rectangles, strip by strip;
// - one axis (one_axis.h): rectangles that all span the same rows, or the same columns;
// - the tiles (tile_cover.h): many large rectangles over each other, decided tile by tile,
//   until their rectangles reach into too many open tiles;
// - the banded sweep (sweep_area.h): the bound for every other block, or in its place the
//   cross-sections (sections.h) when the rectangles start and end on few distinct rows.
// A block that misses a cell then pays once, by the painter or the cross-sections down the rows
// (sections.h), whichever costs less for it, to name the first cell that differs.
#pragma once

#include <cstdint>

#include "base/bit_rows.h"
#include "eval/coverage/canvas.h"
#include "eval/coverage/edge_walk.h"
#include "eval/coverage/few_boxes.h"
#include "eval/coverage/one_axis.h"
#include "eval/coverage/packed_rect.h"
#include "eval/coverage/sections.h"
#include "eval/coverage/sweep_area.h"
#include "eval/coverage/tile_cover.h"
#include "eval/rect.h"
#include "eval/test_case.h"

class Coverage {
 public:
  // Starts a block of `count` rectangles for `testCase`.
  void Begin(const TestCase& testCase, int count);

  // Whether a rectangle with area is painted as it arrives (PaintChecked) rather than looked
  // up in the white-cell index and kept for later (Add).
  bool PaintsNow(const Rect& rect) const;
  // Paints a rectangle unless it covers a white cell: then true, with the first such cell in
  // row-major order (check 148), and the block ends there.
  bool PaintChecked(const Rect& rect, Cell& white);
  // Takes a rectangle with area, not painted, that has passed every check.
  void Add(const Rect& rect);
  // Takes a rectangle with area, not painted, that has passed every check but the white-cell
  // check, left for the tiles to do for all of them at once; false when it is no rectangle
  // for the tiles (then it is not taken). `ordinal` names it for check 148.
  bool AddUnchecked(const Rect& rect, int ordinal);

  // A rectangle taken unchecked, and its ordinal in the block.
  struct Unchecked {
    Rect rect;
    int ordinal;
  };
  // The rectangles taken unchecked, in order, whose white-cell check is still to be done.
  std::span<const Unchecked> UncheckedRects() const { return unchecked_; }
  // Their check has been done, and they passed it.
  void MarkChecked() { unchecked_.clear(); }

  enum class Finished {
    kCovered,    // the rectangles cover exactly the black cells
    kMismatch,   // a cell differs: `mismatch`, the first in row-major order
    kUnchecked,  // nothing decided: the white-cell check of the rectangles taken unchecked
                 // must come first (MarkChecked, then Finish again)
  };
  // After the block's last rectangle: whether some cell's colour in the picture differs from
  // whether the rectangles cover it.
  Finished Finish(Cell& mismatch);

 private:
  struct Estimate;
  void Keep(const Rect& rect, bool painted);
  Estimate Measure();
  bool Locate(const Estimate& estimate, Cell& mismatch);
  std::int64_t BySections(const Estimate& estimate) const;
  std::int64_t BySweep(const Estimate& estimate) const;
  bool PaintAndCompare(Cell& mismatch);
  bool TilesApply() const;
  [[gnu::noinline]] void MakeRoom();
  Finished FinishUnchecked(Cell& mismatch);
  Finished ByTiles(bool checkWhite, Cell& mismatch);
  std::span<const PackedRect> Boxes() const { return {room_.data(), kept_}; }
  std::span<const PackedRect> Painted() const { return {room_.data(), paintedBoxes_}; }

  const TestCase* testCase_ = nullptr;
  bool settled_ = false;        // one rectangle covers every black cell
  bool tilesGaveUp_ = false;    // the tiles found the block too open to decide
  std::int64_t unpainted_ = 0;  // rectangles kept without being painted
  // The boxes painted: the first ones, up to the first rectangle that was not. From then on a
  // way other than the canvas decides, so painting more would only cost.
  std::size_t paintedBoxes_ = 0;
  // The rectangles with area, in order, until settled: the first kept_ of room_, which grows
  // apart from keeping one, so that keeping one is a store.
  ScratchArray<PackedRect> room_;
  std::size_t kept_ = 0;
  std::size_t most_ = 0;                // the block's count of rectangles
  ScratchArray<Unchecked> unchecked_;   // those whose white-cell check is left to the tiles
  std::int64_t keptArea_ = 0;           // the sum of their areas
  std::int64_t largeArea_ = 0;          // the same of those that cover a tile whole
  ScratchArray<bit_rows::Word> edges_;  // marks of distinct edges, clear between blocks
  Canvas canvas_;
  FewBoxesArea fewBoxes_;
  OneAxis oneAxis_;
  TileCover tiles_;
  Sections sections_;
  SweepArea sweep_;
  EdgeWalk walk_;
};
