// Whether a block's rectangles cover exactly the black cells of a picture, at a cost that does
// not grow with how much the rectangles overlap. Every rectangle handed in has passed the grid
// and white-cell checks, so their union lies inside the black cells; the union's area, found
// by a sweep over the columns, then tells whether every black cell is covered. Only when it is
// not, or when the block has about as many rectangles as the picture has cells, a canvas is
// painted by a difference table to find the first cell that differs.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "task_input.h"

struct Rect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
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

 private:
  struct Edge {
    int x;
    int y0;
    int y1;
    int delta;
  };
  std::int64_t UnionArea(const std::vector<Rect>& rects, int h);
  void UpdateRows(int node, int low, int high, const Edge& edge);
  std::optional<Cell> PaintAndCompare(const TestCase& testCase, const std::vector<Rect>& rects,
                                      std::int64_t painted);
  // Adds the rectangles' corners to the difference table (mark 1) or clears them (mark 0).
  void MarkCorners(const std::vector<Rect>& rects, std::size_t stride, int mark);

  std::vector<Edge> edges_;
  // Segment tree over the rows: how often a node's range is covered whole, and how many of
  // its rows are covered. Every sweep leaves both at zero again.
  std::vector<int> coverCount_;
  std::vector<int> coveredRows_;
  std::vector<std::int32_t> canvas_;       // the difference table, zero between blocks
  std::vector<std::int32_t> columnCover_;  // cover counts of the row being compared
};
