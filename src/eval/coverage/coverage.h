// A block's rectangles against its picture: check 148 (no rectangle covers a white cell) and
// check 157 (together they cover every black cell), at a cost that no shape of the block can
// inflate. Once every rectangle has passed check 148 their union lies inside the black cells,
// and it covers every black cell exactly when its area equals the number of black cells.
//
// Check 148 is decided here for every rectangle taken, in one of three ways. A small rectangle
// (a few rows of a word or two) is painted into the canvas as it arrives, in the same pass that
// looks for a white cell under it: for the small rectangles of most covers that is all there is
// to do. A large one (at least kLargeSide a side) in a picture with white cells is deferred: the
// tiles check all of a block's large rectangles at once when they decide the block, and when
// they do not, or the block stops early, the deferred ones are looked up one by one in their
// order. Any other is looked up in the white-cell index (white_cells.h) as it arrives. Whichever
// way, the block's outcome names the first rectangle, in block order, over a white cell.
//
// Coverage keeps the block's rectangles and decides, in one place, which way finds the area of
// their union; each way has its own file, and each is tried only where it is the cheapest, in
// this order:
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
#include "eval/white_cells.h"

// Where a rectangle stands: its line in the submission and its ordinal in its block, from 1.
struct RectSite {
  std::int64_t line = 0;
  int ordinal = 0;
};

// How a block ends for Coverage.
struct CoverOutcome {
  enum class Kind {
    kCovered,      // the rectangles cover exactly the black cells
    kMismatch,     // `cell` is the first cell, in row-major order, whose cover and colour differ
    kCoversWhite,  // `rect` is the first rectangle over a white cell, `cell` its first one
  };
  Kind kind = Kind::kCovered;
  RectSite rect;
  Cell cell;
};

class Coverage {
 public:
  // Starts a block of `count` rectangles for `testCase`. Every test case of a run comes from
  // one list; the white-cell index and the tiles of a test case are kept for the run by its
  // number.
  void Begin(const TestCase& testCase, int count);

  // Takes the next rectangle of the block, which lies inside the picture and has passed every
  // check before 148; one without area is not kept. False when it, or a deferred one before it,
  // covers a white cell: `outcome` then names the first such rectangle, and the block ends.
  bool Take(const Rect& rect, const RectSite& site, CoverOutcome& outcome);

  // The block stops early, at a failed check of a rectangle that was not taken. True when a
  // rectangle taken before covers a white cell: its check 148 comes first, and `outcome` names
  // the first such rectangle.
  bool StopEarly(CoverOutcome& outcome);

  // After the block's last rectangle: the block's outcome.
  CoverOutcome Finish();

 private:
  struct Estimate;
  struct Deferred {
    Rect rect;
    RectSite site;
  };
  bool PaintsNow(const Rect& rect) const;
  bool Defers(const Rect& rect) const;
  bool CoversWhite(const RectSite& site, const Cell& white, CoverOutcome& outcome);
  bool FirstDeferredOverWhite(CoverOutcome& outcome);
  void Keep(const Rect& rect, bool painted);
  [[gnu::noinline]] void MakeRoom();
  CoverOutcome Decide(bool tilesMayDecide);
  bool DecidedByTiles(bool checkWhite, CoverOutcome& outcome, bool& gaveUp);
  bool TilesApply() const;
  Estimate Measure();
  bool Locate(const Estimate& estimate, Cell& mismatch);
  std::int64_t BySections(const Estimate& estimate) const;
  std::int64_t BySweep(const Estimate& estimate) const;
  bool PaintAndCompare(Cell& mismatch);
  std::span<const PackedRect> Boxes() const { return {boxes_.data(), boxCount_}; }
  std::span<const PackedRect> Painted() const { return {boxes_.data(), paintedBoxes_}; }

  const TestCase* testCase_ = nullptr;
  WhiteCells whiteCells_;
  bool settled_ = false;        // one rectangle covers every black cell
  std::int64_t unpainted_ = 0;  // rectangles kept without being painted
  // The boxes painted: the first ones, up to the first rectangle that was not. From then on a
  // way other than the canvas decides, so painting more would only cost.
  std::size_t paintedBoxes_ = 0;
  // The rectangles with area, in order, until settled: the first boxCount_ of boxes_, which
  // grows ahead of them (MakeRoom), so that keeping one is a store.
  ScratchArray<PackedRect> boxes_;
  std::size_t boxCount_ = 0;
  std::size_t rectsInBlock_ = 0;        // the count the block's count line gives
  ScratchArray<Deferred> deferred_;     // the rectangles whose check 148 waits, in order
  std::int64_t boxesArea_ = 0;          // the sum of the boxes' areas
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
