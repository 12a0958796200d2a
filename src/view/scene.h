// What the picture shows, taken from one evaluation: the caption, the grid of the test case,
// the block's rectangles read so far, and the marks of the failure. Which block: the failing
// one when the failure lies in a block, else the one asked for, else the first. A failure in
// the task input shows the test case being read; one in the submission header, a run without
// blocks, or an error that is no check shows only the caption.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "eval/rect.h"
#include "view/lang.h"
#include "view/region.h"
#include "view/viewed_run.h"

// The edge of the grid a failing rectangle crosses (checks 140 to 143).
enum class Edge { kNone, kLeft, kTop, kRight, kBottom };

// What a black cell that no rectangle read so far covers means.
enum class Uncovered {
  kNone,        // no block: the picture of the task input shows no rectangles
  kAtEnd,       // the block was read to its end, and the cell stayed white (check 157)
  kNotReached,  // a failure stopped the block early: a later rectangle may have covered it
};

struct Scene {
  Lang lang = Lang::kSlovene;        // of the caption and the legend
  std::vector<std::string> caption;  // raw text; the first line is the report's
  int w = 0;                         // 0: only the caption
  int h = 0;
  std::vector<std::string_view> rows;  // row y as read: shorter, or empty, where it was not read
  std::span<const Rect> rects;         // the block's rectangles read so far, in order
  std::span<const std::int64_t> rectLines;  // the line of each of them
  std::int64_t numberLine = 0;              // the line of the block's test number
  bool lastFails = false;  // the last rectangle failed a check of its own (RectNamed::kRead)
  Edge crossed = Edge::kNone;
  std::optional<Cell> faultCell;  // the cell that checks 79, 148 and 157 name
  std::optional<int> faultRow;    // the row check 75 rejects
  Uncovered uncovered = Uncovered::kNone;

  bool HasGrid() const { return w > 0 && h > 0; }
  // The cell the failure points at: the named cell, else the failing rectangle's top-left cell
  // within the grid; none when it points at no cell.
  std::optional<Cell> Pointed() const;
  // Whether the cell the check names lies in `region`.
  bool FaultCellIn(const Region& region) const {
    return faultCell && region.Contains(faultCell->x, faultCell->y);
  }
  // Where a window is put unless asked: the failure (the pointed cell, else the rejected row),
  // else the top-left.
  Cell Focus() const;
};

// `requestedBlock` is --block K, or 0. The scene points into `run`, which must outlive it.
Scene BuildScene(ViewedRun& run, std::int64_t requestedBlock, Lang lang = Lang::kSlovene);
