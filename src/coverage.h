// Whether a block's rectangles cover exactly the black cells of a picture, at a cost that no
// shape of the block can inflate. Every rectangle handed in has passed the grid and white-cell
// checks, so their union lies inside the black cells, and it covers every black cell exactly
// when its area equals the number of black cells.
//
// The area of the union is found in whichever of these ways costs least for the block at hand
// (each cost estimated from one pass over the rectangles):
// - one rectangle, or one as large as the whole black area: nothing to add up;
// - a few rectangles: a grid of the distinct edges, a cell per pair of neighbouring edges;
// - the painter: the rectangles' rows set in a canvas of one bit a cell, counting the new bits;
//   cheap for small rectangles, and it names the first cell that differs;
// - cross-sections: down the rows (or across the columns), rebuilt only where a rectangle
//   starts or ends; cheap when few rows (columns) are such places, as for a block of
//   full-height (full-width) rectangles;
// - the sweep: left to right over the edges, with a segment tree of cover counts over the rows,
//   a logarithmic cost a rectangle whatever its size: the bound for every other block.
// A block that misses a cell then pays once, by the painter or the cross-sections down the
// rows, to name the first cell that differs.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "bit_rows.h"
#include "task_input.h"

struct Rect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;

  // Only a rectangle with area paints cells; one with a zero or negative side still counts.
  bool HasArea() const { return width > 0 && height > 0; }
};

struct Cell {
  int x = 0;
  int y = 0;
};

class Coverage {
 public:
  // The first cell in row-major order whose colour in the picture differs from whether the
  // rectangles cover it; none when they match. Rectangles without area are ignored.
  std::optional<Cell> FirstMismatch(const TestCase& testCase, const std::vector<Rect>& rects);

  // The ways to the union's area, for tests that must reach each one.
  enum class Way { kChoose, kGrid, kPainter, kRows, kColumns, kSweep };
  void Force(Way way) { forced_ = way; }

 private:
  struct Estimate;
  Estimate Measure(const TestCase& testCase, const std::vector<Rect>& rects);
  Way Choose(const Estimate& estimate, const TestCase& testCase) const;
  std::int64_t UnionArea(Way way, const TestCase& testCase, const std::vector<Rect>& rects);
  std::optional<Cell> Locate(const Estimate& estimate, const TestCase& testCase,
                             const std::vector<Rect>& rects);

  std::int64_t GridArea(const std::vector<Rect>& rects);
  std::int64_t SweepArea(const TestCase& testCase, const std::vector<Rect>& rects);
  template <typename Axis>
  std::int64_t Sections(Axis axis, int length, int across, const std::vector<Rect>& rects,
                        const TestCase* compareWith, std::optional<Cell>* mismatch);
  std::int64_t Paint(const TestCase& testCase, const std::vector<Rect>& rects);
  void Unpaint(const TestCase& testCase, const std::vector<Rect>& rects);
  template <typename Key>
  void Order(const std::vector<Rect>& rects, Key key, int limit, std::vector<std::uint32_t>& order);

  Way forced_ = Way::kChoose;
  std::int64_t painted_ = 0;  // rectangles with area in the block at hand
  std::vector<std::uint32_t> byStart_;
  std::vector<std::uint32_t> byEnd_;
  std::vector<std::uint32_t> bucket_;
  std::vector<bit_rows::Word> edges_;      // marks of distinct edges, clear between blocks
  std::vector<int> gridX_;                 // grid: the distinct edges across
  std::vector<int> gridY_;                 // and down
  std::vector<std::int32_t> gridCover_;    // grid: cover counts of the cells
  std::vector<std::int32_t> treeCount_;    // sweep: rectangles over each node's whole range
  std::vector<std::int32_t> treeCovered_;  // sweep: covered rows in each node's range
  std::vector<std::int32_t> delta_;        // cross-sections: change of the cover count
  std::vector<bit_rows::Word> section_;    // cross-sections: the cover of one section
  std::vector<bit_rows::Word> canvas_;     // painter: clear between blocks
};
